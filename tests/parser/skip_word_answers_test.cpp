#include "parser/chart/skip_word_answers.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(SkipWordAnswersTest, ComputesEachConditionAndWordOnce) {
  SkipWordAnswers answers(/*conditions=*/2, /*positions=*/4);
  int calls = 0;
  auto yes = [&] { return ++calls, true; };
  auto no = [&] { return ++calls, false; };
  EXPECT_TRUE(answers.answer(0, 2, yes));
  EXPECT_TRUE(answers.answer(0, 2, no));  // kept: not asked again
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(answers.answer(1, 2, no));  // another condition, same word
  EXPECT_FALSE(answers.answer(1, 2, yes));
  EXPECT_FALSE(answers.answer(0, 3, no));  // same condition, another word
  EXPECT_EQ(calls, 3);
}

TEST(SkipWordAnswersTest, ComputesPairsOutsideTheTableEveryTime) {
  SkipWordAnswers answers(/*conditions=*/1, /*positions=*/3);
  int calls = 0;
  auto yes = [&] { return ++calls, true; };
  EXPECT_TRUE(answers.answer(-1, 1, yes));
  EXPECT_TRUE(answers.answer(1, 1, yes));
  EXPECT_TRUE(answers.answer(0, 3, yes));
  EXPECT_TRUE(answers.answer(0, -1, yes));
  EXPECT_TRUE(answers.answer(0, 3, yes));
  EXPECT_EQ(calls, 5);
}

TEST(SkipWordAnswersTest, EmptyTableComputesEverything) {
  SkipWordAnswers answers(/*conditions=*/0, /*positions=*/5);
  int calls = 0;
  EXPECT_FALSE(answers.answer(0, 1, [&] { return ++calls, false; }));
  EXPECT_FALSE(answers.answer(0, 1, [&] { return ++calls, false; }));
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace velmo
