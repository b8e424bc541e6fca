// The commands def-tree-rules and clear-tree-rules, and the restructuring
// functions that tree-rule actions use to move subtrees.
#include <memory>
#include <ostream>

#include "parser/forest/rs_tree.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/native.h"
#include "shell/support/diagnostics.h"
#include "treerules/patterns/tree_patterns.h"
#include "treerules/rules/tree_rules.h"

namespace velmo {
namespace {

// ---- Commands.

TreeModifier* find_or_define_modifier(const char* name) {
  if (NameSpaces::lookup(name, "", false)) return NameSpaces::lookup_as<TreeModifier>(name, TreeModifier::kTypeText);
  return NameSpaces::define_owned(name, std::make_unique<TreeModifier>(), TreeModifier::kTypeText);
}

Word def_tree_rules(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) return 0;
  TreeModifier* modifier = find_or_define_modifier(name);
  if (!modifier) return 0;
  while (std::unique_ptr<IRSlist> definition = args.take_first())
    if (std::unique_ptr<TreeRule> rule = make_tree_rule(*definition)) modifier->add(std::move(rule));
  return to_word(modifier);
}

Word clear_tree_rules(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name || !NameSpaces::lookup(name, "", false)) return 0;
  TreeModifier* modifier = NameSpaces::lookup_as<TreeModifier>(name, TreeModifier::kTypeText);
  if (modifier) modifier->clear();
  return to_word(modifier);
}

// ---- Restructuring functions: the input is the rule's match, the
// arguments yield nodes.

RSTree* match_root(Word match) { return match ? from_word<TreeMatch>(match)->node() : nullptr; }
RSTree* node_of(Word value) { return from_word<RSTree>(value); }

void refuse(const char* message) { diag() << message << std::endl; }

// Whether `node` may be put among the children of `parent` without making a
// cycle; reported as the tree itself reports a refused insertion.
bool can_move_under(RSTree* node, RSTree* parent) {
  if (node && parent && node != parent && !node->is_ancestor_of(parent)) return true;
  refuse("RSTree::insert error.");
  return false;
}

void detach(RSTree* node) {
  if (node->parent()) node->del();
}

Word inherit_children(Word match, Word node_value) {
  RSTree* node = node_of(node_value);
  if (!node) return 0;
  if (node == match_root(match)) {
    refuse("The root node of a tree match cannot inherit children");
    return 0;
  }
  RSTree* parent = node->parent();
  if (!parent) return to_word(node);
  const std::vector<RSTree*> siblings = parent->children();
  std::size_t before = 0;
  for (RSTree* sibling : siblings) {
    if (sibling == node) continue;
    const bool precedes = sibling->index_in_parent() < node->index_in_parent();
    sibling->del();
    if (precedes)
      node->insert_at(before++, sibling);
    else
      node->append(sibling);
  }
  return to_word(node);
}

Word adopt_following(Word, Word node_value) {
  RSTree* node = node_of(node_value);
  if (!node || !node->parent()) return to_word(node);
  for (RSTree* sibling = node->next_sibling(); sibling; sibling = node->next_sibling()) {
    sibling->del();
    node->append(sibling);
  }
  return to_word(node);
}

Word detach_node(Word match, Word node_value) {
  RSTree* node = node_of(node_value);
  if (!node) return 0;
  if (node == match_root(match))
    if (RuleTraversal* traversal = current_traversal()) traversal->step_past(node);
  if (!node->del()) return 0;
  return to_word(node);
}

// insert-before and insert-after: NODE among ANCHOR's siblings.
Word insert_beside(Word match, Word node_value, Word anchor_value, bool after) {
  RSTree* node = node_of(node_value);
  RSTree* anchor = node_of(anchor_value);
  if (!node || !anchor) return 0;
  if (node == match_root(match) && node->parent()) {
    refuse("Cannot insert the root node of a tree match");
    return 0;
  }
  RSTree* parent = anchor->parent();
  if (!parent || node == anchor || !can_move_under(node, parent)) {
    if (!parent || node == anchor) refuse("RSTree::insert error.");
    return 0;
  }
  detach(node);
  const bool placed = after ? parent->insert_after(node, anchor) : parent->insert_before(node, anchor);
  return placed ? to_word(node) : 0;
}

