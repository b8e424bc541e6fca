#pragma once
// The items stored in the categories' buckets, found by their span. A
// bucket (category, end word, position) holds the items of every start
// word, and packing looks for an item of one span only, at a row of
// positions: the index lists, for each (category, end word, start word),
// the items stored there with their positions, in the order they were
// stored (which, position by position, is their order in the buckets).
// Storing an item and looking for one are one table probe each; the few
// items of a span are then read in a row. Emptied for every pass over a
// sentence, like the buckets.
#include <cstddef>
#include <cstdint>

#include "parser/chart/chained_lists.h"

namespace velmo {

struct PItem;

class SpanIndex {
 public:
  // Notes `item`, of start word `start`, just stored in the bucket (owner,
  // end, position) under the items stored there before.
  void add(const void* owner, int end, int position, int start, PItem* item) {
    lists_.add(owner, Lists::place(end, start), Entry{item, position});
  }

  // The first item noted under (owner, end, position, start) that `accept`
  // takes, or null.
  template <class Accept>
  PItem* find_first(const void* owner, int end, int position, int start, Accept&& accept) const {
    return find_first_in(owner, end, position, position, start, accept);
  }

  // As find_first, over the positions from..to: the first item `accept`
  // takes at the lowest position that has one. The span's items are read
  // once, in the order stored; `accept` is asked only of those at a
  // position in the row below the lowest that has an accepted item so far.
  template <class Accept>
  PItem* find_first_in(const void* owner, int end, int from, int to, int start, Accept&& accept) const {
    return find_first_in(span(owner, end, start), from, to, accept);
  }

  // The items noted under (owner, end, any position, start), as a handle
  // for find_first_in, good until the next add; empty() when there are
  // none. A caller with work to do before it can compare items (many spans
  // it asks about hold none) looks first.
  class Span {
   public:
    Span() = default;
    bool empty() const { return chain_ == nullptr; }

   private:
    friend class SpanIndex;
    explicit Span(const void* chain) : chain_(chain) {}
    const void* chain_ = nullptr;
  };
  Span span(const void* owner, int end, int start) const {
    return Span(lists_.find(owner, Lists::place(end, start)));
  }

  // As find_first_in above, over the items of `span`.
  template <class Accept>
  PItem* find_first_in(Span span, int from, int to, Accept&& accept) const {
    PItem* found = nullptr;
    int found_at = to + 1;
    lists_.visit_until(static_cast<const Lists::Chain*>(span.chain_), [&](const Entry& entry) {
      if (entry.position < from || entry.position >= found_at || !accept(entry.item)) return false;
      found = entry.item;
      found_at = entry.position;
      return found_at == from;  // nothing lower can come
    });
    return found;
  }

  void clear() { lists_.clear(); }
  std::size_t size() const { return lists_.size(); }

 private:
  struct Entry {
    PItem* item;
    int position;
  };
  using Lists = ChainedLists<Entry>;
  Lists lists_{4096};
};

}  // namespace velmo
