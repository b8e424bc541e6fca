#pragma once
// The set of bad triples of a grammar: (head word, relation, modifier word)
// dependencies that are never wanted.
#include <bitset>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "shell/support/string_pool.h"
#include "shell/support/thash_table.h"

namespace velmo {

// One triple per line, "head<TAB>relation<TAB>modifier"; keys compare
// ignoring case.
class BadTriples {
 public:
  static constexpr std::size_t kBuckets = 19997;
  static constexpr std::size_t kLineBuffer = 1024;
  BadTriples() : set_(kBuckets) {}

  void read(std::istream& in);
  bool contains(std::string_view triple) const;
  // The same as contains("head<TAB>relation<TAB>modifier"). The weigher
  // asks this of every new triple, and few bad triples share a head and a
  // modifier word with it: the two words are looked up first, and the
  // key is only made when both may be known.
  bool contains(std::string_view head, std::string_view relation, std::string_view modifier) const;
  std::size_t size() const { return set_.size(); }

 private:
  // Which words may stand in a bad triple: one bit per word in a set of
  // 4096 (by a hash of the word ignoring case). A clear bit rules a word
  // out; a set bit may be another word's, and the whole key decides.
  class WordFilter {
   public:
    void add(std::string_view word) { bits_.set(bit_of(word)); }
    bool may_hold(std::string_view word) const { return bits_.test(bit_of(word)); }

   private:
    static constexpr std::size_t kBits = 4096;
    static std::size_t bit_of(std::string_view word);
    std::bitset<kBits> bits_;
  };
  // Notes the head (up to the first tab) and the modifier (after the last)
  // of a line with two tabs or more.
  void note_words(std::string_view line);

  THashTableWithOrd<const char*, const char*> set_;
  StringPool texts_;
  WordFilter heads_;
  WordFilter modifiers_;
};

}  // namespace velmo
