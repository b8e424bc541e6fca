#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart_fixture.h"

namespace velmo {
namespace {

using testing::grammar_text;
using testing::item_spanning;
using testing::items_ending_at;
using testing::TestSentence;

constexpr const char* kDet = "(cat d)";
constexpr const char* kAdj = "(cat a)";
constexpr const char* kPrep = "(cat p)";
constexpr const char* kNoun = "(cat n) (num sg)";
constexpr const char* kNouns = "(cat n) (num pl)";
constexpr const char* kVerb = "(cat v)";

class ChartTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    run(grammar_text("chart.lsp"));
  }
  void TearDown() override {
    pitem_limit() = ItemPool::kDefaultLimit;
    GrammarFixture::TearDown();
  }
  // Words with one reading each, given as "word:vector" pairs.
  ChartResult parse(TestSentence& s) { return s.parse_with(parser()); }
  const ParseStats& stats() { return parser().chart().stats; }
};

TEST_F(ChartTest, DeterminerAndNounMakeANounPhrase) {
  TestSentence s;
  s.words("the dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kNoun);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  PItem* np = item_spanning(cate("NP"), 1, 2);
  ASSERT_NE(np, nullptr);
  // 18 + 18 for the words, 1 for the link; adjacent head words cost nothing.
  EXPECT_FLOAT_EQ(np->weight, 37.0f);
  ASSERT_TRUE(np->is_merge());
  EXPECT_EQ(np->link->relation(), "det");
  EXPECT_EQ(np->second->lexical_head().start, 1);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item, np);
}

