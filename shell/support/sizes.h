#pragma once
// Sizes, counts and bucket counts read from command text or data files are
// checked where they are read: a negative or huge number must never reach an
// allocator. Out of range, the nearest bound is used after a message, and
// the command goes on.
#include <cstddef>
#include <string_view>

namespace velmo {

// The most buckets a hash table in memory may have: each bucket costs a few
// dozen bytes, so a handful of tables at 2^24 would take gigabytes.
inline constexpr std::size_t kMaxBucketCount = std::size_t{1} << 20;
// The most buckets a table on disk (a dictionary index, a hash file) may
// have; its bucket table costs 4 bytes a bucket.
inline constexpr std::size_t kMaxDiskBucketCount = std::size_t{1} << 24;
// The most bytes a command may ask to have reserved ahead of use.
inline constexpr std::size_t kMaxReservedBytes = std::size_t{1} << 24;

// `value` when it lies in [min, max]; otherwise reports
// "<what>: <value> is out of range (<min> to <max>); <used> is used"
// and returns the nearest bound.
std::size_t checked_size(std::string_view what, long long value, std::size_t min, std::size_t max);
// The same for a size written as text; text that is not a whole number is
// reported as "<what>: <text> is not a number; <fallback> is used".
std::size_t checked_size(std::string_view what, const char* text, std::size_t min, std::size_t max,
                         std::size_t fallback);
// A bucket count of a table in memory: [1, kMaxBucketCount].
inline std::size_t checked_buckets(std::string_view what, long long value) {
  return checked_size(what, value, 1, kMaxBucketCount);
}

}  // namespace velmo
