// The pattern kinds: node, tree, treeu, treeq, path, t?, t+, t* and
// attachment-points.
#include "treerules/patterns/tree_patterns.h"

#include <ostream>

#include "parser/forest/rs_tree.h"
#include "shell/support/diagnostics.h"

namespace velmo {

const TreeTypes& TreeTypes::get() {
  static const TreeTypes types{type_id("RSTree*"), type_id(TreeMatch::kTypeText)};
  return types;
}

TreeExp::TreeExp(LExpPtr exp)
    : exp_(std::move(exp)),
      pattern_(dynamic_cast<RTPat*>(exp_.get())),
      yields_matches_(exp_ && exp_->output_type() == TreeTypes::get().match),
      guard_(NodeGuard::of(exp_.get())) {}

// The guard has admitted the node when these run.
bool TreeExp::evaluate_holds(RSTree* node) const {
  if (pattern_) return node && pattern_->test_admitted(node);
  const TypeId type = TreeTypes::get().node;
  if (const LExpList* conjuncts = guard_.conjuncts()) {
    // (and A B ...) with A already decided by the guard: B ... in order.
    for (std::size_t i = 1; i < conjuncts->size(); ++i)
      if (!(*conjuncts)[i]->eval(node_word(node), type)) return false;
    return true;
  }
  return exp_->eval(node_word(node), type) != 0;
}

bool TreeExp::evaluate_match_into(RSTree* node, TreeMatch& out) const {
  if (pattern_) return pattern_->match_admitted_into(node, out);
  TreeMatchPtr match = evaluate_match(node);
  if (!match) return false;
  out = std::move(*match);
  return true;
}

TreeMatchPtr TreeExp::evaluate_match(RSTree* node) const {
  if (pattern_) return pattern_->match_at(node);
  const Word result = exp_->eval(node_word(node), TreeTypes::get().node);
  return result ? from_word<TreeMatch>(result)->clone() : nullptr;
}

Word TreeExp::eval(RSTree* node) const { return exp_ ? exp_->eval(node_word(node), TreeTypes::get().node) : 0; }

bool TreeExp::optional() const { return pattern_ && pattern_->optional(); }

bool holds(LExp* cond, RSTree* node) {
  if (!cond) return true;
  if (auto* pattern = dynamic_cast<RTPat*>(cond)) return node && pattern->match_at(node) != nullptr;
  return cond->eval(node_word(node), TreeTypes::get().node) != 0;
}

TreeMatchPtr run_pattern(LExp& pattern, RSTree* node) {
  if (!node) return nullptr;
  if (auto* own = dynamic_cast<RTPat*>(&pattern)) return own->match_at(node);
  const Word result = pattern.eval(node_word(node), TreeTypes::get().node);
  return result ? from_word<TreeMatch>(result)->clone() : nullptr;
}

bool yields_matches(const LExp& exp) { return exp.output_type() == TreeTypes::get().match; }

bool is_optional(const LExp& exp) {
  const auto* pattern = dynamic_cast<const RTPat*>(&exp);
  return pattern && pattern->optional();
}

RTCond::RTCond() { set_input_type(TreeTypes::get().node); }

RTPat::RTPat() { set_output_type(TreeTypes::get().match); }

Word RTPat::eval(Word input, TypeId type) {
  if (!check_input(type) || !input) return 0;
  last_result_ = match_at(from_word<RSTree>(input));
  return to_word(last_result_.get());
}

bool RTPat::match_into(RSTree* node, TreeMatch& out) {
  TreeMatchPtr match = match_at(node);
  if (!match) return false;
  out = std::move(*match);
  return true;
}

void RTPat::take_variable(IRSlist& args) {
  const IRSlist* first = args.children().first();
  if (!first || !first->is_atom() || first->is_nil()) return;
  const char* name = args.take_atom();
  ScopeStack& scopes = ScopeStack::instance();
  variable_ = scopes.find(name);
  if (!variable_) variable_ = scopes.define(name, TreeTypes::get().node);
}

void RTPat::bind(RSTree* node) const {
  if (variable_) variable_->assign(node_word(node), TreeTypes::get().node);
}

void OneCondRTPat::init(IRSlist& args) {
  take_variable(args);
  inner_ = TreeExp(build_first(args));
  if (inner_ && !inner_.yields_matches()) {
    diag() << "In (" << name() << " <LEXP>) <LEXP> must return TreeMatch*" << std::endl;
    inner_.reset();
  }
}

namespace {

// (node [VAR] COND): the node, when COND holds.
class NodeCond final : public DefaultClone<NodeCond, RTPat> {
 public:
  const char* name() const override { return "node"; }
  const char* doc() const override { return "(node [VAR] COND) matches a node at which COND holds"; }
  void init(IRSlist& args) override {
    take_variable(args);
    cond_ = TreeExp(build_first(args));
  }
  TreeMatchPtr match_at(RSTree* node) override {
    if (!test(node)) return nullptr;
    return std::make_unique<TreeMatch>(node);
  }
  bool match_into(RSTree* node, TreeMatch& out) override {
    if (!test(node)) return false;
    out.reset(node);
    return true;
  }
  bool match_admitted_into(RSTree* node, TreeMatch& out) override {
    if (!test_admitted(node)) return false;
    out.reset(node);
    return true;
  }
  const LExp* first_test() const override { return cond_.get(); }
  bool test(RSTree* node) override {
    if (!cond_.holds(node)) return false;
    bind(node);
    return true;
  }
  bool test_admitted(RSTree* node) override {
    if (!cond_.holds_admitted(node)) return false;
    bind(node);
    return true;
  }

