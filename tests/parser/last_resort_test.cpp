#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parser/chart_fixture.h"

namespace velmo {
namespace {

using testing::item_spanning;
using testing::TestSentence;

// Nouns take a determiner and adjectives after them; a noun after a noun
// joins as a list item only as a last resort. The list link is the cheaper
// one, so only the pass it is kept out of can make the adjective win.
constexpr const char* kGrammar = R"(
(def-korvel-parser last-resort-test :attribute-vector-type syn
  :lexical-attributes (cat num)
  :default-percolating-attributes (num))
(def-category Det)
(def-category A)
(def-category N (visible-atts (cat num)))
(def-modifiers N
  (? (Det (dep-type det)))
  (:head)
  (* (A (dep-type amod) (dep-weight 5.0))
     (N (dep-type list) (dep-weight 0.5) (last-resort))))
(roots (N))
)";

constexpr const char* kDet = "(cat d)";
constexpr const char* kAdj = "(cat a)";
constexpr const char* kNoun = "(cat n) (num sg)";
constexpr const char* kNouns = "(cat n) (num pl)";

class LastResortTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    run(kGrammar);
  }
  ChartResult parse(TestSentence& s) { return s.parse_with(parser()); }
  // A sentence the ordinary links cover whole: "fine" modifies "dog".
  static void dog_fine(TestSentence& s) {
    s.words("dog fine");
    s.item(1, 1, kNoun);
    s.item(2, 2, kAdj);
    s.item(2, 2, kNoun);
  }
};

TEST_F(LastResortTest, TheGrammarCountsItsLastResortLinks) { EXPECT_EQ(parser().last_resort_links, 1); }

TEST_F(LastResortTest, ASentenceThatParsesWithoutTheLinkNeverUsesIt) {
  TestSentence s;
  dog_fine(s);
  const ChartResult result = parse(s);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->link->relation(), "amod");
  EXPECT_FALSE(parser().chart().last_resort);
  EXPECT_EQ(parser().chart().stats.passes, 1);
}

TEST_F(LastResortTest, ASentenceLeftInPiecesIsParsedAgainWithTheLink) {
  TestSentence s;
  s.words("the dogs cats");
  s.item(1, 1, kDet);
  s.item(2, 2, kNouns);
  s.item(3, 3, kNouns);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->start, 1);
  EXPECT_EQ(result.cover[0].item->end, 3);
  EXPECT_TRUE(parser().chart().last_resort);
  EXPECT_EQ(parser().chart().stats.passes, 2);
  PItem* list = item_spanning(cate("N"), 2, 3);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->link->relation(), "list");
  // It joins only where the first pass's pieces met ("the dogs" | "cats").
  EXPECT_TRUE(parser().chart().joins_pieces_after(2));
  EXPECT_FALSE(parser().chart().joins_pieces_after(1));
  EXPECT_FALSE(parser().chart().joins_pieces_after(3));
}

TEST_F(LastResortTest, TheNextSentenceStartsWithoutTheLink) {
  TestSentence pieces;
  pieces.words("dogs cats");
  pieces.item(1, 1, kNouns);
  pieces.item(2, 2, kNouns);
  parse(pieces);
  ASSERT_TRUE(parser().chart().last_resort);

  TestSentence whole;
  dog_fine(whole);
  const ChartResult result = parse(whole);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->link->relation(), "amod");
  EXPECT_FALSE(parser().chart().last_resort);
}

// "dog" and as many adjectives after it as `adjectives`, then "cat" when
// `with_cat`: the adjectives lie further and further from the noun.
void dog_and_adjectives(TestSentence& s, int adjectives, bool with_cat) {
  std::string text = "dog";
  for (int i = 0; i < adjectives; ++i) text += " fine";
  if (with_cat) text += " cat";
  s.words(text);
  s.item(1, 1, kNoun);
  for (int w = 2; w < 2 + adjectives; ++w) s.item(w, w, kAdj);
  if (with_cat) s.item(2 + adjectives, 2 + adjectives, kNoun);
}

