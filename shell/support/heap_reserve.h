#pragma once
// The heap of a parsing process, set up once at start-up. Parsing a text
// touches some tens of megabytes of fresh heap (chart items, cached
// statistics, the relation database's entries); on 4 KB pages every one of
// those pages costs the kernel a fault, which on a virtual machine is about
// as dear as a sentence's worth of parsing. Here the heap is made to grow in
// one large step, that stretch is offered to the kernel for huge pages
// (where the system gives them on request), and large blocks are taken from
// the heap too instead of from mappings of their own, which are unmapped on
// release and faulted in afresh when the next is made.
#include <cstddef>
#include <cstdint>

namespace velmo {

struct HeapReserve {
  // The stretch of heap offered for huge pages: [begin, end), aligned to
  // kHugePage; empty when the heap could not be set up (another allocator,
  // as under a sanitizer or a memory checker).
  std::uintptr_t begin = 0;
  std::uintptr_t end = 0;
  bool empty() const { return end <= begin; }
};

inline constexpr std::size_t kHugePage = std::size_t{2} << 20;
// How far the heap grows beyond what is asked each time it grows: more than
// a whole run over a long text needs, so it grows once. Only the pages
// touched are ever backed by memory.
inline constexpr std::size_t kHeapStep = std::size_t{96} << 20;
// Blocks up to this size come from the heap (the allocator's default maps
// each block from 128 KB up on its own).
inline constexpr std::size_t kLargestHeapBlock = std::size_t{32} << 20;

// Sets the heap up as above; the first call only does anything. Returns
// the stretch offered for huge pages.
HeapReserve reserve_heap();

}  // namespace velmo