 private:
  TreeExp cond_;
};

// Shared by tree, treeu and treeq: the condition on the node and the child
// patterns, which must yield tree matches.
class BranchCond : public RTPat {
 public:
  void init(IRSlist& args) override {
    take_variable(args);
    cond_ = TreeExp(build_first(args));
    while (std::unique_ptr<IRSlist> element = args.take_first()) {
      TreeExp child(get_exp(element.get()));
      if (!child) continue;
      if (!child.yields_matches()) {
        diag() << child->name() << " cannot be used as a subtree condition in (tree ...) " << std::endl;
        continue;
      }
      children_.push_back(std::move(child));
    }
  }
  TreeMatchPtr match_at(RSTree* node) override {
    // Most tries fail at the children: the match is allocated only once
    // they are all found.
    TreeMatch match;
    if (!match_into(node, match)) return nullptr;
    return std::make_unique<TreeMatch>(std::move(match));
  }
  bool match_into(RSTree* node, TreeMatch& out) override { return cond_.holds(node) && match_below(node, out); }
  bool match_admitted_into(RSTree* node, TreeMatch& out) override {
    return cond_.holds_admitted(node) && match_below(node, out);
  }
  const LExp* first_test() const override { return cond_.get(); }
  // The first child pattern, when it is required and the node's own
  // condition is decided by its guard: the children are tried with it
  // first, and its failure at every child ends the match.
  const TreeExp* required_child() const override {
    if (children_.empty() || children_.front().optional()) return nullptr;
    if (cond_ && !cond_.guard().whole()) return nullptr;
    return &children_.front();
  }

 protected:
  // Finds a child for every child pattern, appending their matches.
  virtual bool match_children(RSTree& node, TreeMatch& match) = 0;
  // The match once the node's own condition holds.
  bool match_below(RSTree* node, TreeMatch& out) {
    out.reset(node);
    if (!match_children(*node, out)) return false;
    bind(node);
    return true;
  }
  const TreeExpList& child_patterns() const { return children_; }

