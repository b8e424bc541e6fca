#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/text.h"

namespace velmo {
namespace {

// The hash as the stored dictionary indexes and hash files were written
// with: byte by byte, capitals folded by a range test, the top four bits
// folded back whenever they are set.
std::uint32_t reference_hash(std::string_view text, bool fold) {
  std::uint32_t h = 0;
  for (const char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (fold && c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
    h = (h << 4) + c;
    const std::uint32_t g = h & 0xF0000000u;
    if (g != 0) h = (h ^ (g >> 24)) & ~g;
  }
  return h;
}

int reference_compare(std::string_view a, std::string_view b) {
  const auto folded = [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
  };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (folded(a[i]) != folded(b[i])) return folded(a[i]) < folded(b[i]) ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

// Every byte value, alone and after a long run that sets the top bits.
std::vector<std::string> texts_of_every_byte() {
  std::vector<std::string> texts;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    texts.emplace_back(1, c);
    texts.push_back(std::string("Zebra-Crossing_") + c + "\xE2\x80\x99s");
  }
  texts.emplace_back("");
  texts.emplace_back("A rather LONG text, longer than eight bytes: WHOSE hash wraps");
  return texts;
}

TEST(TextFoldingTest, HashesAreThoseOfTheStoredFiles) {
  for (const std::string& text : texts_of_every_byte()) {
    EXPECT_EQ(elf_hash_nocase(text), reference_hash(text, true)) << text;
    EXPECT_EQ(elf_hash(text), reference_hash(text, false)) << text;
  }
  EXPECT_EQ(elf_hash_nocase("ABC"), elf_hash_nocase("abc"));
  EXPECT_NE(elf_hash("ABC"), elf_hash("abc"));
}

TEST(TextFoldingTest, ComparisonFoldsOnlyAsciiCapitals) {
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) {
      const std::string a(1, static_cast<char>(x)), b(1, static_cast<char>(y));
      ASSERT_EQ(compare_nocase(a, b), reference_compare(a, b)) << x << ' ' << y;
    }
  EXPECT_EQ(compare_nocase("Word", "wORD"), 0);
  EXPECT_LT(compare_nocase("word", "words"), 0);
  EXPECT_LT(compare_nocase("[", "A"), 0);  // "[" is below "a", to which "A" folds
  EXPECT_TRUE(equal_nocase("\xC3\x89t\xC3\xA9", "\xC3\x89T\xC3\xA9"));
  EXPECT_FALSE(equal_nocase("\xC3\x89", "\xC3\xA9"));
}

}  // namespace
}  // namespace velmo
