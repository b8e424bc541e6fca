#pragma once
// The pool of parse items. Items are made on demand and reused across
// sentences; a sentence never frees one. At most `pitem_limit()` items exist:
// past it, allocation fails and the sentence is parsed with what it has.
#include <cstddef>
#include <memory>
#include <vector>

#include "parser/chart/pitem.h"

namespace velmo {

// The process-wide limit on the number of items (40000 unless set).
inline constexpr int kDefaultPItemLimit = 40000;
inline int& pitem_limit() {
  static int limit = kDefaultPItemLimit;
  return limit;
}

// Items in fixed blocks of kBlockItems, made in place one after another:
// an item never moves, and finding item i is a shift and a mask (a deque of
// items this large would allocate a node for every two of them).
class ItemBlocks {
 public:
  static constexpr std::size_t kBlockShift = 8;
  static constexpr std::size_t kBlockItems = std::size_t{1} << kBlockShift;

  ItemBlocks() = default;
  ItemBlocks(const ItemBlocks&) = delete;
  ItemBlocks& operator=(const ItemBlocks&) = delete;
  ~ItemBlocks();

  std::size_t size() const { return size_; }
  PItem& operator[](std::size_t i) { return blocks_[i >> kBlockShift][i & (kBlockItems - 1)]; }
  // Makes a new item at the end.
  PItem& emplace_back(const AttInterpreterList* type);

 private:
  std::vector<PItem*> blocks_;  // raw storage of kBlockItems items each
  std::size_t size_ = 0;
};

class ItemPool {
 public:
  static constexpr int kDefaultLimit = kDefaultPItemLimit;
  static constexpr std::size_t kInitialCapacity = 2000;

  explicit ItemPool(const AttInterpreterList* type) : type_(type) {}

  // A fresh item, or null when the limit is reached. Without
  // `clear_vector` the item's vector keeps what a former item left in it:
  // for callers that assign it a whole vector at once.
  PItem* allocate(bool clear_vector = true) {
    // Inline for an item made for an earlier sentence (most of them).
    const int limit = pitem_limit();
    if (used_ < items_.size() && limit > 0 && used_ - kept_ < static_cast<std::size_t>(limit)) {
      PItem* item = &items_[used_++];
      item->reset(clear_vector);
      return item;
    }
    return allocate_new(clear_vector);
  }
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
  ItemBlocks items_;
  std::size_t used_ = 0;
  std::size_t kept_ = 0;
  bool exhausted_ = false;
  // The rest of allocate(): the limit reached, or a new item made.
  PItem* allocate_new(bool clear_vector);
};

}  // namespace velmo
