// The analyzer's sentence input, lookup, phrases, trailing punctuation and
// tag filter.
#include <gmock/gmock.h>

#include "analyzer_fixture.h"

namespace velmo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LexAnalyzerTest : public AnalyzerTest {};

TEST_F(LexAnalyzerTest, UnknownWordsGetNoItems) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  ASSERT_NE(analyzer, nullptr);
  analyze(*analyzer, "blue cats sleep");
  EXPECT_EQ(analyzer->positions(), 4);
  EXPECT_THAT(spans(*analyzer), IsEmpty());
  analyze(*analyzer, "the Dog");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[2,2] dog"));
}

TEST_F(LexAnalyzerTest, ItemsPrintWithWordsMeaningAndRoot) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal) (note verb))");
  analyze(*analyzer, "Dog");
  EXPECT_EQ(items(*analyzer),
            "[1,1] Dog (note verb) w=0 hd=1 (root dog)\n"
            "[1,1] Dog (note animal) w=0 hd=1 (root dog)\n");
}

TEST_F(LexAnalyzerTest, TheSameReadingThroughTwoEndingsIsEnteredOnce) {
  LexAnalyzer* analyzer =
      make_analyzer("(walk (note verb))", ":ending-table ((p s third) (p ks third-k k) (p \"\" base))");
  analyze(*analyzer, "walks");
  ASSERT_THAT(spans(*analyzer), ElementsAre("[1,1] walk"));
  const LexItem* item = analyzer->by_end(1).front();
  ASSERT_EQ(item->affixes.size(), 1u);
  EXPECT_STREQ(item->affixes[0], "third");
}

TEST_F(LexAnalyzerTest, TagMarkerCutsTheTagAtItsFirstOccurrence) {
  LexAnalyzer* analyzer = make_analyzer("(saw (note verb))");
  analyzer->set_tag_marker('/');
  enter(*analyzer, "saw/VBD a/b/NN plain");
  EXPECT_STREQ(analyzer->word_at(1), "saw");
  EXPECT_STREQ(analyzer->tag_at(1), "VBD");
  EXPECT_STREQ(analyzer->word_at(2), "a");
  EXPECT_STREQ(analyzer->tag_at(2), "b/NN");
  EXPECT_EQ(analyzer->tag_at(3), nullptr);
}

TEST_F(LexAnalyzerTest, FocusMarkerIsDroppedAndItsPositionNoted) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  run("(set-lex-analyzer-focus-marker " + unique("analyzer") + " *)");
  analyze(*analyzer, "the *dog barks");
  EXPECT_STREQ(analyzer->word_at(2), "dog");
  EXPECT_TRUE(analyzer->focus_positions().test(2));
  EXPECT_FALSE(analyzer->focus_positions().test(1));
  EXPECT_THAT(spans(*analyzer), ElementsAre("[2,2] dog"));
  analyzer->reset();
  EXPECT_TRUE(analyzer->focus_positions().none());
}

TEST_F(LexAnalyzerTest, TagFilterKeepsTheReadingsOfTheGivenCategory) {
  LexAnalyzer* analyzer = make_analyzer("(saw (note verb) (note noun))");
  run("(set-lex-analyzer-pos-marker " + unique("analyzer") + " /)");
  enter(*analyzer, "saw/VBD");
  // Categories come from rules in real use; set them by hand here.
  analyzer->look_up_word("saw", 1, 1);
  ASSERT_EQ(analyzer->by_end(1).size(), 2u);
  analyzer->by_end(1)[0]->category = "NN";
  analyzer->by_end(1)[1]->category = "VBD";
  analyzer->filter_by_tags();
  ASSERT_EQ(analyzer->by_end(1).size(), 1u);
  EXPECT_STREQ(analyzer->by_end(1)[0]->category, "VBD");
}

TEST_F(LexAnalyzerTest, TagFilterLeavesPositionsWithoutTheCategoryAlone) {
  LexAnalyzer* analyzer = make_analyzer("(saw (note verb) (note noun))");
  analyzer->set_tag_marker('/');
  analyze(*analyzer, "saw/XX");
  EXPECT_EQ(analyzer->by_end(1).size(), 2u);
}

TEST_F(LexAnalyzerTest, FinalPunctuationMovesToTheSpacingAfterTheWord) {
  LexAnalyzer* analyzer = make_analyzer("(and (note conj))");
  analyze(*analyzer, "cats and etc.");
  EXPECT_STREQ(analyzer->word_at(3), "etc");
  EXPECT_STREQ(analyzer->spacing_at(4), ".");
  EXPECT_EQ(analyzer->positions(), 4);
  // A lone question mark is passed over; the word before it is split.
  analyze(*analyzer, "really?! ?");
  EXPECT_STREQ(analyzer->word_at(1), "really");
  EXPECT_STREQ(analyzer->spacing_at(2), " ?!");
  EXPECT_STREQ(analyzer->word_at(2), "?");
}