TEST_F(ChartTest, ANonRepeatablePositionTakesOneModifier) {
  TestSentence s;
  s.words("the the dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kDet);
  s.item(3, 3, kNoun);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP"), 2, 3), nullptr);
  EXPECT_EQ(item_spanning(cate("NP"), 1, 3), nullptr);
}

TEST_F(ChartTest, ARepeatablePositionTakesSeveralModifiers) {
  TestSentence s;
  s.words("the big red dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kAdj);
  s.item(3, 3, kAdj);
  s.item(4, 4, kNoun);
  parse(s);
  PItem* np = item_spanning(cate("NP"), 1, 4);
  ASSERT_NE(np, nullptr);
  EXPECT_EQ(np->link->relation(), "det");
}

TEST_F(ChartTest, AWordBetweenModifierAndHeadMustBeSkipped) {
  TestSentence plain;
  plain.words("the , dog");
  plain.item(1, 1, kDet);
  plain.item(3, 3, kNoun);
  parse(plain);
  EXPECT_EQ(item_spanning(cate("NP"), 1, 3), nullptr);

  TestSentence skipping;
  skipping.words("the , dog");
  skipping.item(1, 1, kDet);
  skipping.item(3, 3, kNoun);
  skipping.skip(2);
  parse(skipping);
  EXPECT_NE(item_spanning(cate("NP"), 1, 3), nullptr);
}

TEST_F(ChartTest, ASkipWordConditionPassesTheWordsItAccepts) {
  run("(def-category NP2 (visible-atts (cat)))"
      "(def-modifiers NP2 (:skip-word (str-eq (ident) (str um)) (Det (dep-type det))) (:head (N)))");
  TestSentence s;
  s.words("the um dog");
  s.item(1, 1, kDet);
  s.item(3, 3, kNoun);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP2"), 1, 3), nullptr);
}

TEST_F(ChartTest, AScanPassesPositionsWithNothingWaitingToOneThatSkipsWords) {
  run("(def-category NP6 (visible-atts (cat)))"
      "(def-modifiers NP6 (:skip-word (str-eq (ident) (str um)) (Det (dep-type det))) (* (A (dep-type amod)))"
      " (:head (N)))");
  TestSentence s;
  s.words("the um big dog");
  s.item(1, 1, kDet);
  s.item(3, 3, kAdj);
  s.item(4, 4, kNoun);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP6"), 1, 4), nullptr);
}

TEST_F(ChartTest, AScanToTheLeftStopsAtTheFirstObligatoryPosition) {
  run("(def-category NP7 (visible-atts (cat)))"
      "(def-modifiers NP7 (? (Det (dep-type det))) ((A (dep-type amod))) (:head (N)))");
  TestSentence bare;
  bare.words("the dog");
  bare.item(1, 1, kDet);
  bare.item(2, 2, kNoun);
  parse(bare);
  EXPECT_EQ(item_spanning(cate("NP7"), 1, 2), nullptr);

  TestSentence s;
  s.words("the big dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kAdj);
  s.item(3, 3, kNoun);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP7"), 1, 3), nullptr);
}

TEST_F(ChartTest, AnAdjunctShorterThanTheItemMayBeSkipped) {
  run("(def-category Adjunct) (def-subclass Adjunct (Adv))"
      "(def-category NP4 (visible-atts (cat)))"
      "(def-modifiers NP4 (:skip-adjunct ? (Det (dep-type det))) (* (A (dep-type amod))) (:head (N)))");
  TestSentence s;
  s.words("the quickly big dog");
  s.item(1, 1, kDet);
  s.item(2, 2, "(node \"Adv\")");
  s.item(3, 3, kAdj);
  s.item(4, 4, kNoun);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP4"), 1, 4), nullptr);

  TestSentence commas;
  commas.words("the , quickly , big dog");
  commas.item(1, 1, kDet);
  commas.item(3, 3, "(node \"Adv\")");
  commas.item(5, 5, kAdj);
  commas.item(6, 6, kNoun);
  parse(commas);
  EXPECT_NE(item_spanning(cate("NP4"), 1, 6), nullptr);

  // An adjunct as long as the item is not skipped.
  TestSentence too_long;
  too_long.words("the quickly dog");
  too_long.item(1, 1, kDet);
  too_long.item(2, 2, "(node \"Adv\")");
  too_long.item(3, 3, kNoun);
  parse(too_long);
  EXPECT_EQ(item_spanning(cate("NP4"), 1, 3), nullptr);
}

TEST_F(ChartTest, HeadWordsTwentyOneApartDoNotMerge) {
  TestSentence s;
  s.words("the x x x x x x x x x x x x x x x x x x x x dog");
  s.item(1, 1, kDet);
  s.item(22, 22, kNoun);
  for (int p = 2; p <= 21; ++p) s.skip(p);
  parse(s);
  EXPECT_EQ(item_spanning(cate("NP"), 1, 22), nullptr);
}

TEST_F(ChartTest, HeadWordsFiveApartAddTwo) {
  TestSentence s;
  s.words("the x x x x dog");
  s.item(1, 1, kDet);
  s.item(6, 6, kNoun);
  for (int p = 2; p <= 5; ++p) s.skip(p);
  parse(s);
  PItem* np = item_spanning(cate("NP"), 1, 6);
  ASSERT_NE(np, nullptr);
  EXPECT_FLOAT_EQ(np->weight, 18.0f + 18.0f + 1.0f + 2.0f);
}

TEST_F(ChartTest, WordWeightsComeFromTheFreqRecordOfTheReading) {
  TestSentence s;
  s.words("dog runs");
  PItem* noun_item = nullptr;
  s.item(1, 1, kNoun, "N 3 V 7");
  s.item(2, 2, "(cat v) (args ((cat n)))", "V_N 5 V 9");
  parse(s);
  noun_item = item_spanning(cate("N"), 1, 1);
  ASSERT_NE(noun_item, nullptr);
  EXPECT_FLOAT_EQ(noun_item->weight, 3.0f);
  EXPECT_EQ(noun_item->lex_item->weight, 3);
  PItem* verb = nullptr;
  for (PItem* item : items_ending_at(cate("V_N"), 2))
    if (item->is_lexical()) verb = item;
  ASSERT_NE(verb, nullptr);
  EXPECT_FLOAT_EQ(verb->weight, 5.0f);
}

TEST_F(ChartTest, WordsWithoutFreqWeighEighteen) {
  TestSentence s;
  s.words("dog");
  s.item(1, 1, kNoun, "V 7");
  parse(s);
  PItem* noun = item_spanning(cate("N"), 1, 1);
  ASSERT_NE(noun, nullptr);
  EXPECT_FLOAT_EQ(noun->weight, 18.0f);
}

TEST_F(ChartTest, SubjectVerbObjectWithPrepositionalAttachmentAmbiguity) {
  TestSentence s;
  s.words("dogs see cats with telescopes");
  s.item(1, 1, kNouns);
  s.item(2, 2, kVerb);
  s.item(3, 3, kNouns);
  s.item(4, 4, kPrep);
  s.item(5, 5, kNouns);
  const ChartResult result = parse(s);
  PItem* clause = item_spanning(cate("S"), 1, 5);
  ASSERT_NE(clause, nullptr);
  // Two analyses: the phrase attaches to the verb or to "cats"; they differ
  // in weight only by the distance term, so both are kept (as separate
  // items or packed).
  int analyses = 0;
  for (PItem* item : items_ending_at(cate("S"), 5))
    if (item->start == 1)
      for (PItem* alt = item; alt; alt = alt->next_alt) ++analyses;
  EXPECT_GE(analyses, 2);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->start, 1);
  EXPECT_EQ(result.cover[0].item->end, 5);
}

TEST_F(ChartTest, EqualItemsArePackedAndOnlyTheFirstIsOffered) {
  TestSentence s;
  s.words("the fish");
  s.item(1, 1, kDet);
  s.item(2, 2, "(cat n) (num sg) +opt");
  s.item(2, 2, "(cat n) (num sg) -opt");
  parse(s);
  EXPECT_GE(stats().packed, 1u);
  const std::vector<PItem*> nouns = items_ending_at(cate("N"), 2);
  ASSERT_EQ(nouns.size(), 1u);
  ASSERT_NE(nouns[0]->next_alt, nullptr);
  // One NP over both words, with the packed reading as its alternative below.
  int phrases = 0;
  for (PItem* item : items_ending_at(cate("NP"), 2))
    if (item->start == 1) ++phrases;
  EXPECT_EQ(phrases, 1);
}

TEST_F(ChartTest, EachCategoryPacksByItsOwnVisibleAttributes) {
  // The verb's readings differ in an attribute the verb does not show and
  // pack; the noun's differ in one the noun shows, though they come right
  // after, with vectors of the same type, and stay apart.
  TestSentence s;
  s.words("fish");
  s.item(1, 1, "(cat v) (num sg)");
  s.item(1, 1, "(cat v) (num pl)");
  s.item(1, 1, "(cat n) (num sg)");
  s.item(1, 1, "(cat n) (num pl)");
  parse(s);
  const std::vector<PItem*> verbs = items_ending_at(cate("V"), 1);
  ASSERT_EQ(verbs.size(), 1u);
  EXPECT_NE(verbs[0]->next_alt, nullptr);
  const std::vector<PItem*> nouns = items_ending_at(cate("N"), 1);
  ASSERT_EQ(nouns.size(), 2u);
  EXPECT_EQ(nouns[0]->next_alt, nullptr);
  EXPECT_EQ(nouns[1]->next_alt, nullptr);
}

TEST_F(ChartTest, CoordinationWithAConjunction) {
  TestSentence s;
  s.words("dogs and cats");
  s.item(1, 1, kNouns);
  s.item(3, 3, kNouns);
  s.last_conj(2);
  parse(s);
  PItem* both = item_spanning(cate("NP"), 1, 3);
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->link, cate("NP").conj_link());
  EXPECT_EQ(both->head_child->start, 1);
  EXPECT_EQ(both->second->start, 3);
  EXPECT_FLOAT_EQ(both->weight, 36.0f);
  EXPECT_TRUE(both->av.defined(att("last_conj")));
  EXPECT_EQ(stats().coordinated, 1u);
}

TEST_F(ChartTest, CoordinationWithACommaNeedsALastConjunct) {
  TestSentence plain;
  plain.words("dogs , cats");
  plain.item(1, 1, kNouns);
  plain.item(3, 3, kNouns);
  parse(plain);
  EXPECT_EQ(item_spanning(cate("NP"), 1, 3), nullptr);

  TestSentence s;
  s.words("dogs , cats and mice");
  s.item(1, 1, kNouns);
  s.item(3, 3, kNouns);
  s.item(5, 5, kNouns);
  s.last_conj(4);
  parse(s);
  ASSERT_NE(item_spanning(cate("NP"), 3, 5), nullptr);
  PItem* all = item_spanning(cate("NP"), 1, 5);
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->link, cate("NP").conj_link());
}

