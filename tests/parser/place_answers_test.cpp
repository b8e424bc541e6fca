#include "parser/chart/place_answers.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(PlaceAnswersTest, KeepsEachConditionsAnswerAtItsPlace) {
  PlaceAnswers answers;
  const int first = answers.add_slot();
  const int last = PlaceAnswers::kSlots - 1;
  while (answers.slots() < PlaceAnswers::kSlots) answers.add_slot();
  PlaceAnswers::Cell* span = answers.cell(2, 4);
  ASSERT_NE(span, nullptr);
  EXPECT_FALSE(span->knows(first));
  span->keep(first, true);
  span->keep(last, false);
  EXPECT_TRUE(answers.cell(2, 4)->knows(first));
  EXPECT_TRUE(answers.cell(2, 4)->answer(first));
  EXPECT_TRUE(answers.cell(2, 4)->knows(last));
  EXPECT_FALSE(answers.cell(2, 4)->answer(last));
  // A later answer replaces the earlier one.
  span->keep(first, false);
  EXPECT_FALSE(answers.cell(2, 4)->answer(first));
  // Other places, the start's and the end's among them, know nothing.
  EXPECT_FALSE(answers.cell(4, 2)->knows(first));
  EXPECT_FALSE(answers.cell(2, -1)->knows(first));
  EXPECT_FALSE(answers.cell(-1, 4)->knows(first));
}

TEST(PlaceAnswersTest, ClearingForgetsEveryPlace) {
  PlaceAnswers answers;
  const int slot = answers.add_slot();
  answers.cell(0, 0)->keep(slot, true);
  answers.cell(-1, 7)->keep(slot, true);
  answers.clear();
  EXPECT_FALSE(answers.cell(0, 0)->knows(slot));
  EXPECT_FALSE(answers.cell(-1, 7)->knows(slot));
}

// A span's words are kept in its cell alone, and forgotten with the
// answers when the grid is cleared.
TEST(PlaceAnswersTest, ACellKeepsItsSpansWordsUntilCleared) {
  PlaceAnswers answers;
  const int slot = answers.add_slot();
  const char* words = "the dog";
  EXPECT_EQ(answers.cell(1, 2)->words, nullptr);
  answers.cell(1, 2)->words = words;
  answers.cell(1, 2)->keep(slot, true);
  EXPECT_EQ(answers.cell(1, 2)->words, words);
  EXPECT_EQ(answers.cell(2, 1)->words, nullptr);
  EXPECT_EQ(answers.cell(1, 3)->words, nullptr);
  EXPECT_EQ(answers.cell(1, -1)->words, nullptr);
  answers.clear();
  EXPECT_EQ(answers.cell(1, 2)->words, nullptr);
  EXPECT_FALSE(answers.cell(1, 2)->knows(slot));
}

TEST(PlaceAnswersTest, PlacesOutsideTheGridAndConditionsPastTheSlotsAreNotKept) {
  PlaceAnswers answers;
  EXPECT_EQ(answers.cell(-2, 0), nullptr);
  EXPECT_EQ(answers.cell(0, PlaceAnswers::kWords - 1), nullptr);
  EXPECT_EQ(answers.cell(PlaceAnswers::kWords - 1, 0), nullptr);
  EXPECT_NE(answers.cell(PlaceAnswers::kWords - 2, PlaceAnswers::kWords - 2), nullptr);
  for (int i = 0; i < PlaceAnswers::kSlots; ++i) EXPECT_EQ(answers.add_slot(), i);
  EXPECT_EQ(answers.add_slot(), -1);
  EXPECT_EQ(answers.slots(), PlaceAnswers::kSlots);
}

}  // namespace
}  // namespace velmo
