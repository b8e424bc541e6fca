#include "parser/chart/merged_condition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexical/functions/att_functions.h"
#include "parser/chart/condition_memo.h"
#include "parser/chart_fixture.h"
#include "shell/lexp/lexp.h"

namespace velmo {
namespace {

// "the big dog": `phrase` is the merge of the determiner (its modifier)
// into the noun phrase over "big dog" (its head side).
class MergedConditionTest : public testing::ParsedPhraseFixture {
 protected:
  void SetUp() override {
    ParsedPhraseFixture::SetUp();
    ASSERT_TRUE(phrase->is_merge());
    modifier = phrase->second;
    head_side = phrase->head_child;
  }
  std::shared_ptr<const MergedConditionPlan> plan(const std::string& text) {
    return MergedConditionPlan::build(LExp::from_text(text), memo, parts);
  }
  static bool expression_accepts(const std::string& text, PItem* item) {
    LExpPtr exp = LExp::from_text(text);
    return exp && exp->eval(reinterpret_cast<Word>(item), type_id("PItem*")) != 0;
  }

  ConditionMemo memo;
  MergedConditionParts parts;
  std::uint64_t changes = 0;
  PItem* modifier = nullptr;
  PItem* head_side = nullptr;
};

TEST_F(MergedConditionTest, PlansAnswerAsTheirExpressions) {
  run("(defun merged-det () (get-modifier-by-type det))"
      "(defun merged-big-head () (comp (pitem-modifiee) (pitem-head-word) (reg-match \"^big \")))"
      "(defun merged-either () (or (merged-big-head) (comp (pitem-modifier) (head-first))))");
  const char* conditions[] = {
      "(comp (pitem-modifier) (head-last))",
      "(not (comp (pitem-modifier) (head-last)))",
      "(comp (pitem-modifier) (pitem-head-word) (reg-match \"^the$\"))",
      "(comp (pitem-modifier) (pitem-head-word) (reg-match \"^dog$\"))",
      "(comp (pitem-modifiee) (pitem-head-word) (in (\"big dog\")))",
      "(comp (pitem-modifiee) (pitem-head-child) (pitem-head-word) (in (\"dog\")))",
      "(and (merged-det) (comp (pitem-modifiee) (not (merged-det))))",
      "(and (merged-big-head) (not (comp (pitem-modifier) (merged-det))))",
      "(or (not (merged-either)) (comp (pitem-modifiee) (get-modifier-by-type amod)))",
      "(not (comp (pitem-modifier) (head-first)) (merged-big-head))",
  };
  for (const char* text : conditions) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    const bool expected = expression_accepts(text, phrase);
    EXPECT_EQ(made->accepts(memo, *phrase, changes), expected) << text;
    EXPECT_EQ(made->accepts(memo, *phrase, changes), expected) << text << " (asked again)";
  }
}

// A condition that asks nothing of the joined items and has no part of a
// common shape is left to its expression.
TEST_F(MergedConditionTest, AConditionWithoutJoinedItemsOrDirectTestsHasNoPlan) {
  EXPECT_EQ(plan("(pitem-add-weight 1.5)"), nullptr);
  EXPECT_EQ(plan("(and (comp (pitem-attvec) (modify syn ((num sg)))) (pitem-add-weight 1.5))"), nullptr);
}

// The merged item's own parts of the common shapes (ItemTest) are read from
// the item directly, at every question: a condition made of them has a
// plan, which answers as the expression does and follows every change of
// the item's vector (the item is new to each question, so nothing is kept).
TEST_F(MergedConditionTest, TestsOfTheMergedItemOfCommonShapesAreReadDirectly) {
  const char* conditions[] = {
      "(and (head-last) (get-modifier-by-type det))",
      "(or (head-first) (get-modifier-by-type amod))",
      "(comp (pitem-attvec) (defined syn (cat)))",
      "(not (comp (pitem-attvec) (defined syn (num))))",
      "(and (comp (pitem-attvec) (defined syn (num))) (pitem-add-weight 0.0))",
  };
  for (const char* text : conditions) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    EXPECT_EQ(made->accepts(memo, *phrase, changes), expression_accepts(text, phrase)) << text;
  }
  auto has_num = plan("(comp (pitem-attvec) (defined syn (num)))");
  ASSERT_NE(has_num, nullptr);
  ASSERT_TRUE(has_num->accepts(memo, *phrase, changes));
  phrase->av.remove(att("num"));
  EXPECT_FALSE(has_num->accepts(memo, *phrase, changes)) << "read again, without a new revision";
  // A part that changes the item runs first and the direct test reads its change.
  auto unified = plan("(and (comp (pitem-attvec) (unify syn ((num pl)))) (comp (pitem-attvec) (defined syn (num))))");
  ASSERT_NE(unified, nullptr);
  EXPECT_TRUE(unified->accepts(memo, *phrase, changes));
  EXPECT_TRUE(phrase->av.defined(att("num")));
}

