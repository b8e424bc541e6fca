#pragma once
// A dependency tree in the English scheme (data/en/SCHEME.md), held as plain
// values: the common ground of the dependency-format reader, the converters
// to and from Universal Dependencies and the adaptor from the parser's trees.
// Nodes refer to each other by index; -1 stands for the word-less top node.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmo::ud {

inline constexpr int kTop = -1;

struct PlainNode {
  std::string label;     // "3" or "E1"; the writer labels empty nodes anew
  std::string word;      // empty for an empty node
  std::string root;      // root form, "" when absent ("~" is resolved)
  // The dependency format writes "~" for a root that differs from the word
  // in case only (Party, party): such a root is known but for its case.
  bool root_case_unknown = false;
  std::string category;  // "" when absent
  std::string relation;  // "" when absent
  int head = kTop;       // parent's index, kTop under the top node
  int position = 0;      // 1-based word position, 0 for an empty node
  int antecedent = -1;   // index of the antecedent node, -1 when none
  std::vector<std::pair<std::string, std::string>> atts;

  bool is_empty() const { return position <= 0; }
  // The root, or the word when the node has no root of its own.
  const std::string& root_or_word() const { return root.empty() ? word : root; }
};

struct PlainToken {
  std::string form;
  bool space_before = true;
};

struct PlainTree {
  std::string sent_id;
  std::string text;
  std::vector<PlainToken> tokens;  // token of position p is tokens[p - 1]
  std::vector<PlainNode> nodes;

  int add(PlainNode node) {
    nodes.push_back(std::move(node));
    return static_cast<int>(nodes.size()) - 1;
  }
  // Children of every node, in index order; the last entry holds the
  // children of the top node.
  std::vector<std::vector<int>> children() const;
  // True when every head is in range and no node is its own ancestor.
  bool is_tree() const;
};

// Children lists and the smallest word position below each node, computed
// once per tree so that ordering children stays linear.
struct TreeIndex {
  explicit TreeIndex(const PlainTree& tree);
  const PlainTree& tree;
  std::vector<std::vector<int>> children;  // last entry: children of the top
  std::vector<int> min_position;           // 0 when no word lies below
  const std::vector<int>& children_of(int node) const {
    return children[node == kTop ? children.size() - 1 : static_cast<size_t>(node)];
  }
};

// The word-order key of a node: its position; for an empty node the smallest
// position below it, or past every position when it has none.
int sort_key(const TreeIndex& index, int node);

// Children of `parent` in word order; an empty node is ordered by the
// smallest position below it, or after its siblings when it has none.
std::vector<int> ordered_children(const TreeIndex& index, int parent);

}  // namespace velmo::ud
