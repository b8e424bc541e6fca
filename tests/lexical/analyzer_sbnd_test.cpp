// The sentence boundary recogniser fed token by token.
#include <string>
#include <vector>

#include "analyzer_fixture.h"
#include "lexical/functions/sbnd.h"

namespace velmo {
namespace {

class SBndTest : public AnalyzerTest {
 protected:
  void build(const std::string& text) {
    exp_ = LExp::from_text(text);
    recogniser_ = dynamic_cast<SBnd*>(exp_.get());
    ASSERT_NE(recogniser_, nullptr);
  }
  // The results of feeding each token in turn.
  std::vector<long> feed(const std::vector<std::string>& tokens) {
    std::vector<long> results;
    for (const std::string& token : tokens)
      results.push_back(static_cast<long>(
          static_cast<std::intptr_t>(recogniser_->eval(to_word(token.c_str()), ShellTypes::get().text))));
    return results;
  }

  LExpPtr exp_;
  SBnd* recogniser_ = nullptr;
};

using V = std::vector<long>;

TEST_F(SBndTest, ThreePlainElementsCompleteOnTheThird) {
  build("(sbnd (current-token (str= x)) (current-token (str= y)) (current-token (str= z)))");
  EXPECT_EQ(feed({"x", "y", "z"}), (V{-1, -1, 0}));
}

TEST_F(SBndTest, BoundaryMarkGivesTheTailLength) {
  build("(sbnd (current-token (str= x)) (current-token (str= y)) . (current-token (str= z)))");
  EXPECT_EQ(feed({"x", "y", "z"}), (V{-1, -1, 1}));
  EXPECT_EQ(recogniser_->tail_length(), 1);
}

TEST_F(SBndTest, GuardedTokensLeaveTheStateAlone) {
  build("(sbnd : (not (str= skip)) (current-token (str= x)) (current-token (str= y)))");
  EXPECT_EQ(feed({"x", "skip", "skip"}), (V{-1, -1, -1}));
  EXPECT_EQ(recogniser_->current_element(), 0);
  EXPECT_EQ(feed({"y"}), (V{0}));
}

TEST_F(SBndTest, StarWithLimitTwoAcceptsAtMostTwoTokens) {
  build("(sbnd (current-token (str= a)) *-2 (current-token (str= b)) (current-token (str= c)))");
  EXPECT_EQ(feed({"a", "b", "b", "c"}), (V{-1, -1, -1, 0}));
  recogniser_->reset();
  // A third b cannot be taken: the attempt fails and starts again.
  EXPECT_EQ(feed({"a", "b", "b", "b", "c"}), (V{-1, -1, -1, -1, -1}));
  recogniser_->reset();
  EXPECT_EQ(feed({"a", "c"}), (V{-1, 0}));
}

TEST_F(SBndTest, OptionalAndPlusElements) {
  build("(sbnd (+ (current-token (str= a))) ? (current-token (str= b)) (current-token (str= c)))");
  EXPECT_EQ(feed({"a", "a", "a", "c"}), (V{-1, -1, -1, 0}));
  recogniser_->reset();
  EXPECT_EQ(feed({"a", "b", "c"}), (V{-1, -1, 0}));
}

TEST_F(SBndTest, FailedAttemptRetriesTheTokenFromTheStart) {
  build("(sbnd (current-token (str= a)) (current-token (str= b)))");
  EXPECT_EQ(feed({"a", "a", "b"}), (V{-1, -1, 0}));
}

TEST_F(SBndTest, TokenGivesTheFirstTokenOfAnElement) {
  build("(sbnd (current-token (str= Mr)) (token 1 (str= Mr)) (current-token (str= Smith)))");
  EXPECT_EQ(feed({"Mr", "Mr", "Smith"}), (V{-1, -1, 0}));
  EXPECT_STREQ(recogniser_->token(1), "Mr");
  EXPECT_STREQ(recogniser_->token(3), "Smith");
  EXPECT_EQ(recogniser_->token(0), nullptr);
  EXPECT_EQ(recogniser_->token(4), nullptr);
}

TEST_F(SBndTest, BracketGroupsSwallowTheirContent) {
  build("(sbnd (current-token (str= .)) * (& :left (str= \"(\") :right (str= \")\")) (current-token (str= The)))");
  EXPECT_EQ(feed({".", "(", "see", "(", "x", ")", "below", ")", "The"}), (V{-1, -1, -1, -1, -1, -1, -1, -1, 0}));
  recogniser_->reset();
  EXPECT_EQ(feed({".", "The"}), (V{-1, 0}));
}

TEST_F(SBndTest, EscapeLeavesAnOpenGroup) {
  build("(sbnd (& :left (str= \"(\") :right (str= \")\") :escape (str= STOP)) (current-token (str= STOP)))");
  EXPECT_EQ(feed({"(", "a", "STOP"}), (V{-1, -1, -1}));
  EXPECT_EQ(recogniser_->current_element(), -1);
}

TEST_F(SBndTest, ResetSbndRestoresTheInitialState) {
  build("(sbnd (current-token (str= x)) (current-token (str= y)))");
  feed({"x"});
  LExpPtr reset = LExp::from_text("(reset-sbnd)");
  ASSERT_NE(reset, nullptr);
  EXPECT_NE(reset->eval(to_word(exp_.get()), type_id("LExp*")), 0u);
  EXPECT_EQ(recogniser_->current_element(), -1);
  EXPECT_EQ(recogniser_->current_token(), nullptr);
}

TEST_F(SBndTest, MoreThanThirtyTwoElementsAreRefused) {
  std::string text = "(sbnd";
  for (int i = 0; i < 34; ++i) text += " (current-token (str= x))";
  text += ")";
  std::string messages = errors_during([&] { build(text); });
  EXPECT_EQ(recogniser_->element_count(), SBnd::kMaxElements);
  EXPECT_NE(messages.find("more than 32 elements"), std::string::npos);
}

}  // namespace
}  // namespace velmo
