#include "parser/ud/dep_format.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmo::ud {
namespace {

std::vector<PlainTree> read_all(const std::string& text, std::vector<DepFormatProblem>* problems = nullptr,
                                const std::string& designator = "()") {
  std::istringstream in(text);
  DepFormatReader reader(in, designator);
  std::vector<PlainTree> trees;
  PlainTree tree;
  while (reader.next(tree)) trees.push_back(tree);
  if (problems) *problems = reader.problems();
  return trees;
}

std::string written(const PlainTree& tree) {
  std::ostringstream out;
  write_dep_format(out, tree);
  return out.str();
}

// velmo's output for "Ann sees Bob" with -f num, prompts included.
const char* const kAnnSeesBob =
    "> (\n"
    "1\t(Ann\t~ N\t2\ts\t(gov see)\t(atts (num sg)))\n"
    "2\t(sees\tsee V\t*\t)\n"
    "3\t(Bob\t~ N\t2\tobj\t(gov see))\n"
    ")\n"
    "\n"
    "> ";

TEST(DepFormatReader, ReadsTheWorkedExampleWithPrompts) {
  std::vector<DepFormatProblem> problems;
  std::vector<PlainTree> trees = read_all(kAnnSeesBob, &problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(trees.size(), 1u);
  const PlainTree& tree = trees[0];
  ASSERT_EQ(tree.nodes.size(), 3u);
  EXPECT_EQ(tree.nodes[0].word, "Ann");
  EXPECT_EQ(tree.nodes[0].root, "Ann");
  EXPECT_EQ(tree.nodes[0].category, "N");
  EXPECT_EQ(tree.nodes[0].relation, "s");
  EXPECT_EQ(tree.nodes[0].head, 1);
  ASSERT_EQ(tree.nodes[0].atts.size(), 1u);
  EXPECT_EQ(tree.nodes[0].atts[0], std::make_pair(std::string("num"), std::string("sg")));
  EXPECT_EQ(tree.nodes[1].root, "see");
  EXPECT_EQ(tree.nodes[1].head, kTop);
  EXPECT_EQ(tree.nodes[1].relation, "");
  EXPECT_EQ(tree.nodes[2].position, 3);
}

// "~" spells a root like its word; a dependent's governor gives the
// root's own case back (an item written with capitals, root in lower case).
TEST(DepFormatReader, TheGovernorOfADependentGivesTheRootItsCase) {
  std::vector<PlainTree> trees = read_all(
      "(\n"
      "1\t(\"Space Station\"\t~ N\t*\t)\n"
      "2\t(Station\t U\t1\tlex-mod\t(gov \"space station\"))\n"
      "3\t(Ann\t~ N\t*\t)\n"
      ")\n");
  ASSERT_EQ(trees.size(), 1u);
  EXPECT_EQ(trees[0].nodes[0].root, "space station");
  EXPECT_EQ(trees[0].nodes[2].root, "Ann");
  EXPECT_EQ(written(trees[0]),
            "(\n"
            "1\t(\"Space Station\"\t~ N\t*\t)\n"
            "2\t(Station\t U\t1\tlex-mod\t(gov \"space station\"))\n"
            "3\t(Ann\t~ N\t*\t)\n"
            ")\n");
}

TEST(DepFormatWriter, WritesTheWorkedExampleByteForByte) {
  std::vector<PlainTree> trees = read_all(kAnnSeesBob);
  EXPECT_EQ(written(trees[0]),
            "(\n"
            "1\t(Ann\t~ N\t2\ts\t(gov see)\t(atts (num sg)))\n"
            "2\t(sees\tsee V\t*\t)\n"
            "3\t(Bob\t~ N\t2\tobj\t(gov see))\n"
            ")\n");
}

TEST(DepFormatWriter, WritesTheTriplesFormatInPreOrder) {
  std::ostringstream out;
  write_triples_format(out, read_all(kAnnSeesBob)[0]);
  EXPECT_EQ(out.str(), "see\tV:s:N\tAnn\nsee\tV:obj:N\tBob\n");
}

TEST(DepFormat, EmptyNodesQuotedWordsAndAntecedentsSurviveARoundTrip) {
  const std::string text =
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(\"New York\"\t~ N\t2\ts\t(gov sleep))\n"
      "2\t(sleeps\tsleep V\tE1\ti\t(gov fin))\n"
      "3\t(\"a\\\"b\"\t\"x y\" U\t2\tdep\t(gov sleep))\n"
      "E2\t(()\tNew York N\t2\tsubj\t(gov sleep)\t(antecedent 1))\n"
      ")\n";
  std::vector<DepFormatProblem> problems;
  std::vector<PlainTree> trees = read_all(text, &problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(trees.size(), 1u);
  const PlainTree& tree = trees[0];
  EXPECT_EQ(tree.nodes[0].root, "fin");
  EXPECT_TRUE(tree.nodes[0].is_empty());
  EXPECT_EQ(tree.nodes[1].word, "New York");
  EXPECT_EQ(tree.nodes[4].root, "New York");
  EXPECT_EQ(tree.nodes[4].antecedent, 1);
  EXPECT_EQ(tree.nodes[3].word, "a\"b");
  EXPECT_EQ(tree.nodes[3].root, "x y");
  EXPECT_EQ(tree.nodes[3].category, "");
  EXPECT_EQ(written(tree), text);
}

TEST(DepFormat, AnEmptyTreeAndAnotherDesignator) {
  std::vector<PlainTree> trees = read_all("> (\n)\n\n> (\nE0\t(*\tfin C\t*\t)\n)\n\n> ", nullptr, "*");
  ASSERT_EQ(trees.size(), 2u);
  EXPECT_TRUE(trees[0].nodes.empty());
  EXPECT_EQ(written(trees[0]), "(\n)\n");
  ASSERT_EQ(trees[1].nodes.size(), 1u);
  EXPECT_TRUE(trees[1].nodes[0].word.empty());
}

TEST(DepFormatReader, ReportsBadLinesUnknownParentsAndCyclesWithLineNumbers) {
  std::vector<DepFormatProblem> problems;
  std::vector<PlainTree> trees = read_all(
      "(\n"
      "1\t(a\t~ N\t9\tobj)\n"
      "2\t(b\t~ N\t3\tobj\t(gov c))\n"
      "3\t(c\t~ V\t2\tmod\t(gov b))\n"
      "this is not a node\n"
      "4\t(d\t~ N\t3\ts\t(antecedent E7))\n"
      ")\n",
      &problems);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0].line, 5);
  EXPECT_EQ(problems[0].message, "unreadable node line: this is not a node");
  EXPECT_EQ(problems[1].line, 2);
  EXPECT_EQ(problems[1].message, "unknown parent 9 of node 1");
  EXPECT_EQ(problems[2].line, 6);
  EXPECT_EQ(problems[2].message, "unknown antecedent E7 of node 4");
  EXPECT_EQ(problems[3].line, 3);
  EXPECT_EQ(problems[3].message, "node 2 is its own ancestor");
  ASSERT_EQ(trees.size(), 1u);
  EXPECT_TRUE(trees[0].is_tree());
  EXPECT_EQ(trees[0].nodes[0].head, kTop);
}

TEST(DepFormatReader, ATreeCutOffByTheEndOfInputIsStillReturned) {
  std::vector<DepFormatProblem> problems;
  std::vector<PlainTree> trees = read_all("(\n1\t(a\t~ N\t*\t)\n", &problems);
  ASSERT_EQ(trees.size(), 1u);
  EXPECT_EQ(trees[0].nodes.size(), 1u);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].message, "the input ends inside a tree");
}

TEST(DepFormat, QuotingFollowsTheOutputRules) {
  EXPECT_EQ(quote_dep_word("plain"), "plain");
  EXPECT_EQ(quote_dep_word("a;b"), "\"a;b\"");
  EXPECT_EQ(quote_dep_word("back\\slash"), "\"back\\\\slash\"");
  EXPECT_EQ(quote_dep_word("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
  EXPECT_EQ(quote_dep_word("it's"), "it's");
}

}  // namespace
}  // namespace velmo::ud
