// Tree functions with arguments that look at a node and its surroundings:
// get-parent, get-child, before-parent, dep-name, r-dep-name, get-prop,
// get-antecedent, expand-node, find-first-node, compatible-modifier.
#include <strings.h>

#include <string>

#include "parser/forest/deps.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "treerules/functions/tree_function_support.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {

bool TextArg::take(IRSlist& args) {
  std::unique_ptr<IRSlist> element = args.take_first();
  if (!element) return false;
  if (element->is_list())
    exp_ = LExp::get_exp(element.get());
  else if (element->atom())
    literal_ = lasting_text(element->atom());
  return present();
}

const char* TextArg::value(Word input, TypeId type) const {
  if (literal_) return literal_;
  if (!exp_) return nullptr;
  const Word value = exp_->eval(input, type);
  const TypeId got = exp_->result_type();
  if (value && got != kAnyType && got != ShellTypes::get().text) {
    diag() << exp_->name() << " gives a value of type '" << type_name(got) << "' where a text is expected\n"
           << std::flush;
    return nullptr;
  }
  return from_word<const char>(value);
}

NodeFunction::NodeFunction(const char* output_type) { set_types("RSTree*", output_type); }

Word NodeFunction::eval(Word input, TypeId type) {
  if (!check_input(type)) return 0;
  DepTree* node = as_dep_tree(from_word<RSTree>(input));
  return node ? apply(*node, input, type) : 0;
}

namespace {

bool same_text(const char* a, const char* b) { return a && b && strcasecmp(a, b) == 0; }

// (get-parent REL): the parent, when the node's relation is REL.
class GetParent final : public DefaultClone<GetParent, NodeFunction> {
 public:
  GetParent() : DefaultClone("RSTree*") {}
  const char* name() const override { return "get-parent"; }
  const char* doc() const override { return "(get-parent REL) the parent, when the node's relation is REL"; }
  void init(IRSlist& args) override { relation_.take(args); }
  Word apply(DepTree& node, Word input, TypeId type) override {
    return same_text(node.relation(), relation_.value(input, type)) ? to_word<RSTree>(node.parent()) : 0;
  }

 private:
  TextArg relation_;
};

// (get-child REL): the first child attached with REL.
class GetChild final : public DefaultClone<GetChild, NodeFunction> {
 public:
  GetChild() : DefaultClone("RSTree*") {}
  const char* name() const override { return "get-child"; }
  const char* doc() const override { return "(get-child REL) the first child whose relation is REL"; }
  void init(IRSlist& args) override { relation_.take(args); }
  Word apply(DepTree& node, Word input, TypeId type) override {
    const char* wanted = relation_.value(input, type);
    for (RSTree* child : node.children())
      if (same_text(static_cast<DepTree*>(child)->relation(), wanted)) return to_word(child);
    return 0;
  }

 private:
  TextArg relation_;
};

class BeforeParent final : public DefaultClone<BeforeParent, NodeFunction> {
 public:
  BeforeParent() : DefaultClone("RSTree*") {}
  const char* name() const override { return "before-parent"; }
  const char* doc() const override { return "(before-parent) the node, when it stands before its parent"; }
  Word apply(DepTree& node, Word, TypeId) override {
    DepTree* parent = node.parent();
    if (!parent || node.position() < 0 || parent->position() < 0) return 0;
    return node.position() < parent->position() ? to_word<RSTree>(&node) : 0;
  }
};

// (dep-name) "head:rel:dependent" and (r-dep-name) "dependent:r_rel:head".
class DepName : public DefaultClone<DepName, NodeFunction> {
 public:
  DepName() : DefaultClone("char*") {}
  const char* name() const override { return "dep-name"; }
  const char* doc() const override {
    return "(dep-name) the parent's category key, \":\", the relation, \":\", the node's category key";
  }
  Word apply(DepTree& node, Word, TypeId) override {
    if (!node.parent() || !node.relation()) return 0;
    return keep_text(node, compose(node, *node.parent()));
  }

 protected:
  virtual std::string compose(const DepTree& node, const DepTree& parent) const {
    return std::string(category_key(parent)) + ":" + node.relation() + ":" + std::string(category_key(node));
  }
};

class RDepName final : public DefaultClone<RDepName, DepName> {
 public:
  const char* name() const override { return "r-dep-name"; }
  const char* doc() const override {
    return "(r-dep-name) the node's category key, \":r_\", the relation, \":\", the parent's category key";
  }

