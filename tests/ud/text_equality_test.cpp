#include "parser/ud/text_equality.h"

#include <string>

#include <gtest/gtest.h>

#include "parser/ud/scheme.h"

namespace velmo::ud {
namespace {

TEST(SameWord, ComparesLengthFirstByteAndTheRest) {
  EXPECT_TRUE(same_word("May", "May"));
  EXPECT_TRUE(same_word("", ""));
  EXPECT_FALSE(same_word("May", "may"));
  EXPECT_FALSE(same_word("March", "Marc"));
  EXPECT_FALSE(same_word("Mar.", "Mar,"));
  EXPECT_FALSE(same_word("", "a"));
  const std::string text("\xE2\x80\xA6", 3);
  EXPECT_TRUE(same_word(text, "\xE2\x80\xA6"));
}

TEST(Emoticons, FacesOfEveryLengthAreToldAndLongerWordsAreNot) {
  EXPECT_TRUE(is_emoticon(":)"));
  EXPECT_TRUE(is_emoticon(":-)"));
  EXPECT_TRUE(is_emoticon("^_^"));
  EXPECT_TRUE(is_emoticon("<3"));
  EXPECT_FALSE(is_emoticon(":-))"));
  EXPECT_FALSE(is_emoticon("smile"));
  EXPECT_FALSE(is_emoticon(""));
}

}  // namespace
}  // namespace velmo::ud
