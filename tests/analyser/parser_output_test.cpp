#include "analyser/parser_output.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

using testing::node;
using testing::tree;

TEST(zentraStretchSplitter, CutsAtPromptsAfterDroppingTheFirstCharacter) {
  StretchSplitter splitter("> one\n> two\n> ");
  EXPECT_EQ(splitter.next(), " one\n");
  EXPECT_EQ(splitter.next(), " two\n");
  EXPECT_EQ(splitter.next(), " ");
  EXPECT_EQ(splitter.next(), "");
  EXPECT_EQ(splitter.next(), "");
}

TEST(zentraStretchSplitter, FirstCharacterIsDroppedWhateverItIs) {
  StretchSplitter splitter("xab>cd");
  EXPECT_EQ(splitter.next(), "ab");
  EXPECT_EQ(splitter.next(), "cd");
  EXPECT_EQ(splitter.next(), "");
}

TEST(zentraStretchSplitter, EmptyTextGivesEmptyStretches) {
  StretchSplitter splitter("");
  EXPECT_EQ(splitter.next(), "");
  EXPECT_EQ(splitter.next(), "");
}

TEST(zentraSkipHeader, DropsEverythingUpToTheFirstNumberedLineAndItsDigit) {
  EXPECT_EQ(skip_header(" (\n12\t(a\n3\t(b\n)\n"), "2\t(a\n3\t(b\n)\n");
}

TEST(zentraSkipHeader, EmptyNodeLinesBeforeTheFirstNumberedLineGoToo) {
  EXPECT_EQ(skip_header(" (\nE0\t(()\t U\t*\t)\n1\t(a\t~ N\tE0\t)\n)\n"), "\t(a\t~ N\tE0\t)\n)\n");
}

TEST(zentraSkipHeader, CharacterAfterALineEndIsNotItselfALineEnd) {
  // The second line end is the character looked at after the first one;
  // the "7" after it therefore does not stop the skipping.
  EXPECT_EQ(skip_header("a\n\n7x\n8y"), "y");
}

TEST(zentraSkipHeader, NoNumberedLineLeavesNothing) {
  EXPECT_EQ(skip_header(" (\n)\n"), "");
  EXPECT_EQ(skip_header(" \n"), "");
  EXPECT_EQ(skip_header(""), "");
  EXPECT_EQ(skip_header("\n"), "");
}

TEST(zentraFilterCharacters, DropsNumbersParenthesesCapitalETildeAndMarksLines) {
  EXPECT_EQ(filter_characters("\t(Every\t~ D\t2\tdet\t(gov house))\n2\t(x"), "\tvery\t D\t\tdet\tgov house\n###\tx");
}

TEST(zentraFilterCharacters, QuotedMultiwordBecomesOneWord) {
  EXPECT_EQ(filter_characters("\t(\"New York\"\t~ N\t2\tsubj)"), "\tNew_York\t N\t\tsubj");
}

TEST(zentraFilterCharacters, QuotedTextKeepsDigitsParenthesesAndE) {
  EXPECT_EQ(filter_characters("\"E (2) ~\"x"), "E_(2)_~x");
}

TEST(zentraFilterCharacters, LineEndInsideQuotesGetsNoMarker) {
  EXPECT_EQ(filter_characters("\"a\nb\"\n"), "a\nb\n###");
}

TEST(zentraFilterCharacters, UnterminatedQuoteRunsToTheEnd) {
  EXPECT_EQ(filter_characters("a \"b c\nd e"), "a b_c\nd_e");
}

TEST(zentraDropMarkupWords, RemovesGovAndAntecedent) {
  EXPECT_EQ(drop_markup_words("\tit\t N\t\tsubj\tgov like\tantecedent \n###"), "it N subj like ### ");
  EXPECT_EQ(drop_markup_words("governor gov. Gov"), "governor gov. Gov ");
  EXPECT_EQ(drop_markup_words(""), "");
}

TEST(zentraBuildRows, FourWordLineIsARow) {
  EXPECT_EQ(build_rows("it N subj like ### "), (std::vector<Row>{{"it", "N", "subj", "like"}}));
}

