#include "treerules/rules/tree_rules.h"

#include <cstring>
#include <ostream>
#include <strings.h>

#include "parser/forest/deps.h"
#include "shell/lexp/scope.h"
#include "shell/support/diagnostics.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {
namespace {

RuleTraversal* running_traversal = nullptr;

// Makes `traversal` the running one while an action runs; nests.
class RunningTraversal {
 public:
  explicit RunningTraversal(RuleTraversal& traversal) : previous_(running_traversal) {
    running_traversal = &traversal;
  }
  ~RunningTraversal() { running_traversal = previous_; }
  RunningTraversal(const RunningTraversal&) = delete;
  RunningTraversal& operator=(const RunningTraversal&) = delete;

 private:
  RuleTraversal* previous_;
};

// The number of nodes the tree can hold: every node of a sentence is made
// by its Deps.
std::size_t tree_capacity(RSTree* root) { return as_dep_tree(root)->deps().node_count(); }

// How each order moves on: past the current node and its subtree (before
// the node is detached), and past the current node with the shallow flag
// (down: not into its children; up: not to its remaining siblings).
struct PreOrder {
  using Iterator = TPreIterator<RSTree>;
  static void step_past(Iterator& it) { it.step_past_current(); }
  static void leave(Iterator& it) {
    it.skip_children();
    it.advance();
  }
};
struct PostOrder {
  using Iterator = TPostIterator<RSTree>;
  static void step_past(Iterator& it) { it.advance(); }
  static void leave(Iterator& it) { it.skip_siblings(); }
};

// The walk of a rule over a tree. When an action detaches the node the
// walk stands on, the walk has already moved on and does not move again.
template <class Order>
class RuleWalk final : public RuleTraversal {
 public:
  explicit RuleWalk(RSTree* root) : it_(root) {}
  RSTree* current() const { return it_.current(); }
  void step_past(RSTree* node) override {
    if (node != it_.current() || stepped_) return;
    Order::step_past(it_);
    stepped_ = true;
  }
  // Moves to the next node; `shallow` after an action that fired on a
  // shallow rule.
  void next(bool shallow) {
    if (stepped_) stepped_ = false;
    else if (shallow) Order::leave(it_);
    else it_.advance();
  }

 private:
  typename Order::Iterator it_;
  bool stepped_ = false;
};

using PreOrderWalk = RuleWalk<PreOrder>;
using PostOrderWalk = RuleWalk<PostOrder>;

bool is_kind(const char* atom, const char* kind) { return atom && std::strcmp(atom, kind) == 0; }

// Builds a condition inside the rule's scope; reports one of the wrong type.
TreeExp build_condition(IRSlist& definition) {
  TreeExp condition(LExp::build_first(definition));
  if (condition && !condition.yields_matches())
    diag() << condition->name() << " cannot be used as a condition in tree rules." << std::endl;
  return condition;
}

}  // namespace

RuleTraversal* current_traversal() { return running_traversal; }

// ---------------------------------------------------------------------------

void TreeRule::take_flags_and_keywords(IRSlist& definition) {
  if (const IRSlist* first = definition.children().first(); first && first->is_atom() && first->atom() &&
                                                      strcasecmp(first->atom(), "shallow") == 0) {
    definition.take_first();
    shallow_ = true;
  }
  if (definition.has_flag(":name"))
    if (const char* name = definition.take_value(":name", true)) name_ = name;
  if (definition.has_flag(":comments"))
    if (const char* comments = definition.take_value(":comments", true)) comments_ = comments;
}

bool TreeRule::run_action(Word match, TypeId type) const {
  return action_ && action_->eval(match, type) != 0;
}

void TreeRule::report_runaway() const {
  diag() << "Tree rule " << (name_.empty() ? std::string("without name") : name_)
         << " stopped: its actions keep moving nodes ahead of its traversal" << std::endl;
}

void StructuralRule::init(IRSlist& definition) {
  take_flags_and_keywords(definition);
  ScopeGuard scope;
  condition_ = build_condition(definition);
  set_action(LExp::build_first(definition));
}

TreeMatchPtr StructuralRule::match_at(RSTree* node) const {
  if (!condition_) return nullptr;
  if (condition_.yields_matches()) return condition_.match(node);
  // A condition of another type still decides; its match is the node.
  return condition_.holds(node) ? std::make_unique<TreeMatch>(node) : nullptr;
}

void DownRule::apply(RSTree* root) {
  const std::size_t limit = visit_limit(tree_capacity(root));
  PreOrderWalk walk(root);
  for (std::size_t visits = 0; walk.current(); ++visits) {
    if (visits == limit) {
      report_runaway();
      return;
    }
    RSTree* node = walk.current();
    bool stop_here = false;
    if (TreeMatchPtr match = match_at(node)) {
      RunningTraversal running(walk);
      stop_here = run_action(to_word(match.get()), TreeTypes::get().match) && shallow();
    }
    walk.next(stop_here);
  }
}

