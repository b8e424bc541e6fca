#include "treerules/rules/tree_rules.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <ostream>

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
  explicit RunningTraversal(RuleTraversal& traversal) : previous_(running_traversal) { running_traversal = &traversal; }
  ~RunningTraversal() { running_traversal = previous_; }
  RunningTraversal(const RunningTraversal&) = delete;
  RunningTraversal& operator=(const RunningTraversal&) = delete;

 private:
  RuleTraversal* previous_;
};

// The number of nodes the tree can hold: every node of a sentence is made
// by its Deps.
std::size_t tree_capacity(RSTree* root) { return as_dep_tree(root)->deps().node_count(); }

// Where the walks of the rules stand among siblings: the index of each
// node on the path from the root down to the current node, so that a step
// to the next sibling needs no call. An action (or a condition) may move
// nodes between steps, so an index is checked before it is used and, when
// stale, asked of the node; the walk stays right on any change of the tree.
constexpr std::size_t kUnknownIndex = static_cast<std::size_t>(-1);

class SiblingPath {
 public:
  // The index of the current node; unknown above the capacity.
  std::size_t index() const { return depth_ >= 1 && depth_ <= kCapacity ? path_[depth_ - 1] : kUnknownIndex; }
  void set_index(std::size_t index) {
    if (depth_ >= 1 && depth_ <= kCapacity) path_[depth_ - 1] = index;
  }
  // Down to a child at `index`; up to the parent.
  void push(std::size_t index) {
    ++depth_;
    set_index(index);
  }
  void pop() {
    if (depth_ > 0) --depth_;
  }
  // Forgets the path: the walk goes on from a node it jumped to.
  void clear() { depth_ = 0; }

 private:
  static constexpr std::size_t kCapacity = 64;
  std::size_t path_[kCapacity];
  std::size_t depth_ = 0;
};

// The sibling after `node`, or null; `index` is where `node` was last
// seen and becomes the index of the sibling.
inline RSTree* sibling_after(RSTree* node, std::size_t& index) {
  RSTree* parent = node->parent();
  if (!parent) return nullptr;
  const auto& siblings = parent->children();
  if (index >= siblings.size() || siblings[index] != node) index = node->index_in_parent();
  return ++index < siblings.size() ? siblings[index] : nullptr;
}

// Pre-order (a node before its children) over the subtree under a root;
// the next node is found from the current one, so the tree may change
// between steps.
class PreOrderSteps {
 public:
  explicit PreOrderSteps(RSTree* root) : root_(root), current_(root) {}
  static constexpr WalkOrder kOrder = WalkOrder::kPre;
  RSTree* current() const { return current_; }
  // Stands on `node`, a node of the subtree, as if the walk had come to it.
  void jump_to(RSTree* node) {
    current_ = node;
    path_.clear();
    skip_ = false;
  }
  void advance() {
    RSTree* node = current_;
    if (!node) return;
    if (!skip_ && node->has_children()) {
      current_ = node->first_child();
      path_.push(0);
      return;
    }
    skip_ = false;
    for (; node && node != root_; node = node->parent(), path_.pop()) {
      std::size_t index = path_.index();
      if (RSTree* next = sibling_after(node, index)) {
        current_ = next;
        path_.set_index(index);
        return;
      }
    }
    current_ = nullptr;
  }
  // Past the current node and its subtree (before it is detached), or,
  // with the shallow flag, not into its children.
  void step_past() {
    skip_ = true;
    advance();
  }
  void leave() { step_past(); }

 private:
  RSTree* root_;
  RSTree* current_;
  SiblingPath path_;
  bool skip_ = false;
};

// Post-order (children before their parent).
class PostOrderSteps {
 public:
  // The walks of the rules start with jump_to: the walk stands nowhere
  // until then.
  explicit PostOrderSteps(RSTree* root) : root_(root) {}
  static constexpr WalkOrder kOrder = WalkOrder::kPost;
  RSTree* current() const { return current_; }
  void jump_to(RSTree* node) {
    current_ = node;
    path_.clear();
  }
  void advance() {
    RSTree* node = current_;
    if (!node || node == root_) {
      current_ = nullptr;
      return;
    }
    std::size_t index = path_.index();
    if (RSTree* next = sibling_after(node, index)) {
      path_.set_index(index);
      current_ = leftmost_leaf(next);
    } else {
      up();
    }
  }
  void step_past() { advance(); }
  // With the shallow flag: on to the parent, passing over the remaining
  // siblings.
  void leave() {
    if (!current_ || current_ == root_)
      current_ = nullptr;
    else
      up();
  }

 private:
  void up() {
    current_ = current_->parent();
    path_.pop();
  }
  RSTree* leftmost_leaf(RSTree* node) {
    while (node->has_children()) {
      node = node->first_child();
      path_.push(0);
    }
    return node;
  }

  RSTree* root_;
  RSTree* current_ = nullptr;
  SiblingPath path_;
};

