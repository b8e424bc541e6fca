#pragma once
// The two data files of a grammar: the distance table (probability of a
// dependency of a given kind at a given distance) and the set of bad
// triples (head word, relation, modifier word) that are never wanted.
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/name_table.h"
#include "shell/support/string_pool.h"
#include "shell/support/thash_table.h"

namespace velmo {

// Each line of a distance file is a key followed by the probabilities at
// distances 1, 2, 3 ...: "V:subj:N 0.5 0.25 0.125". A distance beyond the
// last number takes the last one; a distance of 0 or less is read as its
// absolute value, 0 as 1. Empty lines and lines beginning with ";" are
// skipped; a key without numbers is ignored.
class DistanceTable {
 public:
  static constexpr std::size_t kBuckets = 1979;
  DistanceTable() : entries_(kBuckets) {}

  void read(std::istream& in);
  // Probability for the key at the distance; nothing for an unknown key.
  std::optional<float> probability(std::string_view key, int distance) const;
  std::size_t size() const { return entries_.size(); }

 private:
  NameTable<std::vector<float>> entries_;
};

// One triple per line, "head<TAB>relation<TAB>modifier"; keys compare
// ignoring case.
class BadTriples {
 public:
  static constexpr std::size_t kBuckets = 19997;
  static constexpr std::size_t kLineBuffer = 1024;
  BadTriples() : set_(kBuckets) {}

  void read(std::istream& in);
  bool contains(std::string_view triple) const;
  std::size_t size() const { return set_.size(); }

 private:
  THashTableWithOrd<const char*, const char*> set_;
  StringPool texts_;
};

}  // namespace velmo