void UpRule::apply(RSTree* root) {
  const std::size_t limit = visit_limit(tree_capacity(root));
  PostOrderWalk walk(root);
  for (std::size_t visits = 0; walk.current(); ++visits) {
    if (visits == limit) {
      report_runaway();
      return;
    }
    RSTree* node = walk.current();
    bool leave_level = false;
    if (TreeMatchPtr match = match_at(node)) {
      RunningTraversal running(walk);
      leave_level = run_action(to_word(match.get()), TreeTypes::get().match) && shallow();
    }
    walk.next(leave_level);
  }
}

void RootRule::init(IRSlist& definition) {
  ScopeGuard scope;
  set_action(LExp::build_first(definition));
}

void RootRule::apply(RSTree* root) { run_action(node_word(root), TreeTypes::get().node); }

void FlatRule::init(IRSlist& definition) {
  take_flags_and_keywords(definition);
  ScopeGuard scope;
  std::unique_ptr<IRSlist> list = definition.take_first();
  bool next_is_maximal = false;
  while (list && !list->children().empty()) {
    std::unique_ptr<IRSlist> element = list->take_first();
    if (element->is_atom()) {
      if (element->atom() && strcasecmp(element->atom(), ":max") == 0) next_is_maximal = true;
      continue;  // "?" and other atoms: accepted, every condition stays required
    }
    const std::size_t i = conditions_.size();
    TreeExp condition(LExp::get_exp(element.get()));
    if (condition && !condition.yields_matches()) {
      diag() << condition->name() << " cannot be used as a condition in tree rules." << std::endl;
      condition.reset();
    }
    if (i < kMaskBits) {
      if (condition) required_mask_ |= 1u << i;
      if (next_is_maximal) maximal_mask_ |= 1u << i;
    }
    next_is_maximal = false;
    conditions_.push_back(std::move(condition));
  }
  set_action(LExp::build_first(definition));
}

void FlatRule::apply(RSTree* root) {
  const std::size_t count = conditions_.size();
  std::vector<TreeMatchPtr> slots(count);
  std::vector<bool> satisfied(count, false);
  auto all_required_satisfied = [&] {
    for (std::size_t i = 0; i < count; ++i)
      if (is_required(i) && !satisfied[i]) return false;
    return true;
  };
  const std::size_t limit = visit_limit(tree_capacity(root));
  PostOrderWalk walk(root);
  for (std::size_t visits = 0; walk.current(); ++visits) {
    if (visits == limit) {
      report_runaway();
      return;
    }
    RSTree* node = walk.current();
    bool fired = false;
    for (std::size_t i = 0; i < count && !fired; ++i) {
      if ((slots[i] && !is_maximal(i)) || !conditions_[i]) continue;
      TreeMatchPtr match = conditions_[i].match(node);
      if (!match) continue;
      slots[i] = std::move(match);
      satisfied[i] = true;
      if (!all_required_satisfied()) continue;
      auto combined = std::make_unique<TreeMatch>();
      for (TreeMatchPtr& slot : slots) combined->append(slot ? std::move(slot) : std::make_unique<TreeMatch>());
      bool yielded = false;
      {
        RunningTraversal running(walk);
        yielded = run_action(to_word(combined.get()), TreeTypes::get().match);
      }
      if (yielded && shallow()) return;
      for (TreeMatchPtr& slot : slots) slot.reset();
      satisfied.assign(count, false);
      fired = true;
    }
    walk.next(false);
  }
}

// ---------------------------------------------------------------------------

void TreeModifier::modify(Deps& deps) { apply(deps.root()); }

void TreeModifier::apply(RSTree* root) {
  if (!root) return;
  // By index: an action may run def-tree-rules, which adds to rules_ and may
  // move its storage.
  for (std::size_t i = 0; i < rules_.size(); ++i) rules_[i]->apply(root);
}

std::unique_ptr<TreeRule> make_tree_rule(IRSlist& definition) {
  const IRSlist* head = definition.children().first();
  if (!head || !head->is_atom()) return nullptr;
  const char* kind = head->atom();
  std::unique_ptr<TreeRule> rule;
  if (is_kind(kind, "down")) rule = std::make_unique<DownRule>();
  else if (is_kind(kind, "up")) rule = std::make_unique<UpRule>();
  else if (is_kind(kind, "root")) rule = std::make_unique<RootRule>();
  else if (is_kind(kind, "flat")) rule = std::make_unique<FlatRule>();
  else return nullptr;
  definition.take_first();
  rule->init(definition);
  return rule;
}

}  // namespace velmo
