#include "shell/reader/tokenizer.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "shell/support/diagnostics.h"

namespace velmo {

namespace tokenizer_configs {
const TokenizerConfig kCommands{" \t\n\r", "();", "();,", "\"", '\\', ';'};
const TokenizerConfig kDictionaryEntries{" \t\n\r", ";", ";", "\"", '\\', ';'};
const TokenizerConfig kHashEntries{" \t\n\r", ";,", ";,", "\"", '\\', ';'};
const TokenizerConfig kSentences{" \t\n", "(){}[];!?$`'\"-", "(){}[];,:?!@`\"-", "<> &;.", 0, 0, true};
const TokenizerConfig kTabRecords{"\t", "\n", "\n", "", '\\', ';'};
const TokenizerConfig kBlankRecords{" \t", "\n", "\n", "", '\\', ';'};
const TokenizerConfig kWhitespace{" \t\n\r", "", "", "", '\\', ';'};
}  // namespace tokenizer_configs

namespace {
bool g_default_double_byte = false;  // set by the double-byte command
}

void TokenizerBase::set_default_double_byte(bool on) { g_default_double_byte = on; }
bool TokenizerBase::default_double_byte() { return g_default_double_byte; }

TokenizerBase::TokenizerBase(const TokenizerConfig& config, std::size_t token_buffer_size,
                             std::size_t input_buffer_size)
    : escape_(config.escape),
      comment_(config.comment),
      token_(token_buffer_size),
      input_size_(input_buffer_size ? input_buffer_size : 1),
      double_byte_(g_default_double_byte),
      quotes_are_spaceless_(config.quotes_are_spaceless) {
  for (unsigned char c : config.white) white_[c] = 1;
  for (unsigned char c : config.middle) middle_[c] = 1;
  for (unsigned char c : config.start) breaker_[c] = 1;
  for (unsigned char c : config.white) breaker_[c] = 1;
  if (comment_) {
    const auto c = static_cast<unsigned char>(comment_);
    quotes_[c] = std::make_unique<ByteSet>();
    (*quotes_[c])['\n'] = 1;
    breaker_[c] = 1;
  }
  // Quote groups are separated by white characters; the first byte of a group
  // opens a quote closed by the bytes that follow it ("^" takes the next byte
  // literally), or by itself when it stands alone.
  const std::string_view quote_groups = config.quote;
  std::size_t i = 0;
  while (i < quote_groups.size()) {
    const auto open = static_cast<unsigned char>(quote_groups[i]);
    if (white_[open]) {
      ++i;
      continue;
    }
    breaker_[open] = 1;
    quotes_[open] = std::make_unique<ByteSet>();
    ByteSet& closing = *quotes_[open];
    ++i;
    bool any = false;
    while (i < quote_groups.size() && !white_[static_cast<unsigned char>(quote_groups[i])]) {
      if (quote_groups[i] == '^' && i + 1 < quote_groups.size()) ++i;
      closing[static_cast<unsigned char>(quote_groups[i])] = 1;
      any = true;
      ++i;
    }
    if (!any) closing[open] = 1;
  }
}

TokenizerBase::TokenizerBase(std::string_view separator, std::size_t token_buffer_size, std::size_t input_buffer_size)
    : separator_(separator),
      token_(token_buffer_size),
      input_size_(input_buffer_size ? input_buffer_size : 1),
      double_byte_(g_default_double_byte) {}

char* TokenizerBase::input_buffer() {
  if (input_allocated_ < input_size_) {
    input_ = std::make_unique_for_overwrite<char[]>(input_size_);
    input_allocated_ = input_size_;
  }
  return input_.get();
}

int TokenizerBase::end_of_input() {
  input_.reset();
  input_allocated_ = 0;
  position_ = valid_ = 0;
  has_input_ = false;
  return -1;
}

void TokenizerBase::attach_input() {
  has_input_ = true;
  position_ = valid_ = 0;
  pushed_count_ = 0;
}

void TokenizerBase::set_string_input(const char* text, long length) {
  detach_source();
  const std::size_t n = text ? (length < 0 ? std::strlen(text) : static_cast<std::size_t>(length)) : 0;
  if (input_allocated_ < n + 1) {
    input_ = std::make_unique_for_overwrite<char[]>(n + 1);
    input_allocated_ = n + 1;
  }
  if (n) std::memcpy(input_.get(), text, n);
  input_[n] = '\0';
  attach_input();
  valid_ = n;
}

void TokenizerBase::add_long_quote(std::string_view open, std::string_view close) {
  long_quotes_.push_back({std::string(open), std::string(close)});
}

void TokenizerBase::rollback(char c) {
  if (pushed_count_ >= kMaxRollback) {
    diag() << "Tokenizer cannot rollback more than " << kMaxRollback << " characters\n" << std::flush;
    std::exit(1);
  }
  pushed_[static_cast<std::size_t>(pushed_count_++)] = c;
}

int TokenizerBase::peek() {
  if (pushed_count_ > 0) return static_cast<unsigned char>(pushed_[static_cast<std::size_t>(pushed_count_ - 1)]);
  int c;
  if (position_ < valid_) {
    c = static_cast<unsigned char>(input_[position_]);
  } else {
    if (!has_input_) return -1;
    c = fill();
    if (c < 0) return -1;
  }
  if (c == 0) return end_of_input();  // a NUL byte ends the input
  return c;
}

void TokenizerBase::consume() {
  if (pushed_count_ > 0)
    --pushed_count_;
  else
    ++position_;
}

const char* TokenizerBase::next_significant_token() {
  for (;;) {
    const char* token = next_token();
    if (!token) return nullptr;
    const auto first = static_cast<unsigned char>(token[0]);
    if (white_[first] || (comment_ && token[0] == comment_)) continue;
    return token;
  }
}

const char* TokenizerBase::next_token() {
  token_.clear();
  if (!pending_.empty()) {
    token_.append(pending_.front());
    pending_.pop_front();
    return token_.c_str();
  }
  if (separator_mode()) return read_separated();

  take_run([this](unsigned char b) { return white_[b] != 0; });
  int c;
  while ((c = peek()) >= 0 && white_[static_cast<unsigned char>(c)]) {
    token_.push(static_cast<char>(c));
    consume();
  }
  if (!token_.empty()) return token_.c_str();
  if (c < 0) return nullptr;
  consume();
  token_.push(static_cast<char>(c));
  const auto first = static_cast<unsigned char>(c);

  if (double_byte_ && first >= 0x80) {
    const int second = get();
    if (second >= 0) token_.push(static_cast<char>(second));
    return finish_token();
  }
  if (quotes_[first]) {
    if (!quotes_are_spaceless_ || quote_closes_before_white(first)) read_quoted(first);
    return finish_token();
  }
  if (!middle_[first]) read_word();
  return finish_token();
}

template <class Plain>
void TokenizerBase::take_run(Plain plain) {
  if (pushed_count_ > 0 || position_ >= valid_) return;
  const char* const begin = input_.get() + position_;
  const char* const end = input_.get() + valid_;
  const char* p = begin;
  while (p < end) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == 0 || !plain(byte)) break;
    ++p;
  }
  if (p == begin) return;
  token_.append(begin, static_cast<std::size_t>(p - begin));
  position_ += static_cast<std::size_t>(p - begin);
}

