#include <gtest/gtest.h>

#include <string>

#include "shell/lib/regex_helpers.h"

namespace velmo {
namespace {

std::string substitute(const char* pattern, const char* replacement, bool global, const char* text) {
  RegexSubstitution substitution;
  substitution.compile(pattern);
  substitution.set_replacement(replacement);
  substitution.set_global(global);
  std::string out;
  substitution.substitute(text, out);
  return out;
}

TEST(RegexSubstitutionTest, FirstOrEveryMatch) {
  EXPECT_EQ(substitute("a", "o", true, "banana"), "bonono");
  EXPECT_EQ(substitute("a", "o", false, "banana"), "bonana");
}

TEST(RegexSubstitutionTest, NoMatchCopiesTheText) { EXPECT_EQ(substitute("x", "y", true, "banana"), "banana"); }

TEST(RegexSubstitutionTest, AmpersandAndNumberedParts) {
  EXPECT_EQ(substitute("an", "[&]", true, "banana"), "b[an][an]a");
  EXPECT_EQ(substitute("(b)(an)", "\\2\\1", false, "banana"), "anbana");
  EXPECT_EQ(substitute("([a-z]+)@([a-z]+)", "\\2 at \\1", false, "me@host"), "host at me");
}

TEST(RegexSubstitutionTest, EscapedAmpersandAndBackslashAreLiteral) {
  EXPECT_EQ(substitute("a", "\\&", false, "cat"), "c&t");
  EXPECT_EQ(substitute("a", "\\\\", false, "cat"), "c\\t");
}

TEST(RegexSubstitutionTest, UnmatchedOrMissingPartsInsertNothing) {
  EXPECT_EQ(substitute("(x)|(a)", "<\\1|\\2>", false, "cat"), "c<|a>t");
  EXPECT_EQ(substitute("a", "<\\3>", false, "cat"), "c<>t");
}

TEST(RegexSubstitutionTest, EmptyMatchesNeverLoop) {
  EXPECT_EQ(substitute("x*", "-", true, "abc"), "-a-b-c-");
  EXPECT_EQ(substitute("", "-", true, "ab"), "-a-b-");
  EXPECT_EQ(substitute("x*", "-", true, ""), "-");
  EXPECT_EQ(substitute("$", "!", true, "end"), "end!");
}

TEST(RegexSubstitutionTest, StartAnchorMatchesOnlyAtTheStart) { EXPECT_EQ(substitute("^a", "o", true, "aaa"), "oaa"); }

TEST(RegexSubstitutionTest, SearchGoesOnAfterTheMatch) {
  // The replacement is not searched again.
  EXPECT_EQ(substitute("a", "aa", true, "aa"), "aaaa");
}

TEST(RegexSubstitutionTest, BadPatternIsReportedAndMatchesNothing) {
  testing::internal::CaptureStderr();
  RegexSubstitution substitution;
  EXPECT_FALSE(substitution.compile("a(b"));
  const std::string error = testing::internal::GetCapturedStderr();
  EXPECT_EQ(error.rfind("regexp(3): ", 0), 0u) << error;
  EXPECT_NE(error.find(" in \"a(b\"\n"), std::string::npos) << error;
  substitution.set_replacement("x");
  substitution.set_global(true);
  std::string out;
  substitution.substitute("a(b", out);
  EXPECT_EQ(out, "a(b");
}

TEST(CompileReportedTest, AnchoredPatternsMatchAtTheStartOnly) {
  Regex regex;
  ASSERT_TRUE(compile_reported(regex, "ab", /*anchored=*/true));
  EXPECT_TRUE(regex.search("abc"));
  EXPECT_FALSE(regex.search("cab"));
  ASSERT_TRUE(compile_reported(regex, ".*ab", /*anchored=*/true));
  EXPECT_TRUE(regex.search("cab"));
}

}  // namespace
}  // namespace velmo
