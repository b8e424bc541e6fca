#include "shell/support/exit_memory.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMO_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMO_LEAK_CHECKER 1
#endif
#endif

#ifdef VELMO_LEAK_CHECKER
#include <sanitizer/lsan_interface.h>
#endif

namespace velmo {

void leave_to_process_exit(const void* object) {
#ifdef VELMO_LEAK_CHECKER
  // An ignored allocation also counts as a root: what it points to is
  // reachable, not leaked.
  if (object) __lsan_ignore_object(object);
#else
  (void)object;
#endif
}

}  // namespace velmo
