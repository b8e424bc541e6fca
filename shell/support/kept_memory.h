#pragma once
// Memory for objects of a class that are made and dropped at a high rate
// (list nodes of parsed lexicon entries, matches of lexical patterns): the
// memory of a dropped object waits, on its thread, for the next object of
// the class made there instead of going back to the heap. The class routes
// its operator new and delete here:
//
//   void* Node::operator new(std::size_t size) { return KeptMemory<Node>::take(size); }
//   void Node::operator delete(void* memory, std::size_t size) { KeptMemory<Node>::give(memory, size); }
//
// Memory of another size (a class derived from it) goes to the heap. Builds
// that check memory (the address sanitizer) use the heap throughout, so
// that the checker sees the whole life of every object.
#include <cstddef>
#include <new>

namespace velmo {

#if defined(__SANITIZE_ADDRESS__)
#define VELMO_MEMORY_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMO_MEMORY_CHECKED 1
#endif
#endif

#ifdef VELMO_MEMORY_CHECKED
inline constexpr bool kKeepDroppedMemory = false;
#else
inline constexpr bool kKeepDroppedMemory = true;
#endif

template <class Owner>
class KeptMemory {
 public:
  static void* take(std::size_t size) {
    if (kKeepDroppedMemory && size == sizeof(Owner) && dropped_) {
      Dropped* reused = dropped_;
      dropped_ = reused->next;
      return reused;
    }
    return ::operator new(size);
  }

  static void give(void* memory, std::size_t size) {
    if (!memory) return;
    if (kKeepDroppedMemory && size == sizeof(Owner)) {
      dropped_ = new (memory) Dropped{dropped_};
      return;
    }
    ::operator delete(memory, size);
  }

 private:
  // A dropped object's memory, holding the next one's address.
  struct Dropped {
    Dropped* next;
  };
  static_assert(sizeof(Owner) >= sizeof(Dropped), "an object must hold the address of the next");

  static inline thread_local Dropped* dropped_ = nullptr;
};

}  // namespace velmo
