#pragma once
// Results of link conditions on the items of one sentence. A complete item
// is offered to every link in which its category is the modifier, and a
// stored head is tested by every modifier that reaches it; many links repeat
// the same condition text. A condition is a function of the item (its
// vector, the items below it and the sentence's words), so its answer for an
// item is kept under the text's number and asked once: in the item itself
// for the first numbers (ItemAnswers), in a table for the others.
//
// A condition that changes anything while it is evaluated (the item's
// vector or weight, or the chart through the item-changing functions) is
// no function of the item: it is marked and from then on always evaluated.
// The chart's count of item-changing calls is watched at every evaluation;
// the item's vector, whose comparison costs as much as most conditions, is
// watched for the first `kWatchedEvaluations` evaluations of a condition.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "parser/chart/pitem.h"
#include "parser/forest/flat_memo.h"

namespace velmo {

class IRSlist;
class LExp;

class ConditionMemo {
 public:
  // The number of a condition text (equal texts, equal numbers).
  int number_of(std::string_view text);
  // The number of an expression inside a function's body, shared by every
  // call of the function; `owner` keeps the expression alive while the
  // memo lives (so no later expression takes its address and number).
  int number_of(const LExp& part, std::shared_ptr<LExp> owner);
  std::size_t condition_count() const { return conditions_.size(); }

  // The condition's answer for the item, from the memo when it was asked
  // before; `changes` counts the chart's item-changing calls so far.
  bool accepts(LExp& condition, int number, PItem& item, const std::uint64_t& changes) {
    // Most questions are answered by the item's own bits: that path stays
    // inline, free of the table's key.
    if (number >= 0 && number < ItemAnswers::kConditions && static_cast<std::size_t>(number) < conditions_.size()) {
      const std::size_t word = static_cast<std::size_t>(number) / 64;
      const std::uint64_t bit = std::uint64_t{1} << (number % 64);
      if ((item.answers.known[word] & bit) && conditions_[static_cast<std::size_t>(number)].repeatable)
        return (item.answers.accepted[word] & bit) != 0;
    }
    return ask(condition, number, item, changes);
  }

  // Forgets the answers (the items of a sentence are reused by the next).
  void clear() { answers_.clear(); }

 private:
  bool ask(LExp& condition, int number, PItem& item, const std::uint64_t& changes);

  struct Key {
    const PItem* item;
    std::uint32_t revision;  // the item's vector revision
    int number;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      const auto bits = reinterpret_cast<std::uintptr_t>(key.item) ^ (static_cast<std::uintptr_t>(key.number) << 48) ^
                        (static_cast<std::uintptr_t>(key.revision) << 32);
      return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 17);
    }
  };

  std::unordered_map<std::string, int> numbers_;
  std::unordered_map<const LExp*, int> part_numbers_;
  std::vector<std::shared_ptr<LExp>> owners_;
  static constexpr int kWatchedEvaluations = 256;

  struct Condition {
    bool repeatable = true;  // false once it changed something
    int watched = 0;         // evaluations whose effect on the item was checked
  };
  std::vector<Condition> conditions_;
  FlatMemo<Key, bool, KeyHash> answers_{4096};
};

// A link condition read as and, or and not over parts (calls of functions,
// tests), each part answered once per item through the memo: conditions
// of different links share their parts ((no-cc) in most of them). A call
// of a function without parameters is read through to its body, so the
// parts of functions that call each other ((full-clause) calls (no-cc) and
// (fin-clause)) are answered once per item too.
class ConditionPlan {
 public:
  // The plan of a condition form; null when a part cannot be built.
  static std::shared_ptr<const ConditionPlan> build(const IRSlist& form, ConditionMemo& memo);

  // The condition's answer, as its expression would give it: the parts
  // are asked in the same order and as far as the combination needs them.
  bool accepts(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const;

 private:
  enum class Op { kPart, kAnd, kOr, kNot };
  // Calls read through within one another, at most (a guard: a function
  // is built before its name is known, so none can call itself); a deeper
  // call stays a part.
  static constexpr int kMaxReadThrough = 32;

  static std::unique_ptr<ConditionPlan> build_node(const IRSlist& form, ConditionMemo& memo);
  // The plan of an expression inside the part `owner` (the body of a
  // function it calls, read through).
  static std::unique_ptr<ConditionPlan> build_inside(LExp& exp, const std::shared_ptr<LExp>& owner, ConditionMemo& memo,
                                                     int depth);

  Op op_ = Op::kPart;
  int number_ = -1;
  LExp* part_ = nullptr;
  std::shared_ptr<LExp> owner_;  // the expression built from the form, holding part_
  std::vector<std::unique_ptr<ConditionPlan>> children_;
};

}  // namespace velmo
