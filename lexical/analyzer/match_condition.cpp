#include "lexical/analyzer/match_condition.h"

#include "lexical/functions/match_exp.h"
#include "lexical/items/lex_item.h"
#include "lexical/patterns/item_guard.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/constants.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/types.h"

namespace velmo {
namespace {

// Forms are looked into no deeper than this; deeper ones count as changing.
constexpr int kMaxDepth = 64;

bool is_kind(const LExp& exp, const char* name) { return LExp::is_registered_kind(exp, name); }

// A step of one (+1, -1) applied to the value before it.
bool is_bare_step(const LExp& exp) {
  if (!is_kind(exp, "+1") && !is_kind(exp, "-1")) return false;
  const auto* adaptor = dynamic_cast<const LAdaptor*>(&exp);
  return adaptor && !adaptor->inner();
}

// The readers of a match's own fields.
bool is_match_field(const LExp& exp) {
  return is_kind(exp, "low") || is_kind(exp, "high") || is_kind(exp, "litem") || is_kind(exp, "matching-word");
}

bool reads_only_at(const LExp& exp, int depth);

// (comp [($ N) ...] HEAD REST...): sub-match selectors, then a field of the
// match read and tested (an item or word test, position steps) or a reading
// form on the selected match.
bool is_reading_chain(const LExpList& items, int depth) {
  std::size_t i = 0;
  while (i < items.size() && items[i] && is_kind(*items[i], "$")) ++i;
  if (i == items.size()) return true;
  if (!items[i]) return false;
  const LExp& head = *items[i];
  const std::size_t rest = items.size() - i - 1;
  const LExp* next = rest > 0 ? items[i + 1].get() : nullptr;
  if (rest > 0 && !next) return false;
  if (is_kind(head, "litem")) return rest == 0 || (rest == 1 && ItemGuard::reads_only(*next, lex_item_type()));
  if (is_kind(head, "matching-word"))
    return rest == 0 || (rest == 1 && ItemGuard::reads_only(*next, ShellTypes::get().text));
  if (is_kind(head, "low") || is_kind(head, "high")) {
    for (std::size_t j = i + 1; j < items.size(); ++j)
      if (!items[j] || !is_bare_step(*items[j])) return false;
    return true;
  }
  return rest == 0 && reads_only_at(head, depth + 1);
}

// A match function that only reads, on arguments and a condition that only
// read.
bool is_reading_call(const MatchExp& call) {
  if (call.effect() == MatchEffect::kChanges) return false;
  for (std::size_t i = 0; i < MatchCall::kMaxArgs; ++i)
    if (const LExp* argument = call.argument(i); argument && !reads_only_at(*argument, 0)) return false;
  const LExp* condition = call.condition();
  if (!condition) return true;
  const TypeId type = call.effect() == MatchEffect::kReadsItems ? lex_item_type() : ShellTypes::get().text;
  return ItemGuard::reads_only(*condition, type);
}

bool reads_only_at(const LExp& exp, int depth) {
  if (depth > kMaxDepth) return false;
  if (exp.connective() != LExp::Connective::kNone) {
    if (!exp.operands()) return false;
    for (const LExpPtr& operand : *exp.operands())
      if (!operand || !reads_only_at(*operand, depth + 1)) return false;
    return true;
  }
  if (const LExp* body = exp.same_as()) return reads_only_at(*body, depth + 1);
  if (dynamic_cast<const LConst*>(&exp) || is_kind(exp, "t") || is_match_field(exp)) return true;
  if (const auto* call = dynamic_cast<const MatchExp*>(&exp)) return is_reading_call(*call);
  return is_kind(exp, "comp") && is_reading_chain(static_cast<const SequenceExp&>(exp).items(), depth);
}

// (delete ITEM) with an ITEM that only reads.
bool is_reading_deletion(const LExp& exp) {
  if (!is_kind(exp, "delete")) return false;
  const auto* call = dynamic_cast<const MatchExp*>(&exp);
  if (!call || call->condition()) return false;
  for (std::size_t i = 0; i < MatchCall::kMaxArgs; ++i)
    if (const LExp* argument = call->argument(i); argument && !reads_only_at(*argument, 0)) return false;
  return true;
}

bool deletes_only_at(const LExp& exp, int depth) {
  if (depth > kMaxDepth) return false;
  if (reads_only_at(exp, depth) || is_reading_deletion(exp)) return true;
  if (exp.connective() != LExp::Connective::kNone) {
    if (!exp.operands()) return false;
    for (const LExpPtr& operand : *exp.operands())
      if (!operand || !deletes_only_at(*operand, depth + 1)) return false;
    return true;
  }
  if (const LExp* body = exp.same_as()) return deletes_only_at(*body, depth + 1);
  if (!is_kind(exp, "when") && !is_kind(exp, "prog")) return false;
  for (const LExpPtr& item : static_cast<const SequenceExp&>(exp).items())
    if (!item || !deletes_only_at(*item, depth + 1)) return false;
  return true;
}

}  // namespace

bool reads_only_on_match(const LExp& exp) { return reads_only_at(exp, 0); }

bool deletes_only_on_match(const LExp& exp) { return deletes_only_at(exp, 0); }

}  // namespace velmo
