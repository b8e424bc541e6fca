#include "lexical/analyzer/rule_word_gate.h"

#include <cstring>
#include <iterator>

#include "lexical/functions/match_exp.h"
#include "lexical/items/item_lattice.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/types.h"
#include "shell/reader/irslist.h"

namespace velmo {
namespace {

// The word functions whose answer is 0 when their condition holds on no word.
constexpr const char* kWordFunctions[] = {"followed-by-word", "preceded-by-word"};

bool has_head(const IRSlist& form, const char* name) {
  const IRSlist* head = form.is_list() ? form.element_at(0) : nullptr;
  return head && head->is_atom() && head->atom() && std::strcmp(head->atom(), name) == 0;
}

// The index of the word function `name`, or -1.
int word_function(const char* name) {
  for (int i = 0; i < static_cast<int>(std::size(kWordFunctions)); ++i)
    if (std::strcmp(name, kWordFunctions[i]) == 0) return i;
  return -1;
}

bool is_kind(const LExp& exp, const char* name) { return LExp::is_registered_kind(exp, name); }

bool is_macro(const char* name) {
  NameSpace* space = NameSpaces::current();
  return space && space->find_macro(name);
}

// The written (WORD-FUNCTION TEST) that opens the form's condition: the
// condition itself or the first operand of an (and ...) condition.
const IRSlist* written_word_test(const IRSlist& action_form) {
  for (const char* name : {"when", "and", kWordFunctions[0], kWordFunctions[1]})
    if (is_macro(name)) return nullptr;
  if (!has_head(action_form, "when") || action_form.length() < 2) return nullptr;
  const IRSlist* condition = action_form.element_at(1);
  if (condition && has_head(*condition, "and")) condition = condition->length() > 1 ? condition->element_at(1) : nullptr;
  if (!condition || condition->length() != 2) return nullptr;
  const IRSlist* head = condition->element_at(0);
  if (!head || !head->is_atom() || !head->atom() || word_function(head->atom()) < 0) return nullptr;
  return condition;
}

// The built counterpart: the call of word function `function` that opens
// the condition of a (when ...) action.
const MatchExp* built_word_test(LExp& action, int function) {
  if (!is_kind(action, "when")) return nullptr;
  const LExpList& items = static_cast<const SequenceExp&>(action).items();
  if (items.empty() || !items.front()) return nullptr;
  const LExp* condition = items.front().get();
  if (condition->connective() == LExp::Connective::kAnd) {
    const LExpList* operands = condition->operands();
    if (!operands || operands->empty() || !operands->front()) return nullptr;
    condition = operands->front().get();
  }
  if (!is_kind(*condition, kWordFunctions[function])) return nullptr;
  return dynamic_cast<const MatchExp*>(condition);
}

}  // namespace

RuleWordGate::Form RuleWordGate::read_form(const IRSlist& action_form) {
  Form form;
  const IRSlist* written = written_word_test(action_form);
  if (!written) return form;
  form.function = word_function(written->element_at(0)->atom());
  return form;
}

RuleWordGate RuleWordGate::of(const Form& form, LExp& action) {
  RuleWordGate gate;
  if (form.function < 0) return gate;
  const MatchExp* built = built_word_test(action, form.function);
  if (!built || !built->condition()) return gate;
  gate.test_ = ItemGuard::TextTest::of(*built->condition(), ShellTypes::get().text);
  return gate;
}

bool RuleWordGate::may_pass(ItemLattice& lattice) const {
  return !test_.active() || test_.may_hold_in(lattice.word_texts());
}

}  // namespace velmo
