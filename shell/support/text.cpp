#include "shell/support/text.h"

namespace velmo {
namespace {

template <bool kFoldCase>
std::uint32_t elf_hash_impl(std::string_view text) {
  std::uint32_t h = 0;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(kFoldCase ? ascii_lower(ch) : ch);
    h = (h << 4) + c;
    const std::uint32_t g = h & 0xF0000000u;
    if (g != 0) h = h ^ (g >> 24) ^ g;
  }
  return h;
}

}  // namespace

std::uint32_t elf_hash_nocase(std::string_view text) { return elf_hash_impl<true>(text); }
std::uint32_t elf_hash(std::string_view text) { return elf_hash_impl<false>(text); }

int compare_nocase(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(ascii_lower(a[i]));
    const unsigned char y = static_cast<unsigned char>(ascii_lower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int compare_exact(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace velmo