TEST_F(ChartTest, ConjunctsMustAgreeOnConsistentAttributes) {
  TestSentence s;
  s.words("dog and cats");
  s.item(1, 1, kNoun);
  s.item(3, 3, kNouns);
  s.last_conj(2);
  parse(s);
  EXPECT_EQ(item_spanning(cate("NP"), 1, 3), nullptr);
}

TEST_F(ChartTest, AFirstConjunctionIsTakenIntoTheSpan) {
  TestSentence s;
  s.words("both dogs and cats");
  s.item(2, 2, kNouns);
  s.item(4, 4, kNouns);
  s.first_conj(1);
  s.last_conj(3);
  parse(s);
  EXPECT_NE(item_spanning(cate("NP"), 1, 4), nullptr);
}

TEST_F(ChartTest, AMovedElementFillsItsGapAndLeavesATrace) {
  TestSentence s;
  s.words("what see");
  s.item(1, 1, "(cat n) (check wh)");
  s.item(2, 2, "(cat v) (move ((slash wh) (role obj)))");
  parse(s);
  PItem* verb = item_spanning(cate("V"), 2, 2);
  ASSERT_NE(verb, nullptr);
  // Entering the verb gave its moved element a trace and took its role.
  const AttList* moved = reinterpret_cast<const AttList*>(verb->av.get(att("move")));
  ASSERT_NE(moved, nullptr);
  EXPECT_FALSE(moved->at(0)->defined(att("role")));
  ASSERT_TRUE(moved->at(0)->defined(att("trace")));

  PItem* question = item_spanning(cate("Wh"), 1, 2);
  ASSERT_NE(question, nullptr);
  EXPECT_FALSE(question->av.defined(att("move")));
  ASSERT_TRUE(question->av.defined(att("trace")));
  const auto* trace = reinterpret_cast<const TraceList*>(question->av.get(att("trace")));
  ASSERT_EQ(trace->records().size(), 1u);
  EXPECT_EQ(trace->records()[0].role, builtin_attributes().type->attribute(att("role")).get_val("obj"));
  EXPECT_EQ(reinterpret_cast<const PItem*>(trace->records()[0].item)->lexical_head().start, 2);
  EXPECT_NE(question->av.text().find("(trace (obj [2,2]))"), std::string::npos) << question->av.text();
}

