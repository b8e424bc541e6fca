#pragma once
// What the first pass over a sentence did that the second pass (the one
// with the last-resort links and the wider merge reach) must take up again
// when it goes on from the first pass's chart instead of parsing anew:
//   - the scans of a head item to its left for waiting modifiers, and of a
//     right modifier to its left for heads: a modifier or head that only
//     the second pass makes must still meet them;
//   - the merges refused only because the head words lay beyond the first
//     pass's reach;
//   - the complete items, which the last-resort links have not been
//     offered yet.
// Each step keeps the number of items made before it, so that the second
// pass can take them up in the order the first pass met them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "parser/forest/flat_memo.h"

namespace velmo {

class GCate;
class GLink;
struct PItem;

struct FirstPassRecord {
  struct LeftScan {
    GCate* cate;
    PItem* head;
    int position;
  };
  struct RightScan {
    GCate* cate;
    PItem* modifier;
    GLink* link;
  };
  struct FarMerge {
    GLink* link;
    PItem* modifier;
    PItem* head;
    int position;  // the head's position (the link's own for a left link)
    bool left;     // made by a head's scan (else by a right modifier's)
    std::size_t made;
  };
  struct Complete {
    GCate* cate;
    PItem* item;
    std::size_t made;
  };

  std::vector<LeftScan> left_scans;
  std::vector<RightScan> right_scans;
  std::vector<FarMerge> far_merges;
  std::vector<Complete> completes;

  void clear() {
    left_scans.clear();
    right_scans.clear();
    far_merges.clear();
    completes.clear();
  }
};

// The places (category, word[, position]) that scans to the left passed,
// with what each scan carried: an item added there later has to be offered
// to them. Values are listed under a place in the order they were added.
template <class Value>
class ScanPlaces {
 public:
  void add(const void* owner, int word, int position, const Value& value) {
    nodes_.push_back(Node{value, 0});
    const auto number = static_cast<std::uint32_t>(nodes_.size());
    auto [chain, added] = chains_.find_or_add(key(owner, word, position));
    if (added)
      chain.head = number;
    else
      nodes_[chain.tail - 1].next = number;
    chain.tail = number;
  }

  // Calls `visit` with each value listed under the place when the call
  // began (scans that `visit` adds there have already seen what is offered).
  template <class Visit>
  void for_each(const void* owner, int word, int position, Visit&& visit) {
    const Chain* chain = chains_.find(key(owner, word, position));
    if (!chain) return;
    const std::uint32_t last = chain->tail;
    for (std::uint32_t at = chain->head; at != 0 && at <= last;) {
      const Value value = nodes_[at - 1].value;
      const std::uint32_t next = nodes_[at - 1].next;
      visit(value);
      at = next;
    }
  }

  void clear() {
    chains_.clear();
    nodes_.clear();
  }
  std::size_t size() const { return nodes_.size(); }

 private:
  struct Key {
    const void* owner;
    std::uint32_t place;  // word and position, 16 bits each
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      std::uint64_t mixed = reinterpret_cast<std::uintptr_t>(k.owner) ^ (k.place * 0x9E3779B97F4A7C15ull);
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
    Value value;
    std::uint32_t next;
  };
  static Key key(const void* owner, int word, int position) {
    return Key{owner, static_cast<std::uint32_t>(static_cast<std::uint16_t>(word)) |
                          static_cast<std::uint32_t>(static_cast<std::uint16_t>(position)) << 16};
  }

  FlatMemo<Key, Chain, KeyHash> chains_{1024};
  std::vector<Node> nodes_;
};

// A right modifier's scan for heads: the modifier, its link and the head
// positions it looks at (its scan passes the same words at each).
struct RightScanValue {
  PItem* modifier;
  GLink* link;
  std::int16_t lowest;
  std::int16_t highest;
  bool covers(int position) const { return position >= lowest && position <= highest; }
};

}  // namespace velmo
