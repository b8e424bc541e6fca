#include "parser/chart/item_pool.h"

namespace velmo {

std::uint64_t relation_bit(std::string_view name) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return std::uint64_t{1} << ((hash ^ (hash >> 32)) % 63);
}

PItem* ItemPool::allocate_new(bool clear_vector) {
  const std::size_t limit = pitem_limit() > 0 ? static_cast<std::size_t>(pitem_limit()) : 0;
  if (used_ - kept_ >= limit) {
    exhausted_ = true;
    return nullptr;
  }
  if (used_ < items_.size()) {
    PItem* item = &items_[used_++];
    item->reset(clear_vector);
    return item;
  }
  ++used_;
  return &items_.emplace_back(type_);
}

ItemBlocks::~ItemBlocks() {
  std::allocator<PItem> storage;
  for (std::size_t i = 0; i < size_; ++i) std::destroy_at(&(*this)[i]);
  for (PItem* block : blocks_) storage.deallocate(block, kBlockItems);
}

PItem& ItemBlocks::emplace_back(const AttInterpreterList* type) {
  if ((size_ & (kBlockItems - 1)) == 0) blocks_.push_back(std::allocator<PItem>().allocate(kBlockItems));
  PItem* item = std::construct_at(&blocks_.back()[size_ & (kBlockItems - 1)], type);
  ++size_;
  return *item;
}

}  // namespace velmo
