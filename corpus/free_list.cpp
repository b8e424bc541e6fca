#include "corpus/free_list.h"

namespace velmo {

std::optional<std::uint32_t> FreeList::take_first_fit(std::uint32_t size) {
  for (auto it = extents_.begin(); it != extents_.end(); ++it) {
    if (it->second < size) continue;
    const std::uint32_t offset = it->first;
    const std::uint32_t rest = it->second - size;
    extents_.erase(it);
    if (rest > 0) extents_.emplace(offset + size, rest);
    return offset;
  }
  return std::nullopt;
}

bool FreeList::add(Extent extent) {
  if (extent.size == 0) return false;
  const std::uint64_t end = std::uint64_t{extent.offset} + extent.size;
  auto next = extents_.lower_bound(extent.offset);
  if (next != extents_.end() && next->first < end) return false;
  if (next != extents_.begin()) {
    auto previous = std::prev(next);
    const std::uint64_t previous_end = std::uint64_t{previous->first} + previous->second;
    if (previous_end > extent.offset) return false;
    if (previous_end == extent.offset) {
      extent.offset = previous->first;
      extent.size += previous->second;
      extents_.erase(previous);
    }
  }
  if (next != extents_.end() && next->first == end) {
    extent.size += next->second;
    extents_.erase(next);
  }
  extents_.emplace(extent.offset, extent.size);
  return true;
}

std::vector<Extent> FreeList::extents() const {
  std::vector<Extent> result;
  result.reserve(extents_.size());
  for (const auto& [offset, size] : extents_) result.push_back({offset, size});
  return result;
}

std::string FreeList::describe() const {
  std::string text;
  for (const auto& [offset, size] : extents_) text += " (" + std::to_string(offset) + ", " + std::to_string(size) + ")";
  return text;
}

}  // namespace velmo
