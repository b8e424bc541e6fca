#include "parser/ud/scorer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velmo::ud {
namespace {

std::vector<UdSentence> read(const std::string& text) {
  std::istringstream in(text);
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read_conllu(in, &problems);
  EXPECT_TRUE(problems.empty());
  return sentences;
}

// Gold cuts "don't" into two words; the system keeps it whole and fails to
// split "it." in two.
const char* const kGold =
    "# sent_id = g1\n"
    "1\tI\tI\tPRON\t_\t_\t4\tnsubj\t_\t_\n"
    "2-3\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
    "2\tdo\tdo\tAUX\t_\t_\t4\taux\t_\t_\n"
    "3\tn't\tnot\tPART\t_\t_\t4\tadvmod\t_\t_\n"
    "4\tknow\tknow\tVERB\t_\t_\t0\troot\t_\t_\n"
    "5\tit\tit\tPRON\t_\t_\t4\tobj\t_\tSpaceAfter=No\n"
    "6\t.\t.\tPUNCT\t_\t_\t4\tpunct\t_\t_\n"
    "\n";
const char* const kSystem =
    "1\tI\tI\tPRON\t_\t_\t3\tnsubj:outer\t_\t_\n"
    "2\tdon't\tdo\tAUX\t_\t_\t3\taux\t_\t_\n"
    "3\tknow\tknow\tVERB\t_\t_\t0\troot\t_\t_\n"
    "4\tit.\tit\tPRON\t_\t_\t3\tobj\t_\t_\n"
    "\n";

TEST(Scorer, AlignsWordsByCharactersAcrossDifferentTokenisations) {
  ScoreResult result = score(read(kGold), read(kSystem));
  ASSERT_TRUE(result.ok) << result.error;
  const Scores& s = result.scores;
  EXPECT_EQ(s.gold_words, 6);
  EXPECT_EQ(s.system_words, 4);
  // Only "I" and "know" line up: "do n't" against "don't" and "it ." against
  // "it." are cut differently.
  EXPECT_EQ(s.aligned, 2);
  EXPECT_EQ(s.heads, 2);
  EXPECT_EQ(s.labels, 2);  // relations compare by their universal part
  EXPECT_DOUBLE_EQ(s.uas(), 40.0);
  EXPECT_DOUBLE_EQ(s.las(), 40.0);
  EXPECT_EQ(s.relations.at("aux").gold, 1);
  EXPECT_EQ(s.relations.at("aux").system, 1);
  EXPECT_EQ(s.relations.at("aux").correct, 0);
  EXPECT_EQ(s.relations.at("nsubj").correct, 1);
  EXPECT_DOUBLE_EQ(s.relations.at("nsubj").precision(), 100.0);
  EXPECT_EQ(s.relations.at("punct").system, 0);
  ASSERT_EQ(s.sentences.size(), 1u);
  EXPECT_EQ(s.sentences[0].sent_id, "g1");
  EXPECT_EQ(s.sentences[0].words, 6);
  EXPECT_EQ(s.sentences[0].labels, 2);
}

TEST(Scorer, WordsInsideMultiwordTokensAlignByForm) {
  // The system splits the token as gold does, but attaches n't to "do".
  std::string system = kGold;
  system[system.find("4\tadvmod")] = '2';
  ScoreResult result = score(read(kGold), read(system));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.scores.aligned, 6);
  EXPECT_EQ(result.scores.heads, 5);
  EXPECT_NEAR(result.scores.uas(), 100.0 * 5 / 6, 1e-9);
}

TEST(Scorer, MatchingTokenisationGivesThePlainWordCount) {
  const char* const gold =
      "1\tdogs\tdog\tNOUN\t_\t_\t2\tnsubj\t_\t_\n"
      "2\tbark\tbark\tVERB\t_\t_\t0\troot\t_\t_\n"
      "3\tat\tat\tADP\t_\t_\t4\tcase\t_\t_\n"
      "4\tcats\tcat\tNOUN\t_\t_\t2\tobl\t_\t_\n"
      "\n"
      "1\tyes\tyes\tINTJ\t_\t_\t0\troot\t_\t_\n"
      "\n";
  const char* const system =
      "1\tdogs\tdog\tNOUN\t_\t_\t2\tnsubj\t_\t_\n"
      "2\tbark\tbark\tVERB\t_\t_\t0\troot\t_\t_\n"
      "3\tat\tat\tADP\t_\t_\t2\tcase\t_\t_\n"
      "4\tcats\tcat\tNOUN\t_\t_\t2\tobj\t_\t_\n"
      "\n"
      "1\tyes\tyes\tINTJ\t_\t_\t0\troot\t_\t_\n"
      "\n";
  ScoreResult result = score(read(gold), read(system));
  ASSERT_TRUE(result.ok);
  EXPECT_DOUBLE_EQ(result.scores.uas(), 80.0);  // 4 of 5 heads
  EXPECT_DOUBLE_EQ(result.scores.las(), 60.0);  // 3 of 5 with the relation
  EXPECT_DOUBLE_EQ(result.scores.relations.at("obl").recall(), 0.0);
  EXPECT_DOUBLE_EQ(result.scores.relations.at("obj").precision(), 0.0);
  std::vector<SentenceScore> worst = worst_sentences(result.scores, 1);
  ASSERT_EQ(worst.size(), 1u);
  EXPECT_EQ(worst[0].words, 4);
  EXPECT_DOUBLE_EQ(worst[0].las(), 50.0);
}

TEST(Scorer, DifferentTextsCannotBeCompared) {
  ScoreResult result =
      score(read("1\tabc\tabc\tX\t_\t_\t0\troot\t_\t_\n"), read("1\tabd\tabd\tX\t_\t_\t0\troot\t_\t_\n"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "the texts differ at character 2: gold 'abc', system 'abd'");
}

TEST(Scorer, ASentenceWhoseTextDiffersIsLeftOutWhenTheSentencesPairUp) {
  // The system lost the final "." of its second sentence.
  const char* const gold =
      "# sent_id = a\n"
      "1\tdogs\tdog\tNOUN\t_\t_\t2\tnsubj\t_\t_\n"
      "2\tbark\tbark\tVERB\t_\t_\t0\troot\t_\t_\n"
      "\n"
      "# sent_id = b\n"
      "1\tyes\tyes\tINTJ\t_\t_\t0\troot\t_\t_\n"
      "2\t.\t.\tPUNCT\t_\t_\t1\tpunct\t_\t_\n"
      "\n";
  const char* const system =
      "1\tdogs\tdog\tNOUN\t_\t_\t2\tnsubj\t_\t_\n"
      "2\tbark\tbark\tVERB\t_\t_\t0\troot\t_\t_\n"
      "\n"
      "1\tyes\tyes\tINTJ\t_\t_\t0\troot\t_\t_\n"
      "\n";
  ScoreResult result = score(read(gold), read(system));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.scores.gold_words, 2);
  EXPECT_DOUBLE_EQ(result.scores.las(), 100.0);
  ASSERT_EQ(result.scores.skipped.size(), 1u);
  EXPECT_EQ(result.scores.skipped[0], "b");
  ASSERT_EQ(result.scores.sentences.size(), 1u);
  EXPECT_EQ(result.scores.sentences[0].sent_id, "a");

  // Without sentences to pair up, the files cannot be compared at all.
  std::string one_sentence = system;
  one_sentence.resize(one_sentence.find("\n\n") + 2);
  EXPECT_FALSE(score(read(gold), read(one_sentence)).ok);
}

}  // namespace
}  // namespace velmo::ud
