#include "shell/support/heap_reserve.h"

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMO_OTHER_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VELMO_OTHER_ALLOCATOR 1
#endif
#endif

#if defined(__GLIBC__) && defined(__linux__) && !defined(VELMO_OTHER_ALLOCATOR)
#define VELMO_GLIBC_HEAP 1
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace velmo {
namespace {

#ifdef VELMO_GLIBC_HEAP
std::uintptr_t align_up(std::uintptr_t address) { return (address + kHugePage - 1) & ~(kHugePage - 1); }
std::uintptr_t align_down(std::uintptr_t address) { return address & ~(kHugePage - 1); }

HeapReserve set_up_heap() {
  // Blocks below the threshold come from the heap; the heap is never
  // given back (what a run needed once, it needs again); each growth takes
  // kHeapStep more than asked.
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestHeapBlock)) != 1 ||
      mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapStep)) != 1 ||
      mallopt(M_TOP_PAD, static_cast<int>(kHeapStep)) != 1)
    return {};
  // A block larger than what is left at the top of the heap makes it grow
  // now, by kHeapStep beyond the block; it is given back at once and the
  // stretch stays the heap's.
  void* probe = std::malloc(kHugePage);
  if (!probe) return {};
  const auto bottom = reinterpret_cast<std::uintptr_t>(probe);
  const auto top = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(probe);
  // Only a heap that grew as expected is advised: the block lies below the
  // break, at most a step and a block from it (an allocator of its own, as
  // a memory checker brings, puts blocks elsewhere).
  if (top == static_cast<std::uintptr_t>(-1) || bottom >= top || top - bottom > kHeapStep + 2 * kHugePage) return {};
  HeapReserve reserve{align_up(bottom), align_down(top)};
  if (reserve.empty()) return {};
  if (madvise(reinterpret_cast<void*>(reserve.begin), reserve.end - reserve.begin, MADV_HUGEPAGE) != 0) return {};
  return reserve;
}
#endif

}  // namespace

HeapReserve reserve_heap() {
#ifdef VELMO_GLIBC_HEAP
  static const HeapReserve reserve = set_up_heap();
  return reserve;
#else
  return {};
#endif
}

}  // namespace velmo