// Runs of bytes that simply go on a word or a quote are taken a buffer at a
// time; the byte-by-byte loop decides everything else.
void TokenizerBase::read_word() {
  const auto plain = [this](unsigned char b) {
    return !breaker_[b] && !white_[b] && !middle_[b] && !(double_byte_ && b >= 0x80);
  };
  for (;;) {
    take_run(plain);
    const int d = peek();
    if (d < 0) return;
    const auto byte = static_cast<unsigned char>(d);
    if (breaker_[byte] || white_[byte] || (double_byte_ && byte >= 0x80)) return;
    consume();
    if (middle_[byte]) {
      // A middle byte stays inside a word only when more of the word follows.
      const int after = peek();
      if (after < 0 || breaker_[static_cast<unsigned char>(after)] || middle_[static_cast<unsigned char>(after)]) {
        rollback(static_cast<char>(byte));
        return;
      }
    }
    token_.push(static_cast<char>(byte));
  }
}

void TokenizerBase::read_quoted(unsigned char open) {
  last_quote_closed_ = false;
  const ByteSet& closing = *quotes_[open];
  const auto plain = [this, &closing](unsigned char b) {
    return !closing[b] && !(escape_ && b == static_cast<unsigned char>(escape_));
  };
  for (;;) {
    take_run(plain);
    const int b = get();
    if (b < 0) return;
    const auto byte = static_cast<unsigned char>(b);
    if (!(*quotes_[open])[byte]) {
      if (escape_ && b == static_cast<unsigned char>(escape_))
        read_escape();
      else
        token_.push(static_cast<char>(byte));
      continue;
    }
    token_.push(static_cast<char>(byte));
    if (!long_quotes_.empty() && closing_long_quote_without_opening()) continue;
    last_quote_closed_ = true;
    return;
  }
}

