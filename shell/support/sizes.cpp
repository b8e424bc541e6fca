#include "shell/support/sizes.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <ostream>

#include "shell/support/diagnostics.h"

namespace velmo {

std::size_t checked_size(std::string_view what, long long value, std::size_t min, std::size_t max) {
  if (value >= 0 && static_cast<unsigned long long>(value) >= min && static_cast<unsigned long long>(value) <= max)
    return static_cast<std::size_t>(value);
  const std::size_t used = value < 0 || static_cast<unsigned long long>(value) < min ? min : max;
  diag() << what << ": " << value << " is out of range (" << min << " to " << max << "); " << used << " is used\n"
         << std::flush;
  return used;
}

std::size_t checked_size(std::string_view what, const char* text, std::size_t min, std::size_t max,
                         std::size_t fallback) {
  char* end = nullptr;
  errno = 0;
  const long long value = text ? std::strtoll(text, &end, 10) : 0;
  if (!text || end == text || *end != '\0') {
    diag() << what << ": " << (text ? text : "nothing") << " is not a number; " << fallback << " is used\n"
           << std::flush;
    return fallback;
  }
  // Beyond the range of long long, strtoll gives the nearest limit.
  return checked_size(what, value, min, max);
}

}  // namespace velmo
