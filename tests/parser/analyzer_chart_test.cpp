// The chart on sentences analysed by a real lexical analyzer: lexicon
// entries with attribute-vector meanings and "freq" records.
#include <gtest/gtest.h>

#include "lexical/analyzer/analyzer_commands.h"
#include "lexical/analyzer/lex_analyzer.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "parser/chart_fixture.h"

namespace velmo {
namespace {

using testing::grammar_text;
using testing::item_spanning;

class AnalyzerChartTest : public testing::GrammarFixture {
 protected:
  void SetUp() override {
    GrammarFixture::SetUp();
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
    if (!interpreter.find_command("make-lex-analyzer")) register_analyzer_commands(interpreter);
    // Meaning prototypes outlive the name spaces (and this test's "syn"):
    // each test makes its own.
    const std::string avm = std::string("avm_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    run("(make-avmeaning-proto syn " + avm +
        ")"
        "(make-lexicon words 101)"
        "(lex words (the (" +
        avm + " ((cat d)))) (dog (" + avm +
        " ((cat n) (num sg))) (freq N 4))"
        " (barks (" +
        avm + " ((cat v))) (" + avm +
        " ((cat n) (num pl))) (freq V 2 N 30)))"
        "(make-lex-analyzer analyzer :lexicon words)");
    std::string grammar = grammar_text("chart.lsp");
    grammar.replace(grammar.find("(def-korvel-parser chart"), 24,
                    "(def-korvel-parser chart :lexical-analyzer analyzer");
    run(grammar);
    analyzer = parser().analyzer();
  }

  ChartResult parse(const std::vector<std::string_view>& words) {
    reset_parser(parser());
    analyzer->reset();
    for (std::string_view word : words) {
      analyzer->add_spacing(" ");
      analyzer->add_word(word);
    }
    analyzer->analyze();
    return parse_chart(parser(), SentenceView(analyzer->lattice(), &analyzer->skipped(),
                                              &analyzer->first_conjunctions(), &analyzer->last_conjunctions()));
  }

  LexAnalyzer* analyzer = nullptr;
};

TEST_F(AnalyzerChartTest, TheParserTakesItsAnalyzerByName) { ASSERT_NE(analyzer, nullptr); }

TEST_F(AnalyzerChartTest, ReadingsWeighWhatTheirFreqRecordsSay) {
  ASSERT_NE(analyzer, nullptr);
  const ChartResult result = parse({"the", "dog", "barks"});
  ASSERT_TRUE(result.parsed);
  PItem* dog = item_spanning(cate("N"), 2, 2);
  ASSERT_NE(dog, nullptr);
  EXPECT_FLOAT_EQ(dog->weight, 4.0f);
  PItem* verb = item_spanning(cate("V"), 3, 3);
  ASSERT_NE(verb, nullptr);
  EXPECT_FLOAT_EQ(verb->weight, 2.0f);
  PItem* noun = item_spanning(cate("N"), 3, 3);
  ASSERT_NE(noun, nullptr);
  EXPECT_FLOAT_EQ(noun->weight, 30.0f);
  PItem* the = item_spanning(cate("Det"), 1, 1);
  ASSERT_NE(the, nullptr);
  EXPECT_FLOAT_EQ(the->weight, 18.0f);  // no freq record
  // The clause over the whole sentence is the cover.
  ASSERT_EQ(result.cover.size(), 1u);
  EXPECT_EQ(result.cover[0].item->start, 1);
  EXPECT_EQ(result.cover[0].item->end, 3);
  EXPECT_EQ(result.cover[0].item->cate, &cate("S"));
}

TEST_F(AnalyzerChartTest, LexicalItemsAreListed) {
  ASSERT_NE(analyzer, nullptr);
  parse({"the", "dog"});
  const std::string listing = output_of("(li)");
  EXPECT_NE(listing.find("[1,1] the"), std::string::npos) << listing;
  EXPECT_NE(listing.find("[2,2] dog"), std::string::npos) << listing;
  EXPECT_EQ(output_of("(prlexitems)"), listing);
}

TEST_F(AnalyzerChartTest, UnknownWordsAreCoveredOneByOne) {
  ASSERT_NE(analyzer, nullptr);
  const ChartResult result = parse({"zork", "blub"});
  EXPECT_TRUE(result.parsed);
  EXPECT_TRUE(result.cover.empty());
}

}  // namespace
}  // namespace velmo
