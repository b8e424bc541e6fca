#include "shell/lib/word_list.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {

// ---- WordList

WordList::WordList(std::size_t buckets, bool case_sensitive)
    : WordTable(buckets, &THashTraits<const char*>::hash,
                case_sensitive ? &compare_text_exact : &THashTraits<const char*>::compare) {}

void WordList::add(std::string_view word) {
  const std::string key(word);  // the table's keys are NUL-terminated texts
  if (contains(key.c_str())) return;
  const char* copy = words_.add(word);
  insert(copy, copy);
}

const char* WordList::lookup(const char* word) const {
  if (!word) return nullptr;
  const char* const* stored = find(word);
  return stored ? *stored : nullptr;
}

// ---- SortedWordArray

int SortedWordArray::compare(std::string_view a, std::string_view b) const {
  return case_sensitive_ ? compare_exact(a, b) : compare_nocase(a, b);
}

void SortedWordArray::add(std::string_view word) {
  const char* copy = texts_.add(word);
  words_.emplace_back(copy, word.size());
  sealed_ = false;
}

void SortedWordArray::seal() {
  if (sealed_) return;
  auto less = [this](std::string_view a, std::string_view b) { return compare(a, b) < 0; };
  std::stable_sort(words_.begin(), words_.end(), less);
  auto equal = [this](std::string_view a, std::string_view b) { return compare(a, b) == 0; };
  words_.erase(std::unique(words_.begin(), words_.end(), equal), words_.end());
  sealed_ = true;
  index();
}

unsigned char SortedWordArray::folded(char c) const {
  return static_cast<unsigned char>(case_sensitive_ ? c : ascii_lower(c));
}

// The case is asked once, outside the loop over the bytes.
std::uint64_t SortedWordArray::hash(std::string_view word) const {
  std::uint64_t hash = 14695981039346656037ull;
  if (case_sensitive_) {
    for (const char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  } else {
    for (const char c : word) hash = (hash ^ static_cast<unsigned char>(ascii_lower(c))) * 1099511628211ull;
  }
  return hash ^ (hash >> 29);
}

bool SortedWordArray::same_word(std::string_view stored, std::string_view word) const {
  if (stored.size() != word.size()) return false;
  if (case_sensitive_) return stored == word;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (ascii_lower(stored[i]) != ascii_lower(word[i])) return false;
  return true;
}

namespace {

constexpr std::uint64_t length_bit(std::size_t length) { return std::uint64_t{1} << (length < 63 ? length : 63); }

}  // namespace

bool SortedWordArray::may_contain(std::string_view word) const {
  if (!(lengths_ & length_bit(word.size()))) return false;
  return word.empty() || starts_listed_word(word[0]);
}

bool SortedWordArray::starts_listed_word(char first) const {
  const unsigned char byte = folded(first);
  return (first_bytes_[byte >> 6] >> (byte & 63)) & 1;
}

// The first byte is asked before the length is counted: most words asked
// about short lists are refused by it alone.
bool SortedWordArray::contains(const char* word) const {
  if (sealed_ && *word != '\0' && !starts_listed_word(*word)) return false;
  return contains(std::string_view(word));
}

void SortedWordArray::index() {
  lengths_ = 0;
  for (std::uint64_t& bits : first_bytes_) bits = 0;
  for (const std::string_view word : words_) {
    lengths_ |= length_bit(word.size());
    if (word.empty()) continue;
    const unsigned char first = folded(word[0]);
    first_bytes_[first >> 6] |= std::uint64_t{1} << (first & 63);
  }
  std::size_t size = 8;
  while (size < 2 * words_.size()) size *= 2;
  slots_.assign(size, 0);
  for (std::size_t i = 0; i < words_.size(); ++i) {
    std::size_t slot = hash(words_[i]) & (size - 1);
    while (slots_[slot] != 0) slot = (slot + 1) & (size - 1);
    slots_[slot] = static_cast<std::uint32_t>(i + 1);
  }
}

bool SortedWordArray::contains(std::string_view word) const {
  if (sealed_ && !slots_.empty()) {
    if (!may_contain(word)) return false;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash(word) & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
      const std::string_view stored = words_[slots_[slot] - 1];
      if (same_word(stored, word)) return true;
    }
    return false;
  }
  auto less = [this](std::string_view a, std::string_view b) { return compare(a, b) < 0; };
  auto it = std::lower_bound(words_.begin(), words_.end(), word, less);
  return it != words_.end() && compare(*it, word) == 0;
}

// ---- SuffixSet

void SuffixSet::add(std::string_view suffix) {
  if (suffix.empty()) return;
  std::string reversed(suffix.rbegin(), suffix.rend());
  reversed_.add(reversed);
}

bool SuffixSet::matches(std::string_view word, std::string& scratch) const {
  scratch.assign(word.rbegin(), word.rend());
  // Every beginning of the reversed word is looked up: a single binary
  // search that accepts any stored prefix can step past a short suffix when
  // longer entries sharing its first letters sort between.
  const std::string_view reversed(scratch);
  for (std::size_t length = 1; length <= reversed.size(); ++length)
    if (reversed_.contains(reversed.substr(0, length))) return true;
  return false;
}

// ---- Filling from arguments

namespace {

void read_word_file(const char* name, LineEnd line_end, WordSink sink, void* context) {
  std::unique_ptr<std::ifstream> file = Interpreter::instance().search_path().open(name);
  if (!file) return;
  std::string line;
  while (std::getline(*file, line)) {
    if (line_end == LineEnd::kStripCarriageReturn && !line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) sink(context, line);
  }
}

}  // namespace

bool for_each_listed_word(IRSlist& args, LineEnd line_end, WordSink sink, void* context) {
  bool saw_file = false;
  while (std::unique_ptr<IRSlist> element = args.take_first()) {
    if (element->is_list()) {
      for (const IRSlist* item : element->children())
        if (item->is_atom() && item->atom()) sink(context, item->atom());
    } else if (element->atom()) {
      saw_file = true;
      read_word_file(element->atom(), line_end, sink, context);
    }
  }
  return saw_file;
}

}  // namespace velmo
