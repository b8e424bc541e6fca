// Tree conditions (first-child, exist-c-commander, exist-match, ...) and the
// access functions on nodes and matches (match, forall-subtree-matches,
// get-node, tree-root, parent).
#include <ostream>
#include <vector>

#include "parser/forest/rs_tree.h"
#include "shell/support/diagnostics.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {
namespace {

RSTree* as_node(Word input) { return from_word<RSTree>(input); }

// A condition: yields a node (or a count) computed from the input node.
class NodeCondition : public RTCond {
 public:
  NodeCondition() { set_output_type(TreeTypes::get().node); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    return test(*as_node(input));
  }

 protected:
  virtual Word test(RSTree& node) = 0;
};

// A condition with up to two sub-expressions built from its arguments.
class TwoExpCondition : public NodeCondition {
 public:
  void init(IRSlist& args) override {
    first_ = TreeExp(build_first(args));
    second_ = TreeExp(build_first(args));
  }

 protected:
  const TreeExp& first() const { return first_; }
  const TreeExp& second() const { return second_; }

 private:
  TreeExp first_, second_;
};

class FirstChild final : public DefaultClone<FirstChild, NodeCondition> {
 public:
  const char* name() const override { return "first-child"; }
  const char* doc() const override { return "(first-child) the node, when it has no parent or is the first child"; }
  Word test(RSTree& node) override {
    return !node.parent() || node.parent()->first_child() == &node ? node_word(&node) : 0;
  }
};

class LastChild final : public DefaultClone<LastChild, NodeCondition> {
 public:
  const char* name() const override { return "last-child"; }
  const char* doc() const override { return "(last-child) the node, when it has no parent or is the last child"; }
  Word test(RSTree& node) override {
    return !node.parent() || node.parent()->last_child() == &node ? node_word(&node) : 0;
  }
};

class IsLeaf final : public DefaultClone<IsLeaf, NodeCondition> {
 public:
  const char* name() const override { return "is-leaf"; }
  const char* doc() const override { return "(is-leaf) the node, when it has no children"; }
  Word test(RSTree& node) override { return node.has_children() ? 0 : node_word(&node); }
};

class ExistChild final : public DefaultClone<ExistChild, TwoExpCondition> {
 public:
  const char* name() const override { return "exist-child"; }
  const char* doc() const override { return "(exist-child COND) the first child satisfying COND"; }
  const TreeExp* required_child() const override { return first() ? &first() : nullptr; }
  Word test(RSTree& node) override {
    for (RSTree* child : node.children())
      if (first().holds(child)) return node_word(child);
    return 0;
  }
};

class AllChildren final : public DefaultClone<AllChildren, TwoExpCondition> {
 public:
  const char* name() const override { return "all-children"; }
  const char* doc() const override { return "(all-children COND) the node, when every child satisfies COND"; }
  Word test(RSTree& node) override {
    for (RSTree* child : node.children())
      if (!first().holds(child)) return 0;
    return node_word(&node);
  }
};

class NumChildren final : public DefaultClone<NumChildren, TwoExpCondition> {
 public:
  NumChildren() { set_output_type(ShellTypes::get().integer); }
  const char* name() const override { return "num-children"; }
  const char* doc() const override { return "(num-children [COND]) the number of children (satisfying COND)"; }
  Word test(RSTree& node) override {
    Word count = 0;
    for (RSTree* child : node.children())
      if (!first() || first().holds(child)) ++count;
    return count;
  }
};

// Pre-order over the subtree, the node itself first; below it, a node
// satisfying BLOCK is neither tested nor entered.
class ExistDescendant final : public DefaultClone<ExistDescendant, TwoExpCondition> {
 public:
  const char* name() const override { return "exist-decendent"; }
  const char* doc() const override {
    return "(exist-decendent COND [BLOCK]) the first node of the subtree, in pre-order, satisfying COND; "
           "nodes below satisfying BLOCK are not entered";
  }
  Word test(RSTree& node) override {
    std::vector<RSTree*> pending{&node};
    while (!pending.empty()) {
      RSTree* current = pending.back();
      pending.pop_back();
      if (current != &node && second() && second().holds(current)) continue;
      if (first().holds(current)) return node_word(current);
      const auto& children = current->children();
      for (auto child = children.rbegin(); child != children.rend(); ++child) pending.push_back(*child);
    }
    return 0;
  }
};

// Upward walk: the node's own children, then at each ancestor the siblings
// before the child it was reached from (and, for the -or-ancestor form, the
// ancestor itself); the walk stops before an ancestor satisfying BLOCK.
class ExistCCommander : public DefaultClone<ExistCCommander, TwoExpCondition> {
 public:
  const char* name() const override { return "exist-c-commander"; }
  const char* doc() const override {
    return "(exist-c-commander COND [BLOCK]) the first node c-commanding the node that satisfies COND, "
           "not looking above an ancestor satisfying BLOCK";
  }
  Word test(RSTree& node) override {
    for (RSTree* child : node.children())
      if (first().holds(child)) return node_word(child);
    for (RSTree* from = &node; RSTree* ancestor = from->parent(); from = ancestor) {
      if (second() && second().holds(ancestor)) return 0;
      for (RSTree* sibling : ancestor->children()) {
        if (sibling == from) break;
        if (first().holds(sibling)) return node_word(sibling);
      }
      if (with_ancestors() && first().holds(ancestor)) return node_word(ancestor);
    }
    return 0;
  }