TEST_F(LastResortTest, TheFirstPassJoinsNoHeadsMoreThanTwentyWordsApart) {
  TestSentence s;
  dog_and_adjectives(s, 24, false);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  EXPECT_FALSE(parser().chart().last_resort);  // one piece: no second pass
  EXPECT_NE(item_spanning(cate("N"), 1, 21), nullptr);
  EXPECT_EQ(item_spanning(cate("N"), 1, 22), nullptr);
}

TEST_F(LastResortTest, TheSecondPassReachesFurther) {
  TestSentence s;
  dog_and_adjectives(s, 24, true);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  ASSERT_TRUE(parser().chart().last_resort);
  // Every adjective reaches the noun, and the noun 25 words on joins too.
  EXPECT_NE(item_spanning(cate("N"), 1, 25), nullptr);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->start, 1);
  EXPECT_EQ(result.cover[0].item->end, 26);
}

TEST_F(LastResortTest, TheSecondPassStillStopsFortyWordsApart) {
  TestSentence s;
  dog_and_adjectives(s, 44, true);
  parse(s);
  ASSERT_TRUE(parser().chart().last_resort);
  EXPECT_NE(item_spanning(cate("N"), 1, 41), nullptr);
  EXPECT_EQ(item_spanning(cate("N"), 1, 42), nullptr);
}

// A link with a reach of its own joins heads further apart in the first
// pass, up to the second pass's limit and no further.
constexpr const char* kReachGrammar = R"(
(def-korvel-parser reach-test :attribute-vector-type syn
  :lexical-attributes (cat num)
  :default-percolating-attributes (num))
(def-category A)
(def-category N (visible-atts (cat num)))
(def-modifiers N
  (:head)
  (* (A (dep-type amod) (head-reach 30))))
(roots (N))
)";

TEST_F(LastResortTest, ALinkMayReachFurtherInTheFirstPass) {
  run(kReachGrammar);
  TestSentence s;
  dog_and_adjectives(s, 28, false);
  const ChartResult result = parse(s);
  ASSERT_TRUE(result.parsed);
  EXPECT_FALSE(parser().chart().last_resort);
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->end, 29);
}

TEST_F(LastResortTest, AReachBeyondTheSecondPassStopsThere) {
  run("(def-modifiers N (:head) (* (A (dep-type amod) (head-reach 90))))");
  TestSentence s;
  dog_and_adjectives(s, 44, false);
  parse(s);
  EXPECT_NE(item_spanning(cate("N"), 1, 41), nullptr);
  EXPECT_EQ(item_spanning(cate("N"), 1, 42), nullptr);
}

// ---- The second pass going on from the first pass's chart.

// The derivation of an item as text: its span, the relation it was made by
// and the derivations of its parts.
std::string derivation(const PItem* item) {
  std::string text;
  if (!item) return text;
  text.append("[").append(std::to_string(item->start)).append("-").append(std::to_string(item->end));
  if (item->link) text.append(" ").append(item->link->relation());
  if (item->head_child) text.append(" ").append(derivation(item->head_child));
  if (item->second) text.append(" ").append(derivation(item->second));
  return text.append("]");
}

std::string cover_text(const ChartResult& result) {
  std::string text;
  for (const RootItem& root : result.cover) text += derivation(root.item);
  return text;
}

// Parses the sentence built by `build` from its words, then with the second
// pass going on from the first, and keeps both covers as text.
struct BothWays {
  std::string fresh;
  std::string continued;
  std::size_t fresh_items = 0;
  std::size_t continued_items = 0;
};

