#include "lexical/items/ending.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexical/items/ending_lookup.h"
#include "lexical/items/ending_table.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexical_fixture.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

// (test-reject-root WORD ...): false for the listed roots, true otherwise.
class RejectRootExp final : public DefaultClone<RejectRootExp> {
 public:
  const char* name() const override { return "test-reject-root"; }
  void init(IRSlist& args) override {
    while (const char* word = args.take_atom()) rejected_.emplace_back(word);
  }
  Word eval(Word input, TypeId) override {
    const std::string root = from_word<const char>(input);
    for (const std::string& word : rejected_)
      if (word == root) return 0;
    return 1;
  }

 private:
  std::vector<std::string> rejected_;
};

class EndingTest : public LexicalTest {
 protected:
  void SetUp() override {
    LexicalTest::SetUp();
    if (!LExp::find_prototype("test-reject-root")) register_lexp(std::make_unique<RejectRootExp>());
  }

  // Fills the table from the text of an inline ending list.
  void fill(const std::string& list) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(list, store_);
    ASSERT_NE(form, nullptr);
    table_.add_from_list(*form);
  }

  // "name:root" for every reading of the word, in table order.
  std::vector<std::string> roots_of(const std::string& word) {
    std::vector<std::string> found;
    for (const Ending* ending = table_.start(word); ending; ending = table_.next()) {
      const char* root = ending->root(table_.word());
      found.push_back(std::string(ending->name() ? ending->name() : "-") + ":" + (root ? root : "REJECTED"));
    }
    return found;
  }

  StringPool store_;
  EndingTable table_;
};

using Roots = std::vector<std::string>;

TEST_F(EndingTest, EmptySuffixGivesTheWordItself) {
  fill("((p \"\" base))");
  EXPECT_EQ(roots_of("a"), Roots{"base:a"});
  EXPECT_EQ(roots_of("Dogs"), Roots{"base:Dogs"});
  EXPECT_EQ(roots_of(""), Roots{});
  EXPECT_EQ(table_.current(), nullptr);
}

TEST_F(EndingTest, PlainEndingNeedsALongerWordAndComparesLowerCased) {
  fill("((p es plural) (p s s-plural) (p ies y-plural y))");
  EXPECT_EQ(roots_of("es"), Roots{"s-plural:e"});
  EXPECT_EQ(roots_of("WISHES"), (Roots{"plural:WISH", "s-plural:WISHE"}));
  EXPECT_EQ(roots_of("ponies"), (Roots{"plural:poni", "s-plural:ponie", "y-plural:pony"}));
}

TEST_F(EndingTest, UpperCaseSuffixNeverMatches) {
  fill("((p ES plural))");
  EXPECT_EQ(roots_of("boxES"), Roots{});
}

TEST_F(EndingTest, DoubleEndingDropsOneOfTheDoubledConsonants) {
  fill("((d ing ing) (d ed ed))");
  EXPECT_EQ(roots_of("running"), Roots{"ing:run"});
  EXPECT_EQ(roots_of("falling"), Roots{"ing:fal"});
  EXPECT_EQ(roots_of("stopped"), Roots{"ed:stop"});
  EXPECT_EQ(roots_of("RUNNING"), Roots{});   // the vowel test is on lower-case vowels
  EXPECT_EQ(roots_of("adding"), Roots{});    // k = 2: stem too short
  EXPECT_EQ(roots_of("shhhing"), Roots{});   // no vowel before the doubled h
  EXPECT_EQ(roots_of("sleeping"), Roots{});  // e and p differ
}

TEST_F(EndingTest, DoubleEndingIgnoresItsReplacement) {
  fill("((d ing ing xyz))");
  EXPECT_EQ(roots_of("running"), Roots{"ing:run"});
}

TEST_F(EndingTest, EsEndingTestsTheThirdCharacterFromTheEndExactly) {
  fill("((e es plural \"\" xsh))");
  EXPECT_EQ(roots_of("boxes"), Roots{"plural:box"});
  EXPECT_EQ(roots_of("wishes"), Roots{"plural:wish"});
  EXPECT_EQ(roots_of("BOXES"), Roots{});  // X is not in the set
  EXPECT_EQ(roots_of("toes"), Roots{});
  EXPECT_EQ(roots_of("xes"), Roots{});  // shorter than four
}

TEST_F(EndingTest, EsEndingWithUpperCaseSetFindsUpperCaseWords) {
  fill("((e es plural \"\" xX))");
  EXPECT_EQ(roots_of("BOXES"), Roots{"plural:BOX"});
}

TEST_F(EndingTest, EsEndingAppendsItsReplacement) {
  fill("((e ves f-plural f v))");
  EXPECT_EQ(roots_of("wolves"), Roots{"f-plural:wolf"});
}