// The answer about the modifier is kept in the modifier: asked again for
// another merge it is not evaluated again, until the modifier's vector
// changes.
TEST_F(MergedConditionTest, AnswersAboutTheModifierAreKeptForItsRevision) {
  auto has_cat = plan("(comp (pitem-modifier) (comp (pitem-attvec) (defined syn (cat))))");
  ASSERT_NE(has_cat, nullptr);
  EXPECT_TRUE(has_cat->accepts(memo, *phrase, changes));
  modifier->av.remove(att("cat"));
  EXPECT_TRUE(has_cat->accepts(memo, *phrase, changes));
  EXPECT_FALSE(expression_accepts("(comp (pitem-modifier) (comp (pitem-attvec) (defined syn (cat))))", phrase));
  modifier->vector_changed();
  EXPECT_FALSE(has_cat->accepts(memo, *phrase, changes));
}

// Each part about a joined item reads its own answer in that item's bits:
// parts asked one after the other, in either order, keep answering as
// their expressions.
TEST_F(MergedConditionTest, PartsAboutTheModifierReadTheirOwnKeptAnswers) {
  const char* conditions[] = {
      "(comp (pitem-modifier) (pitem-head-word) (reg-match \"^the$\"))",
      "(comp (pitem-modifier) (pitem-head-word) (reg-match \"^dog$\"))",
      "(comp (pitem-modifier) (head-last))",
      "(comp (pitem-modifier) (get-modifier-by-type amod))",
  };
  std::vector<std::shared_ptr<const MergedConditionPlan>> plans;
  for (const char* text : conditions) {
    plans.push_back(plan(text));
    ASSERT_NE(plans.back(), nullptr) << text;
  }
  EXPECT_NE(expression_accepts(conditions[0], phrase), expression_accepts(conditions[1], phrase));
  for (int round = 0; round < 2; ++round)
    for (std::size_t i = 0; i < plans.size(); ++i) {
      const std::size_t at = round == 0 ? i : plans.size() - 1 - i;
      EXPECT_EQ(plans[at]->accepts(memo, *phrase, changes), expression_accepts(conditions[at], phrase))
          << conditions[at] << " round " << round;
    }
}

// The same holds for the head side, asked the rest of a longer comp.
TEST_F(MergedConditionTest, AnswersAboutTheHeadSideAreKeptForItsRevision) {
  const char* text = "(comp (pitem-modifiee) (pitem-attvec) (defined syn (num)))";
  auto has_num = plan(text);
  ASSERT_NE(has_num, nullptr);
  EXPECT_TRUE(has_num->accepts(memo, *phrase, changes));
  head_side->av.remove(att("num"));
  EXPECT_FALSE(expression_accepts(text, phrase));
  EXPECT_TRUE(has_num->accepts(memo, *phrase, changes)) << "kept for the head side";
  head_side->vector_changed();
  EXPECT_FALSE(has_num->accepts(memo, *phrase, changes));
}

// Parts that are the merged item's own are evaluated at every question and
// only as far as the combination needs them, as the expression would.
TEST_F(MergedConditionTest, PartsOfTheMergedItemRunAtEveryQuestion) {
  auto heavier = plan("(and (comp (pitem-modifier) (head-last)) (pitem-add-weight 1.5))");
  ASSERT_NE(heavier, nullptr);
  const float weight = phrase->weight;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(heavier->accepts(memo, *phrase, changes));
  EXPECT_FLOAT_EQ(phrase->weight, weight + 4.5f);
  auto skipped = plan("(or (comp (pitem-modifier) (head-last)) (pitem-add-weight 1.5))");
  ASSERT_NE(skipped, nullptr);
  EXPECT_TRUE(skipped->accepts(memo, *phrase, changes));
  EXPECT_FLOAT_EQ(phrase->weight, weight + 4.5f);
}

