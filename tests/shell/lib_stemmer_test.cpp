#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/lib/stemmer.h"

namespace velmo {
namespace {

std::string stem(const std::string& word) {
  std::string out;
  PorterStemmer().stem_word(word, out);
  return out;
}

struct StemCase {
  const char* word;
  const char* stem;
};

void expect_stems(const std::vector<StemCase>& cases) {
  for (const StemCase& c : cases) EXPECT_EQ(stem(c.word), c.stem) << "word: " << c.word;
}

TEST(PorterStemmerTest, Step1aPlurals) {
  expect_stems({{"caresses", "caress"}, {"ponies", "poni"}, {"ties", "ti"}, {"caress", "caress"}, {"cats", "cat"}});
}

TEST(PorterStemmerTest, Step1bPastAndProgressive) {
  expect_stems({{"agreed", "agre"},
                {"plastered", "plaster"},
                {"bled", "bled"},
                {"motoring", "motor"},
                {"sing", "sing"},
                {"running", "run"}});
}

TEST(PorterStemmerTest, Step1bFollowUpRules) {
  expect_stems({{"conflated", "conflat"},  // at -> ate, then step 4 removes ate
                {"troubled", "troubl"},
                {"sized", "size"},
                {"hopping", "hop"},
                {"tanned", "tan"},
                {"falling", "fall"},
                {"hissing", "hiss"},
                {"fizzed", "fizz"},
                {"failing", "fail"},
                {"filing", "file"}});
}

TEST(PorterStemmerTest, Step1cTerminalY) { expect_stems({{"happy", "happi"}, {"sky", "sky"}}); }

TEST(PorterStemmerTest, Step2DoubleSuffixes) {
  expect_stems({{"relational", "relat"},
                {"conditional", "condit"},
                {"valenci", "valenc"},
                {"digitizer", "digit"},
                {"conformabli", "conform"},
                {"radicalli", "radic"},
                {"differentli", "differ"},
                {"vileli", "vile"},
                {"analogousli", "analog"},
                {"vietnamization", "vietnam"},
                {"predication", "predic"},
                {"operator", "oper"},
                {"feudalism", "feudal"},
                {"decisiveness", "decis"},
                {"callousness", "callous"},
                {"formaliti", "formal"},
                {"sensitiviti", "sensit"},
                {"sensibiliti", "sensibl"}});
}

TEST(PorterStemmerTest, Step3) {
  expect_stems({{"triplicate", "triplic"},
                {"formative", "form"},
                {"formalize", "formal"},
                {"electriciti", "electr"},
                {"electrical", "electr"},
                {"hopeful", "hope"},
                {"goodness", "good"}});
}

TEST(PorterStemmerTest, Step4) {
  expect_stems({{"revival", "reviv"},
                {"allowance", "allow"},
                {"inference", "infer"},
                {"airliner", "airlin"},
                {"gyroscopic", "gyroscop"},
                {"adjustable", "adjust"},
                {"defensible", "defens"},
                {"irritant", "irrit"},
                {"adjustment", "adjust"},
                {"dependent", "depend"},
                {"adoption", "adopt"},
                {"homologou", "homolog"},
                {"communism", "commun"},
                {"activate", "activ"},
                {"angulariti", "angular"},
                {"homologous", "homolog"},
                {"effective", "effect"},
                {"bowdlerize", "bowdler"}});
}

TEST(PorterStemmerTest, Step5FinalEAndDoubleL) {
  expect_stems({{"probate", "probat"}, {"rate", "rate"}, {"cease", "ceas"}, {"controll", "control"}, {"roll", "roll"}});
}

// Step 2 carries "fulnes": words in "fulness" pass step 2 unchanged and
// lose only "ness" in step 3.
TEST(PorterStemmerTest, FulnessIsNotShortenedByStep2) {
  expect_stems({{"hopefulness", "hopeful"}, {"carefulness", "careful"}});
}

// A matching ending whose condition fails does not end the step: the later
// rules are tried.
TEST(PorterStemmerTest, LaterRulesOfAStepAreTriedWhenAConditionFails) {
  // "eed" needs m > 0 on "f"; "ed" then applies to "fe".
  EXPECT_EQ(stem("feed"), "fe");
  // "ement" needs m > 1 on "repla"; "ment" then applies, and step 5 drops the e.
  EXPECT_EQ(stem("replacement"), "replac");
  // The first "e" rule of step 5 needs m > 1; the second (m = 1, not *o) applies.
  EXPECT_EQ(stem("cease"), "ceas");
}

TEST(PorterStemmerTest, YAfterAConsonantCountsAsAVowel) {
  // "sy" has no vowel but for the y: step 1c keeps "sky"; "syzygy" measures
  // its y's as vowels between consonants.
  EXPECT_EQ(stem("syzygies"), "syzygi");
  EXPECT_EQ(stem("toys"), "toi");
}

TEST(PorterStemmerTest, InputIsLowerCasedFirst) { EXPECT_EQ(stem("RUNNING"), "run"); }

TEST(PorterStemmerTest, NonLettersRefuseStemming) {
  std::string out = "untouched";
  EXPECT_FALSE(PorterStemmer().stem_word("it's", out));
  EXPECT_FALSE(PorterStemmer().stem_word("run2", out));
  EXPECT_FALSE(PorterStemmer().stem_word("two words", out));
  EXPECT_EQ(out, "untouched");
}

TEST(PorterStemmerTest, EmptyAndTinyWordsDoNotUnderflow) {
  EXPECT_EQ(stem(""), "");
  EXPECT_EQ(stem("s"), "");
  EXPECT_EQ(stem("e"), "e");
  EXPECT_EQ(stem("y"), "y");
  EXPECT_EQ(stem("ll"), "ll");
}

}  // namespace
}  // namespace velmo
