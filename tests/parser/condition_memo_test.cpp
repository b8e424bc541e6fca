#include <gtest/gtest.h>

#include <span>
#include <memory>
#include <string>
#include <vector>

#include "lexical/functions/att_functions.h"
#include "parser/chart/condition_memo.h"
#include "parser/chart_fixture.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {


class ConditionMemoTest : public testing::ParsedPhraseFixture {
 protected:
  std::shared_ptr<const ConditionPlan> plan(const std::string& text) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store);
    return form ? ConditionPlan::build(*form, memo) : nullptr;
  }
  // "Has a number" is answered once and kept while the noun's revision
  // stands (removing the number changes nothing), then asked again.
  void expect_number_kept_for_one_revision(const ConditionPlan& has_number) {
    EXPECT_TRUE(has_number.accepts(memo, *noun, changes));
    noun->av.remove(att("num"));
    EXPECT_TRUE(has_number.accepts(memo, *noun, changes));
    noun->vector_changed();
    EXPECT_FALSE(has_number.accepts(memo, *noun, changes));
  }
  // The number of a condition text, as a plan's building wrote it.
  int number(const std::string& text) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store);
    return memo.number_of(form->text());
  }
  static bool expression_accepts(const std::string& text, PItem* item) {
    LExpPtr exp = LExp::from_text(text);
    return exp && exp->eval(reinterpret_cast<Word>(item), type_id("PItem*")) != 0;
  }

  // Each condition's plan answers as the expression itself, for both items,
  // and asked again from the memo.
  void expect_plans_answer_as_expressions(std::span<const char* const> conditions) {
    for (const char* text : conditions) {
      auto made = plan(text);
      ASSERT_NE(made, nullptr) << text;
      for (PItem* item : {phrase, noun}) {
        const bool expected = expression_accepts(text, item);
        EXPECT_EQ(made->accepts(memo, *item, changes), expected) << text;
        EXPECT_EQ(made->accepts(memo, *item, changes), expected) << text << " (asked again)";
      }
    }
  }

  StringPool store;
  ConditionMemo memo;
  std::uint64_t changes = 0;
};

TEST_F(ConditionMemoTest, PlansAnswerAsTheirExpressions) {
  const char* conditions[] = {
      "(head-last)",
      "(and (head-last) (get-modifier-by-type det))",
      "(and (head-first) (head-last))",
      "(or (get-modifier-by-type amod) (head-first))",
      "(or (head-first) (pitem-following-word (in (\"x\"))))",
      "(not (get-modifier-by-type det))",
      "(not (head-first) (get-modifier-by-type amod))",
      "(not (or (head-first) (not (head-last))))",
      "(and)",
      "(or)",
      "(not)",
  };
  expect_plans_answer_as_expressions(conditions);
}

// The English grammar numbers some 270 conditions: the answers of 300 are
// kept in the item's own bits, not in the memo's table.
TEST_F(ConditionMemoTest, ThreeHundredConditionsAreAnsweredInTheItem) {
  for (int i = 0; i < 300; ++i) plan("(get-modifier-by-type rel" + std::to_string(i) + ")");
  const auto last = plan("(get-modifier-by-type rel299)");
  const int last_number = number("(get-modifier-by-type rel299)");
  EXPECT_GE(last_number, 299);
  ASSERT_LT(last_number, ItemAnswers::kConditions);
  EXPECT_FALSE(last->accepts(memo, *noun, changes));
  const std::uint64_t bit = std::uint64_t{1} << (last_number % 64);
  EXPECT_TRUE(noun->answers.known[last_number / 64] & bit);
}

// A plan whose first part refuses alone names that part's place in the
// item's bits; a false answer found there refuses the plan too.
TEST_F(ConditionMemoTest, TheFirstPartThatRefusesAloneIsNamed) {
  const int head_last = number("(head-last)");
  ASSERT_GE(head_last, 0);
  ASSERT_LT(head_last, ItemAnswers::kConditions);
  const std::uint64_t bit = std::uint64_t{1} << (head_last % 64);
  for (const char* text : {"(and (head-last) (head-first))", "(head-last)"}) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    const ConditionPlan::Refusal refusal = made->first_refusal();
    EXPECT_EQ(refusal.word, head_last / 64) << text;
    EXPECT_EQ(refusal.bit, bit) << text;
  }
  for (const char* text : {"(or (head-last) (head-first))", "(not (head-last))", "(and)"}) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    EXPECT_EQ(made->first_refusal().bit, 0u) << text;
  }
  auto both = plan("(and (head-last) (head-first))");
  for (PItem* item : {phrase, noun}) {
    const bool accepted = both->accepts(memo, *item, changes);
    const ConditionPlan::Refusal refusal = both->first_refusal();
    const bool refused = item->answers.known[refusal.word] & ~item->answers.accepted[refusal.word] & refusal.bit;
    if (refused) {
      EXPECT_FALSE(accepted);
    }
    EXPECT_EQ(refused, !expression_accepts("(head-last)", item));
  }
}

