#include "shell/support/regex_cost.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmo {
namespace {

// Sizes saturate just above the bound, so that no product overflows.
constexpr std::uint64_t kCap = RegexLimits::kMaxExpandedSize + 1;

std::uint64_t capped(std::uint64_t size) { return std::min(size, kCap); }

// One open group: the alternatives finished so far, the one being read and
// the size of its last element (which a repetition applies to).
struct Group {
  std::uint64_t finished = 0;
  std::uint64_t current = 0;
  std::uint64_t last = 0;

  void add(std::uint64_t size) {
    current = capped(current + size);
    last = size;
  }
  // The last element repeated: `copies` copies of it in all.
  void repeat(std::uint64_t copies) {
    const std::uint64_t grown = capped(last * copies);
    current = capped(current - last + grown);
    last = grown;
  }
  std::uint64_t total() const { return capped(finished + current + 1); }
};

// Reads the decimal number at `at` (at most a few digits matter).
std::uint64_t read_count(std::string_view pattern, std::size_t& at) {
  std::uint64_t value = 0;
  while (at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9') {
    value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(pattern[at] - '0'), 1000000);
    ++at;
  }
  return value;
}

// Skips a bracket expression starting at `at` ("["); returns the index after
// its closing "]" (or the end of the pattern).
std::size_t skip_bracket(std::string_view pattern, std::size_t at) {
  ++at;
  if (at < pattern.size() && pattern[at] == '^') ++at;
  if (at < pattern.size() && pattern[at] == ']') ++at;
  while (at < pattern.size() && pattern[at] != ']') {
    if (pattern[at] == '[' && at + 1 < pattern.size() &&
        (pattern[at + 1] == ':' || pattern[at + 1] == '.' || pattern[at + 1] == '=')) {
      const char kind = pattern[at + 1];
      const std::size_t close = pattern.find(std::string{kind, ']'}, at + 2);
      at = close == std::string_view::npos ? pattern.size() : close + 2;
      continue;
    }
    ++at;
  }
  return std::min(at + 1, pattern.size());
}

}  // namespace

std::optional<std::string> regex_cost_problem(std::string_view pattern) {
  if (pattern.size() > RegexLimits::kMaxLength)
    return "pattern longer than " + std::to_string(RegexLimits::kMaxLength) + " characters";
  std::vector<Group> groups(1);
  for (std::size_t at = 0; at < pattern.size();) {
    Group& group = groups.back();
    const char c = pattern[at];
    if (c == '(') {
      if (groups.size() > RegexLimits::kMaxNesting)
        return "groups nested more than " + std::to_string(RegexLimits::kMaxNesting) + " deep";
      groups.emplace_back();
      ++at;
    } else if (c == ')' && groups.size() > 1) {
      const std::uint64_t size = group.total();
      groups.pop_back();
      groups.back().add(size);
      ++at;
    } else if (c == '|') {
      group.finished = capped(group.finished + group.current);
      group.current = group.last = 0;
      ++at;
    } else if (c == '+') {
      group.repeat(2);
      ++at;
    } else if (c == '{' && at + 1 < pattern.size() && pattern[at + 1] >= '0' && pattern[at + 1] <= '9') {
      ++at;
      const std::uint64_t low = read_count(pattern, at);
      std::uint64_t high = low;
      bool bounded = true;
      if (at < pattern.size() && pattern[at] == ',') {
        ++at;
        bounded = at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9';
        high = bounded ? read_count(pattern, at) : low;
      }
      if (low > RegexLimits::kMaxCount || high > RegexLimits::kMaxCount)
        return "repetition count above " + std::to_string(RegexLimits::kMaxCount);
      // An open upper bound copies the body once more than the lower one.
      group.repeat(std::max<std::uint64_t>(1, bounded ? std::max(low, high) : low + 1));
      if (at < pattern.size() && pattern[at] == '}') ++at;
    } else if (c == '[') {
      group.add(1);
      at = skip_bracket(pattern, at);
    } else if (c == '\\') {
      if (at + 1 < pattern.size() && pattern[at + 1] >= '1' && pattern[at + 1] <= '9')
        return "back-reference \\" + std::string(1, pattern[at + 1]) + " (matching with one has no bound on its cost)";
      group.add(1);
      at += 2;
    } else {
      group.add(1);
      ++at;
    }
    if (groups.back().total() > RegexLimits::kMaxExpandedSize)
      return "more than " + std::to_string(RegexLimits::kMaxExpandedSize) +
             " elements once its repetitions are expanded";
  }
  std::uint64_t total = 0;
  for (const Group& group : groups) total = capped(total + group.total());
  if (total > RegexLimits::kMaxExpandedSize)
    return "more than " + std::to_string(RegexLimits::kMaxExpandedSize) + " elements once its repetitions are expanded";
  return std::nullopt;
}

}  // namespace velmo
