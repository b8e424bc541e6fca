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

#include "parser/chart/chained_lists.h"

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

// The places (category, word) that scans to the left passed, with what
// each scan carried (which names the positions it looked at there): an
// item added there later has to be offered to them. Values are listed
// under a place in the order they were added.
template <class Value>
class ScanPlaces {
 public:
  void add(const void* owner, int word, const Value& value) { lists_.add(owner, Lists::place(word, 0), value); }

  // Calls `visit` with each value listed under the place when the call
  // began (scans that `visit` adds there have already seen what is offered).
  template <class Visit>
  void for_each(const void* owner, int word, Visit&& visit) {
    lists_.visit_until(owner, Lists::place(word, 0), [&](const Value& value) {
      visit(value);
      return false;
    });
  }

  void clear() { lists_.clear(); }
  std::size_t size() const { return lists_.size(); }

 private:
  using Lists = ChainedLists<Value>;
  Lists lists_{1024};
};

// The positions lowest..highest of a category, at which a scan looked for
// partners at one word.
struct ScanPositions {
  std::int16_t lowest;
  std::int16_t highest;
  bool covers(int position) const { return position >= lowest && position <= highest; }
};

// A head's scan for waiting modifiers at a word: the head and the
// positions whose links it asked there. Positions that skip no words of
// their own pass the same words, so one value stands for a run of them.
struct LeftScanValue {
  PItem* head;
  ScanPositions positions;
  bool covers(int position) const { return positions.covers(position); }
};

// A right modifier's scan for heads: the modifier, its link and the head
// positions it looks at (its scan passes the same words at each).
struct RightScanValue {
  PItem* modifier;
  GLink* link;
  ScanPositions positions;
  bool covers(int position) const { return positions.covers(position); }
};

}  // namespace velmo