TEST_F(ChartTest, AnArgumentListMakesASubcategoryWhoseArgumentsAttach) {
  TestSentence s;
  s.words("dogs chase cats");
  s.item(1, 1, kNouns);
  s.item(2, 2, "(cat v) (args ((cat n)))");
  s.item(3, 3, kNouns);
  parse(s);
  GCate& vn = cate("V_N");
  PItem* frame = item_spanning(vn, 2, 3);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->link->relation(), "comp1");
  // The verb alone is no complete frame; the optional argument would be.
  EXPECT_EQ(stats().pool_exhausted, false);
}

TEST_F(ChartTest, AFrameIsCompleteWhenItsMissingArgumentsAreOptional) {
  TestSentence optional;
  optional.words("dogs sleep");
  optional.item(1, 1, kNouns);
  optional.item(2, 2, "(cat v) (args ((cat n) +opt))");
  parse(optional);
  EXPECT_NE(item_spanning(cate("S"), 1, 2), nullptr);

  TestSentence obligatory;
  obligatory.words("dogs chase");
  obligatory.item(1, 1, kNouns);
  obligatory.item(2, 2, "(cat v) (args ((cat n)))");
  parse(obligatory);
  EXPECT_EQ(item_spanning(cate("S"), 1, 2), nullptr);
}