// A refusing first part that asking cannot change (a direct test, a test of
// the words) may be asked alone: it answers as the expression and is kept
// in the item's bits where the plan's walk finds it.
TEST_F(ConditionMemoTest, ARefusingPartThatOnlyReadsIsAskedAlone) {
  // The plans stay alive: a word test's filters belong to its expression.
  std::vector<std::shared_ptr<const ConditionPlan>> reading;
  for (const char* text : {"(and (head-last) (get-modifier-by-type det))",
                           "(and (comp (pitem-head-word) (in (\"dog\"))) (head-first))",
                           "(and (pitem-following-word (in (\"x\"))) (head-first))"}) {
    reading.push_back(plan(text));
    ASSERT_NE(reading.back(), nullptr) << text;
    EXPECT_TRUE(reading.back()->refusal_reads_only(memo)) << text;
  }
  for (const char* text : {"(and (include-preceding-word) (head-last))", "(or (head-last) (head-first))",
                           "(not (head-last))"}) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    EXPECT_FALSE(made->refusal_reads_only(memo)) << text;
  }
  const auto& both = reading[0];
  const int head_last = number("(head-last)");
  const std::uint64_t bit = std::uint64_t{1} << (head_last % 64);
  for (PItem* item : {phrase, noun}) {
    EXPECT_EQ(both->refusal_accepts(memo, *item, changes), expression_accepts("(head-last)", item));
    EXPECT_TRUE(item->answers.known[head_last / 64] & bit);
    EXPECT_EQ(both->accepts(memo, *item, changes),
              expression_accepts("(and (head-last) (get-modifier-by-type det))", item));
  }
  EXPECT_TRUE(reading[1]->refusal_accepts(memo, *noun, changes));
  EXPECT_FALSE(reading[1]->refusal_accepts(memo, *phrase, changes));
}

// A span test's filters are asked through the first expression of its
// text: it outlives the plan that built it, for a later plan of that text.
TEST_F(ConditionMemoTest, ASpanTestOutlivesThePlanThatNumberedIt) {
  const std::string text = "(comp (pitem-head-word) (reg-match \"^dog$\") (in (\"dog\" \"cat\")))";
  std::shared_ptr<LExp> first = LExp::from_text(text);
  ASSERT_NE(first, nullptr);
  const std::weak_ptr<LExp> watched = first;
  const int number = memo.number_of(text, std::move(first));
  EXPECT_FALSE(watched.expired());
  EXPECT_EQ(memo.number_of(text, LExp::from_text(text)), number);
  EXPECT_FALSE(watched.expired());
  for (int round = 0; round < 3; ++round) {
    memo.clear();  // asked again: the filters run
    auto made = plan(text);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->accepts(memo, *noun, changes));
    EXPECT_FALSE(made->accepts(memo, *phrase, changes));
  }
}

// More tests of the span's words than the answers per place have bits for:
// the later ones are kept in the table, and all answer as their expressions.
TEST_F(ConditionMemoTest, SpanTestsPastThePlacesBitsAnswerAsTheirExpressions) {
  std::vector<std::string> texts;
  for (int i = 0; i < PlaceAnswers::kSlots + 8; ++i)
    texts.push_back("(comp (pitem-head-word) (in (\"dog\" \"w" + std::to_string(i) + "\")))");
  // The plans stay alive: a word test's filters belong to its expression.
  std::vector<std::shared_ptr<const ConditionPlan>> plans;
  for (const std::string& text : texts) {
    plans.push_back(plan(text));
    ASSERT_NE(plans.back(), nullptr) << text;
    for (PItem* item : {phrase, noun}) {
      const bool expected = expression_accepts(text, item);
      EXPECT_EQ(plans.back()->accepts(memo, *item, changes), expected) << text;
    }
  }
  // Asked again, from the places' bits and from the table.
  noun->vector_changed();
  phrase->vector_changed();
  for (const auto& made : {plans.front(), plans.back()}) {
    EXPECT_TRUE(made->accepts(memo, *noun, changes));
    EXPECT_FALSE(made->accepts(memo, *phrase, changes));
  }
}

// Tests of the span's words are answered per span: items of one span get
// one answer, items of another span their own.
TEST_F(ConditionMemoTest, SpanTestsAnswerPerSpan) {
  const char* conditions[] = {
      "(comp (pitem-head-word) (reg-match \"dog$\"))",
      "(comp (pitem-head-word) (reg-match \"^dog$\"))",
      "(comp (pitem-head-word) (in (\"dog\")))",
      "(and (head-last) (comp (pitem-head-word) (reg-match \"^the \")))",
  };
  expect_plans_answer_as_expressions(conditions);
  auto exact = plan("(comp (pitem-head-word) (reg-match \"^dog$\"))");
  EXPECT_TRUE(exact->accepts(memo, *noun, changes));
  EXPECT_FALSE(exact->accepts(memo, *phrase, changes));
  noun->vector_changed();  // the item forgets; the span's answer stands
  EXPECT_TRUE(exact->accepts(memo, *noun, changes));
}

