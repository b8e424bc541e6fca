#pragma once
// Text helpers shared by every table of the system: the ELF-style hash over
// lower-cased bytes and case-insensitive comparison of ASCII letters.
#include <cstdint>
#include <string_view>

namespace velmo {

inline char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::uint32_t elf_hash_nocase(std::string_view text);
std::uint32_t elf_hash(std::string_view text);
// <0, 0, >0 like strcmp, ignoring the case of ASCII letters.
int compare_nocase(std::string_view a, std::string_view b);
inline bool equal_nocase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compare_nocase(a, b) == 0;
}
int compare_exact(std::string_view a, std::string_view b);

// FNV-1a over the exact bytes: spreads short texts over every bit, for
// open-addressing tables sized by powers of two, where the ELF hash's low
// bits cluster.
inline std::uint32_t fnv1a_hash(std::string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash;
}

}  // namespace velmo