TEST_F(ChartTest, CaseMarksDecideWhetherAMergeStands) {
  run("(def-category Nc (visible-atts (cat cm govern))) (def-category CM (visible-atts (cat cm)))"
      "(def-modifiers CM ((A (dep-type mod) (percolate (cm)))) (:head (Nc)))");
  // The head asks for a case mark (cm 0): a modifier without one is welcome.
  TestSentence plain;
  plain.words("red box");
  plain.item(1, 1, kAdj);
  plain.item(2, 2, "(node \"Nc\") (cat n) -cm");
  parse(plain);
  EXPECT_NE(item_spanning(cate("CM"), 1, 2), nullptr);
  // A modifier that also lacks the mark cannot attach to a head without one.
  TestSentence unmarked;
  unmarked.words("red box");
  unmarked.item(1, 1, "(cat a) -cm");
  unmarked.item(2, 2, "(node \"Nc\") (cat n) -cm");
  parse(unmarked);
  EXPECT_EQ(item_spanning(cate("CM"), 1, 2), nullptr);
  // Unless the head does not govern case.
  TestSentence ungoverned;
  ungoverned.words("red box");
  ungoverned.item(1, 1, "(cat a) -cm");
  ungoverned.item(2, 2, "(node \"Nc\") (cat n) -cm -govern");
  parse(ungoverned);
  EXPECT_NE(item_spanning(cate("CM"), 1, 2), nullptr);
}

// A head condition is asked of each item its link projects: it refuses a
// head without the attribute it tests, and a part that unifies a value into
// the projected item leaves it there for the parts after it and the item.
TEST_F(ChartTest, AHeadConditionDecidesAndShapesTheProjectedItem) {
  if (!LExp::find_prototype("defined")) register_att_functions();
  run("(def-category HD (visible-atts (cat num)))"
      "(def-modifiers HD (? (Det (dep-type det))) (:head (N (head-cond (comp (pitem-attvec) (defined syn (num)))))))"
      "(def-category HU (visible-atts (cat num)))"
      "(def-modifiers HU (:head (N (head-cond (and (comp (pitem-attvec) (unify syn ((num pl))))"
      "                                            (comp (pitem-attvec) (defined syn (num))))))))");
  TestSentence s;
  s.words("the dog sheep");
  s.item(1, 1, kDet);
  s.item(2, 2, kNoun);
  s.item(3, 3, "(cat n)");
  parse(s);
  EXPECT_NE(item_spanning(cate("HD"), 1, 2), nullptr);
  EXPECT_EQ(item_spanning(cate("HD"), 3, 3), nullptr);
  EXPECT_EQ(item_spanning(cate("HU"), 2, 2), nullptr) << "a singular noun does not unify with plural";
  PItem* sheep = item_spanning(cate("HU"), 3, 3);
  ASSERT_NE(sheep, nullptr);
  EXPECT_TRUE(sheep->av.defined(att("num")));
}

