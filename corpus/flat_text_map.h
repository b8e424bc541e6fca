#pragma once
// A table from texts to small values that is filled once and then read
// many times: open addressing with linear probing in one array, at most
// half full, so that filling it allocates nothing per text (the summary of
// a relation database puts tens of thousands of words in one at start-up).
// The texts are views: what they view must outlive the table.
#include <cstddef>
#include <string_view>
#include <vector>

#include "shell/support/text.h"

namespace velmo {

template <class Value>
class FlatTextMap {
 public:
  // The value of `text`, value-initialised when the text is new. The
  // reference is valid until the next new text.
  Value& operator[](std::string_view text) {
    if (2 * (size_ + 1) > slots_.size()) grow();
    const std::size_t hash = hash_of(text);
    Slot& slot = slots_[probe(slots_, text, hash)];
    if (!slot.used) {
      slot = Slot{text, hash, Value{}, true};
      ++size_;
    }
    return slot.value;
  }

  const Value* find(std::string_view text) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[probe(slots_, text, hash_of(text))];
    return slot.used ? &slot.value : nullptr;
  }

  std::size_t size() const { return size_; }
  // How many texts it holds before its array grows.
  std::size_t capacity() const { return slots_.size() / 2; }
  // Makes room for `texts` texts in all at once, so that a table filled
  // with about as many known in advance is not grown (and every text
  // placed again) step by step.
  void reserve(std::size_t texts) {
    std::size_t slots = slots_.empty() ? kFirstSlots : slots_.size();
    while (slots < 2 * texts) slots *= 2;
    if (slots > slots_.size()) move_to(slots);
  }

 private:
  static constexpr std::size_t kFirstSlots = 1024;

  struct Slot {
    std::string_view text;
    std::size_t hash = 0;
    Value value{};
    bool used = false;
  };

  // FNV-1a in line: the texts are words and relation names of a few bytes,
  // for which the library's hash costs a call and more steps per byte.
  static std::size_t hash_of(std::string_view text) { return fnv1a_hash(text); }

  // The slot holding `text`, or the empty slot where it belongs.
  static std::size_t probe(const std::vector<Slot>& slots, std::string_view text, std::size_t hash) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots[i];
      if (!slot.used || (slot.hash == hash && slot.text == text)) return i;
    }
  }

  void grow() { move_to(slots_.empty() ? kFirstSlots : 2 * slots_.size()); }

  // Places every text in an array of `slots` slots (a power of two).
  void move_to(std::size_t slots) {
    std::vector<Slot> bigger(slots);
    for (const Slot& slot : slots_)
      if (slot.used) bigger[probe(bigger, slot.text, slot.hash)] = slot;
    slots_ = std::move(bigger);
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

}  // namespace velmo
