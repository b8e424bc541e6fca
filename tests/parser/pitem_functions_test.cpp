#include <gtest/gtest.h>

#include <sstream>

#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart/chart_commands.h"
#include "parser/chart/item_atts.h"
#include "parser/chart_fixture.h"
#include "parser/functions/pitem_functions.h"

namespace velmo {
namespace {

using testing::grammar_text;
using testing::item_spanning;
using testing::TestSentence;

class PItemFunctionsTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    run(grammar_text("chart.lsp"));
    sentence.words("the , big dog barks");
    sentence.item(1, 1, "(cat d)");
    sentence.item(3, 3, "(cat a)");
    sentence.item(4, 4, "(cat n) (num sg)");
    sentence.skip(2);
    sentence.parse_with(parser());
    phrase = item_spanning(cate("NP"), 1, 4);
    noun = item_spanning(cate("N"), 4, 4);
    ASSERT_NE(phrase, nullptr);
    ASSERT_NE(noun, nullptr);
  }
  // Evaluates an expression on a parse item.
  static Word eval(std::string_view text, const PItem* item) {
    LExpPtr exp = LExp::from_text(text);
    EXPECT_NE(exp, nullptr) << text;
    return exp ? exp->eval(reinterpret_cast<Word>(item), type_id(kPItemType)) : 0;
  }
  static int eval_int(std::string_view text, const PItem* item) {
    return static_cast<int>(static_cast<std::intptr_t>(eval(text, item)));
  }
  static std::string eval_text(std::string_view text, const PItem* item) {
    const char* word = reinterpret_cast<const char*>(eval(text, item));
    return word ? word : "<none>";
  }

  TestSentence sentence;
  PItem* phrase = nullptr;
  PItem* noun = nullptr;
};

TEST_F(PItemFunctionsTest, SpanAdaptors) {
  EXPECT_EQ(eval_int("(pitem-low)", phrase), 1);
  EXPECT_EQ(eval_int("(pitem-high)", phrase), 4);
  EXPECT_EQ(eval_int("(pitem-length)", phrase), 3);
  EXPECT_EQ(eval_int("(pitem-length)", noun), 0);
  PItem empty(builtin_attributes().type);
  empty.start = 3;
  empty.end = 2;
  EXPECT_EQ(eval_int("(pitem-length)", &empty), -1);
  EXPECT_EQ(eval("(pitem-low)", nullptr), 0u);
}

TEST_F(PItemFunctionsTest, StructureOfMergedItems) {
  const PItem* modifier = reinterpret_cast<const PItem*>(eval("(pitem-modifier)", phrase));
  ASSERT_NE(modifier, nullptr);
  EXPECT_EQ(modifier->start, 1);  // the determiner came last, from the left
  EXPECT_EQ(reinterpret_cast<const PItem*>(eval("(pitem-modifiee)", phrase)), phrase->head_child);
  EXPECT_EQ(reinterpret_cast<const PItem*>(eval("(pitem-modifiee)", noun)), noun);
  const PItem* head = reinterpret_cast<const PItem*>(eval("(pitem-head-child)", phrase));
  ASSERT_NE(head, nullptr);
  EXPECT_FALSE(head->is_merge());
  EXPECT_EQ(head->start, 4);
  EXPECT_EQ(eval_text("(pitem-deprel (deprel-type))", phrase), "det");
  EXPECT_EQ(eval("(pitem-modifier)", noun), 0u);
  const PItem* amod = reinterpret_cast<const PItem*>(eval("(get-modifier-by-type amod)", phrase));
  ASSERT_NE(amod, nullptr);
  EXPECT_EQ(amod->start, 3);
  const PItem* det = reinterpret_cast<const PItem*>(eval("(get-modifier-by-type det)", phrase));
  ASSERT_NE(det, nullptr);
  EXPECT_EQ(det->start, 1);
  // Relations no link of the chain has, nor a lexical item without links.
  EXPECT_EQ(eval("(get-modifier-by-type nsubj)", phrase), 0u);
  EXPECT_EQ(eval("(get-modifier-by-type am)", phrase), 0u);
  EXPECT_EQ(eval("(get-modifier-by-type amod)", noun), 0u);
}

TEST_F(PItemFunctionsTest, HeadFirstAndHeadLast) {
  EXPECT_EQ(eval_int("(head-first)", noun), 1);
  EXPECT_EQ(eval_int("(head-last)", noun), 1);
  EXPECT_EQ(eval_int("(head-first)", phrase), 0);  // modifiers on the left
  EXPECT_EQ(eval_int("(head-last)", phrase), 1);
}

