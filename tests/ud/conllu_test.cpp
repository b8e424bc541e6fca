#include "parser/ud/conllu.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmo::ud {
namespace {

std::vector<UdSentence> read(const std::string& text, std::vector<ConlluProblem>* problems = nullptr) {
  std::istringstream in(text);
  return read_conllu(in, problems);
}

std::string heads(const UdSentence& sentence) {
  std::string result;
  for (const UdWord& word : sentence.words) result += std::to_string(word.head) + " ";
  return result;
}

const char* const kDontKnow =
    "# sent_id = s1\n"
    "# text = I don't know.\n"
    "1\tI\tI\tPRON\tPRP\tCase=Nom\t4\tnsubj\t4:nsubj\t_\n"
    "2-3\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
    "2\tdo\tdo\tAUX\tVBP\tVerbForm=Fin\t4\taux\t4:aux\t_\n"
    "3\tn't\tnot\tPART\tRB\t_\t4\tadvmod\t4:advmod\t_\n"
    "4\tknow\tknow\tVERB\tVB\tVerbForm=Inf\t0\troot\t0:root\tSpaceAfter=No\n"
    "4.1\tknow\tknow\tVERB\tVB\t_\t_\t_\t4:conj\tCopyOf=4\n"
    "5\t.\t.\tPUNCT\t.\t_\t4\tpunct\t4:punct\t_\n"
    "\n";

TEST(ConlluReader, ReadsCommentsMultiwordTokensAndEmptyNodes) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(kDontKnow, &problems);
  ASSERT_EQ(sentences.size(), 1u);
  EXPECT_TRUE(problems.empty());
  const UdSentence& s = sentences[0];
  EXPECT_EQ(s.comment_value("sent_id"), "s1");
  EXPECT_EQ(s.text(), "I don't know.");
  ASSERT_EQ(s.words.size(), 5u);
  ASSERT_EQ(s.multiwords.size(), 1u);
  EXPECT_EQ(s.multiwords[0].first, 2);
  EXPECT_EQ(s.multiwords[0].last, 3);
  EXPECT_EQ(s.multiwords[0].form, "don't");
  ASSERT_EQ(s.empty_nodes.size(), 1u);
  EXPECT_EQ(s.empty_nodes[0].after, 4);
  EXPECT_EQ(heads(s), "4 4 4 0 4 ");
  EXPECT_EQ(s.words[3].deps, "0:root");
}

TEST(ConlluReader, WritesWhatItReadByteForByte) {
  std::vector<UdSentence> sentences = read(kDontKnow);
  std::ostringstream out;
  write_conllu(out, sentences[0]);
  EXPECT_EQ(out.str(), kDontKnow);
}

// The text made in one string: empty columns as "_", numbers of any width,
// a multi-word token's MISC, empty nodes before the first word and after
// theirs, and the blank line that ends the sentence.
TEST(Conllu, TextOfASentenceMadeByHand) {
  UdSentence sentence;
  sentence.comments = {"# sent_id = 7"};
  UdWord first;
  first.id = 9;
  first.form = "can";
  first.head = 12;
  first.deprel = "aux";
  UdWord second;
  second.id = 10;
  second.form = "not";
  second.lemma = "not";
  second.upos = "PART";
  second.misc = "SpaceAfter=No";
  sentence.words = {first, second};
  sentence.multiwords = {UdMultiword{9, 10, "cannot", "SpaceAfter=No"}};
  sentence.empty_nodes = {UdEmptyNode{0, 1, {"0.1", "x"}}, UdEmptyNode{10, 1, {"10.1", "y", "_"}}};
  EXPECT_EQ(conllu_text(sentence),
            "# sent_id = 7\n"
            "0.1\tx\n"
            "9-10\tcannot\t_\t_\t_\t_\t_\t_\t_\tSpaceAfter=No\n"
            "9\tcan\t_\t_\t_\t_\t12\taux\t_\t_\n"
            "10\tnot\tnot\tPART\t_\t_\t0\t_\t_\tSpaceAfter=No\n"
            "10.1\ty\t_\n"
            "\n");
  std::ostringstream out;
  write_conllu(out, sentence);
  EXPECT_EQ(out.str(), conllu_text(sentence));
}

TEST(ConlluReader, RebuildsTheTextFromTokensWithoutTextComment) {
  std::string text = kDontKnow;
  text.erase(text.find("# text"), text.find("1\tI") - text.find("# text"));
  EXPECT_EQ(read(text)[0].text(), "I don't know.");
}