// Equal tests inside one function's body share their number: a second
// link's plan reads the first one's answers.
TEST_F(MergedConditionTest, PlansOfSeveralLinksShareTheTestsOfAFunction) {
  run("(defun merged-noun-head () (comp (pitem-modifiee) (pitem-head-child) (pitem-head-word) (in (\"dog\"))))");
  auto first = plan("(merged-noun-head)");
  const std::size_t numbered = memo.condition_count();
  auto second = plan("(not (merged-noun-head))");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(memo.condition_count(), numbered);
  EXPECT_TRUE(first->accepts(memo, *phrase, changes));
  EXPECT_FALSE(second->accepts(memo, *phrase, changes));
}

// A grammar's merged condition gets its plan when the link is defined.
TEST_F(MergedConditionTest, LinksKeepThePlanOfTheirMergedCondition) {
  run("(def-category MC1)"
      "(def-category MC2)"
      "(def-modifiers MC1 (:head (N)) ((MC2 (dep-type x) (merged-cond (comp (pitem-modifier) (head-last))))))"
      "(def-modifiers MC2 (:head (N)) ((MC1 (dep-type y) (merged-cond (pitem-add-weight 0.0)))))");
  const GLink* planned = nullptr;
  const GLink* plain = nullptr;
  for (GCate* modifier_cate : {&cate("MC1"), &cate("MC2")})
    for (const GLink* link : modifier_cate->modifier_links())
      if (link->merged_cond) (link->relation() == "x" ? planned : plain) = link;
  ASSERT_NE(planned, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_NE(planned->merged_plan, nullptr);
  EXPECT_EQ(plain->merged_plan, nullptr);
}

// A unification of the merged item with a constant vector is made
// directly, at every question, with the expression's answer and effect:
// refused by a clashing value (earlier changes kept), accepted and added
// where the vector lacks the attribute.
TEST_F(MergedConditionTest, UnificationsOfTheMergedItemAreMadeDirectly) {
  const char* texts[] = {
      "(comp (pitem-attvec) (unify syn ((num pl))))",
      "(pitem-attvec (unify syn ((num pl))))",
      "(and (comp (pitem-attvec) (unify syn ((cat n) (num pl)))) (comp (pitem-attvec) (defined syn (num))))",
  };
  for (const char* text : texts) {
    auto unify = plan(text);
    ASSERT_NE(unify, nullptr) << text;
    const AttVec before(phrase->av);
    const bool expected = expression_accepts(text, phrase);
    const AttVec by_expression(phrase->av);
    phrase->av = before;
    EXPECT_EQ(unify->accepts(memo, *phrase, changes), expected) << text;
    EXPECT_TRUE(phrase->av.equals(by_expression)) << text;
    phrase->av.remove(att("num"));
    EXPECT_TRUE(unify->accepts(memo, *phrase, changes)) << text << " (without a number)";
    EXPECT_TRUE(phrase->av.defined(att("num"))) << text;
    phrase->av = before;
  }
  // A vector given by an expression is evaluated as written.
  EXPECT_EQ(plan("(comp (pitem-attvec) (unify syn (pitem-attvec)))"), nullptr);
}

// A link's head condition gets the same kind of plan when it has a part of
// a common shape.
TEST_F(MergedConditionTest, LinksKeepThePlanOfTheirHeadCondition) {
  run("(def-category HC1)"
      "(def-category HC2)"
      "(def-modifiers HC1 (? (Det (dep-type det))) (:head (N (head-cond (comp (pitem-attvec) (defined syn (num)))))))"
      "(def-modifiers HC2 (? (Det (dep-type det))) (:head (N (head-cond (pitem-add-weight 0.5)))))");
  const GLink* planned = nullptr;
  const GLink* plain = nullptr;
  for (const GLink* link : cate("N").modifier_links()) {
    if (link->modifiee() == &cate("HC1")) planned = link;
    if (link->modifiee() == &cate("HC2")) plain = link;
  }
  ASSERT_NE(planned, nullptr);
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(planned->head_cond, nullptr);
  ASSERT_NE(plain->head_cond, nullptr);
  EXPECT_NE(planned->head_plan, nullptr);
  EXPECT_EQ(plain->head_plan, nullptr);
}

}  // namespace
}  // namespace velmo
