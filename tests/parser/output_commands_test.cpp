#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "lexical/analyzer/analyzer_commands.h"
#include "lexical/items/ending_commands.h"
#include "lexical/patterns/pattern_commands.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "parser/grammar_fixture.h"
#include "parser/output/output_commands.h"
#include "parser/output/result_format.h"

namespace velmo {
namespace {

// The commands that parse and print, on the grammar of the worked example.
class OutputCommandsTest : public testing::GrammarFixture {
 protected:
  static void SetUpTestSuite() {
    GrammarFixture::SetUpTestSuite();
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
    if (!interpreter.find_command("def-endings")) register_ending_commands(interpreter);
    if (!interpreter.find_command("make-lex-analyzer")) {
      register_pattern_commands(interpreter);
      register_analyzer_commands(interpreter);
    }
    if (!interpreter.find_command("p2")) register_output_commands(interpreter);
  }
  void SetUp() override {
    GrammarFixture::SetUp();
    result_format_flags() = ResultFormatFlags{};
    run("(make-avmeaning-proto syn avm)"
        "(make-lexicon lex 101 :ending-table ((p s third) (p \"\" base)))"
        "(lex lex (Ann (avm ((cat n) (num sg)))) (Bob (avm ((cat n) (num sg)))) (see (avm ((cat v)))))"
        "(make-lex-analyzer ana :lexicon lex)"
        "(def-korvel-parser demo :attribute-vector-type syn :lexical-analyzer ana"
        "  :lexical-attributes (cat num lexitem) :default-percolating-attributes (num))"
        "(def-category N (visible-atts (cat num lexitem)))"
        "(def-category V (visible-atts (cat num lexitem)))"
        "(def-modifiers V (? (N (dep-type s))) (:head) (? (N (dep-type obj))))"
        "(roots (V) (N))");
  }
  void TearDown() override {
    result_format_flags() = ResultFormatFlags{};
    GrammarFixture::TearDown();
  }
  // The output with the elapsed time replaced by "T".
  static std::string timed_output_of(const std::string& text) {
    return std::regex_replace(output_of(text), std::regex(";; parse time: [^ ]* sec"), ";; parse time: T sec");
  }
};

TEST_F(OutputCommandsTest, ParsePrintsLengthTimeAndTheResultFormat) {
  const std::string out = timed_output_of("(print-governor 1) (p Ann sees Bob)");
  EXPECT_TRUE(std::regex_search(out, std::regex("^;; length: 3\n"
                                                ";; parse time: T sec. \n"
                                                "\\(:id [0-9]+\n"
                                                "1\t\\(Ann\t~ N\t2\ts\t\\(gov see\\)\\)\n"
                                                "2\t\\(sees\tsee V\t\\*\\)\n"
                                                "3\t\\(Bob\t~ N\t2\tobj\t\\(gov see\\)\\)\n"
                                                "\\)\n$")))
      << out;
}

TEST_F(OutputCommandsTest, OutputTreeFlagLeavesTheResultOut) {
  const std::string out = timed_output_of("(output-tree 1) (parse Ann sees Bob)");
  EXPECT_EQ(out, ";; length: 3\n;; parse time: T sec. \n");
}

TEST_F(OutputCommandsTest, ReparseReadsTheWordsOfATree) {
  const std::string out = timed_output_of("(rp ((1 (Bob ~ N 2 s)) (2 (sees see V *))))");
  EXPECT_EQ(out.substr(0, out.find(";;")), "Bob sees\n");
  EXPECT_NE(out.find("1\t(Bob\t~ N\t2\ts)"), std::string::npos) << out;
}

TEST_F(OutputCommandsTest, P2AndP3PrintTheNestedFormat) {
  const std::string nested =
      "(\n"
      "  (V sees (root see)\n"
      "    (N Ann (root Ann) (relation s))\n"
      "    (N Bob (root Bob) (relation obj))))\n";
  EXPECT_EQ(output_of("(p2 Ann sees Bob)"), nested);
  EXPECT_EQ(output_of("(p3 \"Ann sees Bob\")"), nested);
}

TEST_F(OutputCommandsTest, TheFlagsAndTheirDocStrings) {
  run("(print-governor 1) (print-deptree-weight 1)");
  EXPECT_TRUE(result_format_flags().print_gov);
  EXPECT_TRUE(result_format_flags().print_deptree_weight);
  run("(print-governor 0) (print-deptree-weight 0)");
  EXPECT_FALSE(result_format_flags().print_gov);
  EXPECT_FALSE(result_format_flags().print_deptree_weight);
  EXPECT_EQ(output_of("(help \"print-governor\")"), "print-governor\n(print-governor 0|1) set the PRINT_GOV flag\n\n");
  EXPECT_EQ(output_of("(help \"print-deptree\")"),
            "print-deptree-weight\n(print-deptree-weight 0|1) set the PRINT_DEPTREE_WEIGHT flag\n\n");
}

TEST_F(OutputCommandsTest, PnDumpsTheChartOfACategory) {
  run("(p Ann sees Bob)");
  const std::string out = output_of("(show-attributes (num)) (pn \"^N$\")");
  EXPECT_EQ(out,
            "Node: N\n"
            "\n"
            "Bucket 1:\n"
            "Position: 0\n"
            "[1,1] Ann\n"
            "  w=18 ((num sg)) Ann\n"
            "\n"
            "\n"
            "Bucket 3:\n"
            "Position: 0\n"
            "[3,3] Bob\n"
            "  w=18 ((num sg)) Bob\n"
            "\n");
}

}  // namespace
}  // namespace velmo
