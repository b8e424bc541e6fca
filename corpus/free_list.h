#pragma once
// The free extents of a block file, kept in ascending offset order. Freed
// extents merge with the neighbours they touch, so the list never holds two
// adjacent extents.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmo {

struct Extent {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;  // bytes
  bool operator==(const Extent&) const = default;
};

class FreeList {
 public:
  // First fit in offset order: removes `size` bytes from the first extent
  // large enough and returns their offset.
  std::optional<std::uint32_t> take_first_fit(std::uint32_t size);
  // Adds an extent, merging it with touching neighbours. Refuses (false) an
  // empty extent or one that overlaps a free extent.
  bool add(Extent extent);
  void clear() { extents_.clear(); }

  std::size_t count() const { return extents_.size(); }
  bool empty() const { return extents_.empty(); }
  std::vector<Extent> extents() const;
  // " (offset, size)" for every extent, in offset order.
  std::string describe() const;

 private:
  std::map<std::uint32_t, std::uint32_t> extents_;  // offset -> size
};

}  // namespace velmo
