#pragma once
// A link's merged condition, asked of every item a merge through the link
// makes. The item is new each time, so its own answers are never asked
// again; but most merged conditions ask about the two items the merge
// joined, through (comp (pitem-modifier) TEST) and (comp (pitem-modifiee)
// TEST), and those items take part in many merges: a modifier under every
// head that reaches it, a head with every modifier it meets.
//
// A link's head condition is asked the same way of each item the link
// projects: that item is new each time too.
//
// The plan reads the condition as and, or and not over parts (calls of
// functions without parameters read through to their bodies). A part that
// tests the modifier or the head side is asked of that item through the
// chart's condition memo, so its answer is found once per item; any other
// part is evaluated on the merged item as the expression would be, or, when
// it is of one of the common shapes (ItemTest), answered by reading the
// merged item directly (a unification with a constant vector is made
// directly too). The parts are asked in the expression's order and
// as far as its combination needs them, so a part that changes the merged
// item (modify, undefine) runs exactly when it ran before.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "parser/chart/condition_tree.h"
#include "parser/functions/item_test.h"

namespace velmo {

class ConditionMemo;
class LExp;
class SequenceExp;
struct PItem;

// The tests of the modifier or the head side that plans made of a comp's
// items after its first ((comp (pitem-modifiee) (pitem-head-word) ...) asks
// the head side (comp (pitem-head-word) ...)): one expression per comp and
// start, so that plans of several links share its number in the memo.
class MergedConditionParts {
 public:
  // The expression that evaluates `sequence`'s items from `from` on, as
  // the comp would after its first items; `owner` keeps the comp alive.
  LExp& tail(const SequenceExp& sequence, std::size_t from, const std::shared_ptr<LExp>& owner);

 private:
  std::map<std::pair<const SequenceExp*, std::size_t>, std::shared_ptr<LExp>> tails_;
};

class MergedConditionPlan {
 public:
  // The plan of a merged condition, which it keeps; null when it asks
  // nothing of the joined items and has no part of the item's own that is
  // read directly (the expression is then evaluated as it is).
  static std::shared_ptr<const MergedConditionPlan> build(const std::shared_ptr<LExp>& condition, ConditionMemo& memo,
                                                          MergedConditionParts& parts);

  // The condition's answer for `merged`, which the merge made of its head
  // side (head_child) and modifier (second).
  bool accepts(ConditionMemo& memo, PItem& merged, const std::uint64_t& changes) const;

 private:
  // Calls read through within one another, at most; a deeper call stays a
  // part.
  static constexpr int kMaxReadThrough = 32;
  static constexpr int kTrue = -1;
  static constexpr int kFalse = -2;

  // Whom a part asks: the merged item, its modifier or its head side.
  enum class Subject : std::uint8_t { kMerged, kModifier, kModifiee };
  using Op = ConditionOp;
  struct Node {
    Op op = Op::kPart;
    std::uint32_t end = 0;  // the index past the node's operands
    Subject subject = Subject::kMerged;
    LExp* part = nullptr;  // what is asked of the subject
  };
  struct Step {
    Subject subject = Subject::kMerged;
    std::uint8_t word = 0;  // the part's place in the joined item's bits
    int number = -1;        // the part's number in the memo (joined items only)
    std::uint64_t bit = 0;  // (0: its answers are kept in the memo's table)
    int if_true = kTrue;
    int if_false = kFalse;
    LExp* part = nullptr;
    // The part as a direct test: of the subject the first time (a joined
    // item), or of the merged item every time.
    std::optional<ItemTest> test = std::nullopt;
    // A part of the merged item that unifies a constant into its vector,
    // made directly.
    std::optional<ItemUnify> unify = std::nullopt;
  };

  void add(LExp& exp, Subject subject, int depth, MergedConditionParts& parts, std::vector<Node>& nodes);
  // A part of the merged item that tests the modifier or the head side:
  // adds it as such and returns true.
  bool add_joined_part(LExp& exp, int depth, MergedConditionParts& parts, std::vector<Node>& nodes);
  int compile(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false, ConditionMemo& memo);
  bool part_accepts(const Step& step, ConditionMemo& memo, PItem& merged, const std::uint64_t& changes) const;

  std::vector<Step> steps_;
  int first_ = kTrue;
  // The condition the parts belong to; the memo numbers them by address.
  std::shared_ptr<LExp> owner_;
};

}  // namespace velmo
