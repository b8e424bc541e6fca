#include "parser/forest/rs_tree.h"

#include <algorithm>
#include <ostream>

#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

void report(const char* message) { diag() << message << '\n' << std::flush; }

}  // namespace

void RSTree::renumber_children(std::size_t from) {
  for (std::size_t i = from; i < children_.size(); ++i) children_[i]->index_ = i;
}

bool RSTree::is_ancestor_of(const RSTree* node) const {
  for (const RSTree* p = node ? node->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

bool RSTree::del() {
  if (!parent_) {
    report("RSTree::del() cannot delete the root node of a RSTree");
    return false;
  }
  parent_->unlink_child(this);
  return true;
}

void RSTree::unlink_child(RSTree* child) {
  const std::size_t index = child->index_;
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
  renumber_children(index);
  child->parent_ = nullptr;
  note_change();
}

bool RSTree::placeable(RSTree* child) const {
  if (!child || child == this || child->is_ancestor_of(this)) return false;
  return child->parent_ == nullptr || child->parent_ == this;
}

bool RSTree::place(std::size_t index, RSTree* child, const char* message) {
  if (!placeable(child)) {
    report(message);
    return false;
  }
  if (child->parent_ == this) {
    const std::size_t old = child->index_in_parent();
    unlink_child(child);
    if (old < index) --index;
  }
  index = std::min(index, children_.size());
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), child);
  child->parent_ = this;
  renumber_children(index);
  note_change();
  return true;
}

bool RSTree::insert(RSTree* child) { return place(0, child, "RSTree::insert error."); }

bool RSTree::append(RSTree* child) { return place(children_.size(), child, "RSTree::append error."); }

bool RSTree::insert_at(std::size_t index, RSTree* child) { return place(index, child, "RSTree::insert error."); }

bool RSTree::insert_before(RSTree* child, RSTree* anchor) {
  if (!anchor || anchor->parent_ != this) return place(children_.size() + 1, nullptr, "RSTree::insert error.");
  return place(anchor->index_in_parent(), child, "RSTree::insert error.");
}

bool RSTree::insert_after(RSTree* child, RSTree* anchor) {
  if (!anchor || anchor->parent_ != this) return place(0, nullptr, "RSTree::insert error.");
  return place(anchor->index_in_parent() + 1, child, "RSTree::insert error.");
}

}  // namespace velmo
