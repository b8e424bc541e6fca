#pragma once
// Configurable byte-class tokenizer: command files, lexicon files, dictionary
// entries, sentences and tab-separated records are all split by it.
#include <array>
#include <cstddef>
#include <deque>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/named_object.h"
#include "shell/support/str_bufs.h"
#include "shell/support/string_pool.h"

namespace velmo {

// The six character classes of a tokenizer.
struct TokenizerConfig {
  std::string_view white;
  std::string_view start;
  std::string_view middle;
  std::string_view quote;
  char escape = 0;
  char comment = 0;
  // A quote must close before the next white character; an opening byte
  // without that is a token of its own (sentences: "Tom & Jerry", "a < b").
  bool quotes_are_spaceless = false;
};

namespace tokenizer_configs {
// Command files, lexicon files and entries, macro bodies: the S-expression syntax.
extern const TokenizerConfig kCommands;
// Entries of the on-disk dictionary.
extern const TokenizerConfig kDictionaryEntries;
// Entries of the disk-backed hash tables of the statistics databases.
extern const TokenizerConfig kHashEntries;
// Input sentences.
extern const TokenizerConfig kSentences;
// Tab-separated records of the triple databases.
extern const TokenizerConfig kTabRecords;
// Blank-and-tab separated lines of the statistics databases.
extern const TokenizerConfig kBlankRecords;
// Splitting at white space only.
extern const TokenizerConfig kWhitespace;
}  // namespace tokenizer_configs

inline constexpr std::size_t kDefaultTokenBufferSize = 4096;
inline constexpr std::size_t kDefaultInputBufferSize = 512;
inline constexpr int kMaxRollback = 10;

class TokenizerBase : public NamedObject {
 public:
  TokenizerBase(const TokenizerConfig& config, std::size_t token_buffer_size = kDefaultTokenBufferSize,
                std::size_t input_buffer_size = kDefaultInputBufferSize);
  // Separator mode: tokens run up to and including the separator text.
  TokenizerBase(std::string_view separator, std::size_t token_buffer_size, std::size_t input_buffer_size);
  ~TokenizerBase() override = default;
  TokenizerBase(const TokenizerBase&) = delete;
  TokenizerBase& operator=(const TokenizerBase&) = delete;

  // The next token, or null at the end of input. The text stays valid until
  // the next call; token_length() gives its length.
  const char* next_token();
  // next_token() skipping white-space and comment tokens.
  const char* next_significant_token();
  std::size_t token_length() const { return token_.size(); }
  // Whether the last quoted token read found its closing byte.
  bool last_quote_closed() const { return last_quote_closed_; }

  // Copies `text` (length -1: up to its NUL) as the input.
  void set_string_input(const char* text, long length = -1);
  void set_string_input(std::string_view text) { set_string_input(text.data(), static_cast<long>(text.size())); }
  // Pushes one byte back; more than ten pending bytes end the program.
  void rollback(char c);
  // Tokens handed out before anything is read.
  void queue_token(std::string_view token) { pending_.emplace_back(token); }
  void clear_pending() { pending_.clear(); }

  void add_long_quote(std::string_view open, std::string_view close);
  void set_double_byte(bool on) { double_byte_ = on; }
  bool double_byte() const { return double_byte_; }
  // Default double-byte flag copied into tokenizers created later.
  static void set_default_double_byte(bool on);
  static bool default_double_byte();

  bool has_input() const { return has_input_; }
  bool separator_mode() const { return !separator_.empty(); }
  bool is_white(unsigned char c) const { return white_[c] != 0; }
  bool is_middle(unsigned char c) const { return middle_[c] != 0; }
  bool is_breaker(unsigned char c) const { return breaker_[c] != 0; }
  bool opens_quote(unsigned char c) const { return quotes_[c] != nullptr; }
  bool closes_quote(unsigned char open, unsigned char c) const { return quotes_[open] && (*quotes_[open])[c]; }
  char comment_byte() const { return comment_; }
  char escape_byte() const { return escape_; }

  // Texts that belong to what this tokenizer read (atom texts of parsed forms).
  StringPool& strings() { return strings_; }

 protected:
  // Refills the input buffer and returns its first byte (not consumed), or
  // -1 at the end of input after releasing the buffer and clearing has-input.
  virtual int fill() = 0;

  // Input-buffer access for fill().
  char* input_buffer();
  std::size_t input_capacity() const { return input_size_; }
  void set_filled(std::size_t count) {
    position_ = 0;
    valid_ = count;
  }
  int end_of_input();
  void attach_input();
  // Forgets the stream or descriptor when a string becomes the input.
  virtual void detach_source() {}

 private:
  using ByteSet = std::array<unsigned char, 256>;
  struct LongQuote {
    std::string open;
    std::string close;
  };

  int peek();
  void consume();
  int get() {
    const int c = peek();
    if (c >= 0) consume();
    return c;
  }
  const char* finish_token();
  // Appends the buffered bytes, from the next one on, for which `plain`
  // holds, and consumes them: no byte is pushed back, and a NUL byte (which
  // ends the input) is never plain. The byte-by-byte reading takes over at
  // the first other byte.
  template <class Plain>
  void take_run(Plain plain);
  void read_word();
  void read_quoted(unsigned char open);
  bool quote_closes_before_white(unsigned char open) const;
  void read_escape();
  void extend_long_quote();
  const char* read_separated();
  const LongQuote* closing_long_quote_without_opening() const;

  std::string separator_;
  ByteSet white_{};
  ByteSet middle_{};
  ByteSet breaker_{};
  std::array<std::unique_ptr<ByteSet>, 256> quotes_;
  char escape_ = 0;
  char comment_ = 0;
  std::deque<std::string> pending_;
  StrBufs token_;
  std::vector<LongQuote> long_quotes_;
  std::unique_ptr<char[]> input_;
  std::size_t input_size_;  // size of a stream refill
  std::size_t input_allocated_ = 0;
  std::size_t position_ = 0;
  std::size_t valid_ = 0;
  std::array<char, kMaxRollback> pushed_{};
  int pushed_count_ = 0;
  bool has_input_ = false;
  bool double_byte_;
  bool last_quote_closed_ = true;
  bool quotes_are_spaceless_ = false;
  StringPool strings_;
};

// Reads an input stream, a line at a time, so interactive input is answered
// as soon as a line is complete.
class Tokenizer : public TokenizerBase {
 public:
  using TokenizerBase::TokenizerBase;
  void set_input(std::istream* in);

 protected:
  int fill() override;
  void detach_source() override { source_ = nullptr; }

 private:
  std::istream* source_ = nullptr;
};

// Reads a raw file descriptor, one read() per refill.
class SocketTokenizer : public TokenizerBase {
 public:
  using TokenizerBase::TokenizerBase;
  void set_input(int fd);

 protected:
  int fill() override;
  void detach_source() override { fd_ = -1; }

 private:
  int fd_ = -1;
};

}  // namespace velmo