TEST_F(ChartTest, BracketsStopSpansThatCrossThem) {
  TestSentence s;
  s.words("the big dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kAdj);
  s.item(3, 3, kNoun);
  reset_parser(parser());
  parser().chart().isolate(1, 2);
  parse_chart(parser(), s.view());
  EXPECT_EQ(item_spanning(cate("NP"), 2, 3), nullptr);
}

TEST_F(ChartTest, BracketsHoldUntilTheChartIsReset) {
  Chart& chart = parser().chart();
  chart.reset(5);
  EXPECT_FALSE(chart.crosses_bracket(0, 5));
  chart.isolate(3, 2);  // no bracket
  EXPECT_FALSE(chart.crosses_bracket(2, 4));
  chart.isolate(2, 3);
  EXPECT_TRUE(chart.crosses_bracket(1, 2));
  EXPECT_TRUE(chart.crosses_bracket(3, 4));
  EXPECT_FALSE(chart.crosses_bracket(2, 3));
  EXPECT_FALSE(chart.crosses_bracket(1, 4));
  chart.clear_items();  // another pass over the same sentence keeps them
  EXPECT_TRUE(chart.crosses_bracket(3, 4));
  chart.reset(5);
  EXPECT_FALSE(chart.crosses_bracket(3, 4));
}

TEST_F(ChartTest, WithoutRootsTheCoverIsMadeOfSingleWords) {
  TestSentence s;
  s.words("x y z");
  const ChartResult result = parse(s);
  EXPECT_TRUE(result.cover.empty());
  float weight = 0.0f;
  choose_cover(parser(), result.roots, &weight);
  EXPECT_FLOAT_EQ(weight, 70.0f);  // two gaps of 35

  TestSentence p;
  p.words("x , y");
  const ChartResult with_comma = parse(p);
  choose_cover(parser(), with_comma.roots, &weight);
  EXPECT_FLOAT_EQ(weight, 20.0f);  // two gaps next to punctuation
}

TEST_F(ChartTest, TheCoverPrefersFewerCheaperRoots) {
  TestSentence s;
  s.words("the dog . a cat");
  s.item(1, 1, kDet);
  s.item(2, 2, kNoun);
  s.item(4, 4, kDet);
  s.item(5, 5, kNoun);
  const ChartResult result = parse(s);
  ASSERT_EQ(result.cover.size(), 2u);
  EXPECT_EQ(result.cover[0].item->start, 1);
  EXPECT_EQ(result.cover[0].item->end, 2);
  EXPECT_EQ(result.cover[1].item->start, 4);
  EXPECT_EQ(result.cover[1].item->end, 5);
}

// The cover as a plain table of every span: a span with root items of its
// own takes the cheapest (the first of equals), any other its cheapest
// split (the first of equals), with the gap cost between the parts.
struct PlainCover {
  std::vector<RootItem> roots;
  std::vector<const char*> words;  // 1..last; [0] unused
  std::vector<std::vector<float>> weight;
  std::vector<std::vector<int>> root, split;

  float solve(int last) {
    const auto n = static_cast<std::size_t>(last) + 1;
    weight.assign(n, std::vector<float>(n, -1.0f));
    root.assign(n, std::vector<int>(n, -1));
    split.assign(n, std::vector<int>(n, -1));
    for (std::size_t r = 0; r < roots.size(); ++r) {
      const PItem& item = *roots[r].item;
      const float value = roots[r].weight + static_cast<float>(roots[r].extra_cost);
      float& kept = weight[item.start][item.end];
      if (kept < 0.0f || value < kept) {
        kept = value;
        root[item.start][item.end] = static_cast<int>(r);
      }
    }
    for (int w = 1; w <= last; ++w)
      if (root[w][w] < 0) weight[w][w] = 0.0f;
    for (int length = 2; length <= last; ++length)
      for (int i = 1; i + length - 1 <= last; ++i) {
        const int j = i + length - 1;
        if (root[i][j] >= 0) continue;
        for (int m = i; m < j; ++m) {
          const bool punct = std::string_view(words[m]) == "," || std::string_view(words[m + 1]) == ",";
          const float sum = weight[i][m] + weight[m + 1][j] + (punct ? kCoverPunctuationGap : kCoverGap);
          if (weight[i][j] < 0.0f || sum < weight[i][j]) {
            weight[i][j] = sum;
            split[i][j] = m;
          }
        }
      }
    return weight[1][last];
  }
  void pieces(int i, int j, std::vector<const PItem*>& out) const {
    if (root[i][j] >= 0) {
      out.push_back(roots[static_cast<std::size_t>(root[i][j])].item);
    } else if (split[i][j] >= 0) {
      pieces(i, split[i][j], out);
      pieces(split[i][j] + 1, j, out);
    }
  }
};

TEST_F(ChartTest, TheCoverIsTheCheapestSplitOfEverySpan) {
  TestSentence s;
  s.words("a b , c d e , f g h i j");
  parse(s);
  const int last = 12;
  std::deque<PItem> items;
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t below) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % below;
  };
  for (int round = 0; round < 200; ++round) {
    PlainCover plain;
    plain.words = {"", "a", "b", ",", "c", "d", "e", ",", "f", "g", "h", "i", "j"};
    const std::uint32_t count = 1 + next(14);
    for (std::uint32_t r = 0; r < count; ++r) {
      PItem& item = items.emplace_back(nullptr);
      item.start = static_cast<std::int16_t>(1 + next(last));
      item.end = static_cast<std::int16_t>(item.start + next(static_cast<std::uint32_t>(last - item.start + 1)));
      // Whole-number weights make equal covers common: the first of equals
      // must win as in the plain table.
      plain.roots.push_back({&item, static_cast<int>(next(3)), static_cast<float>(next(60))});
    }
    const float expected = plain.solve(last);
    std::vector<const PItem*> expected_pieces;
    plain.pieces(1, last, expected_pieces);
    float weight = -5.0f;
    const std::vector<RootItem> cover = choose_cover(parser(), plain.roots, &weight);
    EXPECT_FLOAT_EQ(weight, expected) << round;
    ASSERT_EQ(cover.size(), expected_pieces.size()) << round;
    for (std::size_t k = 0; k < cover.size(); ++k) EXPECT_EQ(cover[k].item, expected_pieces[k]) << round;
  }
}

