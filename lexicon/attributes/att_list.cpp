#include "lexicon/attributes/att_list.h"

#include <algorithm>

#include "lexicon/attributes/att_vec.h"

namespace velmo {

AttList::AttList(const AttList& other) : RefCounted(), capacity_(other.count_), count_(other.count_) {
  items_ = std::make_unique<RefPtr<AttVec>[]>(std::max<std::size_t>(capacity_, 1));
  for (std::size_t i = 0; i < count_; ++i) items_[i] = other.items_[i];
}

AttList::~AttList() { truncate(0); }

void AttList::reserve_one_more() {
  if (count_ < capacity_) return;
  const std::size_t grown = capacity_ + capacity_ / 4 + 4;
  auto items = std::make_unique<RefPtr<AttVec>[]>(grown);
  std::move(items_.get(), items_.get() + count_, items.get());
  items_ = std::move(items);
  capacity_ = grown;
}

void AttList::append(AttVec* vec) {
  reserve_one_more();
  items_[count_++] = RefPtr<AttVec>(vec);
}

void AttList::prepend(AttVec* vec) {
  reserve_one_more();
  std::move_backward(items_.get(), items_.get() + count_, items_.get() + count_ + 1);
  items_[0] = RefPtr<AttVec>(vec);
  ++count_;
}

void AttList::replace(std::size_t i, AttVec* vec) { items_[i].reset(vec); }

AttVec* AttList::take(std::size_t i) {
  AttVec* vec = items_[i].release();
  std::move(items_.get() + i + 1, items_.get() + count_, items_.get() + i);
  --count_;
  return vec;
}

void AttList::truncate(std::size_t n) {
  while (count_ > n) items_[--count_].reset();
}

AttVec* AttList::private_at(std::size_t i) {
  AttVec* vec = items_[i].get();
  if (vec->refs() > 1) replace(i, new AttVec(*vec));
  return items_[i].get();
}

bool AttList::all_empty() const {
  for (std::size_t i = 0; i < count_; ++i)
    if (!items_[i]->empty()) return false;
  return true;
}

}  // namespace velmo
