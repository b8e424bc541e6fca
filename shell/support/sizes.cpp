#include "shell/support/sizes.h"

#include <cstdlib>
#include <string>
#include <ostream>

#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

std::size_t out_of_range(std::string_view what, std::string_view written, bool below, std::size_t min,
                         std::size_t max) {
  const std::size_t used = below ? min : max;
  diag() << what << ": " << written << " is out of range (" << min << " to " << max << "); " << used << " is used\n"
         << std::flush;
  return used;
}

bool below(long long value, std::size_t min) { return value < 0 || static_cast<unsigned long long>(value) < min; }

bool above(long long value, std::size_t max) { return value > 0 && static_cast<unsigned long long>(value) > max; }

}  // namespace

std::size_t checked_size(std::string_view what, long long value, std::size_t min, std::size_t max) {
  if (below(value, min) || above(value, max))
    return out_of_range(what, std::to_string(value), below(value, min), min, max);
  return static_cast<std::size_t>(value);
}

std::size_t checked_size(std::string_view what, const char* text, std::size_t min, std::size_t max,
                         std::size_t fallback) {
  char* end = nullptr;
  const long long value = text ? std::strtoll(text, &end, 10) : 0;
  if (!text || end == text || *end != '\0') {
    diag() << what << ": " << (text ? text : "nothing") << " is not a number; " << fallback << " is used\n"
           << std::flush;
    return fallback;
  }
  // Beyond the range of long long, strtoll gives the nearest limit, which
  // lies out of range too; the message shows the number as written.
  if (below(value, min) || above(value, max)) return out_of_range(what, text, below(value, min), min, max);
  return static_cast<std::size_t>(value);
}

}  // namespace velmo
