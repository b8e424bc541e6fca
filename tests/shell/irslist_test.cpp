#include "shell/reader/irslist.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/reader/tokenizer.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

class ReaderTest : public testing::Test {
 protected:
  IRSlistPtr parse(std::string_view text) { return IRSlist::parse(text, store_); }
  StringPool store_;
};

TEST_F(ReaderTest, ReadsNestedListQuotedAtomAndSkipsComments) {
  IRSlistPtr form = parse("(a (b c) \"d e\" ; comment to the end\n f)");
  ASSERT_TRUE(form);
  ASSERT_EQ(form->length(), 4u);
  EXPECT_STREQ(form->element_at(0)->atom(), "a");
  EXPECT_EQ(form->element_at(1)->text(), "(b c)");
  EXPECT_STREQ(form->element_at(2)->atom(), "d e");
  EXPECT_STREQ(form->element_at(3)->atom(), "f");
  EXPECT_EQ(form->text(), "(a (b c) \"d e\" f)");
}

TEST_F(ReaderTest, EmptyListIsNilAndEmptyQuotesAreEmptyText) {
  IRSlistPtr form = parse("(() \"\")");
  ASSERT_EQ(form->length(), 2u);
  EXPECT_TRUE(form->element_at(0)->is_nil());
  EXPECT_STREQ(form->element_at(1)->atom(), "");
  EXPECT_EQ(form->flat(), "() ");
  EXPECT_TRUE(parse("()")->is_nil());
}

TEST_F(ReaderTest, DecimalEscapeAndCommas) {
  EXPECT_STREQ(parse("\"a\\65b\"")->atom(), "aAb");
  EXPECT_EQ(parse("(a,b)")->length(), 1u);
  EXPECT_EQ(parse("(a, b)")->flat(), "a \",\" b");
  EXPECT_EQ(parse("(a ,b)")->length(), 3u);
  IRSlistPtr trailing = parse("(x,)");
  ASSERT_EQ(trailing->length(), 2u);
  EXPECT_STREQ(trailing->element_at(1)->atom(), ",");
}

TEST_F(ReaderTest, MissingCloseParenthesisIsClosedAtEndOfInput) {
  IRSlistPtr form = parse("(a (b");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->text(), "(a (b))");
}

TEST_F(ReaderTest, StrayCloseAndEndOfInputYieldNothing) {
  Tokenizer t(tokenizer_configs::kCommands);
  t.set_string_input(") (x)");
  EXPECT_EQ(IRSlist::read(t), nullptr);
  EXPECT_TRUE(t.has_input());
  IRSlistPtr x = IRSlist::read(t);
  ASSERT_TRUE(x);
  EXPECT_EQ(x->text(), "(x)");
  EXPECT_EQ(IRSlist::read(t), nullptr);
  EXPECT_FALSE(t.has_input());
}

TEST_F(ReaderTest, UnterminatedStringKeepsTextToEnd) {
  EXPECT_STREQ(parse("\"abc")->atom(), "abc");
  EXPECT_STREQ(parse("(x \"abc")->element_at(1)->atom(), "abc");
}

TEST_F(ReaderTest, DeepNestingNeitherOverflowsReadingNorFreeing) {
  const std::string deep = std::string(200000, '(') + "x";
  IRSlistPtr form = parse(std::string_view(deep).substr(0, 0));  // nothing at all
  EXPECT_EQ(form, nullptr);
  Tokenizer t(tokenizer_configs::kCommands);
  t.set_string_input(deep);
  IRSlistPtr nested = IRSlist::read(t);
  ASSERT_TRUE(nested);
  std::string flat;
  nested->append_flat(flat);
  EXPECT_EQ(flat.size(), 2 * 200000 - 2 + 1);
}

TEST_F(ReaderTest, TextFormRoundTrips) {
  const char* sources[] = {
      "(def-x :size 10 (\"a b\" c) \"q\\\"t\" \"back\\\\slash\" (()) \"caf\\233\")",
      "(a (b (c (d))) e \"(\" \";\" \",\")",
      "(x \"tab\\there\" \"\\n\")",
  };
  for (const char* source : sources) {
    IRSlistPtr first = parse(source);
    IRSlistPtr second = parse(first->text());
    ASSERT_TRUE(second) << source;
    EXPECT_EQ(first->text(), second->text()) << source;
  }
}

TEST_F(ReaderTest, IndentedFormPutsSubListsOnNewLines) {
  IRSlistPtr form = parse("(def-category noun (modifiers (a b)) x y)");
  EXPECT_EQ(form->indented(), "(def-category noun\n  (modifiers\n    (a b))\n  x y)\n");
}