class ContinuedPassTest : public LastResortTest {
 protected:
  void TearDown() override {
    parser().continue_second_pass = false;
    LastResortTest::TearDown();
  }
  template <class Build>
  BothWays parse_both_ways(Build build) {
    BothWays out;
    for (bool continued : {false, true}) {
      parser().continue_second_pass = continued;
      TestSentence s;
      build(s);
      const ChartResult result = parse(s);
      EXPECT_TRUE(result.parsed);
      EXPECT_TRUE(parser().chart().last_resort);
      (continued ? out.continued : out.fresh) = cover_text(result);
      (continued ? out.continued_items : out.fresh_items) = parser().chart().stats.made;
    }
    return out;
  }
};

TEST_F(ContinuedPassTest, ARightLinkJoinsThePiecesAsAFreshPassDoes) {
  const BothWays both = parse_both_ways([](TestSentence& s) {
    s.words("the dogs cats");
    s.item(1, 1, kDet);
    s.item(2, 2, kNouns);
    s.item(3, 3, kNouns);
  });
  EXPECT_EQ(both.continued, both.fresh);
  EXPECT_EQ(both.continued, "[1-3 list [1-2 det [2-2] [1-1]] [3-3]]");
  // The first pass's items are kept, not made again.
  EXPECT_LT(both.continued_items, both.fresh_items);
}

TEST_F(ContinuedPassTest, AFirstPassModifierAttachesToAHeadOnlyTheSecondPassMakes) {
  // "fine" looked for a noun ending at "cats" in the first pass; the list
  // item "dogs cats" is made later and must still take it.
  const BothWays both = parse_both_ways([](TestSentence& s) {
    s.words("dogs cats fine");
    s.item(1, 1, kNouns);
    s.item(2, 2, kNouns);
    s.item(3, 3, kAdj);
  });
  EXPECT_EQ(both.continued, both.fresh);
  EXPECT_NE(both.continued.find("amod"), std::string::npos);
  EXPECT_NE(item_spanning(cate("N"), 1, 3), nullptr);
}

// A right modifier whose word before ends no item of its head's category
// in the first pass: its scan is noted all the same, and the head that only
// a last-resort link ends there takes it in the second pass.
constexpr const char* kRightScanGrammar = R"(
(def-korvel-parser last-resort-right-scan-test :attribute-vector-type syn
  :lexical-attributes (cat num)
  :default-percolating-attributes (num))
(def-category Det)
(def-category A)
(def-category N (visible-atts (cat num)))
(def-modifiers N
  (:head)
  (* (A (dep-type amod))
     (Det (dep-type list) (last-resort))
     (N (dep-type list) (last-resort))))
(roots (N))
)";

TEST_F(ContinuedPassTest, AModifierThatMetNoHeadInTheFirstPassMeetsOneLater) {
  run(kRightScanGrammar);
  const BothWays both = parse_both_ways([](TestSentence& s) {
    s.words("dogs the fine cats");
    s.item(1, 1, kNouns);
    s.item(2, 2, kDet);
    s.item(3, 3, kAdj);
    s.item(4, 4, kNouns);
  });
  EXPECT_EQ(both.continued, both.fresh);
  EXPECT_NE(both.continued.find("[1-3 amod [1-2 list [1-1] [2-2]] [3-3]]"), std::string::npos);
}

TEST_F(ContinuedPassTest, TheWiderReachIsTakenUpToo) {
  const BothWays both = parse_both_ways([](TestSentence& s) { dog_and_adjectives(s, 24, true); });
  EXPECT_EQ(both.continued, both.fresh);
  EXPECT_NE(item_spanning(cate("N"), 1, 25), nullptr);
  EXPECT_EQ(item_spanning(cate("N"), 1, 42), nullptr);
}

TEST_F(ContinuedPassTest, TheReachStillEndsFortyWordsApart) {
  parser().continue_second_pass = true;
  TestSentence s;
  dog_and_adjectives(s, 44, true);
  parse(s);
  ASSERT_TRUE(parser().chart().last_resort);
  EXPECT_NE(item_spanning(cate("N"), 1, 41), nullptr);
  EXPECT_EQ(item_spanning(cate("N"), 1, 42), nullptr);
}

