#pragma once
// What a regular expression may cost before it is compiled. The POSIX
// engine copies the body of a counted repetition once per count (and the
// body of "+" once more), so nested counts multiply: a one-line pattern
// such as ((a{1,1000}){1,1000}){1,1000} would take minutes and gigabytes.
// Patterns are measured first and refused beyond these bounds.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

struct RegexLimits {
  static constexpr std::size_t kMaxLength = 4096;
  // The smallest bound on repetition counts that POSIX lets an engine have.
  static constexpr std::size_t kMaxCount = 255;
  static constexpr std::size_t kMaxNesting = 32;
  // Pattern elements once every repetition has been copied out.
  static constexpr std::size_t kMaxExpandedSize = 20000;
};

// Why `pattern` is refused ("too long", "repetition count above 255", ...),
// or nothing when it may be compiled. Syntax errors are left to the engine.
std::optional<std::string> regex_cost_problem(std::string_view pattern);

}  // namespace velmo