 protected:
  virtual bool with_ancestors() const { return false; }
};

class ExistCCommanderOrAncestor final : public DefaultClone<ExistCCommanderOrAncestor, ExistCCommander> {
 public:
  const char* name() const override { return "exist-c-commander-or-ancestor"; }
  const char* doc() const override {
    return "(exist-c-commander-or-ancestor COND [BLOCK]) as exist-c-commander, ancestors included";
  }

 protected:
  bool with_ancestors() const override { return true; }
};

class SelfOrExistAncestor final : public DefaultClone<SelfOrExistAncestor, TwoExpCondition> {
 public:
  const char* name() const override { return "self-or-exist-ancestor"; }
  const char* doc() const override {
    return "(self-or-exist-ancestor COND) the node or its nearest ancestor satisfying COND";
  }
  Word test(RSTree& node) override {
    for (RSTree* current = &node; current; current = current->parent())
      if (first().holds(current)) return node_word(current);
    return 0;
  }
};

class AncestorOf final : public DefaultClone<AncestorOf, TwoExpCondition> {
 public:
  const char* name() const override { return "ancestor-of"; }
  const char* doc() const override {
    return "(ancestor-of A B) true when the node A yields is a proper ancestor of the node B yields";
  }
  Word test(RSTree& node) override {
    RSTree* above = as_node(first().eval(&node));
    RSTree* below = as_node(second().eval(&node));
    return above && below && above != below && above->is_ancestor_of(below) ? node_word(&node) : 0;
  }
};

// (exist-match PATTERN [:action ACTION]): the node, when PATTERN matches
// somewhere in its subtree (post-order, first match wins); ACTION runs on
// that match first.
class ExistMatch final : public DefaultClone<ExistMatch, NodeCondition> {
 public:
  const char* name() const override { return "exist-match"; }
  const char* doc() const override {
    return "(exist-match PATTERN [:action ACTION]) the node, when PATTERN matches in its subtree; "
           "ACTION is evaluated with the match";
  }
  void init(IRSlist& args) override {
    if (std::unique_ptr<IRSlist> action = args.take_value_node(":action", true)) action_ = get_exp(action.get());
    pattern_ = TreeExp(build_first(args));
    if (pattern_ && !pattern_.yields_matches()) {
      diag() << pattern_->name() << " cannot be used as a subtree condition in (tree ...) " << std::endl;
      pattern_.reset();
    }
  }
  Word test(RSTree& node) override {
    if (!pattern_) return 0;
    for (TPostIterator<RSTree> it(&node); !it.done(); it.advance()) {
      if (TreeMatchPtr match = pattern_.match(it.current())) {
        eval_optional(action_.get(), to_word(match.get()), TreeTypes::get().match);
        return node_word(&node);
      }
    }
    return 0;
  }

 private:
  TreeExp pattern_;
  LExpPtr action_;
};

// Reads the integer atoms that select a sub-match.
std::vector<std::size_t> take_indices(IRSlist& args, bool leave_last) {
  std::vector<std::size_t> indices;
  while (args.length() > (leave_last ? 1u : 0u)) {
    const IRSlist* first = args.children().first();
    if (!first->is_atom()) break;
    indices.push_back(static_cast<std::size_t>(args.take_long()));
  }
  return indices;
}

TreeMatch* select(TreeMatch* match, const std::vector<std::size_t>& indices) {
  for (std::size_t index : indices) {
    if (!match) break;
    match = match->sub(index);
  }
  return match;
}

// (match I1 ... In): the node of the selected sub-match.
class MatchAccess final : public DefaultClone<MatchAccess, LExp> {
 public:
  MatchAccess() {
    set_input_type(TreeTypes::get().match);
    set_output_type(TreeTypes::get().node);
  }
  const char* name() const override { return "match"; }
  const char* doc() const override {
    return "(match I1 ... In) the node of the In-th sub-match of ... the I1-th sub-match of the match";
  }
  void init(IRSlist& args) override { indices_ = take_indices(args, false); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    TreeMatch* selected = select(from_word<TreeMatch>(input), indices_);
    if (!selected) {
      diag() << "(match ...) resulted in nil" << std::endl;
      return 0;
    }
    return node_word(selected->node());
  }