Word insert_before(Word match, Word node, Word anchor) { return insert_beside(match, node, anchor, false); }
Word insert_after(Word match, Word node, Word anchor) { return insert_beside(match, node, anchor, true); }

// insert-node and append-node: NODE first or last under PARENT.
Word move_under(Word match, Word node_value, Word parent_value, bool last) {
  RSTree* node = node_of(node_value);
  RSTree* parent = node_of(parent_value);
  if (!node || !parent) return 0;
  if (node == match_root(match) && node->parent()) {
    refuse(last ? "Cannot append the root node of a tree match" : "Cannot insert the root node of a tree match");
    return 0;
  }
  if (!can_move_under(node, parent)) return 0;
  detach(node);
  const bool placed = last ? parent->append(node) : parent->insert(node);
  return placed ? to_word(node) : 0;
}

Word insert_node(Word match, Word node, Word parent) { return move_under(match, node, parent, false); }
Word append_node(Word match, Word node, Word parent) { return move_under(match, node, parent, true); }

void register_restructuring_functions() {
  const char* match = TreeMatch::kTypeText;
  const char* node = "RSTree*";
  register_native("inherit-children", &inherit_children, match, node,
                  "(inherit-children <node>) make the siblings of <node> its children", {node});
  register_native("adopt-following", &adopt_following, match, node,
                  "(adopt-following <node>) make the siblings after node the children \nof <node>. For example:\n"
                  "(A (B)          (adopt-following C)  (A (B)     \n   (C (D))\t\t==>\t        (C (D)\n"
                  "   (E)\t\t\t\t           (E)   \n   (F (G)))\t\t\t           (F (G))))\n",
                  {node});
  register_native("insert-before", &insert_before, match, node,
                  "(insert-before <node> <anchor>) insert <node> before <anchor>:\n(A (B)          (insert-before C G)"
                  "  (A (B)     \n   (C (D))\t\t==>\t        (E)\n   (E)\t\t\t\t        (F (C (D))\n"
                  "   (F (G)))\t\t\t           (G)))\n",
                  {node, node});
  register_native("insert-after", &insert_after, match, node,
                  "(insert-after <node> <anchor>) insert <node> after <anchor>:\n(A (B)          (insert-before C G)"
                  "  (A (B)     \n   (C (D))\t\t==>\t        (E)\n   (E)\t\t\t\t        (F (G)\n"
                  "   (F (G)))\t\t\t           (C (D))))\n",
                  {node, node});
  register_native("insert-node", &insert_node, match, node,
                  "(insert-node <node> <parent>) insert <node> as the first \nchild of <parent>. For example:\n"
                  "(A (B)          (insert-node A F)  (A (F (G))\n   (C (D))\t\t==>\t      (B)\n"
                  "   (E)\t\t\t\t      (C (D))\n   (F (G)))\t\t\t      (E))\n",
                  {node, node});
  register_native(
      "append-node", &append_node, match, node,
      "(append-node <node> <parent>) append <node> as the last \nchild of <parent>. For example:\n"
      "(A (B)          (append-node C G)  (A (B)\n   (C (D))\t\t==>\t      (C (D)\n"
      "   (E)\t\t\t\t         (G))\n   (F (G)))\t\t\t      (E)\n                                      (F))\n",
      {node, node});
  register_native(
      "detach-node", &detach_node, match, node,
      "(detatch-node <node>) detach the subtree rooted at <node> \nfrom its parent. The detached subtree is "
      "returned. For example:\n(A (B)          (detach-node C)  (A (B)\n   (C (D))\t\t==>\t    (E)\n"
      "   (E)\t\t\t\t    (F (G)))\n   (F (G)))\n",
      {node});
}

}  // namespace

void register_tree_rule_commands(Interpreter& interpreter) {
  register_tree_patterns();
  register_restructuring_functions();
  interpreter.add_command("def-tree-rules", &def_tree_rules, "(def-tree-rules <name> <rule> ... <rule>)");
  interpreter.add_command("clear-tree-rules", &clear_tree_rules, "(clear-tree-rules <name>)");
  // A rule's action may run commands: it must not free the rules being applied.
  interpreter.mark_freeing("clear-tree-rules");
}

}  // namespace velmo
