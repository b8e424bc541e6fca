#include "parser/output/print_tree.h"

#include <algorithm>
#include <unordered_map>

#include "lexicon/attributes/att_vec.h"
#include "parser/forest/deps.h"
#include "parser/output/quoting.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// A node without a word takes the smallest position along its chain of
// first children, or else its span start.
int copied_position(const DepTree& node) {
  if (node.has_word()) return node.position();
  int best = 0;
  for (const RSTree* p = node.first_child(); p; p = p->first_child()) {
    const int position = static_cast<const DepTree*>(p)->position();
    if (position > 0 && (best == 0 || position < best)) best = position;
  }
  return best > 0 ? best : node.start();
}

// An empty list shows every attribute.
void copy_atts(const AttVec* atts, const std::vector<int>& shown, bool all, PrintNode& node) {
  if (!atts) return;
  if (all) {
    for (int index = 0; index < atts->size(); ++index)
      if (atts->defined(index)) node.atts.emplace_back(atts->att_name(index), atts->str_val(index));
    return;
  }
  for (const int index : shown)
    if (index >= 0 && index < atts->size() && atts->defined(index))
      node.atts.emplace_back(atts->att_name(index), atts->str_val(index));
}

}  // namespace

void PrintTree::copy_from(Deps& deps, const std::vector<int>* shown) {
  nodes_.clear();
  DepTree* top = deps.root();
  if (!top) return;
  all_atts_ = shown && shown->empty();
  std::vector<int> sorted_shown = shown ? *shown : std::vector<int>{};
  std::sort(sorted_shown.begin(), sorted_shown.end());
  sorted_shown.erase(std::unique(sorted_shown.begin(), sorted_shown.end()), sorted_shown.end());

  std::vector<DepTree*> sources;
  std::vector<std::pair<DepTree*, int>> stack{{top, PrintNode::kNone}};
  while (!stack.empty()) {
    auto [source, parent] = stack.back();
    stack.pop_back();
    const int index = copy_node(*source, parent, sorted_shown, sources);
    for (std::size_t i = source->children().size(); i-- > 0;) stack.emplace_back(source->child(i), index);
  }
  link_antecedents(sources);
}

// Few trees have an empty node with an antecedent: the index of the copies
// is only made for those.
void PrintTree::link_antecedents(const std::vector<DepTree*>& sources) {
  const auto has_antecedent = [](const DepTree* source) { return source->antecedent() != nullptr; };
  if (std::none_of(sources.begin(), sources.end(), has_antecedent)) return;
  std::unordered_map<const DepTree*, int> index_of;
  for (std::size_t i = 0; i < sources.size(); ++i) index_of.emplace(sources[i], static_cast<int>(i));
  for (std::size_t i = 0; i < sources.size(); ++i)
    if (const DepTree* ante = sources[i]->antecedent()) {
      auto found = index_of.find(ante);
      if (found != index_of.end()) nodes_[i].antecedent = found->second;
    }
}

int PrintTree::copy_node(DepTree& source, int parent, const std::vector<int>& shown, std::vector<DepTree*>& sources) {
  const int index = static_cast<int>(nodes_.size());
  nodes_.emplace_back();
  PrintNode& node = nodes_.back();
  node.label = source.label();
  node.word = source.word();
  if (source.root()) node.root = source.root();
  if (source.category()) node.category = source.category();
  if (source.relation()) node.relation = source.relation();
  node.position = copied_position(source);
  node.start = source.start();
  node.end = source.end();
  node.parent = parent;
  copy_atts(source.atts(), shown, all_atts_, node);
  if (parent != PrintNode::kNone) nodes_[static_cast<std::size_t>(parent)].children.push_back(index);
  sources.push_back(&source);
  return index;
}

namespace {

class DependencyPrinter {
 public:
  DependencyPrinter(std::string& out, const PrintTree& tree, std::string_view designator)
      : out_(out), tree_(tree), designator_(designator) {}

  // Children in their order, the node's own line right before the first
  // child at a position not below its own, else after them all.
  void print_subtree(int index, bool is_top) {
    const PrintNode& node = tree_.node(index);
    bool printed = is_top;
    for (const int child : node.children) {
      if (!printed && tree_.node(child).position >= node.position) {
        print_line(node);
        printed = true;
      }
      print_subtree(child, false);
    }
    if (!printed) print_line(node);
  }

 private:
  void print_line(const PrintNode& node) {
    out_ += node.label;
    out_ += "\t(";
    if (node.word.empty())
      out_ += designator_;
    else
      append_tree_quoted(out_, node.word);
    out_ += '\t';
    if (node.root) {
      if (node.word.empty())
        append_tree_quoted(out_, *node.root);
      else if (equal_nocase(*node.root, node.word))
        out_ += '~';
      else
        append_tree_quoted(out_, *node.root);
    }
    out_ += ' ';
    out_ += node.category ? *node.category : "U";
    out_ += '\t';
    const PrintNode* parent = node.parent == PrintNode::kNone ? nullptr : &tree_.node(node.parent);
    if (!parent || parent->parent == PrintNode::kNone)
      out_ += '*';
    else
      out_ += parent->label;
    out_ += '\t';
    if (node.relation) out_ += *node.relation;
    if (parent && parent->root) {
      out_ += "\t(gov ";
      append_tree_quoted(out_, *parent->root);
      out_ += ')';
    }
    if (node.antecedent != PrintNode::kNone) {
      out_ += "\t(antecedent ";
      out_ += tree_.node(node.antecedent).label;
      out_ += ')';
    }
    if (!node.atts.empty()) {
      out_ += "\t(atts";
      for (const auto& [name, value] : node.atts) {
        out_ += " (";
        out_ += name;
        out_ += ' ';
        out_ += value;
        out_ += ')';
      }
      out_ += ')';
    }
    out_ += ")\n";
  }

  std::string& out_;
  const PrintTree& tree_;
  std::string_view designator_;
};

void print_nested_node(std::string& out, const PrintTree& tree, int index, int depth) {
  const PrintNode& node = tree.node(index);
  if (index != 0) out += '\n';
  out.append(static_cast<std::size_t>(2 * depth), ' ');
  out += '(';
  if (node.category) out += *node.category;
  if (!node.word.empty()) append_nested_word(out, node.word);
  if (node.root) out += " (root " + *node.root + ")";
  if (node.relation) out += " (relation " + *node.relation + ")";
  for (const auto& [name, value] : node.atts) out += " (" + name + " " + value + ")";
  for (const int child : node.children) print_nested_node(out, tree, child, depth + 1);
  out += ')';
}

}  // namespace

void print_dependency_format(std::string& out, const PrintTree& tree, std::string_view empty_designator) {
  out += "(\n";
  if (!tree.empty()) DependencyPrinter(out, tree, empty_designator).print_subtree(0, true);
  out += ')';
}

void print_triples_format(std::string& out, const PrintTree& tree) {
  for (const PrintNode& node : tree.nodes()) {  // nodes are stored in pre-order
    if (!node.relation || node.parent == PrintNode::kNone) continue;
    const PrintNode& parent = tree.node(node.parent);
    if (!parent.category) continue;
    if (parent.root) out += *parent.root;
    out += '\t';
    out += *parent.category;
    out += ':';
    out += *node.relation;
    out += ':';
    if (node.category) out += *node.category;
    out += '\t';
    if (node.root) out += *node.root;
    out += '\n';
  }
}

void print_nested_format(std::string& out, const PrintTree& tree) {
  if (!tree.empty()) print_nested_node(out, tree, 0, 0);
  out += '\n';
}

}  // namespace velmo
