#include <gtest/gtest.h>

#include <string>

#include "shell/lib/text_algorithms.h"

namespace velmo {
namespace {

TEST(TrigramSimilarityTest, EqualTextsScoreTheMaximum) {
  TrigramSimilarity similarity;
  EXPECT_EQ(similarity("hello", "hello"), 1000);
  EXPECT_EQ(similarity("a", "a"), 1000);
}

TEST(TrigramSimilarityTest, CaseIsIgnored) {
  TrigramSimilarity similarity;
  EXPECT_EQ(similarity("Hello", "hELLO"), 1000);
}

TEST(TrigramSimilarityTest, SharedPiecesCountTwiceAgainstAllPieces) {
  TrigramSimilarity similarity;
  // " hello " gives " he", "hel", "ell", "llo", "lo "; " help " gives " he",
  // "hel", "elp", "lp ": 2 shared pieces, 9 in all: 1000 * 4 / 9.
  EXPECT_EQ(similarity("hello", "help"), 444);
  EXPECT_EQ(similarity("abc", "xyz"), 0);
}

TEST(TrigramSimilarityTest, RepeatedPiecesPairOneToOne) {
  TrigramSimilarity similarity;
  // " aaaa " has "aaa" twice, " aaa " once: " aa", "aaa" and "aa " pair up
  // (3 pairs), 4 + 3 pieces: 1000 * 6 / 7.
  EXPECT_EQ(similarity("aaaa", "aaa"), 857);
}

TEST(TrigramSimilarityTest, EmptyTextsHaveNoPieces) {
  TrigramSimilarity similarity;
  EXPECT_EQ(similarity("", ""), 0);
  EXPECT_EQ(similarity("", "abc"), 0);
}

TEST(TrigramSimilarityTest, IsSymmetric) {
  TrigramSimilarity similarity;
  EXPECT_EQ(similarity("night", "nacht"), similarity("nacht", "night"));
}

TEST(RemovePunctuationTest, PossessiveEndsTheWord) {
  std::string out;
  remove_punctuation("John's", out);
  EXPECT_EQ(out, "John");
}

TEST(RemovePunctuationTest, HyphenIsKept) {
  std::string out;
  remove_punctuation("well-known", out);
  EXPECT_EQ(out, "well-known");
}

TEST(RemovePunctuationTest, LeadingApostropheIsDroppedNotFinal) {
  std::string out;
  remove_punctuation("'tis", out);
  EXPECT_EQ(out, "tis");
  remove_punctuation("\"(quoted)!\"", out);
  EXPECT_EQ(out, "quoted");
}

TEST(RemoveCharsTest, RemovesEveryListedByte) {
  std::string out;
  remove_chars("the cat sat", "at", out);
  EXPECT_EQ(out, "he c s");
  remove_chars("abc", "", out);
  EXPECT_EQ(out, "abc");
}

TEST(LastWordTest, TextAfterTheLastWhiteSpace) {
  EXPECT_EQ(last_word("the cat sat"), "sat");
  EXPECT_EQ(last_word("one\ttwo\nthree"), "three");
  EXPECT_EQ(last_word("single"), "single");
  EXPECT_EQ(last_word("trailing "), "");
  EXPECT_EQ(last_word(""), "");
}

TEST(ReverseTextTest, Reverses) {
  std::string out;
  reverse_text("abc", out);
  EXPECT_EQ(out, "cba");
  reverse_text("", out);
  EXPECT_EQ(out, "");
}

TEST(CaseInsensitiveSearchTest, ContainsAndStartsWith) {
  EXPECT_TRUE(contains_nocase("Hello World", "WORLD"));
  EXPECT_TRUE(contains_nocase("abc", ""));
  EXPECT_FALSE(contains_nocase("ab", "abc"));
  EXPECT_TRUE(starts_with_nocase("Prefix", "pre"));
  EXPECT_FALSE(starts_with_nocase("pre", "prefix"));
}

}  // namespace
}  // namespace velmo
