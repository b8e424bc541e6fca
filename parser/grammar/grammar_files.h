#pragma once
// The set of bad triples of a grammar: (head word, relation, modifier word)
// dependencies that are never wanted.
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
  std::size_t size() const { return set_.size(); }

 private:
  THashTableWithOrd<const char*, const char*> set_;
  StringPool texts_;
};

}  // namespace velmo
