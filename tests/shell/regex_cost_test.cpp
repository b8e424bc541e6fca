#include "shell/support/regex_cost.h"

#include <string>

#include <gtest/gtest.h>

#include "shell/support/regex.h"

namespace velmo {
namespace {

TEST(RegexCost, NestedCountedRepetitionIsRefusedBeforeCompiling) {
  Regex regex;
  EXPECT_FALSE(regex.compile("((a{1,1000}){1,1000}){1,1000}"));
  EXPECT_EQ(regex.error(), "pattern refused: repetition count above 255");
  EXPECT_FALSE(regex.compile("((a{1,100}){1,100}){1,100}"));
  EXPECT_EQ(regex.error(), "pattern refused: more than 20000 elements once its repetitions are expanded");
  EXPECT_FALSE(regex.compile("(((((((((((((((((x+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)+)"));
  EXPECT_FALSE(regex.compile("(a{0,}){1,}b{200}{200}"));
  EXPECT_FALSE(regex.compile(std::string(5000, 'a')));
  EXPECT_EQ(regex.error(), "pattern refused: pattern longer than 4096 characters");
  EXPECT_FALSE(regex.compile(std::string(40, '(') + "a" + std::string(40, ')')));
  EXPECT_EQ(regex.error(), "pattern refused: groups nested more than 32 deep");
  EXPECT_FALSE(regex.compile("(a*)*b\\1"));
  EXPECT_FALSE(regex.ok());
}

TEST(RegexCost, OrdinaryPatternsStillCompileAndMatch) {
  for (const char* pattern : {"[a-z]+", "^(ab|cd){2,5}$", "a{255}", "(a{1,100}){1,100}", "[]a{]{3}", "x{,2}",
                              "[[:alpha:]{]+", "\\{1000\\}", "a|b|c", "(", "a{2"}) {
    Regex regex;
    const bool compiled = regex.compile(pattern);
    EXPECT_FALSE(regex.error().starts_with("pattern refused")) << pattern << ": " << regex.error();
    (void)compiled;
  }
  Regex regex;
  ASSERT_TRUE(regex.compile("^(ab|cd){2,5}$"));
  EXPECT_TRUE(regex.search("abcdab"));
  EXPECT_FALSE(regex.search("ab"));
}

}  // namespace
}  // namespace velmo
