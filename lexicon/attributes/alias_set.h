#pragma once
// The aliases of an attribute vector type: named vectors kept in a partial
// order by specificity. Each alias links to its nearest more specific and
// more general aliases; traversal runs from the most specific towards the
// most general, so the most telling abbreviation is tried first.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shell/support/ref_ptr.h"

namespace velmo {

class AttVec;

class AliasSet {
 public:
  static constexpr std::size_t kInitialCapacity = 26;

  struct Alias {
    std::string name;
    RefPtr<AttVec> vec;
    std::size_t sequence;
    std::vector<Alias*> more_specific;
    std::vector<Alias*> more_general;
  };

  AliasSet();
  ~AliasSet();
  AliasSet(const AliasSet&) = delete;
  AliasSet& operator=(const AliasSet&) = delete;

  // Adds an alias holding a reference on `vec`. A name already present keeps
  // its first vector ("Duplicate definition of ") and false is returned.
  bool add(std::string_view name, AttVec* vec);
  const AttVec* find(std::string_view name) const;
  std::size_t size() const { return nodes_.size(); }
  bool empty() const { return nodes_.empty(); }
  void clear();
  // Every alias, each after all the aliases more specific than it; among
  // aliases that are ready together, the one defined first comes first.
  const std::vector<const Alias*>& in_order() const;

 private:
  void link(Alias* specific, Alias* general);
  static void unlink(Alias* specific, Alias* general);

  std::vector<std::unique_ptr<Alias>> nodes_;
  std::unordered_map<std::string, Alias*> by_name_;
  mutable std::vector<const Alias*> order_;
  mutable bool order_valid_ = false;
};

}  // namespace velmo
