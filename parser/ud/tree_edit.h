#pragma once
// Parent pointers with child lists kept in step, for the restructuring passes
// of the converters: moving a node costs the degree of its old parent.
#include <algorithm>
#include <vector>

namespace velmo::ud {

class TreeEdit {
 public:
  // `heads[i]` is the parent of node i, -1 for the top.
  explicit TreeEdit(std::vector<int> heads) : heads_(std::move(heads)), children_(heads_.size() + 1) {
    for (int i = 0; i < static_cast<int>(heads_.size()); ++i) slot(heads_[i]).push_back(i);
  }

  int size() const { return static_cast<int>(heads_.size()); }
  int head(int node) const { return heads_[node]; }
  const std::vector<int>& heads() const { return heads_; }
  const std::vector<int>& children(int node) const {
    return children_[node < 0 ? heads_.size() : static_cast<size_t>(node)];
  }

  int add_node(int head) {
    ++edits_;
    heads_.push_back(head);
    children_.insert(children_.end() - 1, std::vector<int>());
    // The top's list moved one slot on; the new node's list is empty.
    slot(head).push_back(size() - 1);
    return size() - 1;
  }

  void set_head(int node, int head) {
    ++edits_;
    std::vector<int>& old = slot(heads_[node]);
    old.erase(std::find(old.begin(), old.end(), node));
    heads_[node] = head;
    slot(head).push_back(node);
  }

  // Puts `child` in the place of `node` (same parent) and `node` under `child`.
  void promote(int child, int node) {
    set_head(child, heads_[node]);
    set_head(node, child);
  }

  // Post-order of the current tree: every node after its children. Passes
  // ask for it one after another, mostly with no edit between them: the
  // order is kept until the next edit, and a copy of it handed out (the
  // caller may edit the tree while it walks its copy).
  std::vector<int> post_order() const {
    if (order_edits_ != edits_) {
      order_ = walk_post_order();
      order_edits_ = edits_;
    }
    return order_;
  }

 private:
  // The order is made in an array of the tree's size and the walk's stack
  // in one of its depth at most (asked for several times per sentence, they
  // grew a step at a time).
  std::vector<int> walk_post_order() const {
    std::vector<int> order;
    order.reserve(heads_.size());
    std::vector<std::pair<int, size_t>> stack;
    stack.reserve(heads_.size());
    for (int top_child : children(-1)) stack.emplace_back(top_child, 0);
    while (!stack.empty()) {
      auto& [node, next] = stack.back();
      if (next < children(node).size()) {
        int child = children(node)[next++];
        stack.emplace_back(child, 0);
        continue;
      }
      order.push_back(node);
      stack.pop_back();
    }
    return order;
  }

  std::vector<int>& slot(int node) { return children_[node < 0 ? heads_.size() : static_cast<size_t>(node)]; }

  std::vector<int> heads_;
  std::vector<std::vector<int>> children_;
  // Edits so far, and the count at which order_ was walked (-1: never).
  long edits_ = 0;
  mutable long order_edits_ = -1;
  mutable std::vector<int> order_;
};

}  // namespace velmo::ud
