#include "lexicon/attributes/att_list.h"

#include <algorithm>

#include "lexicon/attributes/att_vec.h"

namespace velmo {

AttList::AttList(const AttList& other) : capacity_(other.count_), count_(other.count_) {
  items_ = std::make_unique<AttVec*[]>(std::max<std::size_t>(capacity_, 1));
  for (std::size_t i = 0; i < count_; ++i) {
    items_[i] = other.items_[i];
    items_[i]->add_ref();
  }
}

AttList::~AttList() { truncate(0); }

void AttList::drop_ref(AttList* list) {
  if (list && --list->refs_ <= 0) delete list;
}

void AttList::reserve_one_more() {
  if (count_ < capacity_) return;
  const std::size_t grown = capacity_ + capacity_ / 4 + 4;
  auto items = std::make_unique<AttVec*[]>(grown);
  std::copy(items_.get(), items_.get() + count_, items.get());
  items_ = std::move(items);
  capacity_ = grown;
}

void AttList::append(AttVec* vec) {
  reserve_one_more();
  vec->add_ref();
  items_[count_++] = vec;
}

void AttList::prepend(AttVec* vec) {
  reserve_one_more();
  vec->add_ref();
  std::copy_backward(items_.get(), items_.get() + count_, items_.get() + count_ + 1);
  items_[0] = vec;
  ++count_;
}

void AttList::replace(std::size_t i, AttVec* vec) {
  vec->add_ref();
  AttVec::drop_ref(items_[i]);
  items_[i] = vec;
}

AttVec* AttList::take(std::size_t i) {
  AttVec* vec = items_[i];
  std::copy(items_.get() + i + 1, items_.get() + count_, items_.get() + i);
  --count_;
  return vec;
}

void AttList::truncate(std::size_t n) {
  while (count_ > n) AttVec::drop_ref(items_[--count_]);
}

AttVec* AttList::private_at(std::size_t i) {
  AttVec* vec = items_[i];
  if (vec->refs() > 1) replace(i, new AttVec(*vec));
  return items_[i];
}

bool AttList::all_empty() const {
  for (std::size_t i = 0; i < count_; ++i)
    if (!items_[i]->empty()) return false;
  return true;
}

}  // namespace velmo
