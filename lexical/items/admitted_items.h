#pragma once
// The items that a test of the item's own attribute vector admitted on a
// scan of the sentence, kept for the next scan with the same test. Many
// lexical rules of a rule set begin their condition with the same call
// ("(lexical-verb-item)", "(noun-item)"): each of them would otherwise ask
// every item of the sentence again, while only a few pass.
//
// A kept list stays good while its stamp does: the generation of the item
// test memo's own answers (which moves whenever anything but a deletion may
// have changed an item) and the lattice's list generation (which moves
// whenever an item is entered in the lists or leaves them otherwise than by
// deletion, and whenever the words change). Items deleted since the list
// was made are still on it, flagged deleted: the reader passes over them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmo {

class LexItem;

class AdmittedItems {
 public:
  // At most this many lists are kept; a new one beyond takes the place of
  // the oldest.
  static constexpr std::size_t kMaxLists = 32;

  struct Stamp {
    std::uint64_t answers = 0;
    std::uint64_t lists = 0;
    bool operator==(const Stamp&) const = default;
  };
  // An admitted item and the position at whose list the scan found it.
  struct Entry {
    LexItem* item = nullptr;
    int position = 0;
  };
  using List = std::vector<Entry>;

  AdmittedItems() { kept_.reserve(kMaxLists); }

  // The list kept for `test` scanning in that direction under `stamp`, or
  // null when none is.
  const List* find(const void* test, bool front_to_back, const Stamp& stamp) const {
    for (const Kept& kept : kept_)
      if (kept.test == test && kept.front_to_back == front_to_back && kept.stamp == stamp) return &kept.items;
    return nullptr;
  }
  // An empty list to fill for `test`, `front_to_back`, `stamp`: the one
  // kept for the same test and direction, else a new one or the oldest.
  List& start(const void* test, bool front_to_back, const Stamp& stamp) {
    Kept* slot = nullptr;
    for (Kept& kept : kept_)
      if (kept.test == test && kept.front_to_back == front_to_back) slot = &kept;
    if (!slot) {
      if (kept_.size() < kMaxLists) {
        kept_.emplace_back();
        slot = &kept_.back();
      } else {
        slot = &kept_[next_replaced_];
        next_replaced_ = (next_replaced_ + 1) % kMaxLists;
      }
    }
    slot->test = test;
    slot->front_to_back = front_to_back;
    slot->stamp = stamp;
    slot->items.clear();
    return slot->items;
  }
  // Forgets every list (their item vectors stay allocated for reuse).
  void clear() {
    for (Kept& kept : kept_) kept.test = nullptr;
  }
  std::size_t size() const { return kept_.size(); }

  // While a list is being read nothing may start another (which could take
  // its place): a reader that finds the lists busy scans without them.
  bool busy() const { return busy_; }
  class Reading {
   public:
    explicit Reading(AdmittedItems& items) : items_(items) { items_.busy_ = true; }
    ~Reading() { items_.busy_ = false; }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

   private:
    AdmittedItems& items_;
  };

 private:
  struct Kept {
    const void* test = nullptr;
    bool front_to_back = false;
    Stamp stamp;
    List items;
  };
  std::vector<Kept> kept_;
  std::size_t next_replaced_ = 0;
  bool busy_ = false;
};

}  // namespace velmo