// Looks ahead in the buffered input for the quote's closing byte. Input not
// yet buffered (a stream between refills) or rolled-back bytes leave the
// quote as it is: the answer is only "no" when a white byte is seen first.
// A declared long quote (a comment such as <!-- ... -->) may hold white space.
bool TokenizerBase::quote_closes_before_white(unsigned char open) const {
  if (pushed_count_ > 0) return true;
  for (const LongQuote& q : long_quotes_)
    if (!q.open.empty() && static_cast<unsigned char>(q.open.front()) == open) return true;
  const ByteSet& closing = *quotes_[open];
  for (std::size_t i = position_; i < valid_; ++i) {
    const auto byte = static_cast<unsigned char>(input_[i]);
    if (closing[byte]) return true;
    if (white_[byte] || byte == 0) return false;
  }
  return true;
}

void TokenizerBase::read_escape() {
  const int e = get();
  if (e < 0) return;
  switch (e) {
    case 't':
      token_.push('\t');
      return;
    case 'n':
      token_.push('\n');
      return;
    case 'r':
      token_.push('\r');
      return;
    default:
      break;
  }
  if (e >= '0' && e <= '9') {
    unsigned value = static_cast<unsigned>(e - '0');
    for (int d = peek(); d >= '0' && d <= '9'; d = peek()) {
      value = value * 10 + static_cast<unsigned>(d - '0');
      consume();
    }
    token_.push(static_cast<char>(value & 0xFF));
    return;
  }
  token_.push(static_cast<char>(e));
}

const TokenizerBase::LongQuote* TokenizerBase::closing_long_quote_without_opening() const {
  for (const LongQuote& q : long_quotes_)
    if (token_.ends_with(q.close) && !token_.starts_with(q.open)) return &q;
  return nullptr;
}

void TokenizerBase::extend_long_quote() {
  for (const LongQuote& q : long_quotes_) {
    if (!token_.starts_with(q.open)) continue;
    // The closing text must follow the opening text, not overlap it.
    while (token_.size() < q.open.size() + q.close.size() || !token_.ends_with(q.close)) {
      const int c = get();
      if (c < 0) return;
      token_.push(static_cast<char>(c));
    }
    return;
  }
}

const char* TokenizerBase::finish_token() {
  if (!long_quotes_.empty()) extend_long_quote();
  return token_.c_str();
}

const char* TokenizerBase::read_separated() {
  int c = peek();
  if (c < 0) return nullptr;  // the end of input: nothing more to hand out
  for (; c >= 0; c = peek()) {
    consume();
    token_.push(static_cast<char>(c));
    if (token_.ends_with(separator_)) break;
  }
  return token_.c_str();
}

void Tokenizer::set_input(std::istream* in) {
  source_ = in;
  attach_input();
}

int Tokenizer::fill() {
  if (!source_) return end_of_input();
  std::streambuf* buffer = source_->rdbuf();
  if (!buffer) return end_of_input();
  char* bytes = input_buffer();
  const std::size_t capacity = input_capacity();
  std::size_t count = 0;
  while (count < capacity) {
    const int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      source_->setstate(std::ios::eofbit);
      break;
    }
    bytes[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (count == 0) return end_of_input();
  set_filled(count);
  return static_cast<unsigned char>(bytes[0]);
}

void SocketTokenizer::set_input(int fd) {
  fd_ = fd;
  attach_input();
}

int SocketTokenizer::fill() {
  if (fd_ < 0) return end_of_input();
  char* bytes = input_buffer();
  const ssize_t n = ::read(fd_, bytes, input_capacity());
  if (n <= 0) return end_of_input();
  set_filled(static_cast<std::size_t>(n));
  return static_cast<unsigned char>(bytes[0]);
}

}  // namespace velmo