 private:
  std::vector<std::size_t> indices_;
};

// (forall-subtree-matches VAR I1 ... In EXPR).
class ForallSubtreeMatches final : public DefaultClone<ForallSubtreeMatches, LExp> {
 public:
  ForallSubtreeMatches() {
    set_input_type(TreeTypes::get().match);
    set_output_type(ShellTypes::get().integer);
  }
  const char* name() const override { return "forall-subtree-matches"; }
  const char* doc() const override {
    return "(forall-subtree-matches VAR I1 ... In EXPR) EXPR holds for every node of the selected sub-match "
           "and its sub-matches, with VAR bound to the node";
  }
  void init(IRSlist& args) override {
    if (const char* name = args.take_atom()) {
      ScopeStack& scopes = ScopeStack::instance();
      variable_ = scopes.find(name);
      if (!variable_) variable_ = scopes.define(name, TreeTypes::get().node);
    }
    indices_ = take_indices(args, true);
    exp_ = build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    TreeMatch* selected = select(from_word<TreeMatch>(input), indices_);
    if (!selected) return 0;
    bool all = true;
    selected->for_each([&](TreeMatch& match) {
      if (!match.node()) return;
      if (variable_) variable_->assign(node_word(match.node()), TreeTypes::get().node);
      if (!eval_optional(exp_.get(), input, type)) all = false;
    });
    return all ? 1 : 0;
  }

 private:
  VariablePtr variable_;
  std::vector<std::size_t> indices_;
  LExpPtr exp_;
};

// (get-node COND1 ... CONDn): down through the first child satisfying each.
class GetNode final : public DefaultClone<GetNode, NodeCondition> {
 public:
  const char* name() const override { return "get-node"; }
  const char* doc() const override {
    return "(get-node COND1 ... CONDn) moves down to the first child satisfying each condition in turn";
  }
  void init(IRSlist& args) override {
    while (std::unique_ptr<IRSlist> element = args.take_first())
      if (LExpPtr step = get_exp(element.get())) steps_.emplace_back(std::move(step));
  }
  Word test(RSTree& node) override {
    RSTree* current = &node;
    for (const TreeExp& step : steps_) {
      RSTree* next = nullptr;
      for (RSTree* child : current->children())
        if (step.holds(child)) {
          next = child;
          break;
        }
      if (!next) return 0;
      current = next;
    }
    return node_word(current);
  }

 private:
  TreeExpList steps_;
};

class TreeRoot final : public DefaultClone<TreeRoot, NodeCondition> {
 public:
  const char* name() const override { return "tree-root"; }
  const char* doc() const override { return "(tree-root) the root of the node's tree"; }
  Word test(RSTree& node) override {
    RSTree* root = &node;
    while (root->parent()) root = root->parent();
    return node_word(root);
  }
};

class Parent final : public DefaultClone<Parent, NodeCondition> {
 public:
  const char* name() const override { return "parent"; }
  const char* doc() const override { return "(parent) the node's parent"; }
  Word test(RSTree& node) override { return node_word(node.parent()); }
};

}  // namespace

void register_tree_condition_functions() {
  register_lexp(std::make_unique<FirstChild>());
  register_lexp(std::make_unique<LastChild>());
  register_lexp(std::make_unique<IsLeaf>());
  register_lexp(std::make_unique<ExistChild>());
  register_lexp(std::make_unique<AllChildren>());
  register_lexp(std::make_unique<NumChildren>());
  register_lexp(std::make_unique<ExistDescendant>());
  register_lexp(std::make_unique<ExistCCommander>());
  register_lexp(std::make_unique<ExistCCommanderOrAncestor>());
  register_lexp(std::make_unique<SelfOrExistAncestor>());
  register_lexp(std::make_unique<AncestorOf>());
  register_lexp(std::make_unique<ExistMatch>());
  register_lexp(std::make_unique<MatchAccess>());
  register_lexp(std::make_unique<ForallSubtreeMatches>());
  register_lexp(std::make_unique<GetNode>());
  register_lexp(std::make_unique<TreeRoot>());
  register_lexp(std::make_unique<Parent>());
}

}  // namespace velmo