// A dollar sign before the full stop is a word of its own ("$$$." is
// tokenized "$" "$" "$."), so rules can join the signs into one word.
TEST_F(LexAnalyzerTest, AFinalDollarSignKeepsItsWord) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  analyze(*analyzer, "all about the $ $.");
  EXPECT_STREQ(analyzer->word_at(5), "$");
  EXPECT_STREQ(analyzer->spacing_at(6), ".");
  EXPECT_EQ(analyzer->positions(), 6);
}

TEST_F(LexAnalyzerTest, FinalWordInTheLexiconAsWrittenIsKept) {
  LexAnalyzer* analyzer = make_analyzer("(etc. (note abbreviation))");
  analyze(*analyzer, "cats etc.");
  EXPECT_STREQ(analyzer->word_at(2), "etc.");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[2,2] etc."));
}

TEST_F(LexAnalyzerTest, PunctuationOnlyAndEmptySentencesAreHarmless) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  analyze(*analyzer, ". , ; !");
  EXPECT_EQ(analyzer->positions(), 5);
  EXPECT_STREQ(analyzer->word_at(4), "!");
  analyze(*analyzer, "");
  EXPECT_LE(analyzer->positions(), 1);
  EXPECT_THAT(spans(*analyzer), IsEmpty());
  analyze(*analyzer, "'");
  EXPECT_STREQ(analyzer->word_at(1), "'");
}

TEST_F(LexAnalyzerTest, BracketsAndHighBytesEndTheWordThatIsKept) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  analyze(*analyzer, "see caf\xC3\xA9.");
  EXPECT_STREQ(analyzer->word_at(2), "caf\xC3\xA9");
  analyze(*analyzer, "see x<b>.");
  EXPECT_STREQ(analyzer->word_at(2), "x<b>");
}

TEST_F(LexAnalyzerTest, SpacingAccumulatesAndSpanTextJoinsWords) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  analyzer->reset();
  analyzer->add_word("New");
  analyzer->add_spacing(" ");
  analyzer->add_spacing("\n");
  analyzer->add_word("York");
  analyzer->add_word("'s");
  EXPECT_STREQ(analyzer->spacing_at(2), " \n");
  EXPECT_STREQ(analyzer->span_text(1, 3), "New York's");
  EXPECT_STREQ(analyzer->span_text(2, 2), "York");
  EXPECT_TRUE(analyzer->tight(3));
  EXPECT_FALSE(analyzer->tight(2));
}

// Multi-word entries match the words in their reading order, with or
// without a comma in the key.
TEST_F(LexAnalyzerTest, PhrasesMatchInReadingOrder) {
  LexAnalyzer* analyzer = make_analyzer(
      "(in (note prep)) (in front of (note prep)) (spite of , in (note prep)) (new (note adj)) "
      "(New York (note city))");
  analyze(*analyzer, "in front of us");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] in", "[1,3] in front of"));
  analyze(*analyzer, "front of in");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[3,3] in"));
  analyze(*analyzer, "in spite of rain");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] in", "[1,3] in spite of"));
  analyze(*analyzer, "spite of in");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[3,3] in"));
  analyze(*analyzer, "to new york");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[2,2] new", "[2,3] New York"));
}

TEST_F(LexAnalyzerTest, HyphenatedPhraseWordsMatchSplitText) {
  LexAnalyzer* analyzer = make_analyzer("(a (note det)) (a well-known fact (note np))");
  analyze(*analyzer, "a well - known fact");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] a", "[1,5] a well-known fact"));
  analyze(*analyzer, "a well known fact");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] a"));
}

TEST_F(LexAnalyzerTest, MissingPhraseEntryIsReported) {
  LexAnalyzer* analyzer = make_analyzer("(up (note adv) (phrases (up to date)))");
  EXPECT_EQ(errors_during([&] { analyze(*analyzer, "up to date"); }), "Phrasal entry 'up to date' is not found\n");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] up"));
}

TEST_F(LexAnalyzerTest, MeaningSelectorFiltersReadings) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal) (note verb))", "", ":meaning-selector (nil)");
  ASSERT_NE(analyzer, nullptr);
  analyze(*analyzer, "dog");
  EXPECT_THAT(spans(*analyzer), IsEmpty());
}

TEST_F(LexAnalyzerTest, HookSeesEveryItemEntered) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal) (note verb))", "", ":hook (set-cate HOOKED)");
  ASSERT_NE(analyzer, nullptr);
  analyze(*analyzer, "dog dog");
  ASSERT_EQ(analyzer->by_end(2).size(), 2u);
  for (const LexItem* item : analyzer->by_end(2)) EXPECT_STREQ(item->category, "HOOKED");
}

TEST_F(LexAnalyzerTest, ResetReleasesTheSentence) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  analyze(*analyzer, "dog dog dog");
  analyzer->skipped().set(2);
  analyzer->set_mixed_case(0);
  analyzer->reset();
  EXPECT_EQ(analyzer->positions(), 0);
  EXPECT_EQ(analyzer->lattice().item_count(), 0u);
  EXPECT_TRUE(analyzer->skipped().none());
  EXPECT_EQ(analyzer->mixed_case(), 1);
  EXPECT_EQ(analyzer->word_at(1), nullptr);
}

