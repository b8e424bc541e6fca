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

TEST_F(ItemTestTest, AVectorTestReadsTheItemsCurrentVector) {
  const std::optional<ItemTest> has_number = ItemTest::of(built("(comp (pitem-attvec) (defined syn (num)))"));
  ASSERT_TRUE(has_number.has_value());
  EXPECT_TRUE(has_number->holds(*noun));
  noun->av.remove(att("num"));
  EXPECT_FALSE(has_number->holds(*noun));
}

}  // namespace
}  // namespace velmo
