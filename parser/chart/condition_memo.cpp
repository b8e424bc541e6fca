#include "parser/chart/condition_memo.h"

#include "lexicon/attributes/att_vec.h"
#include "parser/chart/pitem.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

TypeId pitem_type() {
  static const TypeId id = type_id("PItem*");
  return id;
}

bool evaluate(LExp& condition, PItem& item) { return condition.eval(reinterpret_cast<Word>(&item), pitem_type()) != 0; }

}  // namespace

int ConditionMemo::number_of(std::string_view text) {
  auto [at, added] = numbers_.try_emplace(std::string(text), static_cast<int>(conditions_.size()));
  if (added) conditions_.emplace_back();
  return at->second;
}

int ConditionMemo::number_of(const LExp& part, std::shared_ptr<LExp> owner) {
  auto [at, added] = part_numbers_.try_emplace(&part, static_cast<int>(conditions_.size()));
  if (added) {
    conditions_.emplace_back();
    owners_.push_back(std::move(owner));
  }
  return at->second;
}

bool ConditionMemo::ask(LExp& condition, int number, PItem& item, const std::uint64_t& changes) {
  if (number < 0 || static_cast<std::size_t>(number) >= conditions_.size()) return evaluate(condition, item);
  Condition& known_condition = conditions_[static_cast<std::size_t>(number)];
  if (!known_condition.repeatable) return evaluate(condition, item);
  // The first numbers are answered in the item itself, the others here.
  const bool in_item = number < ItemAnswers::kConditions;
  const std::size_t word = static_cast<std::size_t>(number) / 64;
  const std::uint64_t bit = std::uint64_t{1} << (number % 64);
  const Key key{&item, item.revision, number};
  if (in_item) {
    if (item.answers.known[word] & bit) return (item.answers.accepted[word] & bit) != 0;
  } else if (const bool* known = answers_.find(key)) {
    return *known;
  }
  const float weight = item.weight;
  const std::uint64_t changes_before = changes;
  bool changed = false;
  bool answer = false;
  if (known_condition.watched < kWatchedEvaluations) {
    ++known_condition.watched;
    const AttVec before(item.av);
    answer = evaluate(condition, item);
    changed = item.av.compare(before) != 0;
  } else {
    answer = evaluate(condition, item);
  }
  if (changed || changes != changes_before || item.weight != weight) {
    known_condition.repeatable = false;
    return answer;
  }
  if (in_item) {
    item.answers.known[word] |= bit;
    if (answer)
      item.answers.accepted[word] |= bit;
    else
      item.answers.accepted[word] &= ~bit;
  } else {
    answers_.find_or_add(key).first = answer;
  }
  return answer;
}

std::shared_ptr<const ConditionPlan> ConditionPlan::build(const IRSlist& form, ConditionMemo& memo) {
  return build_node(form, memo);
}

std::unique_ptr<ConditionPlan> ConditionPlan::build_node(const IRSlist& form, ConditionMemo& memo) {
  auto plan = std::make_unique<ConditionPlan>();
  const IRSlist* head = form.is_list() ? form.element_at(0) : nullptr;
  const char* name = head && head->is_atom() ? head->atom() : nullptr;
  if (name && (equal_nocase(name, "and") || equal_nocase(name, "or") || equal_nocase(name, "not"))) {
    plan->op_ = equal_nocase(name, "and") ? Op::kAnd : equal_nocase(name, "or") ? Op::kOr : Op::kNot;
    for (std::size_t i = 1; i < form.length(); ++i) {
      std::unique_ptr<ConditionPlan> child = build_node(*form.element_at(i), memo);
      if (!child) return nullptr;
      plan->children_.push_back(std::move(child));
    }
    return plan;
  }
  const std::string text = form.text();
  std::shared_ptr<LExp> part = LExp::from_text(text);
  if (!part) return nullptr;
  if (LExp* body = part->same_as()) return build_inside(*body, part, memo, 1);
  plan->part_ = part.get();
  plan->owner_ = std::move(part);
  plan->number_ = memo.number_of(text);
  return plan;
}

std::unique_ptr<ConditionPlan> ConditionPlan::build_inside(LExp& exp, const std::shared_ptr<LExp>& owner,
                                                           ConditionMemo& memo, int depth) {
  if (depth < kMaxReadThrough)
    if (LExp* body = exp.same_as()) return build_inside(*body, owner, memo, depth + 1);
  auto plan = std::make_unique<ConditionPlan>();
  const LExpList* operands = exp.operands();
  switch (exp.connective()) {
    case LExp::Connective::kNone:
      operands = nullptr;
      break;
    case LExp::Connective::kAnd:
      plan->op_ = Op::kAnd;
      break;
    case LExp::Connective::kOr:
      plan->op_ = Op::kOr;
      break;
    case LExp::Connective::kNot:
      plan->op_ = Op::kNot;
      break;
  }
  if (plan->op_ != Op::kPart && operands) {
    for (const LExpPtr& operand : *operands) plan->children_.push_back(build_inside(*operand, owner, memo, depth));
    return plan;
  }
  plan->op_ = Op::kPart;
  plan->part_ = &exp;
  plan->owner_ = owner;
  plan->number_ = memo.number_of(exp, owner);
  return plan;
}

bool ConditionPlan::accepts(ConditionMemo& memo, PItem& item, const std::uint64_t& changes) const {
  // A part is asked of the memo directly: most children are parts, and
  // their answers mostly come from the item's bits.
  const auto child_accepts = [&](const ConditionPlan& child) {
    return child.op_ == Op::kPart ? memo.accepts(*child.part_, child.number_, item, changes)
                                  : child.accepts(memo, item, changes);
  };
  switch (op_) {
    case Op::kPart:
      return memo.accepts(*part_, number_, item, changes);
    case Op::kAnd:
      for (const auto& child : children_)
        if (!child_accepts(*child)) return false;
      return true;
    case Op::kOr:
      if (children_.empty()) return true;  // (or) gives its input, the item
      for (const auto& child : children_)
        if (child_accepts(*child)) return true;
      return false;
    case Op::kNot:
      if (children_.empty()) return false;  // (not) of the item
      for (const auto& child : children_)
        if (child_accepts(*child)) return false;
      return true;
  }
  return false;
}

}  // namespace velmo
