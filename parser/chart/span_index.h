#pragma once
// The items stored in the categories' buckets, found by their span. A
// bucket (category, end word, position) holds the items of every start
// word, and packing looks for an item of one span only: the index lists,
// for each (category, end word, position, start word), the items stored
// there in the order they were stored, which is their order in the bucket.
// Emptied for every pass over a sentence, like the buckets.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "parser/forest/flat_memo.h"

namespace velmo {

struct PItem;

class SpanIndex {
 public:
  // Notes `item`, of start word `start`, just stored in the bucket (owner,
  // end, position) under the items stored there before.
  void add(const void* owner, int end, int position, int start, PItem* item) {
    nodes_.push_back(Node{item, 0});
    const auto number = static_cast<std::uint32_t>(nodes_.size());
    auto [chain, added] = chains_.find_or_add(key(owner, end, position, start));
    if (added)
      chain.head = number;
    else
      nodes_[chain.tail - 1].next = number;
    chain.tail = number;
  }

  // The first item noted under (owner, end, position, start) that `accept`
  // takes, or null.
  template <class Accept>
  PItem* find_first(const void* owner, int end, int position, int start, Accept&& accept) const {
    const Chain* chain = chains_.find(key(owner, end, position, start));
    for (std::uint32_t at = chain ? chain->head : 0; at != 0; at = nodes_[at - 1].next)
      if (accept(nodes_[at - 1].item)) return nodes_[at - 1].item;
    return nullptr;
  }

  void clear() {
    chains_.clear();
    nodes_.clear();
  }
  std::size_t size() const { return nodes_.size(); }

 private:
  struct Key {
    const void* owner;
    std::uint64_t place;  // end, position and start, 16 bits each
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      std::uint64_t mixed = (reinterpret_cast<std::uintptr_t>(k.owner) ^ (k.place * 0x9E3779B97F4A7C15ull));
      mixed = (mixed ^ (mixed >> 29)) * 0xBF58476D1CE4E5B9ull;
      return static_cast<std::size_t>(mixed ^ (mixed >> 32));
    }
  };
  // Node numbers are indices + 1 (0: none).
  struct Chain {
    std::uint32_t head = 0;
    std::uint32_t tail = 0;
  };
  struct Node {
    PItem* item;
    std::uint32_t next;
  };
  static Key key(const void* owner, int end, int position, int start) {
    return Key{owner, static_cast<std::uint64_t>(static_cast<std::uint16_t>(end)) |
                          static_cast<std::uint64_t>(static_cast<std::uint16_t>(position)) << 16 |
                          static_cast<std::uint64_t>(static_cast<std::uint16_t>(start)) << 32};
  }

  FlatMemo<Key, Chain, KeyHash> chains_{4096};
  std::vector<Node> nodes_;
};

}  // namespace velmo