// Several span tests asked of items of different spans in turn: the words
// one test joined for a span serve the others of that span only.
TEST_F(ConditionMemoTest, SpanTestsOfOneSpanShareItsWordsAlone) {
  const std::vector<std::string> texts = {"(comp (pitem-head-word) (reg-match \"^the .*\"))",
                                          "(comp (pitem-head-word) (reg-match \".*dog$\"))",
                                          "(comp (pitem-head-word) (in (\"dog\")))"};
  std::vector<std::shared_ptr<const ConditionPlan>> plans;
  for (const std::string& text : texts) {
    plans.push_back(plan(text));
    ASSERT_NE(plans.back(), nullptr) << text;
  }
  // The words tell the two spans apart.
  EXPECT_TRUE(expression_accepts(texts[2], noun));
  EXPECT_FALSE(expression_accepts(texts[2], phrase));
  for (int round = 0; round < 2; ++round) {
    memo.clear();
    noun->vector_changed();  // the items forget their own answers too
    phrase->vector_changed();
    // The phrase first in one round, the noun first in the other.
    PItem* first = round == 0 ? phrase : noun;
    PItem* second = round == 0 ? noun : phrase;
    for (std::size_t i = 0; i < texts.size(); ++i)
      for (PItem* item : {first, second})
        EXPECT_EQ(plans[i]->accepts(memo, *item, changes), expression_accepts(texts[i], item))
            << texts[i] << " round " << round;
  }
}

// Span tests of several filters, asked about the words directly, answer as
// their expressions.
TEST_F(ConditionMemoTest, SpanTestsWithOtherPartsAnswerAsTheirExpressions) {
  const char* conditions[] = {
      "(comp (pitem-head-word) (reg-match \"dog\") (in (\"dog\" \"cat\")))",
      "(comp (pitem-head-word) (reg-match \"^the\") (in (\"dog\")))",
      "(comp (pitem-head-word) (in (\"the big dog\")) (reg-match \"big\"))",
  };
  expect_plans_answer_as_expressions(conditions);
}

// A span's words whose first byte no filter allows are refused without the
// filters: the answers are still those of the expressions.
TEST_F(ConditionMemoTest, SpanTestsRefusedByTheFirstByteAnswerAsTheirExpressions) {
  const char* conditions[] = {
      "(comp (pitem-head-word) (reg-match \"d\") (reg-match \"t\"))",
      "(comp (pitem-head-word) (reg-match \"the\") (in (\"the big dog\")))",
      "(comp (pitem-head-word) (reg-match \"x*\" \"dog\"))",
      "(comp (pitem-head-word) (in (\"dog\")) (reg-match \"(dog|cat)$\"))",
  };
  expect_plans_answer_as_expressions(conditions);
}

// A span whose first word begins with a byte no filter allows is refused
// by that word's first byte, read from the sentence's words (again after
// clear(), for the next sentence): each span still answers as the
// expression, through the head child too.
TEST_F(ConditionMemoTest, SpansRefusedByTheirFirstWordAnswerPerSentence) {
  const std::vector<std::string> texts = {"(comp (pitem-head-word) (reg-match \"^d\"))",
                                          "(comp (pitem-head-word) (reg-match \"^t\"))",
                                          "(comp (pitem-head-child) (pitem-head-word) (reg-match \"^b\"))"};
  std::vector<std::shared_ptr<const ConditionPlan>> plans;
  for (const std::string& text : texts) {
    plans.push_back(plan(text));
    ASSERT_NE(plans.back(), nullptr) << text;
  }
  // The first question works out the filters' first bytes; the later ones
  // are refused by the first word.
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (PItem* item : {noun, phrase, noun, phrase})
      EXPECT_EQ(plans[i]->accepts(memo, *item, changes), expression_accepts(texts[i], item)) << texts[i];
  EXPECT_FALSE(plans[0]->accepts(memo, *phrase, changes));
  EXPECT_TRUE(plans[1]->accepts(memo, *phrase, changes));

  memo.clear();
  testing::TestSentence other;
  other.words("dull big bird");
  other.item(1, 1, "(cat d)");
  other.item(2, 2, "(cat a)");
  other.item(3, 3, "(cat n) (num sg)");
  other.parse_with(parser());
  PItem* other_phrase = testing::item_spanning(cate("NP"), 1, 3);
  PItem* other_noun = testing::item_spanning(cate("N"), 3, 3);
  ASSERT_NE(other_phrase, nullptr);
  ASSERT_NE(other_noun, nullptr);
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (PItem* item : {other_phrase, other_noun})
      EXPECT_EQ(plans[i]->accepts(memo, *item, changes), expression_accepts(texts[i], item)) << texts[i];
  EXPECT_TRUE(plans[0]->accepts(memo, *other_phrase, changes));
  EXPECT_FALSE(plans[1]->accepts(memo, *other_phrase, changes));
}