// A noun takes a noun before it only as a last resort (a left link), and
// a determiner before that.
constexpr const char* kLeftGrammar = R"(
(def-korvel-parser last-resort-left-test :attribute-vector-type syn
  :lexical-attributes (cat num)
  :default-percolating-attributes (num))
(def-category Det)
(def-category N (visible-atts (cat num)))
(def-modifiers N
  (? (Det (dep-type det)))
  (? (N (dep-type compound) (dep-weight 0.5) (last-resort)))
  (:head))
(roots (N))
)";

TEST_F(ContinuedPassTest, ALeftLinkMeetsTheHeadsThatScannedBeforeIt) {
  run(kLeftGrammar);
  const BothWays both = parse_both_ways([](TestSentence& s) {
    s.words("the dogs cats");
    s.item(1, 1, kDet);
    s.item(2, 2, kNouns);
    s.item(3, 3, kNouns);
  });
  EXPECT_EQ(both.continued, both.fresh);
  EXPECT_EQ(both.continued, "[1-3 compound [3-3] [1-2 det [2-2] [1-1]]]");
}

TEST_F(ContinuedPassTest, KeptItemsLeaveTheWholeAllowanceToTheNextPass) {
  pitem_limit() = 3;
  ItemPool pool(parser().att_type());
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.allocate(), nullptr);
  EXPECT_EQ(pool.allocate(), nullptr);
  pool.clear_exhausted();
  pool.keep_used();
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.allocate(), nullptr);
  EXPECT_EQ(pool.allocate(), nullptr);
  EXPECT_EQ(pool.used(), 6u);
  pool.free_all();  // a new sentence has the limit again
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.allocate(), nullptr);
  EXPECT_EQ(pool.allocate(), nullptr);
  pitem_limit() = ItemPool::kDefaultLimit;
}

// ---- Joining inside the first pass's pieces.

// A clause takes a subject that is no compound; a noun takes a noun before
// it as a compound, and a clause with a subject after it as a relative
// clause only as a last resort (`MODE` is replaced by the test). In "dogs
// cats see" the first pass's best cover is "dogs cats" | "see" (cheaper
// than "dogs" | "cats see"), and the relative clause "cats see" must join
// "dogs" inside the first piece.
constexpr const char* kInsideGrammar = R"(
(def-korvel-parser inside-test :attribute-vector-type syn
  :lexical-attributes (cat num)
  :default-percolating-attributes (num))
(def-category N (visible-atts (cat num)))
(def-category V (visible-atts (cat num)))
(def-modifiers V
  (? (N (dep-type subj) (dep-weight 2.0) (modifier-cond (not (get-modifier-by-type compound)))))
  (:head))
(def-modifiers N
  (? (N (dep-type compound) (dep-weight 0.5)))
  (:head)
  (* (V (dep-type rel) MODE (modifier-cond (get-modifier-by-type subj)))))
(roots (N) (V))
)";

constexpr const char* kVerb = "(cat v) (num pl)";

std::string inside_grammar(std::string_view mode) {
  std::string text = kInsideGrammar;
  text.replace(text.find("MODE"), 4, mode);
  return text;
}

void dogs_cats_see(TestSentence& s) {
  s.words("dogs cats see");
  s.item(1, 1, kNouns);
  s.item(2, 2, kNouns);
  s.item(3, 3, kVerb);
}

class InsidePiecesTest : public ContinuedPassTest {
 protected:
  ChartResult parse_dogs_cats_see(bool continued) {
    parser().continue_second_pass = continued;
    TestSentence s;
    dogs_cats_see(s);
    return parse(s);
  }
};

