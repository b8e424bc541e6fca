#include "analyser/readability.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

TEST(zentraCountText, SeparatorsAndLetters) {
  const TextCounts counts = count_text("ab cd\nef");
  EXPECT_EQ(counts.letters, 6u);
  EXPECT_EQ(counts.separators, 2u);
  EXPECT_EQ(counts.line_ends, 1u);
}

TEST(zentraCountText, ConsecutiveSeparatorsEachCount) {
  const TextCounts counts = count_text("a \t\n\nb");
  EXPECT_EQ(counts.separators, 4u);
  EXPECT_EQ(counts.line_ends, 2u);
  EXPECT_EQ(counts.letters, 2u);
}

TEST(zentraCountText, CarriageReturnAloneIsALetter) { EXPECT_EQ(count_text("a\rb").letters, 3u); }

TEST(zentraColemanLiau, TwoLineExample) {
  EXPECT_EQ(readability_line(coleman_liau_index(count_text("ab cd\nef"))),
            "Readability Index: (Coleman-Liau Formula) -28.13\n");
}

TEST(zentraColemanLiau, SixSignificantDigits) {
  // 5.89 * 10 / 3 - 30 * 1 / 3 - 15.8 = -6.16666...
  EXPECT_EQ(readability_line(coleman_liau_index({10, 3, 0})), "Readability Index: (Coleman-Liau Formula) -6.16667\n");
}

TEST(zentraColemanLiau, NoSeparatorsIsNotFinite) { EXPECT_FALSE(std::isfinite(coleman_liau_index(count_text("abc")))); }

TEST(zentraReadabilityRun, CrLfCountsAsOneLineEnd) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "ab cd\r\nef");
  dir.write("readability.log", "old");
  run_readability(dir.workspace(), dir.path("doc.txt"));
  EXPECT_EQ(dir.read("readability.log"), "Readability Index: (Coleman-Liau Formula) -28.13\n");
  EXPECT_FALSE(dir.exists("sentences.txt"));
}

}  // namespace
}  // namespace zentra