TEST(QuotedForm, QuotesOnlyWhenNeeded) {
  std::string out;
  append_quoted(out, "plain:word");
  out += '|';
  append_quoted(out, "a b");
  out += '|';
  append_quoted(out, "say \"hi\"\\");
  out += '|';
  append_quoted(out, "");
  out += '|';
  append_quoted(out, "\xE9");
  EXPECT_EQ(out, "plain:word|\"a b\"|\"say \\\"hi\\\"\\\\\"||\"\xE9\"");
}

class ArgumentTest : public ReaderTest {};

TEST_F(ArgumentTest, TakeValueIsCaseInsensitiveAndRemovesPair) {
  IRSlistPtr args = parse("(:SIZE 10 x)");
  EXPECT_STREQ(args->take_value(":size"), "10");
  EXPECT_EQ(args->text(), "(x)");
}

TEST_F(ArgumentTest, FirstOccurrenceOfKeywordCounts) {
  IRSlistPtr args = parse("(a :k 1 b :k 2)");
  long value = 0;
  EXPECT_TRUE(args->integer_after(":k", value));
  EXPECT_EQ(value, 1);
  EXPECT_STREQ(args->take_value(":K"), "1");
  EXPECT_EQ(args->text(), "(a b :k 2)");
}

TEST_F(ArgumentTest, MissingKeywordMessages) {
  IRSlistPtr args = parse("(x :last)");
  testing::internal::CaptureStderr();
  EXPECT_EQ(args->take_value(":last"), nullptr);
  EXPECT_EQ(args->take_value(":none", true), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "argument :last is not found\n");
  EXPECT_EQ(args->text(), "(x)");
}

TEST_F(ArgumentTest, TakeAtomOnListReportsAndRemoves) {
  IRSlistPtr args = parse("((a (b c)) d)");
  testing::internal::CaptureStderr();
  EXPECT_EQ(args->take_atom(), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "expecting an atom. This is found instead:\n(a (b c))\n");
  EXPECT_STREQ(args->take_atom(), "d");
  EXPECT_EQ(args->take_atom(), nullptr);
}

TEST_F(ArgumentTest, NumbersAndTheirMessages) {
  IRSlistPtr args = parse("(42abc 2.5 x () (l) :n (1) :f 3.25)");
  EXPECT_EQ(args->take_long(), 42);
  EXPECT_FLOAT_EQ(args->float_at(0), 2.5f);
  EXPECT_FLOAT_EQ(args->take_float(), 2.5f);
  EXPECT_EQ(args->take_long(), 0);  // no leading integer
  testing::internal::CaptureStderr();
  EXPECT_EQ(args->take_long(), 0);  // the nil atom has no text
  EXPECT_FLOAT_EQ(args->take_float(), 0.0f);
  long n = 7;
  EXPECT_FALSE(args->integer_after(":n", n));
  float f = 0;
  EXPECT_FALSE(args->number_after(":n", f));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "IRSlist::get_long_val expecting a string\n"
            "expecting an atom. This is found instead:\n(l)\n"
            "IRSlist::get_float_val expecting a string\n"
            "There must be an integer after :n\n"
            "There must be a number after :n\n");
  EXPECT_EQ(n, 7);
  EXPECT_TRUE(args->number_after(":f", f));
  EXPECT_FLOAT_EQ(f, 3.25f);
}

TEST_F(ArgumentTest, FlagsAndValueNodes) {
  IRSlistPtr args = parse("(a :Quiet :list (1 2) b)");
  EXPECT_TRUE(args->has_flag(":quiet"));
  EXPECT_TRUE(args->take_flag(":QUIET"));
  EXPECT_FALSE(args->take_flag(":quiet"));
  IRSlist* peeked = args->peek_value_node(":list");
  ASSERT_TRUE(peeked);
  EXPECT_EQ(peeked->text(), "(1 2)");
  IRSlistPtr taken = args->take_value_node(":list");
  EXPECT_EQ(taken->text(), "(1 2)");
  EXPECT_EQ(args->text(), "(a b)");
}

TEST_F(ArgumentTest, CopyOwnsItsTexts) {
  IRSlistPtr copy;
  StringPool other;
  {
    IRSlistPtr original = parse("(a (b \"c d\"))");
    copy = original->copy(other);
  }
  store_.clear();
  EXPECT_EQ(copy->text(), "(a (b \"c d\"))");
}

}  // namespace
}  // namespace velmo