TEST_F(EndingTest, EsEndingLooksAtTheThirdCharacterWhateverTheSuffix) {
  fill("((e ves f-plural f l))");  // the l before the suffix is not tested
  EXPECT_EQ(roots_of("wolves"), Roots{});
}

TEST_F(EndingTest, ConditionRemovesOnlyItsOwnReading) {
  fill("((p s plural) :conditions (((plural other) (test-reject-root ha))) (p \"\" base))");
  EXPECT_EQ(roots_of("has"), (Roots{"plural:REJECTED", "base:has"}));
  EXPECT_EQ(roots_of("dogs"), (Roots{"plural:dog", "base:dogs"}));
  EXPECT_NE(table_.condition("other"), nullptr);
  EXPECT_EQ(table_.condition("Plural"), nullptr);  // names compare exactly
}

TEST_F(EndingTest, RootsStayValidUntilTheNextStart) {
  fill("((p s plural) (p \"\" base) (p ogs odd ug))");
  std::vector<const char*> roots;
  for (const Ending* ending = table_.start("dogs"); ending; ending = table_.next())
    roots.push_back(ending->root(table_.word()));
  ASSERT_EQ(roots.size(), 3u);
  EXPECT_STREQ(roots[0], "dog");
  EXPECT_STREQ(roots[1], "dogs");
  EXPECT_STREQ(roots[2], "dug");
}

TEST_F(EndingTest, VeryLongWordsAreHandled) {
  fill("((p s plural) (d ing ing))");
  const std::string stem(100000, 'a');
  EXPECT_EQ(roots_of(stem + "s"), Roots{"plural:" + stem});
  EXPECT_EQ(roots_of(stem + "bbing"), Roots{"ing:" + stem + "b"});
}

TEST_F(EndingTest, UnknownKindIsReportedAndSkipped) {
  std::unique_ptr<IRSlist> form = IRSlist::parse("((x s plural) (p s plural) (\"\" s) ())", store_);
  EXPECT_EQ(errors_during([&] { table_.add_from_list(*form); }),
            "Ending type 'x' is not defined.\nEnding type '' is not defined.\nEnding type '' is not defined.\n");
  EXPECT_EQ(table_.size(), 1u);
}

TEST_F(EndingTest, KindIsReadByItsFirstCharacter) {
  fill("((plain s plural) (double ing ing) (es-kind es e-plural \"\" x))");
  ASSERT_EQ(table_.size(), 3u);
  EXPECT_EQ(roots_of("boxes"), (Roots{"plural:boxe", "e-plural:box"}));
}

TEST_F(EndingTest, EsEndingWithoutCharacterSetIsRefused) {
  std::unique_ptr<IRSlist> form = IRSlist::parse("((e es plural) (e es plural \"\"))", store_);
  EXPECT_EQ(errors_during([&] { table_.add_from_list(*form); }),
            "Ending 'es' of type e needs a character set; it is not added.\n"
            "Ending 'es' of type e needs a character set; it is not added.\n");
  EXPECT_EQ(table_.size(), 0u);
}

TEST_F(EndingTest, ListWhereAnAtomIsExpectedLeavesTheFieldEmpty) {
  std::unique_ptr<IRSlist> form = IRSlist::parse("((p s (a b) y))", store_);
  EXPECT_EQ(errors_during([&] { table_.add_from_list(*form); }), "expecting an atom. This is found instead:\n(a b)\n");
  ASSERT_EQ(table_.size(), 1u);
  EXPECT_EQ(table_.ending(0).name(), nullptr);
  EXPECT_STREQ(table_.ending(0).replacement(), "y");
}

TEST_F(EndingTest, MalformedConditionEntriesAreReported) {
  std::unique_ptr<IRSlist> form = IRSlist::parse("(:conditions ((plural) ((a) (no-such-exp)))  (p s plural))", store_);
  EXPECT_EQ(errors_during([&] { table_.add_from_list(*form); }),
            "An ending condition is a list of names and an expression: (plural)\n"
            "LExp::get_exp:  unknown type: 'no-such-exp'\n");
  EXPECT_EQ(table_.condition("plural"), nullptr);
  EXPECT_EQ(roots_of("dogs"), Roots{"plural:dog"});
}

// ---------------------------------------------------------------- commands

TEST_F(EndingTest, DefEndingsCreatesAndAppends) {
  const std::string name = unique("endings");
  run("(def-endings " + name + " (p s plural))");
  run("(def-endings " + name + " (p \"\" base))");
  auto* table = NameSpaces::lookup_as<EndingTable>(name, EndingTable::kTypeText);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->size(), 2u);
  EXPECT_EQ(errors_of("(def-endings " + name + " (q s plural) (p ed past))"), "Ending type 'q' is not defined.\n");
  EXPECT_EQ(table->size(), 3u);
}

