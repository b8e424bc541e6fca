#include "treerules/patterns/node_guard.h"

#include <cstring>

#include "shell/lexp/forms.h"
#include "shell/lib/text_equality.h"
#include "treerules/patterns/lasting_text.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {

NodeTextAdaptor::NodeTextAdaptor(const char* name, NodeTextField field)
    : LAdaptor(ShellTypes::get().text), name_(name), field_(field) {
  set_input_type(TreeTypes::get().node);
}

LExpPtr NodeTextAdaptor::clone() const { return std::make_unique<NodeTextAdaptor>(name_, field_); }

Word NodeTextAdaptor::apply(Word input) {
  return input ? to_word(node_text_field(from_word<RSTree>(input), field_)) : 0;
}

NodeGuard NodeGuard::of(const LExp* exp) {
  if (!exp) return {};
  // A pattern tests the node first with its own first condition; nothing
  // else happens at a node where that fails.
  if (const auto* pattern = dynamic_cast<const RTPat*>(exp)) {
    NodeGuard guard = of(pattern->first_test());
    guard.whole_ = false;
    guard.conjuncts_ = nullptr;
    if (!guard.has_child_test()) guard.take_required_child(*pattern);
    return guard;
  }
  // (and A ...) stops at A, having done nothing else; when A is decided by
  // the guard, B is next, and a test B makes of the children first counts
  // as the guard's.
  if (const auto* sequence = dynamic_cast<const SequenceExp*>(exp)) {
    if (std::strcmp(exp->name(), "and") != 0 || sequence->empty()) return {};
    const LExpList& items = sequence->items();
    NodeGuard guard = of(items.front().get());
    const bool decided_first = guard.whole_ && items.size() > 1;
    guard.conjuncts_ = decided_first ? &items : nullptr;
    guard.whole_ = guard.whole_ && items.size() == 1;
    if (decided_first) {
      const NodeGuard second = of(items[1].get());
      if (!second.active() && second.has_child_test()) guard.take_child_test_of(second);
    }
    return guard;
  }
  // (exist-child COND) and the like: nothing happens at a node none of
  // whose children COND's guard admits.
  if (const auto* condition = dynamic_cast<const RTCond*>(exp)) {
    NodeGuard guard;
    guard.take_required_child(*condition);
    return guard;
  }
  // (cat (str= TEXT)), (rel (str= TEXT)).
  const auto* adaptor = dynamic_cast<const NodeTextAdaptor*>(exp);
  if (!adaptor) return {};
  const auto* test = dynamic_cast<const TextEqualityTest*>(adaptor->inner());
  std::string_view text;
  if (!test || !test->lower_text(text)) return {};
  NodeGuard guard;
  guard.field_ = adaptor->field();
  guard.lower_text_ = text;
  guard.text_key_ = FoldedTextKey::of(guard.lower_text_.c_str());
  guard.text_number_ = keep_lasting_text(guard.lower_text_).number;
  guard.first_lower_ = text.empty() ? '\0' : text.front();
  guard.first_upper_ = guard.first_lower_ >= 'a' && guard.first_lower_ <= 'z'
                           ? static_cast<char>(guard.first_lower_ - 32)
                           : guard.first_lower_;
  guard.whole_ = true;
  return guard;
}

void NodeGuard::take_required_child(const RTCond& condition) {
  const TreeExp* child = condition.required_child();
  if (child && child->guard().active()) take_child_test(child->guard());
}

}  // namespace velmo
