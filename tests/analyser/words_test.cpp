#include <gtest/gtest.h>

#include "analyser/word_scanner.h"
#include "analyser/word_set.h"

namespace zentra {
namespace {

TEST(zentraWordScanner, SplitsAtAnyWhiteSpace) {
  EXPECT_EQ(split_words("  a\tbb\n\nc\r\vd\fe "), (std::vector<std::string>{"a", "bb", "c", "d", "e"}));
}

TEST(zentraWordScanner, EmptyAndBlankTextsHaveNoWords) {
  EXPECT_TRUE(split_words("").empty());
  EXPECT_TRUE(split_words(" \n\t").empty());
}

TEST(zentraWordScanner, HighBytesAndNulBelongToWords) {
  const std::string text("\xA3x \0y", 5);
  EXPECT_EQ(split_words(text), (std::vector<std::string>{"\xA3x", std::string("\0y", 2)}));
}

TEST(zentraWordScanner, LongWordsAreWhole) {
  const std::string long_word(10000, 'w');
  EXPECT_EQ(split_words("a " + long_word + " b"), (std::vector<std::string>{"a", long_word, "b"}));
}

TEST(zentraJoinWithTrailingSpaces, EveryWordGetsASpace) {
  EXPECT_EQ(join_with_trailing_spaces(std::vector<std::string>{"a", "b"}), "a b ");
  EXPECT_EQ(join_with_trailing_spaces(std::vector<std::string>{}), "");
}

TEST(zentraWordSet, ComparesExactly) {
  const WordSet set(std::vector<std::string>{"it", "This"});
  EXPECT_TRUE(set.contains("it"));
  EXPECT_FALSE(set.contains("It"));
  EXPECT_FALSE(set.contains("this"));
  EXPECT_FALSE(set.contains("i"));
}

}  // namespace
}  // namespace zentra
