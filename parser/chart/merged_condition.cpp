#include "parser/chart/merged_condition.h"

#include <algorithm>
#include <string_view>

#include "parser/chart/condition_memo.h"
#include "parser/chart/pitem.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/types.h"

namespace velmo {
namespace {

TypeId pitem_type() {
  static const TypeId id = type_id("PItem*");
  return id;
}

// A comp's items from `from` on, evaluated as the comp evaluates them: each
// hands its result, with its type, to the next. The owner keeps the comp
// (and the functions it calls) alive as long as the memo numbers this.
class CompTail final : public LExp {
 public:
  CompTail(const SequenceExp& sequence, std::size_t from, std::shared_ptr<LExp> owner)
      : sequence_(sequence), from_(from), owner_(std::move(owner)) {}
  const char* name() const override { return "comp-tail"; }
  LExpPtr clone() const override { return std::make_unique<CompTail>(sequence_, from_, owner_); }
  Word eval(Word input, TypeId type) override {
    const LExpList& items = sequence_.items();
    for (std::size_t i = from_; i < items.size(); ++i) {
      input = items[i]->eval(input, type);
      type = items[i]->result_type();
    }
    return returning(input, type);
  }

 private:
  const SequenceExp& sequence_;
  std::size_t from_;
  std::shared_ptr<LExp> owner_;
};

// (pitem-modifier) or (pitem-modifiee) as written, without an inner
// expression, handing on a parse item: the subject a comp that starts with
// it asks the rest of.
enum class Joined { kNone, kModifier, kModifiee };
Joined joined_item(const LExp& exp) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  if (!adaptor || adaptor->inner() || adaptor->output_type() != pitem_type()) return Joined::kNone;
  const std::string_view name = exp.name();
  if (name == "pitem-modifier") return Joined::kModifier;
  if (name == "pitem-modifiee") return Joined::kModifiee;
  return Joined::kNone;
}

}  // namespace

LExp& MergedConditionParts::tail(const SequenceExp& sequence, std::size_t from, const std::shared_ptr<LExp>& owner) {
  std::shared_ptr<LExp>& known = tails_[{&sequence, from}];
  if (!known) known = std::make_shared<CompTail>(sequence, from, owner);
  return *known;
}

std::shared_ptr<const MergedConditionPlan> MergedConditionPlan::build(const std::shared_ptr<LExp>& condition,
                                                                      ConditionMemo& memo,
                                                                      MergedConditionParts& parts) {
  if (!condition) return nullptr;
  auto plan = std::make_shared<MergedConditionPlan>();
  plan->owner_ = condition;
  std::vector<Node> nodes;
  plan->add(*condition, Subject::kMerged, 0, parts, nodes);
  const bool asks_joined = std::any_of(nodes.begin(), nodes.end(), [](const Node& node) {
    return node.op == Op::kPart && node.subject != Subject::kMerged;
  });
  const bool reads_directly = std::any_of(nodes.begin(), nodes.end(), [](const Node& node) {
    return node.op == Op::kPart && node.subject == Subject::kMerged &&
           (ItemTest::of(*node.part) || ItemUnify::of(*node.part));
  });
  if (!asks_joined && !reads_directly) return nullptr;
  plan->first_ = plan->compile(nodes, 0, kTrue, kFalse, memo);
  return plan;
}

void MergedConditionPlan::add(LExp& exp, Subject subject, int depth, MergedConditionParts& parts,
                              std::vector<Node>& nodes) {
  if (depth < kMaxReadThrough)
    if (LExp* body = exp.same_as()) return add(*body, subject, depth + 1, parts, nodes);
  if (add_combination(exp, nodes, [&](LExp& operand) { add(operand, subject, depth, parts, nodes); })) return;
  if (subject == Subject::kMerged && add_joined_part(exp, depth, parts, nodes)) return;
  nodes.push_back(Node{Op::kPart, static_cast<std::uint32_t>(nodes.size() + 1), subject, &exp});
}

// (comp (pitem-modifier) TEST) asks TEST of the modifier, read on as a
// condition of its own; (comp (pitem-modifier) A B ...) asks (comp A B ...)
// of it, as one part.
bool MergedConditionPlan::add_joined_part(LExp& exp, int depth, MergedConditionParts& parts, std::vector<Node>& nodes) {
  if (std::string_view(exp.name()) != "comp") return false;
  const auto* sequence = dynamic_cast<const SequenceExp*>(&exp);
  if (!sequence || sequence->items().size() < 2) return false;
  const Joined joined = joined_item(*sequence->items()[0]);
  if (joined == Joined::kNone) return false;
  const Subject subject = joined == Joined::kModifier ? Subject::kModifier : Subject::kModifiee;
  if (sequence->items().size() == 2) {
    add(*sequence->items()[1], subject, depth, parts, nodes);
    return true;
  }
  nodes.push_back(
      Node{Op::kPart, static_cast<std::uint32_t>(nodes.size() + 1), subject, &parts.tail(*sequence, 1, owner_)});
  return true;
}

int MergedConditionPlan::compile(const std::vector<Node>& nodes, std::size_t at, int if_true, int if_false,
                                 ConditionMemo& memo) {
  auto compile_part = [this, &memo](const Node& node, int part_true, int part_false) {
    const bool joined = node.subject != Subject::kMerged;
    const int number = joined ? memo.number_of(*node.part, owner_) : -1;
    const bool in_item = number >= 0 && number < ItemAnswers::kConditions;
    steps_.push_back(Step{.subject = node.subject,
                          .word = static_cast<std::uint8_t>(in_item ? number / 64 : 0),
                          .number = number,
                          .bit = in_item ? std::uint64_t{1} << (number % 64) : 0,
                          .if_true = part_true,
                          .if_false = part_false,
                          .part = node.part,
                          .test = ItemTest::of(*node.part),
                          .unify = joined ? std::nullopt : ItemUnify::of(*node.part)});
    return static_cast<int>(steps_.size() - 1);
  };
  return compile_condition_tree(nodes, at, if_true, if_false, compile_part);
}

bool MergedConditionPlan::part_accepts(const Step& step, ConditionMemo& memo, PItem& merged,
                                       const std::uint64_t& changes) const {
  if (step.subject == Subject::kMerged) {
    if (step.test) return step.test->holds(merged);
    if (step.unify) return step.unify->apply(merged);
    return step.part->eval(reinterpret_cast<Word>(&merged), pitem_type()) != 0;
  }
  // The item as (pitem-modifier) and (pitem-modifiee) give it; without
  // one, the comp would hand its rest nothing.
  PItem* subject = step.subject == Subject::kModifier ? (merged.head_child ? merged.second : nullptr)
                                                      : (merged.is_merge() ? merged.head_child : &merged);
  if (!subject) return step.part->eval(0, pitem_type()) != 0;
  // While no condition has changed an item, an answer in the item's bits
  // is the part's.
  if (!memo.any_changing()) {
    const ItemAnswers& answers = subject->answers;
    if (answers.known[step.word] & step.bit) return (answers.accepted[step.word] & step.bit) != 0;
    if (step.test) return memo.accepts_test(*step.test, step.number, *subject);
  }
  return memo.accepts(*step.part, step.number, *subject, changes);
}

bool MergedConditionPlan::accepts(ConditionMemo& memo, PItem& merged, const std::uint64_t& changes) const {
  int at = first_;
  while (at >= 0) {
    const Step& step = steps_[static_cast<std::size_t>(at)];
    at = part_accepts(step, memo, merged, changes) ? step.if_true : step.if_false;
  }
  return at == kTrue;
}

}  // namespace velmo
