#include "shell/support/text.h"

#include <array>
#include <cstddef>

namespace velmo {
namespace {

// The byte each byte folds to: a table look-up costs one load where the
// range test costs four instructions, and the hashes and comparisons of
// names and dictionary keys fold every byte they read.
constexpr std::array<unsigned char, 256> make_folding_table() {
  std::array<unsigned char, 256> table{};
  for (std::size_t c = 0; c < table.size(); ++c)
    table[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return table;
}

constexpr std::array<unsigned char, 256> kFolded = make_folding_table();

template <bool kFoldCase>
std::uint32_t elf_hash_impl(std::string_view text) {
  std::uint32_t h = 0;
  for (char ch : text) {
    const unsigned char byte = static_cast<unsigned char>(ch);
    const unsigned char c = kFoldCase ? kFolded[byte] : byte;
    h = (h << 4) + c;
    // The top four bits are folded back into the low ones and cleared; with
    // none set this changes nothing, so no branch is needed.
    const std::uint32_t g = h & 0xF0000000u;
    h ^= (g >> 24) ^ g;
  }
  return h;
}

}  // namespace

std::uint32_t elf_hash_nocase(std::string_view text) { return elf_hash_impl<true>(text); }
std::uint32_t elf_hash(std::string_view text) { return elf_hash_impl<false>(text); }

int compare_nocase(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = kFolded[static_cast<unsigned char>(a[i])];
    const unsigned char y = kFolded[static_cast<unsigned char>(b[i])];
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