TEST(zentraBuildRows, FiveWordLineKeepsTheRootOfContentWords) {
  EXPECT_EQ(build_rows("dogs dog N s bark ### "), (std::vector<Row>{{"dog", "N", "s", "bark"}}));
  EXPECT_EQ(build_rows("is be VBE aux run ### "), (std::vector<Row>{{"be", "VBE", "aux", "run"}}));
}

TEST(zentraBuildRows, LineThatEndsEarlyGivesNoRow) {
  // A node hanging from the top: word, root, category, "*", marker.
  EXPECT_TRUE(build_rows("sees see V * ### ").empty());
  EXPECT_TRUE(build_rows("a b ### c ### ").empty());
}

TEST(zentraBuildRows, RootBeShiftsTheFields) {
  EXPECT_EQ(build_rows("been be Aux aux run ### "), (std::vector<Row>{{"been", "Aux", "aux", "run"}}));
  // The fifth word is taken even when it is a line marker.
  EXPECT_EQ(build_rows("x be C r ### y N s z ### "), (std::vector<Row>{{"x", "C", "r", "###"}, {"y", "N", "s", "z"}}));
}

TEST(zentraBuildRows, WordsAfterARowStartTheNextRow) {
  EXPECT_EQ(build_rows("a B c d e F g h ### "), (std::vector<Row>{{"a", "B", "c", "d"}, {"e", "F", "g", "h"}}));
}

TEST(zentraBuildRows, TruncatedTextStopsQuietly) {
  EXPECT_TRUE(build_rows("a B c").empty());
  EXPECT_TRUE(build_rows("dogs dog N s").empty());
  EXPECT_TRUE(build_rows("x be C r").empty());
  EXPECT_TRUE(build_rows("").empty());
}

TEST(zentraRowsText, OneRowALine) {
  EXPECT_EQ(rows_text({{"a", "b", "c", "d"}, {"e", "f", "g", "h"}}), "a b c d\ne f g h\n");
  EXPECT_EQ(rows_text({}), "");
}

TEST(zentraReduceParserOutput, DependencyTreeOfOneSentence) {
  const std::string stretch =
      tree(node("1", "Ann", "~", "N", "2", "s", "see") + node("2", "sees", "see", "V", "*", "") +
           node("3", "Bob", "~", "N", "2", "obj", "see"))
          .substr(1);
  const ReducedOutput reduced = reduce_parser_output(stretch);
  EXPECT_EQ(reduced.words, "Ann N s see ### sees see V * ### Bob N obj see ### ### ");
  EXPECT_EQ(reduced.rows, (std::vector<Row>{{"Ann", "N", "s", "see"}, {"Bob", "N", "obj", "see"}}));
}

TEST(zentraReduceParserOutput, EmptyNodesQuotesAndCapitalE) {
  const std::string stretch = " (\nE0\t(()\t U\t*\t)\n" + node("1", "Every", "~", "D", "2", "det", "city") +
                              node("2", "city", "~", "N", "3", "subj", "love") +
                              node("3", "loves", "love", "V", "E0", "", "") +
                              node("4", "\"New York\"", "~", "N", "3", "obj", "love") + ")\n";
  const ReducedOutput reduced = reduce_parser_output(stretch);
  EXPECT_EQ(reduced.rows,
            (std::vector<Row>{
                {"very", "D", "det", "city"}, {"city", "N", "subj", "love"}, {"New_York", "N", "obj", "love"}}));
}

TEST(zentraReduceParserOutput, AntecedentsVanish) {
  const std::string stretch = " (\n1\t(it\t~ N\t2\tsubj\t(gov like)\t(antecedent E1))\n)\n";
  EXPECT_EQ(reduce_parser_output(stretch).rows, (std::vector<Row>{{"it", "N", "subj", "like"}}));
}

TEST(zentraReduceParserOutput, ParserWithoutTreeGivesNothing) {
  EXPECT_TRUE(reduce_parser_output(" \n").rows.empty());
  EXPECT_EQ(reduce_parser_output(" \n").words, "");
  EXPECT_TRUE(reduce_parser_output(" (\n)\n").rows.empty());
}

}  // namespace
}  // namespace zentra
