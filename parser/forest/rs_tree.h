#pragma once
// A general ordered tree: every node knows its parent and its children in
// order. Nodes do not own one another; whoever makes them (a Deps for the
// dependency trees) owns them, so a subtree detached by a tree rule stays
// valid until it is put back or its owner goes.
#include <cstddef>
#include <vector>

namespace velmo {

class RSTree {
 public:
  RSTree() = default;
  virtual ~RSTree() = default;
  RSTree(const RSTree&) = delete;
  RSTree& operator=(const RSTree&) = delete;

  RSTree* parent() const { return parent_; }
  const std::vector<RSTree*>& children() const { return children_; }
  bool has_children() const { return !children_.empty(); }
  RSTree* first_child() const { return children_.empty() ? nullptr : children_.front(); }
  RSTree* last_child() const { return children_.empty() ? nullptr : children_.back(); }
  // The siblings beside this node, or null.
  RSTree* next_sibling() const {
    if (!parent_) return nullptr;
    const std::size_t i = index_ + 1;
    return i < parent_->children_.size() ? parent_->children_[i] : nullptr;
  }
  RSTree* previous_sibling() const { return parent_ && index_ > 0 ? parent_->children_[index_ - 1] : nullptr; }
  // Index of this node among its parent's children (0 without a parent);
  // kept up to date by every change, so sibling steps cost nothing.
  std::size_t index_in_parent() const { return parent_ ? index_ : 0; }
  bool is_ancestor_of(const RSTree* node) const;

  // Removes this node (with its subtree) from its parent. Refused with a
  // message for a node without a parent.
  bool del();
  // Puts `child` first / last among the children. Refused with a message
  // when `child` has another parent, or when it is this node or one of its
  // ancestors (the tree would become a cycle). A child of this node moves.
  bool insert(RSTree* child);
  bool append(RSTree* child);
  // Puts `child` at `index` (clamped to the end); refused like insert.
  bool insert_at(std::size_t index, RSTree* child);
  // Puts `child` right before / after `anchor`, one of the children.
  bool insert_before(RSTree* child, RSTree* anchor);
  bool insert_after(RSTree* child, RSTree* anchor);

 protected:
  // Called on a node whose children change (one removed, added or moved),
  // so that an owner can tell that the shape of its tree has changed.
  virtual void note_change() {}
  // Makes the node stand alone again, without parent or children, keeping
  // the room its list of children had (for an owner that reuses nodes).
  void forget_links() {
    parent_ = nullptr;
    index_ = 0;
    children_.clear();
  }

 private:
  // Whether `child` may be placed among the children of this node.
  bool placeable(RSTree* child) const;
  void unlink_child(RSTree* child);
  void renumber_children(std::size_t from);
  bool place(std::size_t index, RSTree* child, const char* message);

  RSTree* parent_ = nullptr;
  std::size_t index_ = 0;  // among the parent's children
  std::vector<RSTree*> children_;
};

// Pre-order traversal (a node before its children) of the subtree under a
// start node. The next node is found from the current one when advancing,
// so the current node may be changed, and `skip_children` keeps the
// traversal from descending below it.
template <class T>
class TPreIterator {
 public:
  explicit TPreIterator(T* root) : root_(root), current_(root) {}
  T* current() const { return current_; }
  bool done() const { return current_ == nullptr; }
  void skip_children() { skip_ = true; }
  void advance() {
    RSTree* node = current_;
    if (!node) return;
    if (!skip_ && node->has_children()) {
      current_ = static_cast<T*>(node->first_child());
      return;
    }
    skip_ = false;
    while (node && node != root_) {
      if (RSTree* next = node->next_sibling()) {
        current_ = static_cast<T*>(next);
        return;
      }
      node = node->parent();
    }
    current_ = nullptr;
  }
  // Steps past the current node and its subtree (used before the current
  // node is detached from the tree).
  void step_past_current() {
    skip_children();
    advance();
  }

 private:
  RSTree* root_;
  T* current_;
  bool skip_ = false;
};

// Post-order traversal (children before their parent).
template <class T>
class TPostIterator {
 public:
  explicit TPostIterator(T* root) : root_(root), current_(root ? leftmost_leaf(root) : nullptr) {}
  T* current() const { return current_; }
  bool done() const { return current_ == nullptr; }
  void advance() {
    RSTree* node = current_;
    if (!node || node == root_) {
      current_ = nullptr;
      return;
    }
    if (RSTree* next = node->next_sibling())
      current_ = leftmost_leaf(next);
    else
      current_ = static_cast<T*>(node->parent());
  }
  // Continues at the parent, passing over the current node's remaining
  // siblings.
  void skip_siblings() {
    if (!current_ || current_ == root_)
      current_ = nullptr;
    else
      current_ = static_cast<T*>(current_->parent());
  }

 private:
  static T* leftmost_leaf(RSTree* node) {
    while (node->has_children()) node = node->first_child();
    return static_cast<T*>(node);
  }

  RSTree* root_;
  T* current_;
};

}  // namespace velmo
