// Tree functions that change a tree: properties (set-prop, del-prop,
// add-to-dep-prop-list), texts (set-rel, set-root, set-cat), moving nodes
// (reattach-node, add-rel-to-deps, invert-dep) and concat-depwords.
#include <cctype>
#include <ostream>
#include <string>

#include "parser/forest/deps.h"
#include "shell/lexp/native.h"
#include "shell/support/diagnostics.h"
#include "treerules/functions/tree_function_support.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {
namespace {

// (set-prop NAME VALUE), (add-to-dep-prop-list NAME VALUE): VALUE is text,
// or an expression yielding text or a node (a node property such as "ante").
class SetProp : public DefaultClone<SetProp, NodeFunction> {
 public:
  SetProp() : DefaultClone("RSTree*") {}
  const char* name() const override { return "set-prop"; }
  const char* doc() const override { return "(set-prop NAME VALUE) sets the node's property NAME to VALUE"; }
  void init(IRSlist& args) override {
    name_.take(args);
    value_.take(args);
  }
  Word apply(DepTree& node, Word input, TypeId type) override {
    // Literal texts are kept for the whole run: the node takes them as they are.
    if (const char* name = name_.literal(); name && value_.literal()) {
      store_lasting(node, name, value_.literal());
      return to_word<RSTree>(&node);
    }
    const char* name = name_.value(input, type);
    if (!name || !value_.present()) return 0;
    LExp* exp = value_.expression();
    if (exp && exp->output_type() == TreeTypes::get().node) {
      DepTree* value = as_dep_tree(from_word<RSTree>(exp->eval(input, type)));
      if (!value) return 0;
      store(node, name, value);
    } else {
      const char* value = value_.value(input, type);
      if (!value) return 0;
      store(node, name, value);
    }
    return to_word<RSTree>(&node);
  }

 protected:
  virtual void store(DepTree& node, const char* name, DepTree* value) {
    if (std::string_view(name) == DepTree::kAntecedent)
      node.set_antecedent(value);
    else
      node.set_property(name, value);
  }
  virtual void store(DepTree& node, const char* name, const char* value) { node.set_property(name, value); }
  virtual void store_lasting(DepTree& node, const char* name, const char* value) {
    node.set_lasting_property(name, value);
  }

 private:
  TextArg name_, value_;
};

class AddToDepPropList final : public DefaultClone<AddToDepPropList, SetProp> {
 public:
  const char* name() const override { return "add-to-dep-prop-list"; }
  const char* doc() const override {
    return "(add-to-dep-prop-list NAME VALUE) adds VALUE to the node's properties named NAME";
  }

 protected:
  void store(DepTree& node, const char* name, DepTree* value) override { node.set_property(name, value); }
  void store(DepTree& node, const char* name, const char* value) override { node.add_property(name, value); }
  void store_lasting(DepTree& node, const char* name, const char* value) override {
    node.add_lasting_property(name, value);
  }
};

class DelProp final : public DefaultClone<DelProp, NodeFunction> {
 public:
  DelProp() : DefaultClone("RSTree*") {}
  const char* name() const override { return "del-prop"; }
  const char* doc() const override { return "(del-prop NAME) removes the node's property NAME"; }
  void init(IRSlist& args) override { name_.take(args); }
  Word apply(DepTree& node, Word input, TypeId type) override {
    const char* name = name_.value(input, type);
    return name && node.remove_property(name) ? to_word<RSTree>(&node) : 0;
  }

 private:
  TextArg name_;
};

// Moves `node` under `parent` in word order; refuses a cycle.
bool reattach(DepTree& node, DepTree& parent) {
  if (&node == &parent || node.is_ancestor_of(&parent)) {
    diag() << "RSTree::insert error." << std::endl;
    return false;
  }
  if (node.parent()) node.del();
  parent.add_child_in_order(&node);
  return true;
}

// (reattach-node PARENT [REL]): the node moves under PARENT, in word order,
// with relation REL when given.
class ReattachNode final : public DefaultClone<ReattachNode, NodeFunction> {
 public:
  ReattachNode() : DefaultClone("RSTree*") {}
  const char* name() const override { return "reattach-node"; }
  const char* doc() const override {
    return "(reattach-node PARENT [REL]) moves the node under PARENT (in word order), with relation REL";
  }
  void init(IRSlist& args) override {
    parent_ = build_first(args);
    relation_.take(args);
  }
  Word apply(DepTree& node, Word input, TypeId type) override {
    Word parent_value = 0;
    if (!eval_expecting(*this, parent_.get(), input, type, TreeTypes::get().node, parent_value)) return 0;
    DepTree* parent = as_dep_tree(from_word<RSTree>(parent_value));
    if (!parent || !reattach(node, *parent)) return 0;
    if (const char* relation = relation_.present() ? relation_.value(input, type) : nullptr)
      node.set_relation(relation);
    return to_word<RSTree>(&node);
  }

