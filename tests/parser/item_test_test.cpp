#include "parser/functions/item_test.h"

#include <gtest/gtest.h>

#include <string>

#include "lexical/functions/att_functions.h"
#include "parser/chart_fixture.h"

namespace velmo {
namespace {


class ItemTestTest : public testing::ParsedPhraseFixture {
 protected:
  // The expressions hold attribute vectors of the grammar's attribute list,
  // so they go before the fixture deletes the name spaces that own it.
  void TearDown() override {
    expressions.clear();
    ParsedPhraseFixture::TearDown();
  }
  // The expression built from `text`, kept while the test runs.
  const LExp& built(const std::string& text) {
    expressions.push_back(LExp::from_text(text));
    EXPECT_NE(expressions.back(), nullptr) << text;
    return *expressions.back();
  }
  static bool expression_accepts(const LExp& exp, PItem* item) {
    return const_cast<LExp&>(exp).eval(reinterpret_cast<Word>(item), type_id("PItem*")) != 0;
  }

  std::vector<LExpPtr> expressions;
};

// Every shape the test takes answers as the expression does, on items with
// and without modifiers.
TEST_F(ItemTestTest, CompiledShapesAnswerAsTheirExpressions) {
  const char* shapes[] = {
      "(get-modifier-by-type det)",
      "(get-modifier-by-type amod)",
      "(get-modifier-by-type subj)",
      "(head-first)",
      "(head-last)",
      "(comp (pitem-attvec) (defined syn (num)))",
      "(comp (pitem-attvec) (defined syn (num cat)))",
      "(comp (pitem-attvec) (defined syn (num last_conj)))",
      "(comp (pitem-attvec) (defined-one-of syn (last_conj cat)))",
      "(comp (pitem-attvec) (unifiable syn (num) (attvec syn ((num pl)))))",
      "(comp (pitem-attvec) (strict-unifiable syn (num) (attvec syn ((num sg)))))",
      "(comp (pitem-attvec) (strict-unifiable syn (last_conj) (attvec syn ((num sg)))))",
      "(comp (pitem-attvec) (contain syn (num) ((num sg))))",
      "(comp (pitem-attvec) (contain syn (num) (attvec syn ((num sg pl)))))",
      "(pitem-attvec (defined syn (cat)))",
  };
  for (const char* text : shapes) {
    const LExp& exp = built(text);
    const std::optional<ItemTest> test = ItemTest::of(exp);
    ASSERT_TRUE(test.has_value()) << text;
    for (PItem* item : {phrase, noun}) EXPECT_EQ(test->holds(*item), expression_accepts(exp, item)) << text;
  }
}

// Expressions that change the item, take arguments or read anything but
// the item's structure and vector are left to evaluation.
TEST_F(ItemTestTest, OtherShapesAreNotCompiled) {
  const char* others[] = {
      "(comp (pitem-attvec) (undefine syn (num)))",
      "(comp (pitem-attvec) (modify syn ((num pl))))",
      "(comp (pitem-attvec) (unify syn ((num pl))))",
      "(comp (pitem-head-word) (reg-match \"dog\"))",
      "(comp (pitem-attvec) (defined syn (num)) (defined syn (cat)))",
      "(comp (pitem-modifier) (pitem-attvec) (defined syn (num)))",
      "(head-last (pitem-add-weight 1))",
      "(pitem-attvec)",
      "(and (head-last) (head-first))",
  };
  for (const char* text : others) EXPECT_FALSE(ItemTest::of(built(text)).has_value()) << text;
}

// A test of a text attribute's value reads the interned text from the
// vector and answers as the expression: equality ignoring case, word lists
// and patterns, with the attribute set, unset, of the empty text, or null.
TEST_F(ItemTestTest, TextAttributeTestsAnswerAsTheirExpressions) {
  const char* shapes[] = {
      "(comp (pitem-attvec) (att-str-val cform) (str= \"fin\"))",
      "(comp (pitem-attvec) (att-str-val cform) (str= \"FI\"))",
      "(comp (pitem-attvec) (att-str-val cform) (str= \"\"))",
      "(comp (pitem-attvec) (att-str-val cform) (in (\"that\" \"whether\")))",
      "(comp (pitem-attvec) (att-str-val cform) (in (\"Fin\" \"as\")))",
      "(comp (pitem-attvec) (att-str-val cform) (reg-match \"^$\"))",
      "(comp (pitem-attvec) (att-str-val syn cform) (reg-match \"i\"))",
      "(comp (pitem-attvec) (att-str-val pform) (str= \"fin\"))",
  };
  const int cform = att("cform");
  const AttInterpreter& text_att = noun->av.type()->attribute(cform);
  const Word values[] = {text_att.get_val("Fin"), text_att.get_val("FIN"), text_att.get_val("that"),
                         text_att.get_val(""), text_att.get_val("fine"), 0};
  for (const char* text : shapes) {
    const LExp& exp = built(text);
    const std::optional<ItemTest> test = ItemTest::of(exp);
    ASSERT_TRUE(test.has_value()) << text;
    phrase->av.remove(cform);
    EXPECT_EQ(test->holds(*phrase), expression_accepts(exp, phrase)) << text << " unset";
    for (const Word value : values) {
      noun->av.set(cform, value);
      EXPECT_EQ(test->holds(*noun), expression_accepts(exp, noun)) << text << " " << text_att.str_val(value);
    }
  }
  noun->av.set(cform, text_att.get_val("FIN"));
  EXPECT_TRUE(ItemTest::of(built(shapes[0]))->holds(*noun));
  EXPECT_FALSE(ItemTest::of(built(shapes[3]))->holds(*noun));
  // Another attribute's value is not an interned text: left to evaluation.
  EXPECT_FALSE(ItemTest::of(built("(comp (pitem-attvec) (att-str-val num) (str= \"sg\"))")).has_value());
  EXPECT_FALSE(ItemTest::of(built("(comp (pitem-attvec) (att-str-val cform) (inverse))")).has_value());
}

TEST_F(ItemTestTest, AVectorTestReadsTheItemsCurrentVector) {
  const std::optional<ItemTest> has_number = ItemTest::of(built("(comp (pitem-attvec) (defined syn (num)))"));
  ASSERT_TRUE(has_number.has_value());
  EXPECT_TRUE(has_number->holds(*noun));
  noun->av.remove(att("num"));
  EXPECT_FALSE(has_number->holds(*noun));
}

// The chart fills each item's relation bits from its head child's and its
// link's; a relation whose bit is missing is answered without the walk,
// and an item made by hand (no bits filled) is still walked.
TEST_F(ItemTestTest, ChartItemsKeepTheRelationBitsOfTheirChain) {
  ASSERT_TRUE(phrase->relations & PItem::kRelationsKnown);
  EXPECT_TRUE(phrase->relations & relation_bit("det"));
  EXPECT_TRUE(noun->relations & PItem::kRelationsKnown);
  EXPECT_EQ(noun->relations & ~PItem::kRelationsKnown & relation_bit("det"), 0u);
  EXPECT_EQ(relation_bit("det"), relation_bit(std::string("det")));
  EXPECT_EQ(relation_bit("det") & PItem::kRelationsKnown, 0u);

  const std::optional<ItemTest> has_det = ItemTest::of(built("(get-modifier-by-type det)"));
  ASSERT_TRUE(has_det.has_value());
  PItem by_hand(phrase->av.type());
  by_hand.head_child = phrase;
  EXPECT_EQ(by_hand.relations, 0u);
  EXPECT_TRUE(has_det->holds(by_hand));
  EXPECT_TRUE(expression_accepts(built("(get-modifier-by-type det)"), &by_hand));
  // A filled mask without the bit says no modifier of that relation.
  by_hand.relations = PItem::kRelationsKnown;
  EXPECT_FALSE(has_det->holds(by_hand));
}

// The relation bits only refuse: a relation sharing its bit with one along
// the chain is still looked for by name.
TEST_F(ItemTestTest, ARelationSharingTheBitOfAnotherIsLookedForByName) {
  std::string sharing;
  for (int i = 0; i < 10000 && sharing.empty(); ++i)
    if (relation_bit("rel" + std::to_string(i)) == relation_bit("det")) sharing = "rel" + std::to_string(i);
  ASSERT_FALSE(sharing.empty());
  ASSERT_TRUE(phrase->relations & PItem::kRelationsKnown);
  ASSERT_TRUE(phrase->relations & relation_bit(sharing));
  const LExp& exp = built("(get-modifier-by-type " + sharing + ")");
  const std::optional<ItemTest> has_sharing = ItemTest::of(exp);
  ASSERT_TRUE(has_sharing.has_value());
  EXPECT_FALSE(expression_accepts(exp, phrase));
  EXPECT_FALSE(has_sharing->holds(*phrase));
  const std::optional<ItemTest> has_det = ItemTest::of(built("(get-modifier-by-type det)"));
  ASSERT_TRUE(has_det.has_value());
  EXPECT_TRUE(has_det->holds(*phrase));
}

}  // namespace
}  // namespace velmo
