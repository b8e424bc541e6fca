#pragma once
// The items stored in the categories' buckets, found by their span. A
// bucket (category, end word, position) holds the items of every start
// word, and packing looks for an item of one span only: the index lists,
// for each (category, end word, position, start word), the items stored
// there in the order they were stored, which is their order in the bucket.
// Emptied for every pass over a sentence, like the buckets.
#include <cstddef>

#include "parser/chart/chained_lists.h"

namespace velmo {

struct PItem;

class SpanIndex {
 public:
  // Notes `item`, of start word `start`, just stored in the bucket (owner,
  // end, position) under the items stored there before.
  void add(const void* owner, int end, int position, int start, PItem* item) {
    lists_.add(owner, Lists::place(end, position, start), item);
  }

  // The first item noted under (owner, end, position, start) that `accept`
  // takes, or null.
  template <class Accept>
  PItem* find_first(const void* owner, int end, int position, int start, Accept&& accept) const {
    PItem* found = nullptr;
    lists_.visit_until(owner, Lists::place(end, position, start), [&](PItem* item) {
      if (!accept(item)) return false;
      found = item;
      return true;
    });
    return found;
  }

  void clear() { lists_.clear(); }
  std::size_t size() const { return lists_.size(); }

 private:
  using Lists = ChainedLists<PItem*>;
  Lists lists_{4096};
};

}  // namespace velmo
