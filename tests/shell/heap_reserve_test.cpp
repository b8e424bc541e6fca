#include "shell/support/heap_reserve.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(HeapReserve, StretchIsAlignedAndKeptAcrossCalls) {
  const HeapReserve reserve = reserve_heap();
  if (reserve.empty()) GTEST_SKIP() << "the allocator is not the C library's heap";
  EXPECT_EQ(reserve.begin % kHugePage, 0U);
  EXPECT_EQ(reserve.end % kHugePage, 0U);
  EXPECT_GE(reserve.end - reserve.begin, kHeapStep - 2 * kHugePage);
  const HeapReserve again = reserve_heap();
  EXPECT_EQ(again.begin, reserve.begin);
  EXPECT_EQ(again.end, reserve.end);
}

TEST(HeapReserve, LargeBlocksComeFromTheStretch) {
  const HeapReserve reserve = reserve_heap();
  if (reserve.empty()) GTEST_SKIP() << "the allocator is not the C library's heap";
  // Far above the allocator's default threshold for a mapping of its own,
  // below the one set: the block is carved from the heap's stretch.
  const std::size_t size = 4 * kHugePage;
  void* block = std::malloc(size);
  ASSERT_NE(block, nullptr);
  std::memset(block, 1, size);
  const auto begin = reinterpret_cast<std::uintptr_t>(block);
  EXPECT_LT(begin, reserve.end);
  EXPECT_GT(begin + size, reserve.begin);
  std::free(block);
}

}  // namespace
}  // namespace velmo