// A test of the word before the start is answered from its place's kept
// answer for the next item there, but only within the sentence it was
// kept in: after clear() the next sentence's words answer.
TEST_F(ConditionMemoTest, WordTestsAtTheStartAnswerFromTheirPlaceWithinOneSentence) {
  const std::string text = "(comp (pitem-preceding-word) (in (\"big\")))";
  auto after_big = plan(text);
  ASSERT_NE(after_big, nullptr);
  ASSERT_TRUE(expression_accepts(text, noun));
  for (PItem* item : {noun, phrase, noun})
    EXPECT_EQ(after_big->accepts(memo, *item, changes), expression_accepts(text, item));

  memo.clear();
  testing::TestSentence other;
  other.words("dull old bird");
  other.item(1, 1, "(cat d)");
  other.item(2, 2, "(cat a)");
  other.item(3, 3, "(cat n) (num sg)");
  other.parse_with(parser());
  PItem* other_noun = testing::item_spanning(cate("N"), 3, 3);
  ASSERT_NE(other_noun, nullptr);
  ASSERT_FALSE(expression_accepts(text, other_noun));
  EXPECT_FALSE(after_big->accepts(memo, *other_noun, changes));
}

// Tests of the word before the start, or of the words from the end on, are
// answered once per start or end, and answer as their expressions.
TEST_F(ConditionMemoTest, WordTestsAtTheStartOrEndAnswerPerPlace) {
  const char* at_start[] = {
      "(comp (pitem-preceding-word) (in (\"big\")))",
      "(comp (pitem-preceding-word) (reg-match \"^b\") (in (\"big\" \"the\")))",
  };
  const char* at_end[] = {
      "(pitem-following-word (in (\"x\")))",
      "(pitem-following-word)",
      "(pitem-followed-by-or-end-with-word (reg-match \"dog\"))",
      "(comp (pitem-following-word) (reg-match \".\"))",
  };
  expect_plans_answer_as_expressions(at_start);
  expect_plans_answer_as_expressions(at_end);
  for (const char* text : at_start) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kStart) << text;
  for (const char* text : at_end) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kEnd) << text;
  // A test that reads more than the words stays a test of the item.
  const char* of_item[] = {
      "(comp (pitem-preceding-word) (str= \"big\"))",
      "(pitem-following-word (str= \"x\"))",
      "(comp (pitem-head-word) (reg-match \"dog\"))",
  };
  expect_plans_answer_as_expressions(of_item);
  EXPECT_EQ(memo.reads(number(of_item[0])), ConditionMemo::Reads::kItem);
  EXPECT_EQ(memo.reads(number(of_item[1])), ConditionMemo::Reads::kItem);
  EXPECT_EQ(memo.reads(number(of_item[2])), ConditionMemo::Reads::kSpan);
  // Another item of the same start shares the answer.
  auto before = plan(at_start[0]);
  EXPECT_TRUE(before->accepts(memo, *noun, changes));
  EXPECT_FALSE(before->accepts(memo, *phrase, changes));
  noun->vector_changed();
  EXPECT_TRUE(before->accepts(memo, *noun, changes));
}

// The same word tests after (pitem-head-child) read the words about the
// item's head child: they are answered once per place of the head child,
// and answer as their expressions for the phrase (whose head child is the
// noun, not the phrase's own span) and the noun.
TEST_F(ConditionMemoTest, WordTestsOfTheHeadChildAnswerPerPlaceOfTheHeadChild) {
  const char* of_span[] = {
      "(comp (pitem-head-child) (pitem-head-word) (in (\"dog\")))",
      "(comp (pitem-head-child) (pitem-head-word) (reg-match \"^the\"))",
      "(comp (pitem-head-child) (pitem-head-word) (reg-match \"o\") (in (\"dog\" \"cat\")))",
  };
  const char* at_start[] = {"(comp (pitem-head-child) (pitem-preceding-word) (in (\"big\")))"};
  const char* at_end[] = {"(comp (pitem-head-child) (pitem-following-word) (in (\"x\")))"};
  ASSERT_TRUE(expression_accepts(of_span[0], phrase));
  ASSERT_FALSE(expression_accepts(of_span[1], phrase));
  ASSERT_TRUE(expression_accepts(at_start[0], phrase));
  expect_plans_answer_as_expressions(of_span);
  expect_plans_answer_as_expressions(at_start);
  expect_plans_answer_as_expressions(at_end);
  for (const char* text : of_span) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kSpan) << text;
  EXPECT_EQ(memo.reads(number(at_start[0])), ConditionMemo::Reads::kStart);
  EXPECT_EQ(memo.reads(number(at_end[0])), ConditionMemo::Reads::kEnd);
  // Asked of the phrase first, in a new sentence: the answer kept at the
  // noun's place serves the noun, and is the noun's own, not the phrase's.
  for (const char* text : {of_span[0], of_span[1], at_start[0]}) {
    memo.clear();
    noun->vector_changed();
    phrase->vector_changed();
    auto made = plan(text);
    EXPECT_EQ(made->accepts(memo, *phrase, changes), expression_accepts(text, phrase)) << text;
    EXPECT_EQ(made->accepts(memo, *noun, changes), expression_accepts(text, noun)) << text;
    EXPECT_EQ(made->accepts(memo, *phrase, changes), expression_accepts(text, phrase)) << text;
  }
  // Another test before the head child's words reads the item.
  const char* of_item[] = {"(comp (pitem-head-child) (pitem-head-word) (str= \"dog\"))",
                           "(comp (pitem-modifiee) (pitem-head-word) (in (\"dog\")))"};
  expect_plans_answer_as_expressions(of_item);
  for (const char* text : of_item) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kItem) << text;
}

