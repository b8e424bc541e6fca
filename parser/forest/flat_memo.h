#pragma once
// A memo: an open-addressing hash table (linear probing, a power-of-two
// number of slots, at most half full) from small keys (pointers, numbers)
// to small values, kept for one sentence or for the life of its owner (the
// relation database's answers). Forgetting everything is O(1): every slot
// carries the generation that filled it, and clear() starts a new one, so
// the slots of a long sentence are reused by the next without being wiped.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace velmo {

template <class Key, class Value, class Hash>
class FlatMemo {
 public:
  explicit FlatMemo(std::size_t initial_slots = 1024) : slots_(initial_slots) {}

  // The value under `key` and false, or a value-initialised new entry and
  // true. The reference is valid until the next insertion.
  std::pair<Value&, bool> find_or_add(const Key& key) {
    if (2 * (size_ + 1) > slots_.size()) grow();
    Slot& slot = probe(slots_, key);
    if (slot.generation == generation_) return {slot.value, false};
    slot = Slot{key, Value{}, generation_};
    ++size_;
    return {slot.value, true};
  }

  const Value* find(const Key& key) const {
    const Slot& slot = probe(const_cast<std::vector<Slot>&>(slots_), key);
    return slot.generation == generation_ ? &slot.value : nullptr;
  }

  void clear() {
    size_ = 0;
    if (++generation_ == 0) {  // the counter wrapped: wipe once
      for (Slot& slot : slots_) slot.generation = 0;
      generation_ = 1;
    }
  }

  std::size_t size() const { return size_; }

 private:
  struct Slot {
    Key key{};
    Value value{};
    std::uint32_t generation = 0;
  };

  // The slot holding `key`, or the empty slot where it belongs.
  Slot& probe(std::vector<Slot>& slots, const Key& key) const {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = Hash()(key) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots[i];
      if (slot.generation != generation_ || slot.key == key) return slot;
    }
  }

  void grow() {
    std::vector<Slot> bigger(2 * slots_.size());
    for (Slot& slot : slots_)
      if (slot.generation == generation_) probe(bigger, slot.key) = slot;
    slots_ = std::move(bigger);
  }

  std::vector<Slot> slots_;
  std::uint32_t generation_ = 1;
  std::size_t size_ = 0;
};

}  // namespace velmo