// The walk of a rule over a tree. When an action detaches the node the
// walk stands on, the walk has already moved on and does not move again.
template <class Steps>
class RuleWalk final : public RuleTraversal {
 public:
  explicit RuleWalk(RSTree* root) : steps_(root) {}
  static constexpr WalkOrder kOrder = Steps::kOrder;
  RSTree* current() const { return steps_.current(); }
  void jump_to(RSTree* node) {
    steps_.jump_to(node);
    stepped_ = false;
  }
  // Whether an action stepped the walk past its node.
  bool stepped() const { return stepped_; }
  void step_past(RSTree* node) override {
    if (node != steps_.current() || stepped_) return;
    steps_.step_past();
    stepped_ = true;
  }
  // Moves to the next node; `shallow` after an action that fired on a
  // shallow rule.
  void next(bool shallow) {
    if (stepped_)
      stepped_ = false;
    else if (shallow)
      steps_.leave();
    else
      steps_.advance();
  }

 private:
  Steps steps_;
  bool stepped_ = false;
};

using PreOrderWalk = RuleWalk<PreOrderSteps>;
using PostOrderWalk = RuleWalk<PostOrderSteps>;

// Sets a flag for its lifetime, restoring what it was.
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Applying() { flag_ = was_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  bool& flag_;
  bool was_;
};

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
  if (const IRSlist* first = definition.children().first();
      first && first->is_atom() && first->atom() && strcasecmp(first->atom(), "shallow") == 0) {
    definition.take_first();
    shallow_ = true;
  }
  if (definition.has_flag(":name"))
    if (const char* name = definition.take_value(":name", true)) name_ = name;
  if (definition.has_flag(":comments"))
    if (const char* comments = definition.take_value(":comments", true)) comments_ = comments;
}

bool TreeRule::run_action(Word match, TypeId type) const { return action_ && action_->eval(match, type) != 0; }

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

template <class Walk>
bool StructuralRule::visit(Walk& walk, TreeMatch& match, bool admitted) const {
  if (!match_into(walk.current(), match, admitted)) return false;
  RunningTraversal running(walk);
  return run_action(to_word(&match), TreeTypes::get().match) && shallow();
}

template <class Walk>
void StructuralRule::walk_tree(RSTree* root, TreeOrder& order) {
  // While the tree stays as it was read, the walk takes from the order the
  // nodes the condition's guard admits, in walk order; the others are
  // nodes where the condition yields nothing. After any change (or a
  // shallow action) it finds its way in the tree itself, from the node it
  // stands on, having made as many visits as a walk in the tree would have.
  order.prepare(root);
  const TreeOrder::ChildFilter filter = order.child_filter(condition_.guard());
  if (filter.none) return;
  const std::span<const std::uint32_t> places = order.admitted_by_text(Walk::kOrder, condition_.guard());
  if (places.empty()) return;  // no node where the condition can yield anything
  Walk walk(root);
  Reusable<TreeMatch>::Lease leased(match_);
  TreeMatch& match = *leased;
  std::size_t visits = 0;
  const std::vector<RSTree*>& nodes = order.nodes(Walk::kOrder);
  bool in_order = true;
  const bool listed = order.listed();  // else the guard is asked here
  for (const std::uint32_t place : places) {
    if (!order.passes(Walk::kOrder, place, filter)) continue;
    RSTree* node = nodes[place];
    if (!listed && !condition_.admits(node)) continue;
    walk.jump_to(node);
    const bool fired_shallow = visit(walk, match, true);
    if (order.current() && !walk.stepped() && !fired_shallow) continue;
    walk.next(fired_shallow);
    visits = place + 1;
    in_order = false;
    break;
  }
  if (in_order) return;
  const std::size_t limit = visit_limit(tree_capacity(root));
  for (; walk.current(); ++visits) {
    if (visits == limit) {
      report_runaway();
      return;
    }
    walk.next(visit(walk, match, false));
  }
}

void DownRule::apply(RSTree* root, TreeOrder& order) { walk_tree<PreOrderWalk>(root, order); }

void UpRule::apply(RSTree* root, TreeOrder& order) { walk_tree<PostOrderWalk>(root, order); }

void RootRule::init(IRSlist& definition) {
  ScopeGuard scope;
  set_action(LExp::build_first(definition));
}

void RootRule::apply(RSTree* root, TreeOrder&) { run_action(node_word(root), TreeTypes::get().node); }

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

std::span<const std::uint32_t> FlatRule::admitted_places(TreeOrder& order, State& state) const {
  std::vector<std::uint32_t>& places = state.places;
  places.clear();
  bool first = true;
  for (const TreeExp& condition : conditions_) {
    if (!condition) continue;
    const NodeGuard& guard = condition.guard();
    if (!guard.active() && !guard.has_child_test()) return order.admitted(WalkOrder::kPost, guard);
    // Each list is ascending: their union, merged.
    const auto admitted = order.admitted(WalkOrder::kPost, guard);
    if (first) {
      places.assign(admitted.begin(), admitted.end());
      first = false;
      continue;
    }
    state.merged.resize(places.size() + admitted.size());
    const auto end =
        std::set_union(places.begin(), places.end(), admitted.begin(), admitted.end(), state.merged.begin());
    state.merged.erase(end, state.merged.end());
    places.swap(state.merged);
  }
  return places;
}

