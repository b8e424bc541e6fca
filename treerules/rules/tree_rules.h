#pragma once
// Tree rules: a condition (a tree pattern) looked for over a dependency
// tree, and an action run on every match, typically restructuring the tree.
// Rules are grouped in named rule sets (TreeModifier) that a parser applies
// to every finished tree.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "parser/forest/deps_modifier.h"
#include "shell/lexp/lexp.h"
#include "shell/support/named_object.h"
#include "treerules/patterns/tree_patterns.h"
#include "treerules/rules/tree_order.h"

namespace velmo {

class Interpreter;
class RSTree;
class TreeMatch;

// The traversal of the rule whose action is running. detach-node moves it
// past the node it removes, so the walk neither stops nor wanders off.
class RuleTraversal {
 public:
  virtual ~RuleTraversal() = default;
  // Steps past `node` when it is the node the traversal stands on.
  virtual void step_past(RSTree* node) = 0;
};

// The traversal whose action is running, or null outside actions.
RuleTraversal* current_traversal();

// An object a rule keeps from one application to the next so that its
// storage is used again. An application nested in another (an action that
// applies the rule again) leases one of its own.
template <class T>
class Reusable {
 public:
  class Lease {
   public:
    explicit Lease(Reusable& owner)
        : owner_(owner), object_(owner.spare_ ? std::move(owner.spare_) : std::make_unique<T>()) {}
    ~Lease() { owner_.spare_ = std::move(object_); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    T& operator*() const { return *object_; }
    T* operator->() const { return object_.get(); }

   private:
    Reusable& owner_;
    std::unique_ptr<T> object_;
  };

 private:
  std::unique_ptr<T> spare_;
};

class TreeRule {
 public:
  virtual ~TreeRule() = default;
  // Applies the rule to the tree below `root`; `order` holds the nodes of
  // that tree in walk order while the tree is unchanged.
  virtual void apply(RSTree* root, TreeOrder& order) = 0;
  // Reads the rule from its definition (without the kind atom).
  virtual void init(IRSlist& definition) = 0;

  const std::string& rule_name() const { return name_; }
  const std::string& comments() const { return comments_; }
  bool shallow() const { return shallow_; }

 protected:
  // The optional "shallow" atom and the :name and :comments keywords.
  void take_flags_and_keywords(IRSlist& definition);
  // Evaluates the action with a match; whether it yielded non-zero.
  bool run_action(Word match, TypeId type) const;
  void set_action(LExpPtr action) { action_ = std::move(action); }
  // A traversal may visit at most this many nodes for a tree of `size`
  // nodes: actions that keep moving nodes ahead of it cannot make it endless.
  static std::size_t visit_limit(std::size_t size) { return 8 * size + 16; }
  void report_runaway() const;

 private:
  LExpPtr action_;
  bool shallow_ = false;
  std::string name_;
  std::string comments_;
};

// A rule whose condition yields a tree match at a node.
class StructuralRule : public TreeRule {
 public:
  void init(IRSlist& definition) override;

 protected:
  // The match of the condition at `node` written into `out`; whether
  // there is one. `admitted`: the condition's guard is known to admit it.
  bool match_into(RSTree* node, TreeMatch& out, bool admitted) const {
    if (!condition_) return false;
    if (condition_.yields_matches())
      return admitted ? condition_.match_admitted_into(node, out) : condition_.match_into(node, out);
    // A condition of another type still decides; its match is the node.
    if (!condition_.holds(node)) return false;
    out.reset(node);
    return true;
  }
  // Visits the tree with `Walk`, running the action on every match;
  // `shallow` moves the walk on as the rule kind says.
  template <class Walk>
  void walk_tree(RSTree* root, TreeOrder& order);
  // Tries the condition at the walk's node and runs the action on a match;
  // whether the walk must leave the node as after a shallow rule's action.
  template <class Walk>
  bool visit(Walk& walk, TreeMatch& match, bool admitted) const;

 private:
  TreeExp condition_;
  Reusable<TreeMatch> match_;  // filled at every node that matches
};

// Pre-order: a node before its children; shallow: no descent below a node
// whose action yielded non-zero.
class DownRule final : public StructuralRule {
 public:
  void apply(RSTree* root, TreeOrder& order) override;
};

// Post-order: children before their parent; shallow: after an action that
// yielded non-zero, the remaining siblings are passed over.
class UpRule final : public StructuralRule {
 public:
  void apply(RSTree* root, TreeOrder& order) override;
};

// The action, once, on the tree root.
class RootRule final : public TreeRule {
 public:
  void apply(RSTree* root, TreeOrder& order) override;
  void init(IRSlist& definition) override;
};

// Several conditions satisfied anywhere in the tree (post-order); the action
// runs on their combined match each time all are satisfied.
class FlatRule final : public TreeRule {
 public:
  static constexpr std::size_t kMaskBits = 32;

  void apply(RSTree* root, TreeOrder& order) override;
  void init(IRSlist& definition) override;

 private:
  bool is_maximal(std::size_t i) const { return i < kMaskBits && (maximal_mask_ >> i & 1u); }
  bool is_required(std::size_t i) const {
    return i < kMaskBits ? (required_mask_ >> i & 1u) : static_cast<bool>(conditions_[i]);
  }

  // What an application works with: a slot holds the latest match of its
  // condition since the action last ran (a condition is satisfied while
  // its slot is filled); the slots go to the action as the sub-matches of
  // the combined match and come back for the next round.
  struct State {
    std::vector<TreeMatchPtr> slots;
    std::vector<char> filled;
    TreeMatchPtr found;  // a condition's match, before it takes its slot
    TreeMatch combined;
    std::vector<std::uint32_t> places, merged;
    // For each condition, the number in the order of the text its guard
    // wants (TreeOrder::kNoText: no node has it); kAnyText: no guard.
    std::vector<std::uint32_t> wanted;
  };
  static constexpr std::uint32_t kAnyText = 0x10000;
  // The places in post-order of the nodes where some condition may hold,
  // collected in `state.places` unless they are all the places.
  std::span<const std::uint32_t> admitted_places(TreeOrder& order, State& state) const;

  TreeExpList conditions_;  // a condition of the wrong type is empty
  std::uint32_t required_mask_ = 0;
  std::uint32_t maximal_mask_ = 0;
  Reusable<State> state_;
};

// A named, ordered set of tree rules; a parser applies it to every tree.
class TreeModifier final : public NamedObject, public DepsModifier {
 public:
  static constexpr const char* kTypeText = "TreeModifier";

  void modify(Deps& deps) override;
  // Applies every rule, in order, to the tree below `root` (none: nothing).
  void apply(RSTree* root);
  void add(std::unique_ptr<TreeRule> rule) { rules_.push_back(std::move(rule)); }
  void clear() { rules_.clear(); }
  std::size_t size() const { return rules_.size(); }

 private:
  std::vector<std::unique_ptr<TreeRule>> rules_;
  TreeOrder order_;
  bool applying_ = false;  // order_ is in use (an action may apply the set again)
};

// Builds a rule from its definition (a list headed by "up", "down",
// "root" or "flat"); null for any other head.
std::unique_ptr<TreeRule> make_tree_rule(IRSlist& definition);

// Registers def-tree-rules, clear-tree-rules, the tree patterns and
// conditions, and the restructuring functions.
void register_tree_rule_commands(Interpreter& interpreter);

}  // namespace velmo