TEST_F(PItemFunctionsTest, WordsAroundTheItem) {
  EXPECT_EQ(eval_text("(pitem-head-word)", noun), "dog");
  EXPECT_EQ(eval_text("(pitem-preceding-word)", noun), "big");
  EXPECT_EQ(eval_text("(pitem-preceding-word)", phrase), "<none>");  // starts at word 1
  const PItem* adjective = item_spanning(cate("A"), 3, 3);
  ASSERT_NE(adjective, nullptr);
  EXPECT_EQ(eval_text("(pitem-preceding-word)", adjective), "the");  // the skipped comma is passed
  EXPECT_EQ(eval_text("(pitem-following-word)", noun), "barks");
  EXPECT_EQ(eval_int("(pitem-following-word (str-eq (ident) (str barks)))", noun), 1);
  EXPECT_EQ(eval_text("(pitem-following-word (str-eq (ident) (str dog)))", noun), "dog");  // its end word
}

TEST_F(PItemFunctionsTest, OpensSentencePastSkippedWords) {
  EXPECT_EQ(eval_int("(opens-sentence)", phrase), 1);  // starts at word 1
  EXPECT_EQ(eval_int("(opens-sentence)", noun), 0);
  PItem* adjective = item_spanning(cate("A"), 3, 3);
  ASSERT_NE(adjective, nullptr);
  EXPECT_EQ(eval_int("(opens-sentence)", adjective), 0);  // "the" stands before the skipped comma
  TestSentence quoted;
  quoted.words("\" big dog barks");
  quoted.item(2, 2, "(cat a)");
  quoted.item(3, 3, "(cat n) (num sg)");
  quoted.skip(1);
  quoted.parse_with(parser());
  const PItem* first = item_spanning(cate("A"), 2, 2);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(eval_int("(pitem-low)", first), 2);
  EXPECT_EQ(eval_int("(opens-sentence)", first), 1);  // only the skipped quote before it
}

TEST_F(PItemFunctionsTest, FollowedByOrEndWith) {
  EXPECT_EQ(eval("(pitem-followed-by-or-end-with-word (str-eq (ident) (str barks)))", noun),
            reinterpret_cast<Word>(noun));
  EXPECT_EQ(eval("(pitem-followed-by-or-end-with-word (str-eq (ident) (str meows)))", noun), 0u);
}

TEST_F(PItemFunctionsTest, ChangingTheSpanAndWeight) {
  PItem* adjective = item_spanning(cate("A"), 3, 3);
  ASSERT_NE(adjective, nullptr);
  eval("(include-preceding-word)", adjective);
  EXPECT_EQ(adjective->start, 1);  // the skipped comma is passed
  PItem* first = item_spanning(cate("Det"), 1, 1);
  ASSERT_NE(first, nullptr);
  eval("(include-preceding-word)", first);
  EXPECT_EQ(first->start, 1);
  eval("(include-following-word (str-eq (ident) (str meows)))", noun);
  EXPECT_EQ(noun->end, 4);
  eval("(include-following-word)", noun);
  EXPECT_EQ(noun->end, 5);
  const float before = noun->weight;
  eval("(pitem-add-weight 2.5)", noun);
  EXPECT_FLOAT_EQ(noun->weight, before + 2.5f);
}

TEST_F(PItemFunctionsTest, CaseMarkedPositions) {
  LExpPtr mark = LExp::from_text("(case-mark-position chart)");
  LExpPtr test = LExp::from_text("(is-case-marked chart)");
  LExpPtr oblique = LExp::from_text("(is-oblique-case-marked chart)");
  const TypeId integer = type_id("int");
  EXPECT_EQ(mark->eval(3, integer), 0u);
  EXPECT_EQ(test->eval(4, integer), 1u);
  EXPECT_EQ(test->eval(3, integer), 0u);
  EXPECT_EQ(oblique->eval(4, integer), 0u);
  reset_parser(parser());
  EXPECT_EQ(test->eval(4, integer), 0u);
}

TEST_F(PItemFunctionsTest, NodeNameOfAVector) { EXPECT_EQ(eval_text("(pitem-attvec (node-name))", noun), "N"); }

