#include "parser/ud/plain_tree.h"

#include <algorithm>
#include <limits>

namespace velmo::ud {

std::vector<std::vector<int>> PlainTree::children() const {
  std::vector<std::vector<int>> result(nodes.size() + 1);
  for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
    int head = nodes[i].head;
    if (head < 0 || head >= static_cast<int>(nodes.size())) head = static_cast<int>(nodes.size());
    result[head].push_back(i);
  }
  return result;
}

bool PlainTree::is_tree() const {
  const int n = static_cast<int>(nodes.size());
  // 0 unvisited, 1 on the current path, 2 known to reach the top.
  std::vector<char> state(n, 0);
  for (int start = 0; start < n; ++start) {
    std::vector<int> path;
    int at = start;
    while (at != kTop && state[at] == 0) {
      state[at] = 1;
      path.push_back(at);
      at = nodes[at].head;
      if (at != kTop && (at < 0 || at >= n)) return false;
    }
    if (at != kTop && state[at] == 1) return false;
    for (int node : path) state[node] = 2;
  }
  return true;
}

TreeIndex::TreeIndex(const PlainTree& tree)
    : tree(tree), children(tree.children()), min_position(tree.nodes.size(), 0) {
  // Post-order without recursion: a node is finished after all its children.
  const int n = static_cast<int>(tree.nodes.size());
  std::vector<std::pair<int, size_t>> stack;
  std::vector<char> done(n, 0);
  for (int top_child : children.back()) stack.emplace_back(top_child, 0);
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (next < children[node].size()) {
      int child = children[node][next++];
      if (!done[child]) stack.emplace_back(child, 0);
      continue;
    }
    int best = tree.nodes[node].position > 0 ? tree.nodes[node].position : std::numeric_limits<int>::max();
    for (int child : children[node])
      if (min_position[child] > 0) best = std::min(best, min_position[child]);
    min_position[node] = best == std::numeric_limits<int>::max() ? 0 : best;
    done[node] = 1;
    stack.pop_back();
  }
}

int sort_key(const TreeIndex& index, int node) {
  int position = index.tree.nodes[node].position;
  if (position <= 0) position = index.min_position[node];
  return position > 0 ? position : std::numeric_limits<int>::max();
}

std::vector<int> ordered_children(const TreeIndex& index, int parent) {
  std::vector<int> result = index.children_of(parent);
  std::stable_sort(result.begin(), result.end(), [&](int a, int b) { return sort_key(index, a) < sort_key(index, b); });
  return result;
}

}  // namespace velmo::ud
