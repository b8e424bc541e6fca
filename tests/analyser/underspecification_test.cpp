#include "analyser/underspecification.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

using testing::node;
using testing::tree;
using Terms = std::vector<std::string_view>;

TEST(zentraUnspecifiedTerms, NounWithoutModifier) {
  EXPECT_EQ(unspecified_terms({{"system", "N", "subj", "run"}}, {"system"}), Terms{"system"});
}

TEST(zentraUnspecifiedTerms, VerbUseIsNoFinding) {
  EXPECT_TRUE(unspecified_terms({{"run", "V", "x", "fin"}}, {"run"}).empty());
}

TEST(zentraUnspecifiedTerms, NounNounModifierSpecifies) {
  EXPECT_TRUE(
      unspecified_terms({{"system", "N", "subj", "run"}, {"control", "N", "nn", "system"}}, {"system"}).empty());
}

TEST(zentraUnspecifiedTerms, PrepositionalAndAdjectivalModifiersSpecify) {
  EXPECT_TRUE(unspecified_terms({{"system", "N", "s", "r"}, {"of", "Prep", "mod", "system"}}, {"system"}).empty());
  EXPECT_TRUE(unspecified_terms({{"system", "N", "s", "r"}, {"fast", "A", "mod", "system"}}, {"system"}).empty());
}

TEST(zentraUnspecifiedTerms, OtherModifiersDoNotSpecify) {
  EXPECT_EQ(unspecified_terms({{"system", "N", "s", "r"}, {"fast", "A", "nn", "system"}}, {"system"}), Terms{"system"});
  EXPECT_EQ(unspecified_terms({{"system", "N", "s", "r"}, {"the", "D", "mod", "system"}}, {"system"}), Terms{"system"});
}

TEST(zentraUnspecifiedTerms, NounTestReadsAcrossRowBoundaries) {
  // "x" ends one row and the next row begins with "N".
  EXPECT_EQ(unspecified_terms({{"a", "B", "c", "x"}, {"N", "D", "e", "f"}}, {"x"}), Terms{"x"});
}

TEST(zentraUnspecifiedTerms, DictionaryOrderAndRepeats) {
  const std::vector<Row> rows{{"b", "N", "s", "r"}, {"a", "N", "obj", "r"}};
  EXPECT_EQ(unspecified_terms(rows, {"a", "b", "a", "c"}), (Terms{"a", "b", "a"}));
}

TEST(zentraUnderspecificationRun, ReportsEachTerm) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "the system shall handle data\n");
  dir.write("terms.txt", "system data\nhandle\n");
  dir.write(
      "parsed.txt",
      tree(node("1", "the", "~", "D", "2", "det", "system") + node("2", "system", "~", "N", "4", "subj", "handle") +
           node("4", "handle", "~", "V", "*", "") + node("5", "data", "~", "N", "4", "obj", "handle")) +
          "> ");
  run_underspecification(dir.workspace(), dir.path("doc.txt"), dir.path("terms.txt"));
  const std::string record =
      "The line number:\n1\nthe system shall handle data \n"
      "contains a unspecified sentence because the term:\n";
  EXPECT_EQ(dir.read("underspecification.sdc.log"),
            record + "system\n\n" + record + "data\n\n" +
                "\nNumber of evaluated sentences: 2\nNumber of defective sentences: 2\nDefect rate: 100%\n");
  EXPECT_EQ(dir.read("all_parsed.txt"), "\nthe D det system\nsystem N subj handle\ndata N obj handle\n\n");
  EXPECT_FALSE(dir.exists("dict_instr.txt"));
}

}  // namespace
}  // namespace zentra