 private:
  LExpPtr parent_;
  TextArg relation_;
};

// (add-rel-to-deps HEAD MOD REL): MOD moves under HEAD with relation REL.
class AddRelToDeps final : public DefaultClone<AddRelToDeps, LExp> {
 public:
  const char* name() const override { return "add-rel-to-deps"; }
  const char* doc() const override {
    return "(add-rel-to-deps HEAD MOD REL) attaches the node MOD under the node HEAD with relation REL";
  }
  void init(IRSlist& args) override {
    head_ = build_first(args);
    modifier_ = build_first(args);
    relation_.take(args);
    set_output_type(TreeTypes::get().node);
  }
  Word eval(Word input, TypeId type) override {
    // Nodes only: a value of another type is reported, not misread.
    const TypeId node = TreeTypes::get().node;
    Word head_value = 0;
    Word modifier_value = 0;
    if (!eval_expecting(*this, head_.get(), input, type, node, head_value) ||
        !eval_expecting(*this, modifier_.get(), input, type, node, modifier_value))
      return 0;
    DepTree* head = as_dep_tree(from_word<RSTree>(head_value));
    DepTree* modifier = as_dep_tree(from_word<RSTree>(modifier_value));
    const char* relation = relation_.value(input, type);
    if (!head || !modifier || !relation || !reattach(*modifier, *head)) return 0;
    modifier->set_relation(relation);
    return to_word<RSTree>(modifier);
  }

 private:
  LExpPtr head_, modifier_;
  TextArg relation_;
};

// set-rel, set-root, set-cat: (set-rel NODE TEXT).
DepTree* dep(Word value) { return as_dep_tree(from_word<RSTree>(value)); }

Word set_rel(Word, Word node, Word text) {
  if (!dep(node) || !text) return 0;
  dep(node)->set_relation(from_word<const char>(text));
  return node;
}
Word set_root(Word, Word node, Word text) {
  if (!dep(node) || !text) return 0;
  dep(node)->set_root(from_word<const char>(text));
  return node;
}
Word set_cat(Word, Word node, Word text) {
  if (!dep(node) || !text) return 0;
  dep(node)->set_category(from_word<const char>(text));
  return node;
}

// (invert-dep NODE): NODE takes its parent's place, and the parent hangs
// under NODE with NODE's relation; NODE takes the parent's relation.
Word invert_dep(Word, Word node_value) {
  DepTree* node = dep(node_value);
  DepTree* parent = node ? node->parent() : nullptr;
  DepTree* grand = parent ? parent->parent() : nullptr;
  if (!grand) return 0;
  const std::string node_relation = node->relation() ? node->relation() : "";
  const char* parent_relation = parent->relation();
  const bool had_relation = node->relation() != nullptr;
  node->del();
  const std::size_t index = parent->index_in_parent();
  parent->del();
  grand->insert_at(index, node);
  node->add_child_in_order(parent);
  if (parent_relation)
    node->set_relation(parent_relation);
  else
    node->clear_relation();
  if (had_relation)
    parent->set_relation(node_relation);
  else
    parent->clear_relation();
  return node_value;
}

// (concat-depwords): the sentence's words joined, letters and digits only.
Word concat_depwords(Word input) {
  Deps* deps = from_word<Deps>(input);
  if (!deps) return 0;
  std::string text;
  for (int p = 1; p < deps->word_count(); ++p)
    for (unsigned char c : deps->word(p))
      if (std::isalnum(c) || c >= 0x80) text += static_cast<char>(c);
  return to_word(deps->keep(text));
}

}  // namespace

void register_tree_edits() {
  register_lexp(std::make_unique<SetProp>());
  register_lexp(std::make_unique<AddToDepPropList>());
  register_lexp(std::make_unique<DelProp>());
  register_lexp(std::make_unique<ReattachNode>());
  register_lexp(std::make_unique<AddRelToDeps>());
  const char* node = "RSTree*";
  const char* text = "char*";
  register_native("set-rel", &set_rel, nullptr, node, "(set-rel NODE TEXT) sets the node's relation", {node, text});
  register_native("set-root", &set_root, nullptr, node, "(set-root NODE TEXT) sets the node's root form", {node, text});
  register_native("set-cat", &set_cat, nullptr, node, "(set-cat NODE TEXT) sets the node's category", {node, text});
  register_native("invert-dep", &invert_dep, TreeMatch::kTypeText, node,
                  "(invert-dep NODE) makes NODE the head of its parent, in the parent's place", {node});
  register_native("concat-depwords", &concat_depwords, "Deps*", text,
                  "(concat-depwords) the words of the sentence joined, letters and digits only");
}

}  // namespace velmo
