#pragma once
// The result of matching a tree pattern at a node: the node the pattern
// matched, and the matches of its parts (owned). A match without a node is
// the empty match of an optional part that found nothing.
#include <memory>
#include <vector>

namespace velmo {

class RSTree;

class TreeMatch {
 public:
  static constexpr const char* kTypeText = "TreeMatch*";

  explicit TreeMatch(RSTree* node = nullptr) : node_(node) {}

  RSTree* node() const { return node_; }
  void set_node(RSTree* node) { node_ = node; }
  // Makes this the match of `node` with no sub-matches, keeping the room
  // the sub-matches took: a match used again at every node allocates once.
  void reset(RSTree* node) {
    node_ = node;
    subs_.clear();
  }
  bool is_empty() const { return node_ == nullptr; }

  const std::vector<std::unique_ptr<TreeMatch>>& subs() const { return subs_; }
  std::size_t sub_count() const { return subs_.size(); }
  // The i-th sub-match counted from 1, or null.
  TreeMatch* sub(std::size_t i) const { return i >= 1 && i <= subs_.size() ? subs_[i - 1].get() : nullptr; }
  void append(std::unique_ptr<TreeMatch> sub) { subs_.push_back(std::move(sub)); }
  void prepend(std::unique_ptr<TreeMatch> sub) { subs_.insert(subs_.begin(), std::move(sub)); }
  // Exchanges the sub-matches with `subs`.
  void swap_subs(std::vector<std::unique_ptr<TreeMatch>>& subs) { subs_.swap(subs); }
  // Whether `node` is already the node of one of the direct sub-matches.
  bool has_sub_at(const RSTree* node) const;
  // Follows the first sub-match down as far as it goes: the end of a chain
  // made by `path` and `t+`.
  TreeMatch* innermost();

  // A deep copy.
  std::unique_ptr<TreeMatch> clone() const;

  // Visits this match and all its sub-matches in pre-order.
  template <class F>
  void for_each(F&& visit) {
    visit(*this);
    for (auto& sub : subs_) sub->for_each(visit);
  }

 private:
  RSTree* node_;
  std::vector<std::unique_ptr<TreeMatch>> subs_;
};

using TreeMatchPtr = std::unique_ptr<TreeMatch>;

}  // namespace velmo