// A test of the span's words after (get-modifier-by-type REL), written out
// or made by a function it calls, reads the words of the modifier: it is
// answered once per place of the modifier, false for an item without one,
// and answers as its expression either way.
TEST_F(ConditionMemoTest, WordTestsOfAModifierAnswerPerPlaceOfTheModifier) {
  run("(defun the-word () (comp (pitem-head-word) (reg-match \"^[Tt]he$\")))");
  const char* of_modifier[] = {
      "(comp (get-modifier-by-type det) (pitem-head-word) (in (\"the\")))",
      "(comp (get-modifier-by-type amod) (pitem-head-word) (reg-match \"^b\"))",
      "(comp (get-modifier-by-type amod) (pitem-head-word) (reg-match \"^the$\"))",
      "(comp (get-modifier-by-type det) (the-word))",
      "(comp (pitem-head-child) (get-modifier-by-type det) (the-word))",
      "(comp (get-modifier-by-type subj) (pitem-head-word) (in (\"the\")))",
  };
  ASSERT_TRUE(expression_accepts(of_modifier[0], phrase));
  ASSERT_TRUE(expression_accepts(of_modifier[3], phrase));
  ASSERT_FALSE(expression_accepts(of_modifier[0], noun));
  for (int round = 0; round < 2; ++round) {
    memo.clear();
    noun->vector_changed();
    phrase->vector_changed();
    expect_plans_answer_as_expressions(of_modifier);
  }
  for (const char* text : of_modifier) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kSpan) << text;
  // Only a test of the span's words goes through a modifier; a call of a
  // function that does more, or a word before or after it, reads the item.
  run("(defun the-word-last () (and (head-last) (comp (pitem-head-word) (reg-match \"^the$\"))))");
  const char* of_item[] = {
      "(comp (get-modifier-by-type det) (pitem-preceding-word) (in (\"the\")))",
      "(comp (get-modifier-by-type det) (pitem-following-word) (in (\"big\")))",
      "(comp (get-modifier-by-type det) (the-word-last))",
      "(comp (get-modifier-by-type det) (the-word) (in (\"the\")))",
  };
  expect_plans_answer_as_expressions(of_item);
  for (const char* text : of_item) EXPECT_EQ(memo.reads(number(text)), ConditionMemo::Reads::kItem) << text;
}

TEST_F(ConditionMemoTest, EqualTextsShareANumber) {
  const int first = memo.number_of("(head-last)");
  EXPECT_EQ(memo.number_of("(head-last)"), first);
  EXPECT_NE(memo.number_of("(head-first)"), first);
  plan("(and (head-last) (not (head-first)))");
  EXPECT_EQ(memo.condition_count(), 2u);  // its parts are the two above
}

// Plans of one shape share the number under which their whole answer is
// kept; a plan of one part is kept as that part.
TEST_F(ConditionMemoTest, PlansOfOneShapeShareANumber) {
  plan("(and (head-last) (not (head-first)))");
  plan("(and (head-last) (not (head-first)))");
  EXPECT_EQ(memo.plan_count(), 1u);
  plan("(and (not (head-first)) (head-last))");
  EXPECT_EQ(memo.plan_count(), 2u);
  plan("(head-last)");
  EXPECT_EQ(memo.plan_count(), 2u);
}

// The whole answer of a plan is kept for one revision too.
TEST_F(ConditionMemoTest, PlanAnswersHoldForOneRevisionOfTheItem) {
  auto has_number = plan("(and (head-last) (comp (pitem-attvec) (defined syn (num))))");
  ASSERT_NE(has_number, nullptr);
  expect_number_kept_for_one_revision(*has_number);
}

TEST_F(ConditionMemoTest, AnswersHoldForOneRevisionOfTheItem) {
  auto has_number = plan("(comp (pitem-attvec) (defined syn (num)))");
  ASSERT_NE(has_number, nullptr);
  expect_number_kept_for_one_revision(*has_number);
}

// The same for the last plan number whose whole answer the item keeps.
TEST_F(ConditionMemoTest, TheLastPlanNumberInTheItemIsKeptForOneRevision) {
  for (int i = 0; i < ItemAnswers::kPlans - 1; ++i) memo.plan_number_of("filler plan " + std::to_string(i), {});
  auto has_number = plan("(and (head-last) (comp (pitem-attvec) (defined syn (num))))");
  ASSERT_NE(has_number, nullptr);
  EXPECT_EQ(memo.plan_count(), static_cast<std::size_t>(ItemAnswers::kPlans));
  expect_number_kept_for_one_revision(*has_number);
}

