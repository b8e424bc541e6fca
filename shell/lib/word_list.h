#pragma once
// Word lists of the expression library: a hash table of owned words (the
// named word lists of make-word-list, and `in` with ":hashsize"), a sorted
// array searched by binary search (`in` otherwise), and the reversed-suffix
// array of `suffix`; plus the filling of any of them from command arguments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "shell/support/named_object.h"
#include "shell/support/string_pool.h"
#include "shell/support/thash_table.h"

namespace velmo {

class IRSlist;

// The named-object type of word lists.
inline constexpr const char* kWordListType = "THashTableWithOrd<const char*, const char*>";

using WordTable = THashTableWithOrd<const char*, const char*>;

// A hash-table word list that owns its words; each entry's key and value
// are the same stored copy.
class WordList final : public WordTable, public NamedObject {
 public:
  WordList(std::size_t buckets, bool case_sensitive);

  // Adds a copy of `word` unless an equal word is present.
  void add(std::string_view word);
  // The stored word equal to `word`, or null.
  const char* lookup(const char* word) const;

 private:
  StringPool words_;
};

// Words kept in one sorted array. Words are added in bulk and sorted once
// by seal(), so filling from a large file costs n log n rather than an
// insertion per word; seal() also indexes them in an open-addressing hash
// table (folded to ASCII lower case unless case-sensitive), so a test costs
// one hash of the word rather than a binary search. Before hashing, a word
// whose length or (folded) first byte no listed word has is refused at once:
// most tests ask short lists, such as a few punctuation marks, about words
// that are not in them.
class SortedWordArray {
 public:
  // Capacity reserved before the words of files are read.
  static constexpr std::size_t kInitialFileCapacity = 100;

  explicit SortedWordArray(bool case_sensitive) : case_sensitive_(case_sensitive) {}

  void reserve(std::size_t capacity) { words_.reserve(capacity); }
  void add(std::string_view word);
  // Sorts the words and drops repeats (the first of equal words stays).
  void seal();
  bool contains(std::string_view word) const;
  // The same for a NUL-terminated word (not null).
  bool contains(const char* word) const;
  std::size_t size() const { return words_.size(); }
  // The words, sorted and without repeats once sealed.
  const std::vector<std::string_view>& words() const { return words_; }

 private:
  int compare(std::string_view a, std::string_view b) const;
  // A byte as tests compare it: folded to ASCII lower case unless
  // case-sensitive.
  unsigned char folded(char c) const;
  std::uint64_t hash(std::string_view word) const;
  // Whether the words are equal as tests compare them, without ordering
  // them.
  bool same_word(std::string_view stored, std::string_view word) const;
  void index();
  // Whether some listed word has this length and this (folded) first byte.
  bool may_contain(std::string_view word) const;
  bool starts_listed_word(char first) const;

  bool case_sensitive_;
  StringPool texts_;
  std::vector<std::string_view> words_;
  // Slots of the hash index: a word's position in words_ plus one, 0 empty.
  std::vector<std::uint32_t> slots_;
  // Lengths of the listed words, bit min(length, 63); and their first bytes,
  // folded as the hash folds them. Filled by index().
  std::uint64_t lengths_ = 0;
  std::uint64_t first_bytes_[4] = {};
  bool sealed_ = true;
};

// Suffixes stored reversed in a sorted array, compared ignoring ASCII case.
class SuffixSet {
 public:
  void add(std::string_view suffix);
  void seal() { reversed_.seal(); }
  // Whether `word` ends with one of the suffixes. `scratch` receives the
  // reversed word.
  bool matches(std::string_view word, std::string& scratch) const;
  std::size_t size() const { return reversed_.size(); }

 private:
  SortedWordArray reversed_{false};
};

// How lines read from word files end: `in` and `suffix` drop a carriage
// return before the line end, the word-list commands keep it.
enum class LineEnd { kStripCarriageReturn, kKeepCarriageReturn };

// Hands every word of the remaining arguments to `add`, in order: each list
// argument gives the texts of its atoms; each atom names a file, opened on
// the search path, whose non-empty lines are words. A file that cannot be
// opened is reported by the search path and gives nothing. Returns whether
// any file argument was seen.
template <class Add>
bool for_each_listed_word(IRSlist& args, LineEnd line_end, Add&& add);

// The non-template part: one call per word through a plain callback.
using WordSink = void (*)(void* context, std::string_view word);
bool for_each_listed_word(IRSlist& args, LineEnd line_end, WordSink sink, void* context);

template <class Add>
bool for_each_listed_word(IRSlist& args, LineEnd line_end, Add&& add) {
  using AddType = std::remove_reference_t<Add>;
  return for_each_listed_word(
      args, line_end, [](void* context, std::string_view word) { (*static_cast<AddType*>(context))(word); }, &add);
}

}  // namespace velmo