TEST_F(LexAnalyzerTest, LongSentencesAndLongWordsStayWithinBounds) {
  LexAnalyzer* analyzer = make_analyzer("(dog (note animal))");
  std::string sentence;
  for (int i = 0; i < 600; ++i) sentence += "dog ";
  analyze(*analyzer, sentence);
  EXPECT_EQ(analyzer->positions(), 601);
  EXPECT_EQ(analyzer->by_end(600).size(), 1u);
  const std::string long_word(5000, 'x');
  analyze(*analyzer, "dog " + long_word + "\x80\xff.");
  EXPECT_EQ(std::string(analyzer->word_at(2)).size(), 5002u);
  EXPECT_STREQ(analyzer->span_text(1, 1000), (std::string("dog ") + long_word + "\x80\xff").c_str());
}

TEST_F(LexAnalyzerTest, SuggestedSentenceLengthIsRangeChecked) {
  const std::string small = unique("analyzer") + "_small";
  EXPECT_EQ(errors_of("(make-lex-analyzer " + small + " :suggested-sentence-length -5)"),
            ":suggested-sentence-length: -5 is out of range (1 to 16000); 1 is used\n"
            "make-lex-analyzer: no :lexicon given for " +
                small + "\n");
  EXPECT_EQ(NameSpaces::lookup_as<LexAnalyzer>(small, LexAnalyzer::kTypeText)->suggested_length(), 1u);
  const std::string huge = unique("analyzer") + "_huge";
  EXPECT_EQ(errors_of("(make-lex-analyzer " + huge + " :suggested-sentence-length 100000)"),
            ":suggested-sentence-length: 100000 is out of range (1 to 16000); 16000 is used\n"
            "make-lex-analyzer: no :lexicon given for " +
                huge + "\n");
}

TEST_F(LexAnalyzerTest, MakeLexAnalyzerWithoutLexiconIsReported) {
  const std::string name = unique("analyzer");
  EXPECT_EQ(errors_of("(make-lex-analyzer " + name + " :suggested-sentence-length 10)"),
            "make-lex-analyzer: no :lexicon given for " + name + "\n");
  auto* analyzer = NameSpaces::lookup_as<LexAnalyzer>(name, LexAnalyzer::kTypeText);
  ASSERT_NE(analyzer, nullptr);
  EXPECT_EQ(analyzer->suggested_length(), 10u);
  EXPECT_EQ(errors_during([&] { analyze(*analyzer, "dog"); }), "The lexical analyzer has no lexicon\n");
  EXPECT_THAT(spans(*analyzer), IsEmpty());
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Random bytes, punctuation and known words through the analyzer and a rule
// set that adds, widens, combines and deletes: nothing breaks, and every
// reset releases the sentence.
TEST_F(LexAnalyzerTest, RandomSentencesThroughRulesStayWellFormed) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (unknown (not-in-lexicon) (assert (make-lexitem (low) (high) (meaning))))"
      " (wide (seq (lexitem (t)) (lexitem (t))) (combine-lexitems a (comp ($ 1) (litem)) b (comp ($ 2) (litem))))"
      " (cut (lexitem (root (str= dog))) (delete-smaller (int 0) (high)))"
      " (punct (word (str= .)) (remove-punctuation-marks (low)))"
      " (look (+ (lexitem (t))) (look-up (low) (high)))"
      " (max (whole-sentence) (rm-non-max)))");
  LexAnalyzer* analyzer =
      make_analyzer("(dog (note n)) (the (note d)) (in front of (note p)) (in (note p))", "", ":lexical-rules " + set);
  analyzer->set_tag_marker('/');
  analyzer->set_focus_marker('*');
  const char* const pieces[] = {"dog",      "the",  "in",     "front", "of", ".", ",",  "?!", "\xC3\xA9t\xC3\xA9",
                                "\xff\x80", "*dog", "dog/NN", "/",     "*",  "-", "'s", "$5", "#1",
                                "etc.",     ""};
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int sentence = 0; sentence < 300; ++sentence) {
    analyzer->reset();
    const int length = static_cast<int>(next() % 40);
    for (int i = 0; i < length; ++i) {
      analyzer->add_spacing(next() % 5 ? " " : "");
      std::string word = pieces[next() % std::size(pieces)];
      if (next() % 7 == 0) word += static_cast<char>(next() % 256);
      analyzer->add_word(word);
    }
    errors_during([&] { analyzer->analyze(); });
    for (int p = 0; p < analyzer->positions(); ++p) {
      for (const LexItem* item : analyzer->by_end(p)) {
        EXPECT_EQ(item->high, p);
        EXPECT_FALSE(item->is_deleted());
      }
      for (const LexItem* item : analyzer->by_start(p)) EXPECT_EQ(item->low, p);
    }
    std::ostringstream printed;
    analyzer->print_items(printed);
  }
  analyzer->reset();
  EXPECT_EQ(analyzer->lattice().item_count(), 0u);
}

}  // namespace
}  // namespace velmo