 private:
  TreeExp cond_;
  TreeExpList children_;
};

// (tree ...): each child pattern takes the first child, in order, that no
// earlier pattern took.
class TreePattern final : public DefaultClone<TreePattern, BranchCond> {
 public:
  const char* name() const override { return "tree"; }
  const char* doc() const override {
    return "(tree [VAR] COND P1 ... Pk) matches a node satisfying COND whose children, in any order, "
           "match P1 ... Pk (different children)";
  }

 protected:
  bool match_children(RSTree& node, TreeMatch& match) override {
    for (const TreeExp& pattern : child_patterns()) {
      TreeMatch& sub = match.next_sub();
      bool found = false;
      for (RSTree* child : node.children()) {
        if (match.has_sub_at(child)) continue;
        if ((found = pattern.match_into(child, sub))) break;
      }
      if (!found && !pattern.optional()) return false;
      if (!found) sub.reset(nullptr);
      match.append_next();
    }
    return true;
  }
};

// (treeu ...): one scan over the children serves the patterns in order;
// an optional pattern that finds nothing takes an empty match.
class TreeUPattern : public DefaultClone<TreeUPattern, BranchCond> {
 public:
  const char* name() const override { return "treeu"; }
  const char* doc() const override {
    return "(treeu [VAR] COND P1 ... Pk) as tree, with the children matched in order by one scan";
  }

 protected:
  virtual bool allows_optional() const { return true; }
  bool match_children(RSTree& node, TreeMatch& match) override {
    const auto& children = node.children();
    std::size_t next = 0;
    for (const TreeExp& pattern : child_patterns()) {
      TreeMatch& sub = match.next_sub();
      bool found = false;
      while (next < children.size() && !found) found = pattern.match_into(children[next++], sub);
      if (!found && !(allows_optional() && pattern.optional())) return false;
      if (!found) sub.reset(nullptr);
      match.append_next();
    }
    return true;
  }
};

// (treeq ...): as treeu, every pattern required.
class TreeQPattern final : public DefaultClone<TreeQPattern, TreeUPattern> {
 public:
  const char* name() const override { return "treeq"; }
  const char* doc() const override { return "(treeq [VAR] COND P1 ... Pk) as treeu, every child pattern required"; }

 protected:
  bool allows_optional() const override { return false; }
};

// (path P1 ... Pk): P1 at the node, each later step at a child of the node
// the previous step reached.
class PathCond final : public DefaultClone<PathCond, RTPat> {
 public:
  const char* name() const override { return "path"; }
  const char* doc() const override {
    return "(path P1 ... Pk) P1 matches the node and each later pattern a descendant, step by step";
  }
  void init(IRSlist& args) override {
    while (std::unique_ptr<IRSlist> element = args.take_first()) {
      TreeExp step(get_exp(element.get()));
      if (!step) continue;
      if (!step.yields_matches()) {
        diag() << "PathCond: all arguments must be LExps that return 'TreeMatch*'" << std::endl;
        continue;
      }
      steps_.push_back(std::move(step));
    }
  }
  const LExp* first_test() const override { return steps_.empty() ? nullptr : steps_.front().get(); }
  TreeMatchPtr match_at(RSTree* node) override {
    if (steps_.empty()) return nullptr;
    TreeMatchPtr match = steps_.front().match(node);
    if (!match || match->is_empty()) return nullptr;
    RSTree* current_node = node;
    TreeMatch* current = match->innermost();
    for (std::size_t i = 1; i < steps_.size(); ++i) {
      TreeMatchPtr found;
      RSTree* taken = nullptr;
      for (RSTree* child : current_node->children())
        if ((found = steps_[i].match(child))) {
          taken = child;
          break;
        }
      if (!found) {
        if (steps_[i].optional()) continue;
        return nullptr;
      }
      TreeMatch* next = found->innermost();
      current->prepend(std::move(found));
      current = next;
      current_node = taken;
    }
    match->set_node(current_node);
    return match;
  }

