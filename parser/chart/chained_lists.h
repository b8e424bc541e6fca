#pragma once
// Lists of values under keys (owner, place), each list in the order its
// values were added. The lists are chains through one node vector, found by
// an open-addressing table of their heads and tails, so adding a value is
// one table probe and one push, and clearing keeps the memory for the next
// sentence. Places pack small numbers (word, position, ...) into 64 bits.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "parser/forest/flat_memo.h"

namespace velmo {

// A key of an owner (a category, a link ...) and a packed place.
struct OwnerPlace {
  const void* owner;
  std::uint64_t place;
  bool operator==(const OwnerPlace&) const = default;
};
struct OwnerPlaceHash {
  std::size_t operator()(const OwnerPlace& k) const {
    std::uint64_t mixed = reinterpret_cast<std::uintptr_t>(k.owner) ^ (k.place * 0x9E3779B97F4A7C15ull);
    mixed = (mixed ^ (mixed >> 29)) * 0xBF58476D1CE4E5B9ull;
    return static_cast<std::size_t>(mixed ^ (mixed >> 32));
  }
};

template <class Value>
class ChainedLists {
 public:
  explicit ChainedLists(std::size_t initial_slots) : chains_(initial_slots) {}
  // The list last added to is remembered by its place in the table.
  ChainedLists(const ChainedLists&) = delete;
  ChainedLists& operator=(const ChainedLists&) = delete;

  // Values often come in runs under one key (a modifier offered to several
  // links of one category, a scan passing several positions): a value
  // under the key of the last one added is linked without a table probe.
  void add(const void* owner, std::uint64_t place, const Value& value) {
    nodes_.push_back(Node{value, 0});
    const auto number = static_cast<std::uint32_t>(nodes_.size());
    const Key key{owner, place};
    if (last_chain_ && last_key_ == key) {
      nodes_[last_chain_->tail - 1].next = number;
      last_chain_->tail = number;
      return;
    }
    auto [chain, added] = chains_.find_or_add(key);
    if (added)
      chain.head = number;
    else
      nodes_[chain.tail - 1].next = number;
    chain.tail = number;
    // Valid until the table's next insertion, which only add() makes.
    last_chain_ = &chain;
    last_key_ = key;
  }

  // Calls `visit` with each value listed under (owner, place) when the call
  // began, in order, until it returns true; values `visit` adds there are
  // not visited. True when `visit` stopped the walk.
  template <class Visit>
  bool visit_until(const void* owner, std::uint64_t place, Visit&& visit) const {
    return visit_until(find(owner, place), visit);
  }

  // Node numbers are indices + 1 (0: none).
  struct Chain {
    std::uint32_t head = 0;
    std::uint32_t tail = 0;
  };
  // The list under (owner, place), or null when nothing was added there:
  // a caller with work to do before visiting a list it finds looks first.
  const Chain* find(const void* owner, std::uint64_t place) const { return chains_.find(Key{owner, place}); }
  // As visit_until above, for the list `find` gave (null: none). Values
  // added since are not visited.
  template <class Visit>
  bool visit_until(const Chain* chain, Visit&& visit) const {
    if (!chain) return false;
    const std::uint32_t last = chain->tail;
    for (std::uint32_t at = chain->head; at != 0 && at <= last;) {
      const Value value = nodes_[at - 1].value;
      const std::uint32_t next = nodes_[at - 1].next;
      if (visit(value)) return true;
      at = next;
    }
    return false;
  }

  void clear() {
    chains_.clear();
    nodes_.clear();
    last_chain_ = nullptr;
  }
  std::size_t size() const { return nodes_.size(); }

  // Packs up to three numbers of 16 bits into a place.
  static std::uint64_t place(int a, int b, int c = 0) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(a)) |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(b)) << 16 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(c)) << 32;
  }

 private:
  using Key = OwnerPlace;
  using KeyHash = OwnerPlaceHash;
  struct Node {
    Value value;
    std::uint32_t next;
  };

  FlatMemo<Key, Chain, KeyHash> chains_;
  std::vector<Node> nodes_;
  // The chain of the last value added and its key (null: none since the
  // last clear).
  Chain* last_chain_ = nullptr;
  Key last_key_{};
};

}  // namespace velmo