 protected:
  std::string compose(const DepTree& node, const DepTree& parent) const override {
    return std::string(category_key(node)) + ":r_" + node.relation() + ":" + std::string(category_key(parent));
  }
};

// The text of a property: its text, or the label of the node it names.
const char* property_text(const DepProperty& property) {
  if (property.text) return property.text;
  return property.node ? property.node->label() : nullptr;
}

// (get-prop NAME [VALUE]): the value of the node's property NAME; with
// VALUE, the entry holding that value.
class GetProp final : public DefaultClone<GetProp, NodeFunction> {
 public:
  GetProp() : DefaultClone("char*") {}
  const char* name() const override { return "get-prop"; }
  const char* doc() const override {
    return "(get-prop NAME [VALUE]) the value of the node's property NAME (with VALUE: that entry)";
  }
  void init(IRSlist& args) override {
    name_.take(args);
    value_.take(args);
  }
  Word apply(DepTree& node, Word input, TypeId type) override {
    const char* wanted_name = name_.value(input, type);
    const char* wanted_value = value_.present() ? value_.value(input, type) : nullptr;
    if (!wanted_name) return 0;
    for (const DepProperty& property : node.properties()) {
      if (!same_text(property.name, wanted_name)) continue;
      const char* text = property_text(property);
      if (!value_.present() || same_text(text, wanted_value)) return to_word(text);
    }
    return 0;
  }

 private:
  TextArg name_, value_;
};

// (get-antecedent [EXPR]): follows the "ante" properties from the node; the
// first antecedent on the chain for which EXPR holds, or without EXPR the
// last one.
class GetAntecedent final : public DefaultClone<GetAntecedent, NodeFunction> {
 public:
  GetAntecedent() : DefaultClone("RSTree*") {}
  const char* name() const override { return "get-antecedent"; }
  const char* doc() const override {
    return "(get-antecedent [EXPR]) the antecedent along the chain of antecedents for which EXPR holds "
           "(without EXPR: the last of the chain)";
  }
  void init(IRSlist& args) override { test_ = build_first(args); }
  Word apply(DepTree& node, Word, TypeId) override {
    DepTree* last = nullptr;
    const std::size_t limit = node.deps().node_count();
    std::size_t steps = 0;
    for (DepTree* ante = node.antecedent(); ante && steps <= limit; ante = ante->antecedent(), ++steps) {
      if (test_ && holds(test_.get(), ante)) return to_word<RSTree>(ante);
      last = ante;
    }
    return test_ ? 0 : to_word<RSTree>(last);
  }

 private:
  LExpPtr test_;
};

// (expand-node COND): climbs from the node while the parent satisfies COND;
// the highest node reached.
class ExpandNode final : public DefaultClone<ExpandNode, NodeFunction> {
 public:
  ExpandNode() : DefaultClone("RSTree*") {}
  const char* name() const override { return "expand-node"; }
  const char* doc() const override {
    return "(expand-node COND) the highest ancestor reached from the node through parents satisfying COND";
  }
  void init(IRSlist& args) override { cond_ = build_first(args); }
  Word apply(DepTree& node, Word, TypeId) override {
    RSTree* current = &node;
    while (current->parent() && current->parent()->parent() && holds(cond_.get(), current->parent()))
      current = current->parent();
    return to_word(current);
  }

 private:
  LExpPtr cond_;
};

// (find-first-node COND): the first node of the whole tree, in pre-order,
// that satisfies COND.
class FindFirstNode final : public DefaultClone<FindFirstNode, NodeFunction> {
 public:
  FindFirstNode() : DefaultClone("RSTree*") {}
  const char* name() const override { return "find-first-node"; }
  const char* doc() const override {
    return "(find-first-node COND) the first node of the node's tree, in pre-order, satisfying COND";
  }
  void init(IRSlist& args) override { cond_ = build_first(args); }
  Word apply(DepTree& node, Word, TypeId) override {
    RSTree* root = &node;
    while (root->parent()) root = root->parent();
    for (TPreIterator<RSTree> it(root); !it.done(); it.advance())
      if (holds(cond_.get(), it.current())) return to_word(it.current());
    return 0;
  }

 private:
  LExpPtr cond_;
};

// (compatible-modifier HEAD): the node, when it could be attached under the
// node HEAD yields without making a cycle.
class CompatibleModifier final : public DefaultClone<CompatibleModifier, NodeFunction> {
 public:
  CompatibleModifier() : DefaultClone("RSTree*") {}
  const char* name() const override { return "compatible-modifier"; }
  const char* doc() const override {
    return "(compatible-modifier HEAD) the node, when it can be attached under HEAD without a cycle";
  }
  void init(IRSlist& args) override { head_ = build_first(args); }
  Word apply(DepTree& node, Word input, TypeId type) override {
    RSTree* head = from_word<RSTree>(eval_optional(head_.get(), input, type));
    if (!head || head == &node || node.is_ancestor_of(head)) return 0;
    return to_word<RSTree>(&node);
  }

 private:
  LExpPtr head_;
};

}  // namespace

void register_tree_searches() {
  register_lexp(std::make_unique<GetParent>());
  register_lexp(std::make_unique<GetChild>());
  register_lexp(std::make_unique<BeforeParent>());
  register_lexp(std::make_unique<DepName>());
  register_lexp(std::make_unique<RDepName>());
  register_lexp(std::make_unique<GetProp>());
  register_lexp(std::make_unique<GetAntecedent>());
  register_lexp(std::make_unique<ExpandNode>());
  register_lexp(std::make_unique<FindFirstNode>());
  register_lexp(std::make_unique<CompatibleModifier>());
}

}  // namespace velmo