// The first moved element of an item gets a trace whose records name the
// item: the roles of its former trace, or its own "role" when it had none
// (an element the grammar put there, as for a clause head's gap).
TEST_F(PItemFunctionsTest, SetTraceAttOfPredPointsTheFirstMovedElementAtTheItem) {
  const BuiltinAttributes& b = builtin_attributes();
  const LexItem* made = sentence.item(4, 4, "(move ((slash wh) (role obj)) ((slash subj) (role subj)))");
  ASSERT_TRUE(phrase->av.unify(static_cast<const AVMeaning&>(*made->meaning).vector()));
  EXPECT_EQ(eval("(set-trace-att-of-pred)", phrase), reinterpret_cast<Word>(phrase));
  const AttList* moved = list_of(phrase->av, b.move);
  ASSERT_NE(moved, nullptr);
  ASSERT_EQ(moved->size(), 2u);
  const AttVec& first = *moved->at(0);
  EXPECT_FALSE(first.defined(b.role));
  ASSERT_TRUE(first.defined(b.trace));
  const auto* trace = reinterpret_cast<const TraceList*>(first.get(b.trace));
  ASSERT_EQ(trace->records().size(), 1u);
  EXPECT_EQ(trace->records()[0].item, reinterpret_cast<Word>(phrase));
  EXPECT_EQ(trace->records()[0].role, b.type->attribute(b.role).get_val("obj"));
  // The second element is left as it was.
  EXPECT_TRUE(moved->at(1)->defined(b.role));
  EXPECT_FALSE(moved->at(1)->defined(b.trace));

  // Without moved elements nothing changes.
  eval("(set-trace-att-of-pred)", noun);
  EXPECT_FALSE(noun->av.defined(b.move));
  // An element with a trace keeps its roles and now names the other item.
  noun->av = phrase->av;
  eval("(set-trace-att-of-pred)", noun);
  const auto* again = reinterpret_cast<const TraceList*>(list_of(noun->av, b.move)->at(0)->get(b.trace));
  ASSERT_EQ(again->records().size(), 1u);
  EXPECT_EQ(again->records()[0].item, reinterpret_cast<Word>(noun));
  EXPECT_EQ(again->records()[0].role, b.type->attribute(b.role).get_val("obj"));
  // The phrase's own trace is untouched (the noun's vector made the list its own).
  EXPECT_EQ(trace->records()[0].item, reinterpret_cast<Word>(phrase));
}

TEST_F(PItemFunctionsTest, IsolateMarksABracket) {
  LExpPtr exp = LExp::from_text("(isolate (int 2) (int 3))");
  ASSERT_NE(exp, nullptr);
  exp->eval(0, kAnyType);
  EXPECT_TRUE(parser().chart().crosses_bracket(3, 4));
  EXPECT_TRUE(parser().chart().crosses_bracket(1, 2));
  EXPECT_FALSE(parser().chart().crosses_bracket(2, 3));
  EXPECT_FALSE(parser().chart().crosses_bracket(1, 4));
}

TEST_F(PItemFunctionsTest, ConditionsOfTheGrammarSeeTheItem) {
  run("(def-category NP3 (visible-atts (cat)))"
      "(def-modifiers NP3 ((Det (modifier-cond (pitem-head-word (str-eq (ident) (str a))))))"
      " (:head (N)))");
  TestSentence s;
  s.words("the dog a cat");
  s.item(1, 1, "(cat d)");
  s.item(2, 2, "(cat n)");
  s.item(3, 3, "(cat d)");
  s.item(4, 4, "(cat n)");
  s.parse_with(parser());
  EXPECT_EQ(item_spanning(cate("NP3"), 1, 2), nullptr);
  EXPECT_NE(item_spanning(cate("NP3"), 3, 4), nullptr);
}

TEST_F(PItemFunctionsTest, StatisticsOfTheLastSentence) {
  const std::string out = output_of("(parse-stats)");
  EXPECT_EQ(out.rfind(";; words: 5 lexical: 3 items: ", 0), 0u) << out;
  EXPECT_NE(out.find(" pool: ok\n"), std::string::npos) << out;
  run("(parse-stats 1)");
  std::ostringstream captured;
  {
    ScopedDiagnostics capture(captured);
    sentence.parse_with(parser());
    sentence.parse_with(parser());
  }
  run("(parse-stats 0)");
  const std::string lines = captured.str();
  EXPECT_EQ(lines.substr(0, lines.size() / 2), lines.substr(lines.size() / 2));
  EXPECT_EQ(lines.rfind(";; words: 5 lexical: 3 items: ", 0), 0u) << lines;
  std::ostringstream line;
  ParseStats stats;
  stats.pool_exhausted = true;
  print_parse_stats(line, stats);
  EXPECT_EQ(line.str(),
            ";; words: 0 lexical: 0 items: 0 packed: 0 merged: 0 coordinated: 0 roots: 0 passes: 0 pool: exhausted\n");
}

TEST_F(PItemFunctionsTest, ProcessorTimeOfTheSentenceSoFar) {
  const std::string out = output_of("(parse-stats :time)");
  ASSERT_EQ(out.rfind(";; sentence cpu: ", 0), 0u) << out;
  const std::size_t unit = out.find(" ms\n");
  ASSERT_NE(unit, std::string::npos) << out;
  const double ms = std::stod(out.substr(17, unit - 17));
  EXPECT_GE(ms, 0.0);
  // The time option leaves the per-sentence report alone.
  EXPECT_FALSE(parser().chart().report_stats);
}

}  // namespace
}  // namespace velmo
