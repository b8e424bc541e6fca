#pragma once
// Memory deliberately left to the process exit. Freeing a large structure
// object by object just before the process ends costs time and changes
// nothing, so some owners are released on purpose instead; the leak checker
// of a sanitizer build is told that these are no leaks.
namespace velmo {

// Marks `object` (the start of a heap allocation, or null) and everything
// reachable from it as memory kept until the process ends.
void leave_to_process_exit(const void* object);

}  // namespace velmo
