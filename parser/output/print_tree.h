#pragma once
// The shell's own copy of a sentence's tree, from which the dependency,
// triples and nested formats are printed: per node the label, word, root,
// category, relation, parent, children, antecedent and the shown attribute
// pairs as texts.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmo {

class Deps;
class DepTree;

struct PrintNode {
  static constexpr int kNone = -1;

  std::string label;
  std::string word;  // empty for an empty category
  std::optional<std::string> root;
  std::optional<std::string> category;
  std::optional<std::string> relation;
  int parent = kNone;
  std::vector<int> children;
  int antecedent = kNone;
  std::vector<std::pair<std::string, std::string>> atts;
  int position = 0;
  int start = 0, end = 0;
};

class PrintTree {
 public:
  // Copies the tree of `deps`; `shown` lists the attribute indices whose
  // pairs are copied (null: none; an empty list: all). Labels missing in the source are given
  // there first, in pre-order.
  void copy_from(Deps& deps, const std::vector<int>* shown);
  void clear() { nodes_.clear(); }

  bool empty() const { return nodes_.empty(); }
  // Node 0 is the top node.
  const std::vector<PrintNode>& nodes() const { return nodes_; }
  const PrintNode& node(int i) const { return nodes_[static_cast<std::size_t>(i)]; }
  std::vector<PrintNode>& mutable_nodes() { return nodes_; }

 private:
  int copy_node(DepTree& source, int parent, const std::vector<int>& shown, std::vector<DepTree*>& sources);
  // Points each copy whose source has an antecedent at that antecedent's copy.
  void link_antecedents(const std::vector<DepTree*>& sources);

  std::vector<PrintNode> nodes_;
  bool all_atts_ = false;
};

// The dependency format: "(", one line per node in word order, ")". The
// shell adds the final newline.
void print_dependency_format(std::string& out, const PrintTree& tree, std::string_view empty_designator);
// The triples format: one line per node with a relation under a parent
// with a category.
void print_triples_format(std::string& out, const PrintTree& tree);
// The nested format of `p2` and `p3`, ended by a newline.
void print_nested_format(std::string& out, const PrintTree& tree);

}  // namespace velmo