TEST_F(ChartTest, ARootOverTheWholeSentenceIsTheCoverEvenWhenPiecesAreCheaper) {
  TestSentence s;
  s.words("a b c .");
  parse(s);
  std::deque<PItem> items;
  const auto root = [&items](int start, int end, float weight) {
    PItem& item = items.emplace_back(nullptr);
    item.start = static_cast<std::int16_t>(start);
    item.end = static_cast<std::int16_t>(end);
    return RootItem{&item, 0, weight};
  };
  // The final full stop that no root reaches is left out of the span.
  const std::vector<RootItem> roots = {root(1, 1, 0.0f), root(1, 3, 200.0f), root(2, 3, 0.0f), root(1, 3, 150.0f),
                                       root(1, 3, 150.0f)};
  float weight = 0.0f;
  const std::vector<RootItem> cover = choose_cover(parser(), roots, &weight);
  ASSERT_EQ(cover.size(), 1u);
  EXPECT_EQ(cover[0].item, roots[3].item);
  EXPECT_FLOAT_EQ(weight, 150.0f);
}

// Root entries with constant forms and with forms evaluated per item give
// the same items and costs.
TEST_F(ChartTest, RootsTakeTheCostsOfTheirEntries) {
  run("(roots (NP (t) (int 5)) (S (nil) (int 1)) (Wh (pitem-low) (pitem-high)))");
  TestSentence s;
  s.words("the dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kNoun);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  bool whole = false;
  for (const RootItem& root : result.roots) {
    EXPECT_EQ(root.item->cate, &cate("NP"));
    EXPECT_EQ(root.extra_cost, 5);
    EXPECT_FLOAT_EQ(root.weight, root.item->weight);
    whole = whole || (root.item->start == 1 && root.item->end == 2);
  }
  EXPECT_TRUE(whole);
  run("(roots (NP (t) (pitem-high)))");
  for (const RootItem& root : collect_roots(parser())) EXPECT_EQ(root.extra_cost, root.item->end);
}

TEST_F(ChartTest, PoolExhaustionDuringEntryStopsTheSentence) {
  pitem_limit() = 2;
  TestSentence s;
  s.words("the big dog");
  s.item(1, 1, kDet);
  s.item(2, 2, kAdj);
  s.item(3, 3, kNoun);
  const ChartResult result = parse(s);
  EXPECT_FALSE(result.parsed);
  EXPECT_TRUE(stats().stopped_in_entry);
  EXPECT_TRUE(stats().pool_exhausted);
  EXPECT_TRUE(result.cover.empty());
}

TEST_F(ChartTest, PoolExhaustionInTheChartKeepsWhatWasMade) {
  pitem_limit() = 6;
  TestSentence s;
  s.words("dogs see cats with telescopes");
  s.item(1, 1, kNouns);
  s.item(2, 2, kVerb);
  s.item(3, 3, kNouns);
  s.item(4, 4, kPrep);
  s.item(5, 5, kNouns);
  const ChartResult result = parse(s);
  EXPECT_TRUE(result.parsed);
  EXPECT_TRUE(stats().pool_exhausted);
  EXPECT_LE(parser().chart().pool().used(), 6u);
  // The next sentence has the whole pool again.
  pitem_limit() = ItemPool::kDefaultLimit;
  TestSentence next;
  next.words("the dog");
  next.item(1, 1, kDet);
  next.item(2, 2, kNoun);
  parse(next);
  EXPECT_FALSE(stats().pool_exhausted);
  EXPECT_NE(item_spanning(cate("NP"), 1, 2), nullptr);
}

TEST_F(ChartTest, EverySentenceStartsFromAnEmptyChart) {
  TestSentence s;
  s.words("the dog saw a man with the big big telescope");
  const char* readings[] = {kDet, kNoun, kVerb, kDet, kNoun, kPrep, kDet, kAdj, kAdj, kNoun};
  for (int p = 1; p <= 10; ++p) s.item(p, p, readings[p - 1]);
  parse(s);
  const ParseStats first = stats();
  for (int again = 0; again < 3; ++again) {
    parse(s);
    EXPECT_EQ(stats().made, first.made);
    EXPECT_EQ(stats().packed, first.packed);
    EXPECT_EQ(stats().merged, first.merged);
  }
}

TEST_F(ChartTest, ACategoryModifyingItselfAcrossManyWords) {
  // Every compound is offered to the link whose waiting lists are being
  // read, so they grow while they are read.
  run("(def-category CN (visible-atts (cat)))"
      "(def-modifiers CN (* (CN (dep-type nn))) (:head (N)))");
  TestSentence s;
  s.words("a b c d e f g h i j k l m n");
  for (int p = 1; p <= 14; ++p) s.item(p, p, kNoun);
  const ChartResult result = parse(s);
  EXPECT_TRUE(result.parsed);
  EXPECT_NE(item_spanning(cate("CN"), 1, 14), nullptr);
}

TEST_F(ChartTest, ACycleOfProjectionsEnds) {
  run("(def-category X (visible-atts (cat))) (def-category Y (visible-atts (cat)))"
      "(def-modifiers X (:head (Y) (N))) (def-modifiers Y (:head (X)))");
  TestSentence s;
  s.words("dog");
  s.item(1, 1, kNoun);
  const ChartResult result = parse(s);
  EXPECT_TRUE(result.parsed);
  EXPECT_NE(item_spanning(cate("X"), 1, 1), nullptr);
  EXPECT_NE(item_spanning(cate("Y"), 1, 1), nullptr);
}

TEST_F(ChartTest, ItemsOfUnknownCategoriesAreLeftOut) {
  TestSentence s;
  s.words("zzz dog");
  s.item(1, 1, "(cat x)");
  s.item(2, 2, kNoun);
  parse(s);
  EXPECT_EQ(stats().lexical, 1u);
}

}  // namespace
}  // namespace velmo