// The last number answered in the item lies in the last word of its bits.
TEST_F(ConditionMemoTest, TheLastNumberInTheItemIsKeptForOneRevision) {
  for (int i = 0; i < ItemAnswers::kConditions - 1; ++i) memo.number_of("filler " + std::to_string(i));
  auto has_number = plan("(comp (pitem-attvec) (defined syn (num)))");
  ASSERT_NE(has_number, nullptr);
  expect_number_kept_for_one_revision(*has_number);
}

// Past the numbers answered in the item, answers are kept in the memo's
// table under the item's revision.
TEST_F(ConditionMemoTest, LaterNumbersAreRememberedPerRevision) {
  for (int i = 0; i < ItemAnswers::kConditions; ++i) memo.number_of("filler " + std::to_string(i));
  auto has_number = plan("(comp (pitem-attvec) (defined syn (num)))");
  ASSERT_NE(has_number, nullptr);
  expect_number_kept_for_one_revision(*has_number);
  memo.clear();
  noun->av.set(att("num"), phrase->av.get(att("num")));
  noun->vector_changed();
  EXPECT_EQ(has_number->accepts(memo, *noun, changes), noun->av.defined(att("num")));
}

TEST_F(ConditionMemoTest, AConditionThatChangesTheItemIsAlwaysEvaluated) {
  auto adds = plan("(and (pitem-add-weight 1.5) (head-last))");
  ASSERT_NE(adds, nullptr);
  const float weight = noun->weight;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(adds->accepts(memo, *noun, changes));
  EXPECT_FLOAT_EQ(noun->weight, weight + 4.5f);

  auto undefines = plan("(comp (pitem-attvec) (undefine syn (num)))");
  ASSERT_NE(undefines, nullptr);
  const Word singular = noun->av.get(att("num"));
  undefines->accepts(memo, *noun, changes);
  EXPECT_FALSE(noun->av.defined(att("num")));
  noun->av.set(att("num"), singular);
  undefines->accepts(memo, *noun, changes);
  EXPECT_FALSE(noun->av.defined(att("num"))) << "evaluated again";
}

// Extending an item to a neighbouring word changes the item: such a
// condition is not remembered.
TEST_F(ConditionMemoTest, AConditionThatMovesTheSpanIsAlwaysEvaluated) {
  const std::uint64_t& chart_changes = parser().chart().item_changes;
  auto extends = plan("(include-preceding-word)");
  ASSERT_NE(extends, nullptr);
  const int start = noun->start;
  EXPECT_TRUE(extends->accepts(memo, *noun, chart_changes));
  EXPECT_EQ(noun->start, start - 1);
  EXPECT_TRUE(extends->accepts(memo, *noun, chart_changes));
  EXPECT_EQ(noun->start, start - 2) << "evaluated again";
}

// A call of a function without parameters is read through to its body:
// the plan answers as the call, and the parts of functions that call each
// other are numbered once, whichever condition reaches them.
TEST_F(ConditionMemoTest, PlansReadThroughFunctionsWithoutParameters) {
  run("(defun memo-last () (head-last))"
      "(defun memo-bare () (and (head-first) (memo-last)))"
      "(defun memo-modified () (or (get-modifier-by-type det) (not (memo-bare))))");
  const char* conditions[] = {"(memo-last)", "(memo-bare)", "(memo-modified)", "(not (memo-modified))",
                              "(and (memo-bare) (memo-last))"};
  expect_plans_answer_as_expressions(conditions);
  // (head-last), (head-first) and (get-modifier-by-type det) in the bodies.
  EXPECT_EQ(memo.condition_count(), 3u);
}

// A call of three parts or more inside a plan keeps its answer in the
// item's bits, under the number of the plan that is the call alone: a
// later plan asking the call passes it at one step.
TEST_F(ConditionMemoTest, ACallOfSeveralPartsInsideAPlanKeepsItsAnswer) {
  run("(defun memo-plain-noun () (and (head-last) (not (get-modifier-by-type det)) (not (head-first))))");
  const char* conditions[] = {"(and (memo-plain-noun) (head-last))",
                              "(or (get-modifier-by-type amod) (memo-plain-noun))",
                              "(not (memo-plain-noun) (head-first))", "(and (head-first) (memo-plain-noun))"};
  auto alone = plan("(memo-plain-noun)");
  ASSERT_NE(alone, nullptr);
  const ConditionPlan::AnswerPlace place = alone->answer_place();
  ASSERT_NE(place.bit, 0u);
  auto first = plan(conditions[0]);
  ASSERT_NE(first, nullptr);
  for (PItem* item : {phrase, noun}) {
    first->accepts(memo, *item, changes);
    EXPECT_TRUE(item->answers.known[place.word] & place.bit) << "the call's answer is kept";
    EXPECT_EQ((item->answers.accepted[place.word] & place.bit) != 0, expression_accepts("(memo-plain-noun)", item));
  }
  expect_plans_answer_as_expressions(conditions);
  // The call's first part, refusing the call alone, refuses the plan.
  const ConditionPlan::Refusal refusal = first->first_refusal();
  EXPECT_LT(refusal.word, ItemAnswers::kConditionWords);
  EXPECT_EQ(refusal.word, alone->first_refusal().word);
  EXPECT_EQ(refusal.bit, alone->first_refusal().bit);
  EXPECT_NE(refusal.bit, 0u);
}

