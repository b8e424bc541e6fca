#include "shell/support/slist.h"

#include <memory>
#include <vector>

namespace velmo {
namespace {

struct NodePoolState {
  SlistNode* free_list = nullptr;
  std::size_t free_count = 0;
  // Blocks are kept for the life of the process; node memory is never
  // returned to the system.
  std::vector<std::unique_ptr<SlistNode[]>> blocks;
};

NodePoolState& pool() {
  // Never destroyed: lists held by other static objects (the object factory,
  // prototypes) give their nodes back while the program exits.
  static NodePoolState& state = *new NodePoolState;
  return state;
}

}  // namespace

SlistNode* SlistNodePool::acquire(Word value) {
  NodePoolState& p = pool();
  SlistNode* node;
  if (p.free_list) {
    node = p.free_list;
    p.free_list = node->next;
    --p.free_count;
  } else {
    auto block = std::make_unique<SlistNode[]>(kBlockNodes);
    for (std::size_t i = 1; i < kBlockNodes; ++i) {
      block[i].next = p.free_list;
      p.free_list = &block[i];
    }
    p.free_count += kBlockNodes - 1;
    node = &block[0];
    p.blocks.push_back(std::move(block));
  }
  node->next = nullptr;
  node->value = value;
  return node;
}

void SlistNodePool::release(SlistNode* node) {
  NodePoolState& p = pool();
  node->next = p.free_list;
  p.free_list = node;
  ++p.free_count;
}

std::size_t SlistNodePool::free_count() { return pool().free_count; }
std::size_t SlistNodePool::blocks_allocated() { return pool().blocks.size(); }

Slist& Slist::operator=(Slist&& other) noexcept {
  if (this != &other) {
    clear();
    last_ = other.last_;
    other.last_ = nullptr;
  }
  return *this;
}

std::size_t Slist::length() const {
  std::size_t n = 0;
  for (SlistNode* node = first_node(); node; node = node == last_ ? nullptr : node->next) ++n;
  return n;
}

void Slist::append(Word value) { last_ = insert_after(last_, value); }

void Slist::prepend(Word value) { insert_after(nullptr, value); }

SlistNode* Slist::insert_after(SlistNode* pos, Word value) {
  SlistNode* node = SlistNodePool::acquire(value);
  if (!last_) {
    node->next = node;
    last_ = node;
  } else if (!pos) {
    node->next = last_->next;
    last_->next = node;
  } else {
    node->next = pos->next;
    pos->next = node;
    if (pos == last_) last_ = node;
  }
  return node;
}

bool Slist::take_first(Word& value) {
  if (!last_) return false;
  SlistNode* first = last_->next;
  value = first->value;
  unlink(last_, first);
  return true;
}

bool Slist::nth(std::size_t n, Word& value) const {
  for (SlistNode* node = first_node(); node; node = node == last_ ? nullptr : node->next) {
    if (n-- == 0) {
      value = node->value;
      return true;
    }
  }
  return false;
}

SlistNode* Slist::find(Word value) const {
  for (SlistNode* node = first_node(); node; node = node == last_ ? nullptr : node->next)
    if (node->value == value) return node;
  return nullptr;
}

bool Slist::remove(Word value) {
  SlistNode* previous = last_;
  for (SlistNode* node = first_node(); node; node = node == last_ ? nullptr : node->next) {
    if (node->value == value) {
      unlink(previous, node);
      return true;
    }
    previous = node;
  }
  return false;
}

void Slist::clear() {
  while (last_) {
    Word ignored;
    take_first(ignored);
  }
}

void Slist::unlink(SlistNode* previous, SlistNode* node) {
  if (node == previous) {  // the only node
    last_ = nullptr;
  } else {
    previous->next = node->next;
    if (node == last_) last_ = previous;
  }
  SlistNodePool::release(node);
}

Slist::Iterator::Iterator(Slist& list) : list_(&list), previous_(list.last_), current_(list.first_node()) {}

void Slist::Iterator::advance() {
  if (!current_) return;
  if (current_ == list_->last_) {
    current_ = nullptr;
  } else {
    previous_ = current_;
    current_ = current_->next;
  }
}

void Slist::Iterator::remove_current() {
  if (!current_) return;
  SlistNode* removed = current_;
  const bool was_last = removed == list_->last_;
  SlistNode* following = removed->next;
  list_->unlink(previous_, removed);
  current_ = was_last ? nullptr : following;
}

}  // namespace velmo
