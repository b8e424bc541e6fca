#pragma once
// The result of matching a tree pattern at a node: the node the pattern
// matched, and the matches of its parts (owned). A match without a node is
// the empty match of an optional part that found nothing.
#include <cstddef>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace velmo {

class RSTree;

class TreeMatch {
 public:
  static constexpr const char* kTypeText = "TreeMatch*";

  explicit TreeMatch(RSTree* node = nullptr) : node_(node) {}
  TreeMatch(const TreeMatch&) = delete;
  TreeMatch& operator=(const TreeMatch&) = delete;
  TreeMatch(TreeMatch&& other) noexcept
      : node_(other.node_), subs_(std::move(other.subs_)), count_(std::exchange(other.count_, 0)) {
    other.subs_.clear();
  }
  TreeMatch& operator=(TreeMatch&& other) noexcept {
    if (this != &other) {
      node_ = other.node_;
      subs_.swap(other.subs_);  // other keeps this match's sub-matches as spares
      count_ = std::exchange(other.count_, 0);
    }
    return *this;
  }

  RSTree* node() const { return node_; }
  void set_node(RSTree* node) { node_ = node; }
  // Makes this the match of `node` with no sub-matches. The sub-match
  // objects are kept as spares for next_sub: a match used again at every
  // node allocates only the first time.
  void reset(RSTree* node) {
    node_ = node;
    count_ = 0;
  }
  bool is_empty() const { return node_ == nullptr; }

  std::span<const std::unique_ptr<TreeMatch>> subs() const { return {subs_.data(), count_}; }
  std::size_t sub_count() const { return count_; }
  // The i-th sub-match counted from 1, or null.
  TreeMatch* sub(std::size_t i) const { return i >= 1 && i <= count_ ? subs_[i - 1].get() : nullptr; }
  void append(std::unique_ptr<TreeMatch> sub) {
    if (count_ < subs_.size())
      subs_[count_] = std::move(sub);
    else
      subs_.push_back(std::move(sub));
    ++count_;
  }
  void prepend(std::unique_ptr<TreeMatch> sub) {
    subs_.insert(subs_.begin(), std::move(sub));
    ++count_;
  }
  // The match that append_next adds next, to be filled first: a spare
  // kept by reset when there is one.
  TreeMatch& next_sub() {
    if (count_ == subs_.size()) subs_.push_back(std::make_unique<TreeMatch>());
    return *subs_[count_];
  }
  void append_next() { ++count_; }
  // Exchanges the sub-matches (spares included) with `subs`, which become
  // the sub-matches.
  void swap_subs(std::vector<std::unique_ptr<TreeMatch>>& subs) {
    subs_.swap(subs);
    count_ = subs_.size();
  }
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
    for (std::size_t i = 0; i < count_; ++i) subs_[i]->for_each(visit);
  }

 private:
  RSTree* node_;
  std::vector<std::unique_ptr<TreeMatch>> subs_;  // the first count_, then spares
  std::size_t count_ = 0;
};

using TreeMatchPtr = std::unique_ptr<TreeMatch>;

}  // namespace velmo