// Once a condition changed an item, calls are asked part by part again,
// as the expressions would be.
TEST_F(ConditionMemoTest, CallsAnswerAsTheirExpressionsOnceAConditionChangesItems) {
  run("(defun memo-plain-noun () (and (head-last) (not (get-modifier-by-type det)) (not (head-first))))");
  const char* conditions[] = {"(and (memo-plain-noun) (head-last))",
                              "(or (get-modifier-by-type amod) (memo-plain-noun))"};
  expect_plans_answer_as_expressions(conditions);
  auto adds = plan("(and (pitem-add-weight 1.5) (head-last))");
  ASSERT_NE(adds, nullptr);
  adds->accepts(memo, *noun, changes);
  ASSERT_TRUE(memo.any_changing());
  expect_plans_answer_as_expressions(conditions);
}

// A part inside a function that changes the item is evaluated at every
// question, as the call itself would be.
TEST_F(ConditionMemoTest, AChangingPartInsideAFunctionIsAlwaysEvaluated) {
  run("(defun memo-heavier () (and (head-last) (pitem-add-weight 2)))");
  auto heavier = plan("(memo-heavier)");
  ASSERT_NE(heavier, nullptr);
  const float weight = noun->weight;
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(heavier->accepts(memo, *noun, changes));
  EXPECT_FLOAT_EQ(noun->weight, weight + 6.0f);
}

// A plan of direct item tests and tests of the words only reads; one
// holding a part the memo must evaluate (it may change the item) does not.
TEST_F(ConditionMemoTest, PlansOfDirectTestsAndWordTestsOnlyRead) {
  run("(defun memo-plain () (and (head-first) (not (get-modifier-by-type det))))"
      "(defun memo-heavier () (and (head-last) (pitem-add-weight 2)))");
  for (const char* text : {"(head-last)", "(memo-plain)", "(or (head-last) (comp (pitem-head-word) (in (\"dog\"))))",
                           "(comp (pitem-preceding-word) (in (\"big\")))", "(and)"}) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    EXPECT_TRUE(made->reads_only(memo)) << text;
  }
  for (const char* text : {"(and (pitem-add-weight 1.5) (head-last))", "(comp (pitem-attvec) (undefine syn (num)))",
                           "(memo-heavier)", "(not (include-preceding-word))"}) {
    auto made = plan(text);
    ASSERT_NE(made, nullptr) << text;
    EXPECT_FALSE(made->reads_only(memo)) << text;
  }
}

// A test of the span's words by filters alone is known as one: a plan asks
// it without watching for changes, and keeps its answer in the item's bits
// like any other part's.
TEST_F(ConditionMemoTest, TestsOfTheWordsByFiltersAloneAreKeptInTheItem) {
  const std::string words = "(comp (pitem-head-word) (in (\"dog\")))";
  const std::string start = "(comp (pitem-preceding-word) (in (\"big\")))";
  auto made = plan("(and (head-last) " + words + ")");
  auto at_start = plan(start);
  ASSERT_NE(made, nullptr);
  ASSERT_NE(at_start, nullptr);
  const int tested = number(words);
  ASSERT_LT(tested, ItemAnswers::kConditions);
  EXPECT_TRUE(memo.tests_words_only(tested));
  EXPECT_FALSE(memo.tests_words_only(number("(head-last)")));
  EXPECT_FALSE(memo.tests_words_only(number(start)));
  EXPECT_FALSE(memo.tests_words_only(-1));
  const std::uint64_t bit = std::uint64_t{1} << (tested % 64);
  for (PItem* item : {phrase, noun}) {
    ASSERT_TRUE(expression_accepts("(head-last)", item));
    EXPECT_EQ(made->accepts(memo, *item, changes), expression_accepts(words, item));
    EXPECT_TRUE(item->answers.known[tested / 64] & bit);
    EXPECT_EQ((item->answers.accepted[tested / 64] & bit) != 0, expression_accepts(words, item));
  }
}

// A plan walked part by part keeps its own answer at its place in the
// item's bits, where the next question finds it.
TEST_F(ConditionMemoTest, AWalkedPlanKeepsItsAnswerInTheItem) {
  const char* text = "(and (head-last) (not (get-modifier-by-type det)))";
  auto made = plan(text);
  ASSERT_NE(made, nullptr);
  const ConditionPlan::AnswerPlace place = made->answer_place();
  ASSERT_NE(place.bit, 0u);
  for (PItem* item : {phrase, noun}) {
    EXPECT_FALSE(item->answers.known[place.word] & place.bit);
    const bool expected = expression_accepts(text, item);
    EXPECT_EQ(made->accepts(memo, *item, changes), expected);
    EXPECT_TRUE(item->answers.known[place.word] & place.bit);
    EXPECT_EQ((item->answers.accepted[place.word] & place.bit) != 0, expected);
  }
}