TEST_F(InsidePiecesTest, TheGrammarCountsTheLinksMarkedAnywhere) {
  EXPECT_EQ(parser().anywhere_links, 0);  // the list link is a plain last resort
  run(inside_grammar("(last-resort anywhere)"));
  EXPECT_EQ(parser().anywhere_links, 1);
  EXPECT_EQ(parser().last_resort_links, 1);
}

TEST_F(InsidePiecesTest, APlainLastResortLinkCannotJoinInsideAPiece) {
  run(inside_grammar("(last-resort)"));
  for (bool continued : {false, true}) {
    const ChartResult result = parse_dogs_cats_see(continued);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ(parser().chart().stats.passes, 2);
    EXPECT_EQ(cover_text(result), "[1-2 compound [2-2] [1-1]][3-3]");
  }
}

TEST_F(InsidePiecesTest, ALinkMarkedAnywhereJoinsInsideAPieceInAThirdPass) {
  run(inside_grammar("(last-resort anywhere)"));
  for (bool continued : {false, true}) {
    const ChartResult result = parse_dogs_cats_see(continued);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ(parser().chart().stats.passes, 3);
    EXPECT_TRUE(parser().chart().inside_pieces);
    EXPECT_EQ(cover_text(result), "[1-3 rel [1-1] [2-3 subj [3-3] [2-2]]]");
  }
}

TEST_F(InsidePiecesTest, TheSecondPassKeepsTheMergesItRefusedInsideAPiece) {
  run(inside_grammar("(last-resort anywhere)"));
  parser().continue_second_pass = true;
  TestSentence s;
  dogs_cats_see(s);
  // Stop after the second pass: its refused merge waits for the third.
  parser().anywhere_links = 0;
  const ChartResult result = s.parse_with(parser());
  parser().anywhere_links = 1;
  EXPECT_EQ(parser().chart().stats.passes, 2);
  EXPECT_EQ(cover_text(result), "[1-2 compound [2-2] [1-1]][3-3]");
  ASSERT_EQ(parser().chart().inside_merges.size(), 1u);
  const FirstPassRecord::FarMerge& kept = parser().chart().inside_merges[0];
  EXPECT_EQ(kept.link->relation(), "rel");
  EXPECT_EQ(kept.head->start, 1);
  EXPECT_EQ(kept.modifier->start, 2);
  EXPECT_EQ(kept.modifier->end, 3);
}

TEST_F(InsidePiecesTest, ALinkMarkedAnywhereStillJoinsPiecesInTheSecondPass) {
  // "dogs" | "cats see" when the compound costs more: the relative clause
  // joins where the pieces meet, and no third pass is needed.
  run(inside_grammar("(last-resort anywhere)"));
  run("(def-modifiers N (? (N (dep-type compound) (dep-weight 4.0))) (:head) "
      "(* (V (dep-type rel) (last-resort anywhere) (modifier-cond (get-modifier-by-type subj)))))");
  for (bool continued : {false, true}) {
    const ChartResult result = parse_dogs_cats_see(continued);
    ASSERT_TRUE(result.parsed);
    EXPECT_EQ(parser().chart().stats.passes, 2);
    EXPECT_FALSE(parser().chart().inside_pieces);
    EXPECT_EQ(cover_text(result), "[1-3 rel [1-1] [2-3 subj [3-3] [2-2]]]");
  }
}

TEST_F(InsidePiecesTest, ASentenceTheFirstPassCoversTakesNoOtherPass) {
  run(inside_grammar("(last-resort anywhere)"));
  parser().continue_second_pass = true;
  TestSentence s;
  s.words("cats see");
  s.item(1, 1, kNouns);
  s.item(2, 2, kVerb);
  const ChartResult result = parse(s);
  EXPECT_EQ(parser().chart().stats.passes, 1);
  EXPECT_TRUE(parser().chart().inside_merges.empty());
  EXPECT_EQ(cover_text(result), "[1-2 subj [2-2] [1-1]]");
}

}  // namespace
}  // namespace velmo