 private:
  TreeExpList steps_;
};

// (t? P): P's match; optional inside a parent pattern.
class OptRTPat final : public DefaultClone<OptRTPat, OneCondRTPat> {
 public:
  OptRTPat() { set_optional(); }
  const char* name() const override { return "t?"; }
  const char* doc() const override { return "(t? P) P, optional where a parent pattern allows it"; }
  TreeMatchPtr match_at(RSTree* node) override {
    if (!inner()) return nullptr;
    TreeMatchPtr match = inner().match(node);
    if (match) bind(node);
    return match;
  }
};

// (t+ P): P at the node, then repeatedly at a child of the last matched
// node; the matches form a chain down the tree.
class PlusRTPat : public DefaultClone<PlusRTPat, OneCondRTPat> {
 public:
  const char* name() const override { return "t+"; }
  const char* doc() const override {
    return "(t+ P) P matches the node and, repeatedly, a child of the last matched node";
  }
  TreeMatchPtr match_at(RSTree* node) override {
    TreeMatchPtr match = chain_at(node);
    if (match) bind(node);
    return match;
  }

 private:
  TreeMatchPtr chain_at(RSTree* node) {
    if (!inner()) return nullptr;
    TreeMatchPtr match = inner().match(node);
    if (!match || match->is_empty()) return nullptr;
    TreeMatch* end = match->innermost();
    if (RSTree* below = end->node()) {
      for (RSTree* child : below->children())
        if (TreeMatchPtr rest = chain_at(child)) {
          end->prepend(std::move(rest));
          break;
        }
    }
    return match;
  }
};

// (t* P): as t+, optional.
class StarRTPat final : public DefaultClone<StarRTPat, PlusRTPat> {
 public:
  StarRTPat() { set_optional(); }
  const char* name() const override { return "t*"; }
  const char* doc() const override { return "(t* P) as t+, optional where a parent pattern allows it"; }
};

// (attachment-points COND ISPOINT CONTINUE): the places the node could be
// reattached to: up the chain of its ancestors, and down the right edge of
// the subtree of the sibling before it.
class AttachmentPoints final : public DefaultClone<AttachmentPoints, RTPat> {
 public:
  const char* name() const override { return "attachment-points"; }
  const char* doc() const override {
    return "(attachment-points COND ISPOINT CONTINUE) the nodes satisfying ISPOINT up the ancestors and down "
           "the right edge of the preceding sibling, while CONTINUE holds";
  }
  void init(IRSlist& args) override {
    cond_ = TreeExp(build_first(args));
    is_point_ = TreeExp(build_first(args));
    go_on_ = TreeExp(build_first(args));
  }
  const LExp* first_test() const override { return cond_.get(); }
  TreeMatchPtr match_at(RSTree* node) override {
    if (!cond_.holds(node)) return nullptr;
    auto match = std::make_unique<TreeMatch>(node);
    if (RSTree* up = node->parent()) {
      match->append(std::make_unique<TreeMatch>(up));
      while (up && go_on_.holds(up)) {
        up = up->parent();
        if (up && is_point_.holds(up)) match->append(std::make_unique<TreeMatch>(up));
      }
    }
    for (RSTree* down = node->previous_sibling(); down && go_on_.holds(down); down = down->last_child())
      if (is_point_.holds(down)) match->append(std::make_unique<TreeMatch>(down));
    return match;
  }

 private:
  TreeExp cond_, is_point_, go_on_;
};

}  // namespace

void register_tree_condition_functions();

void register_tree_patterns() {
  register_lexp(std::make_unique<NodeCond>());
  register_lexp(std::make_unique<TreePattern>());
  register_lexp(std::make_unique<TreeUPattern>());
  register_lexp(std::make_unique<TreeQPattern>());
  register_lexp(std::make_unique<PathCond>());
  register_lexp(std::make_unique<OptRTPat>());
  register_lexp(std::make_unique<PlusRTPat>());
  register_lexp(std::make_unique<StarRTPat>());
  register_lexp(std::make_unique<AttachmentPoints>());
  register_tree_condition_functions();
}

}  // namespace velmo