void FlatRule::apply(RSTree* root, TreeOrder& order) {
  const std::size_t count = conditions_.size();
  // The matches are allocated once per slot, and kept for the next tree.
  Reusable<State>::Lease state(state_);
  std::vector<TreeMatchPtr>& slots = state->slots;
  slots.resize(count);
  std::vector<char>& filled = state->filled;
  filled.assign(count, 0);
  TreeMatchPtr& found = state->found;
  if (!found) found = std::make_unique<TreeMatch>();
  TreeMatch& combined = state->combined;
  std::size_t required = 0;
  for (std::size_t i = 0; i < count; ++i) required += is_required(i) ? 1 : 0;
  std::size_t missing = required;  // required conditions not yet satisfied
  PostOrderWalk walk(root);
  order.prepare(root);
  // While the tree is as the order read it, a condition's guard is decided
  // by the text numbers of the order.
  std::vector<std::uint32_t>& wanted = state->wanted;
  wanted.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const NodeGuard& guard = conditions_[i].guard();
    wanted[i] = guard.active() && order.listed() ? order.text_number(guard) : kAnyText;
  }
  // Tries the conditions at the walk's node (at `place` in the order, when
  // it comes from there) and runs the action when all are satisfied; false
  // when the rule is done with the tree.
  auto visit = [&](const std::uint32_t* place) {
    RSTree* node = walk.current();
    bool fired = false;
    for (std::size_t i = 0; i < count && !fired; ++i) {
      if ((filled[i] && !is_maximal(i)) || !conditions_[i]) continue;
      if (place && wanted[i] != kAnyText && order.current()) {
        const NodeTextField field = conditions_[i].guard().field();
        if (wanted[i] == TreeOrder::kNoText || order.text_at(WalkOrder::kPost, *place, field) != wanted[i]) continue;
        if (!conditions_[i].match_admitted_into(node, *found)) continue;
      } else if (!conditions_[i].match_into(node, *found)) {
        continue;
      }
      std::swap(slots[i], found);
      if (!found) found = std::make_unique<TreeMatch>();
      if (!filled[i]) {
        filled[i] = 1;
        if (is_required(i)) --missing;
      }
      if (missing > 0) continue;
      for (std::size_t k = 0; k < count; ++k) {
        if (!slots[k]) slots[k] = std::make_unique<TreeMatch>();
        if (!filled[k]) slots[k]->reset(nullptr);  // the empty match of an optional condition
        filled[k] = 0;
      }
      missing = required;
      combined.reset(nullptr);
      combined.swap_subs(slots);
      bool yielded = false;
      {
        RunningTraversal running(walk);
        yielded = run_action(to_word(&combined), TreeTypes::get().match);
      }
      if (yielded && shallow()) return false;
      combined.swap_subs(slots);
      fired = true;
    }
    return true;
  };
  // As the structural rules: the nodes from the order while the tree is
  // unchanged, then the walk in the tree.
  const std::vector<RSTree*>& nodes = order.nodes(WalkOrder::kPost);
  std::size_t visits = 0;
  bool in_order = true;
  for (const std::uint32_t place : admitted_places(order, *state)) {
    walk.jump_to(nodes[place]);
    if (!visit(&place)) return;
    if (order.current() && !walk.stepped()) continue;
    walk.next(false);
    visits = place + 1;
    in_order = false;
    break;
  }
  if (in_order) return;
  const std::size_t limit = visit_limit(tree_capacity(root));
  for (; walk.current(); ++visits) {
    if (visits == limit) {
      report_runaway();
      return;
    }
    if (!visit(nullptr)) return;
    walk.next(false);
  }
}

// ---------------------------------------------------------------------------

void TreeModifier::modify(Deps& deps) { apply(deps.root()); }

void TreeModifier::apply(RSTree* root) {
  if (!root) return;
  // An action that applies this set again (to this tree or another) gets
  // an order of its own.
  std::unique_ptr<TreeOrder> nested;
  if (applying_) nested = std::make_unique<TreeOrder>();
  TreeOrder& order = nested ? *nested : order_;
  Applying applying(applying_);
  order.forget();
  // By index: an action may run def-tree-rules, which adds to rules_ and may
  // move its storage.
  for (std::size_t i = 0; i < rules_.size(); ++i) rules_[i]->apply(root, order);
}

std::unique_ptr<TreeRule> make_tree_rule(IRSlist& definition) {
  const IRSlist* head = definition.children().first();
  if (!head || !head->is_atom()) return nullptr;
  const char* kind = head->atom();
  std::unique_ptr<TreeRule> rule;
  if (is_kind(kind, "down"))
    rule = std::make_unique<DownRule>();
  else if (is_kind(kind, "up"))
    rule = std::make_unique<UpRule>();
  else if (is_kind(kind, "root"))
    rule = std::make_unique<RootRule>();
  else if (is_kind(kind, "flat"))
    rule = std::make_unique<FlatRule>();
  else
    return nullptr;
  definition.take_first();
  rule->init(definition);
  return rule;
}

}  // namespace velmo