// A part the item's bits do not know, asked while no condition has changed
// an item, answers as its expression and is kept in the bits; one that
// changes the item is not kept, and from then on conditions change items.
TEST_F(ConditionMemoTest, AnUnknownPartIsAnsweredAndKeptInTheItem) {
  const std::string end = "(pitem-following-word (in (\"x\")))";
  const std::string heavier = "(pitem-add-weight 1.5)";
  for (const std::string& text : {end, heavier}) ASSERT_NE(plan(text), nullptr) << text;
  const int end_number = number(end);
  const int heavier_number = number(heavier);
  ASSERT_LT(end_number, ItemAnswers::kConditions);
  ASSERT_LT(heavier_number, ItemAnswers::kConditions);
  std::shared_ptr<LExp> end_exp = LExp::from_text(end);
  std::shared_ptr<LExp> heavier_exp = LExp::from_text(heavier);
  const auto knows = [](const PItem& item, int number) {
    return (item.answers.known[number / 64] >> (number % 64)) & 1u;
  };
  for (PItem* item : {phrase, noun}) {
    bool remembered = true;
    const bool expected = expression_accepts(end, item);
    EXPECT_EQ(memo.ask_unknown(*end_exp, end_number, *item, changes, remembered), expected);
    EXPECT_TRUE(remembered);
    EXPECT_TRUE(knows(*item, end_number));
    EXPECT_EQ(((item->answers.accepted[end_number / 64] >> (end_number % 64)) & 1u) != 0, expected);
  }
  bool remembered = true;
  const float weight = noun->weight;
  EXPECT_TRUE(memo.ask_unknown(*heavier_exp, heavier_number, *noun, changes, remembered));
  EXPECT_FLOAT_EQ(noun->weight, weight + 1.5f);
  EXPECT_FALSE(remembered);
  EXPECT_FALSE(knows(*noun, heavier_number));
  EXPECT_TRUE(memo.any_changing());
}

// A part that changes the item, met after parts the item's bits answer
// and behind a gate whose call is not answered yet, is evaluated at every
// question; the parts after it are still asked, and neither the plan's
// answer nor the call's is kept.
TEST_F(ConditionMemoTest, AChangingPartAfterAnsweredPartsIsEvaluatedAtEveryQuestion) {
  run("(defun memo-checked-heavier () (and (head-last) (head-first) (pitem-add-weight 2) (head-last)))");
  const std::string text = "(and (head-last) (memo-checked-heavier) (not (get-modifier-by-type det)))";
  auto answered = plan("(head-last)");
  auto made = plan(text);
  ASSERT_NE(answered, nullptr);
  ASSERT_NE(made, nullptr);
  ASSERT_TRUE(expression_accepts("(head-last)", noun));
  ASSERT_TRUE(expression_accepts("(head-first)", noun));
  EXPECT_TRUE(answered->accepts(memo, *noun, changes));
  const ConditionPlan::AnswerPlace place = made->answer_place();
  ASSERT_NE(place.bit, 0u);
  const bool expected = !expression_accepts("(get-modifier-by-type det)", noun);
  const float weight = noun->weight;
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(made->accepts(memo, *noun, changes), expected);
    EXPECT_FLOAT_EQ(noun->weight, weight + 2.0f * static_cast<float>(i)) << "evaluated again";
    EXPECT_FALSE(noun->answers.known[place.word] & place.bit) << "the plan's answer is not kept";
  }
  EXPECT_TRUE(memo.any_changing());
}

// A test of the item's vector inside a plan answers as its expression,
// read from the item's current vector, and is kept in the item's bits.
TEST_F(ConditionMemoTest, AVectorTestInAPlanIsReadFromTheItemAndKept) {
  const std::string vector_test = "(comp (pitem-attvec) (defined syn (num)))";
  const std::string text = "(and (head-last) (or " + vector_test + " (head-first)))";
  auto made = plan(text);
  ASSERT_NE(made, nullptr);
  const int tested = number(vector_test);
  ASSERT_LT(tested, ItemAnswers::kConditions);
  const std::uint64_t bit = std::uint64_t{1} << (tested % 64);
  for (PItem* item : {phrase, noun}) {
    const bool expected = expression_accepts(vector_test, item);
    ASSERT_TRUE(expression_accepts("(head-last)", item));
    EXPECT_EQ(made->accepts(memo, *item, changes), expression_accepts(text, item));
    EXPECT_TRUE(item->answers.known[tested / 64] & bit);
    EXPECT_EQ((item->answers.accepted[tested / 64] & bit) != 0, expected);
  }
  ASSERT_TRUE(expression_accepts(vector_test, phrase));
  ASSERT_FALSE(expression_accepts("(head-first)", phrase));
  phrase->av.remove(att("num"));
  phrase->vector_changed();
  EXPECT_FALSE(made->accepts(memo, *phrase, changes)) << "asked again of the new vector";
  EXPECT_FALSE(phrase->answers.accepted[tested / 64] & bit);
}

TEST_F(ConditionMemoTest, AFormThatBuildsNoExpressionHasNoPlan) {
  EXPECT_EQ(plan("(and (head-last) (no-such-function))"), nullptr);
}

}  // namespace
}  // namespace velmo
