#include "lexicon/dictionary/entry_parser.h"

#include <string>
#include <vector>

#include "shell/reader/irslist.h"
#include "shell/reader/tokenizer.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

// The command syntax: white bytes, bytes that end a word, and the comma,
// which stays inside a word only when more of the word follows it.
bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool ends_word(char c) { return is_white(c) || c == '(' || c == ')' || c == ';' || c == '"'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

class EntryScanner {
 public:
  EntryScanner(std::string_view text, StringPool& store) : text_(text), store_(store) {}

  // With `lists`, a list inside the outermost one is not built: its text
  // goes to `lists` and an empty list stands for it in the tree. False when
  // such a list is not closed before the end of the text.
  std::unique_ptr<IRSlist> parse(std::vector<std::string_view>* lists = nullptr) {
    std::vector<IRSlist*> open;
    std::unique_ptr<IRSlist> root;
    for (;;) {
      while (at_ < text_.size() && is_white(text_[at_])) ++at_;
      if (at_ >= text_.size()) return root;
      const char c = text_[at_];
      if (c == '(' && lists && open.size() == 1) {
        const std::size_t start = at_;
        if (!skip_list()) {
          unclosed_ = true;
          return nullptr;
        }
        lists->push_back(text_.substr(start, at_ - start));
        open.back()->append(new IRSlist);
        continue;
      }
      if (c == '(') {
        ++at_;
        auto* list = new IRSlist;
        if (open.empty())
          root.reset(list);
        else
          open.back()->append(list);
        open.push_back(list);
        continue;
      }
      if (c == ')') {
        ++at_;
        if (open.empty()) return nullptr;
        open.pop_back();
        if (open.empty()) return root;
        continue;
      }
      auto* atom = new IRSlist(store_.add(next_atom()));
      if (open.empty()) return std::unique_ptr<IRSlist>(atom);
      open.back()->append(atom);
    }
  }

  bool unclosed() const { return unclosed_; }

 private:
  // Moves past the list that opens at the current byte, as parse() would
  // read it: parentheses inside quoted atoms do not count, and a backslash
  // in a quoted atom escapes the next byte. False at the end of the text.
  bool skip_list() {
    int depth = 0;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '(') {
        ++depth;
      } else if (c == ')') {
        if (--depth == 0) return true;
      } else if (c == '"') {
        while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
        ++at_;
      }
    }
    return false;
  }

  // The text of the atom that starts at the current byte.
  std::string_view next_atom() {
    const char c = text_[at_];
    if (c == '"') {
      ++at_;
      return quoted();
    }
    const std::size_t start = at_++;
    if (c == ',') return text_.substr(start, 1);
    while (at_ < text_.size()) {
      const char b = text_[at_];
      if (ends_word(b)) break;
      if (b == ',' && (at_ + 1 >= text_.size() || ends_word(text_[at_ + 1]) || text_[at_ + 1] == ',')) break;
      ++at_;
    }
    return text_.substr(start, at_ - start);
  }

  // The bytes up to the closing quote (or the end of the text), with the
  // escapes of the command syntax: \t \n \r, a decimal byte value, or the
  // next byte itself.
  std::string_view quoted() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\\') ++at_;
    if (at_ >= text_.size() || text_[at_] == '"') {
      const std::string_view plain = text_.substr(start, at_ - start);
      if (at_ < text_.size()) ++at_;
      return plain;
    }
    buffer_.assign(text_.substr(start, at_ - start));
    while (at_ < text_.size()) {
      const char b = text_[at_++];
      if (b == '"') break;
      if (b != '\\') {
        buffer_.push_back(b);
        continue;
      }
      if (at_ >= text_.size()) break;
      const char e = text_[at_++];
      if (e == 't') {
        buffer_.push_back('\t');
      } else if (e == 'n') {
        buffer_.push_back('\n');
      } else if (e == 'r') {
        buffer_.push_back('\r');
      } else if (is_digit(e)) {
        unsigned value = static_cast<unsigned>(e - '0');
        while (at_ < text_.size() && is_digit(text_[at_])) value = value * 10 + static_cast<unsigned>(text_[at_++] - '0');
        buffer_.push_back(static_cast<char>(value & 0xFF));
      } else {
        buffer_.push_back(e);
      }
    }
    return buffer_;
  }

  std::string_view text_;
  StringPool& store_;
  std::size_t at_ = 0;
  std::string buffer_;
  bool unclosed_ = false;
};

// The checks both entry readers share: texts left to the command reader.
bool leaves_to_reader(std::string_view text) {
  return TokenizerBase::default_double_byte() || text.find(';') != std::string_view::npos ||
         text.find('\0') != std::string_view::npos;
}

}  // namespace

bool parse_entry_text(std::string_view text, StringPool& store, std::unique_ptr<IRSlist>& item) {
  if (leaves_to_reader(text)) return false;
  item = EntryScanner(text, store).parse();
  return true;
}

bool split_entry_text(std::string_view text, StringPool& store, std::unique_ptr<IRSlist>& outline,
                      std::vector<std::string_view>& lists) {
  if (leaves_to_reader(text)) return false;
  const std::size_t first = text.find_first_not_of(" \t\n\r");
  if (first == std::string_view::npos || text[first] != '(') return false;
  EntryScanner scanner(text, store);
  std::vector<std::string_view> found;
  std::unique_ptr<IRSlist> read = scanner.parse(&found);
  if (scanner.unclosed() || !read) return false;
  outline = std::move(read);
  lists = std::move(found);
  return true;
}

}  // namespace velmo
