#pragma once
// The pool of parse items. Items are made on demand and reused across
// sentences; a sentence never frees one. At most `pitem_limit()` items exist:
// past it, allocation fails and the sentence is parsed with what it has.
#include <cstddef>
#include <deque>

#include "parser/chart/pitem.h"

namespace velmo {

// The process-wide limit on the number of items (40000).
int& pitem_limit();

class ItemPool {
 public:
  static constexpr int kDefaultLimit = 40000;
  static constexpr std::size_t kInitialCapacity = 2000;

  explicit ItemPool(const AttInterpreterList* type) : type_(type) {}

  // A fresh item, or null when the limit is reached. Without
  // `clear_vector` the item's vector keeps what a former item left in it:
  // for callers that assign it a whole vector at once.
  PItem* allocate(bool clear_vector = true);
  // Marks every item free.
  void free_all() { used_ = kept_ = 0; }
  // Keeps the items made so far out of the count that the limit bounds: a
  // pass that goes on from an earlier one's items has the same allowance
  // for its own items as a pass that would make them all anew.
  void keep_used() { kept_ = used_; }

  std::size_t used() const { return used_; }
  std::size_t made() const { return items_.size(); }
  bool exhausted() const { return exhausted_; }
  void clear_exhausted() { exhausted_ = false; }

 private:
  const AttInterpreterList* type_;
  std::deque<PItem> items_;
  std::size_t used_ = 0;
  std::size_t kept_ = 0;
  bool exhausted_ = false;
};

}  // namespace velmo