TEST_F(EndingTest, DefEndingsOnAnotherKindOfObjectIsRefused) {
  const std::string name = unique("lexicon");
  run("(make-lexicon " + name + " 11)");
  EXPECT_EQ(errors_of("(def-endings " + name + " (p s plural))"),
            "The named object '" + name + "' is of the type 'Lexicon', not the expected type 'EndingTable'.\n");
}

TEST_F(EndingTest, LexiconWithInlineTableFindsRoots) {
  const std::string lexicon_name = unique("lexicon");
  run("(make-lexicon " + lexicon_name +
      " 11 :ending-table ((p s plural) (p \"\" base) :conditions (((plural) (test-reject-root new))) "
      "(d ing ing)))");
  run("(lex " + lexicon_name + " (dog (note animal)) (run (note verb)) (news (note noun)))");
  auto* lexicon = NameSpaces::lookup_as<Lexicon>(lexicon_name, "Lexicon");
  ASSERT_NE(lexicon, nullptr);
  ASSERT_NE(lexicon->ending_table(), nullptr);
  EXPECT_EQ(dynamic_cast<EndingTable&>(*lexicon->ending_table()).size(), 3u);
  EXPECT_EQ(lexicon->root_of("Dogs"), "dog");
  EXPECT_EQ(lexicon->root_of("running"), "run");
  EXPECT_EQ(lexicon->root_of("news"), "news");  // "new" is rejected by the condition
  EXPECT_EQ(lexicon->root_of("cats"), "cats");
}

TEST_F(EndingTest, LexiconWithNamedTable) {
  const std::string table_name = unique("endings");
  const std::string lexicon_name = unique("lexicon");
  run("(def-endings " + table_name + " (p s plural) (p \"\" base))");
  run("(make-lexicon " + lexicon_name + " 11 :ending-table " + table_name + ")");
  auto* lexicon = NameSpaces::lookup_as<Lexicon>(lexicon_name, "Lexicon");
  ASSERT_NE(lexicon, nullptr);
  EXPECT_EQ(lexicon->ending_table(), NameSpaces::lookup_as<EndingTable>(table_name, EndingTable::kTypeText));
}

TEST_F(EndingTest, ReadingsPairEntriesWithTheirEndings) {
  const std::string lexicon_name = unique("lexicon");
  run("(make-lexicon " + lexicon_name + " 11 :ending-table ((p s plural) (p \"\" base) (p \"\" again)))");
  run("(lex " + lexicon_name + " (dog (note animal)) (dogs (note team)))");
  auto* lexicon = NameSpaces::lookup_as<Lexicon>(lexicon_name, "Lexicon");
  ASSERT_NE(lexicon, nullptr);
  std::vector<EntryReading> readings;
  lookup_readings(*lexicon, "Dogs", readings);
  std::vector<std::string> found;
  for (const EntryReading& reading : readings) found.push_back(reading.entry->key() + "/" + reading.ending->name());
  EXPECT_EQ(found, (std::vector<std::string>{"dog/plural", "dogs/base", "dogs/again"}));
}

// The condition looks a long word up in the same lexicon while the table is
// in the middle of its iteration over "dogs".
TEST_F(EndingTest, ConditionMayFindRootsThroughTheSameTable) {
  const std::string lexicon_name = unique("lexicon");
  const std::string long_word(3000, 'x');
  run("(make-lexicon " + lexicon_name + " 11 :ending-table ((p s plural) (p \"\" base) " +
      ":conditions (((plural) (comp (str " + long_word + ") (get-root (str " + lexicon_name + ")))))))");
  run("(lex " + lexicon_name + " (dog (note animal)) (dogs (note team)))");
  auto* lexicon = NameSpaces::lookup_as<Lexicon>(lexicon_name, "Lexicon");
  ASSERT_NE(lexicon, nullptr);
  std::vector<EntryReading> readings;
  lookup_readings(*lexicon, "dogs", readings);
  std::vector<std::string> found;
  for (const EntryReading& reading : readings) found.push_back(reading.entry->key() + "/" + reading.ending->name());
  EXPECT_EQ(found, (std::vector<std::string>{"dog/plural", "dogs/base"}));
  EXPECT_EQ(lexicon->root_of("dogs"), "dog");
}

TEST_F(EndingTest, ReadingsWithoutTableLookUpTheWordAsItStands) {
  const std::string lexicon_name = unique("lexicon");
  run("(make-lexicon " + lexicon_name + " 11)");
  run("(lex " + lexicon_name + " (dog (note animal)))");
  auto* lexicon = NameSpaces::lookup_as<Lexicon>(lexicon_name, "Lexicon");
  ASSERT_NE(lexicon, nullptr);
  std::vector<EntryReading> readings;
  lookup_readings(*lexicon, "DOG", readings);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].entry->key(), "dog");
  EXPECT_EQ(readings[0].ending, nullptr);
  readings.clear();
  lookup_readings(*lexicon, "dogs", readings);
  EXPECT_TRUE(readings.empty());
}

}  // namespace
}  // namespace velmo
