#pragma once
// The items stored in the categories' buckets, found by their span. A
// bucket (category, end word, position) holds the items of every start
// word, and packing looks for an item of one span only: the index lists,
// for each (category, end word, position, start word), the items stored
// there in the order they were stored, which is their order in the bucket.
// Packing looks at a row of positions, most of which hold nothing of the
// span: a mask of the positions that do, per (category, end word, start
// word), spares looking at the others. Emptied for every pass over a
// sentence, like the buckets.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "parser/chart/chained_lists.h"
#include "parser/forest/flat_memo.h"

namespace velmo {

struct PItem;

class SpanIndex {
 public:
  // Positions from this one up share the mask's last bit.
  static constexpr int kMaskedPositions = 63;

  // Notes `item`, of start word `start`, just stored in the bucket (owner,
  // end, position) under the items stored there before.
  void add(const void* owner, int end, int position, int start, PItem* item) {
    lists_.add(owner, Lists::place(end, position, start), item);
    positions_.find_or_add(OwnerPlace{owner, Lists::place(end, start)}).first |= bit_of(position);
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

  // As find_first, over the positions from..to in turn: the first item
  // `accept` takes at the lowest position that has one. Only the positions
  // whose bit is set in the span's mask are looked at.
  template <class Accept>
  PItem* find_first_in(const void* owner, int end, int from, int to, int start, Accept&& accept) const {
    const std::uint64_t* mask = positions_.find(OwnerPlace{owner, Lists::place(end, start)});
    if (!mask) return nullptr;
    for (; from < 0 && from <= to; ++from) {  // negative positions share bit 0
      if (!(*mask & 1u)) continue;
      if (PItem* found = find_first(owner, end, from, start, accept)) return found;
    }
    if (from > to) return nullptr;
    if (from < kMaskedPositions) {
      const int last = to < kMaskedPositions ? to : kMaskedPositions - 1;
      for (std::uint64_t held = *mask & range_bits(from, last); held; held &= held - 1)
        if (PItem* found = find_first(owner, end, std::countr_zero(held), start, accept)) return found;
    }
    // The positions from kMaskedPositions on share one bit: each is looked at.
    if (to < kMaskedPositions || !(*mask & bit_of(kMaskedPositions))) return nullptr;
    for (int q = from > kMaskedPositions ? from : kMaskedPositions; q <= to; ++q)
      if (PItem* found = find_first(owner, end, q, start, accept)) return found;
    return nullptr;
  }

  void clear() {
    lists_.clear();
    positions_.clear();
  }
  std::size_t size() const { return lists_.size(); }

 private:
  using Lists = ChainedLists<PItem*>;
  // The bits from..to (0 <= from <= to <= 63).
  static std::uint64_t range_bits(int from, int to) {
    return (~std::uint64_t{0} >> (63 - to)) & (~std::uint64_t{0} << from);
  }
  static std::uint64_t bit_of(int position) {
    return std::uint64_t{1} << (position < 0 ? 0 : position < kMaskedPositions ? position : kMaskedPositions);
  }
  Lists lists_{4096};
  FlatMemo<OwnerPlace, std::uint64_t, OwnerPlaceHash> positions_{2048};
};

}  // namespace velmo