TEST(ConlluReader, ReportsAWrongColumnCountWithItsLineAndReadsOn) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(
      "1\tA\ta\tDET\tDT\t_\t2\tdet\t_\t_\n"
      "2\tdog\tdog\tNOUN\tNN\t_\t0\troot\t_\n"
      "\n"
      "1\tYes\tyes\tINTJ\tUH\t_\t0\troot\t_\t_\n"
      "\n",
      &problems);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0].line, 2);
  EXPECT_EQ(problems[0].message, "wrong number of columns: 9 (10 expected)");
  // The dropped word leaves the first sentence with a dangling head and
  // without a root.
  EXPECT_EQ(problems[1].line, 1);
  EXPECT_EQ(problems[1].message, "head 2 of word 1 is out of range");
  EXPECT_EQ(problems[2].message, "sentence has no root");
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(heads(sentences[0]), "0 ");  // the head out of reach becomes the root
  EXPECT_EQ(sentences[1].words[0].form, "Yes");
}

TEST(ConlluReader, RepairsHeadsOutOfRangeSecondRootsAndCycles) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(
      "1\ta\ta\tX\tX\t_\t7\tdep\t_\t_\n"
      "2\tb\tb\tX\tX\t_\t0\troot\t_\t_\n"
      "3\tc\tc\tX\tX\t_\t0\troot\t_\t_\n"
      "4\td\td\tX\tX\t_\t5\tdep\t_\t_\n"
      "5\te\te\tX\tX\t_\t4\tdep\t_\t_\n"
      "\n",
      &problems);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0].line, 1);
  EXPECT_EQ(problems[0].message, "head 7 of word 1 is out of range");
  EXPECT_EQ(problems[1].line, 3);
  EXPECT_EQ(problems[1].message, "word 3 is a second root (the first is word 2)");
  EXPECT_EQ(problems[2].line, 4);
  EXPECT_EQ(problems[2].message, "words 4, 5 form a cycle");
  EXPECT_EQ(heads(sentences[0]), "2 0 2 2 4 ");
}

TEST(ConlluReader, AMissingRootIsReportedAndTheCycleBecomesRooted) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(
      "# text = x y\n"
      "1\tx\tx\tX\tX\t_\t2\tdep\t_\t_\n"
      "2\ty\ty\tX\tX\t_\t1\tdep\t_\t_\n",
      &problems);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].line, 1);
  EXPECT_EQ(problems[0].message, "sentence has no root");
  EXPECT_EQ(problems[1].message, "words 1, 2 form a cycle");
  EXPECT_EQ(heads(sentences[0]), "0 1 ");
}

TEST(ConlluReader, OverlappingRangesAndBadIdsAreReported) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(
      "1-2\tab\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "1\ta\ta\tX\tX\t_\t0\troot\t_\t_\n"
      "2-3\tbc\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "2\tb\tb\tX\tX\t_\t1\tdep\t_\t_\n"
      "x\tc\tc\tX\tX\t_\t1\tdep\t_\t_\n"
      "3\tc\tc\tX\tX\t_\tone\tdep\t_\t_\n"
      "\n",
      &problems);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0].line, 3);
  EXPECT_EQ(problems[0].message, "multi-word token 2-3 overlaps the token 1-2");
  EXPECT_EQ(problems[1].line, 5);
  EXPECT_EQ(problems[1].message, "invalid word id 'x'");
  EXPECT_EQ(problems[2].line, 6);
  EXPECT_EQ(problems[2].message, "invalid head 'one' of word 3");
  EXPECT_EQ(sentences[0].multiwords.size(), 1u);
  EXPECT_EQ(heads(sentences[0]), "0 1 1 ");
}

TEST(ConlluReader, RangesThatDoNotStartAtTheNextWordAreDropped) {
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read(
      "1\ta\ta\tX\tX\t_\t0\troot\t_\t_\n"
      "3-4\tcd\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "2\tb\tb\tX\tX\t_\t1\tdep\t_\t_\n"
      "3\tc\tc\tX\tX\t_\t1\tdep\t_\t_\n"
      "4-5\tde\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "4\td\td\tX\tX\t_\t1\tdep\t_\t_\n",
      &problems);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].line, 2);
  EXPECT_EQ(problems[0].message, "multi-word token 3-4 does not start at the next word (2)");
  EXPECT_EQ(problems[1].line, 1);
  EXPECT_EQ(problems[1].message, "multi-word token 4-5 reaches beyond the last word");
  EXPECT_TRUE(sentences[0].multiwords.empty());
}

TEST(Conllu, UniversalRelationsAndAttributeValues) {
  EXPECT_EQ(universal_relation("nsubj:pass"), "nsubj");
  EXPECT_EQ(universal_relation("root"), "root");
  EXPECT_EQ(attribute_value("SpaceAfter=No|Rel=s", "Rel"), "s");
  EXPECT_EQ(attribute_value("SpaceAfter=No|Rel=s", "SpaceAfter"), "No");
  EXPECT_EQ(attribute_value("Relx=1|Rel=2", "Rel"), "2");
  EXPECT_EQ(attribute_value("_", "Rel"), "");
}

}  // namespace
}  // namespace velmo::ud
