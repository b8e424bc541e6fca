#include "corpus/smoothed_triple_db.h"

#include <cmath>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace velmo {
namespace {

// A small database in the layout the statistics generator writes.
class SmoothedTripleDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::istringstream in(
        "eat\tobj\tapple\t6\n"
        "eat\tobj\tpear\t2\n"
        "eat\twith\tfork\t2\n"
        "eat\t<class>\tV\t1\n"
        "pizza\twith\tcheese\t3\n"
        "pizza\t<class>\tN\t1\n"
        "<any>\tobj\tapple\t6\n"
        "<any>\tobj\tpear\t2\n"
        "<any>\twith\tfork\t2\n"
        "<any>\twith\tcheese\t3\n"
        "<class:V>\tobj\t*\t8\n"
        "<class:V>\twith\t*\t2\n"
        "<class:N>\twith\t*\t3\n");
    ASSERT_TRUE(db.populate(in));
  }
  double p(const char* h, const char* r, const char* m) { return db.probability(h, r, m).value_or(2.0); }

  SmoothedTripleDb db{101};
};

TEST_F(SmoothedTripleDbTest, EveryTripleGetsAnAnswerBelowOne) {
  for (const char* head : {"eat", "pizza", "unknown", "<any>"})
    for (const char* relation : {"obj", "with", "never-seen"})
      for (const char* modifier : {"apple", "stone", "~"}) {
        const double value = p(head, relation, modifier);
        EXPECT_GT(value, 0.0) << head << ' ' << relation << ' ' << modifier;
        EXPECT_LT(value, 1.0) << head << ' ' << relation << ' ' << modifier;
      }
}

// The totals over all heads are indexed once; counts added after a question
// (add-triples on an open database) must still reach the answers.
TEST_F(SmoothedTripleDbTest, CountsAddedLaterChangeTheAnswers) {
  const double before = db.relation_given_modifier("with", "stone");
  ASSERT_TRUE(db.add_triple("<any>", "with", "stone", 50));
  EXPECT_GT(db.relation_given_modifier("with", "stone"), before);
  const double prepared = db.relation_given_modifier("obj", "stone");
  db.prepare();
  EXPECT_EQ(db.relation_given_modifier("obj", "stone"), prepared);
}

// Remembered answers are keyed by the numbers of the names asked: each
// relation keeps its own, names differing only in case share one, and
// modifiers never seen over all heads share the relation's prior.
TEST_F(SmoothedTripleDbTest, RememberedAnswersKeepRelationsApartAndFoldCase) {
  const double obj = db.relation_given_head("eat", "obj");
  const double with = db.relation_given_head("eat", "with");
  EXPECT_NE(obj, with);
  EXPECT_EQ(db.relation_given_head("eat", "OBJ"), obj);
  EXPECT_EQ(db.relation_given_head("eat", "with"), with);
  EXPECT_NE(db.relation_given_modifier("obj", "apple"), db.relation_given_modifier("obj", "fork"));
  EXPECT_EQ(db.relation_given_modifier("obj", "Apple"), db.relation_given_modifier("obj", "apple"));
  EXPECT_EQ(db.relation_given_modifier("obj", "stone"), db.relation_given_modifier("obj", "rock"));
  EXPECT_NE(db.relation_given_modifier("obj", "stone"), db.relation_given_modifier("with", "stone"));
}

TEST_F(SmoothedTripleDbTest, SeenTriplesBeatUnseenOnes) {
  EXPECT_GT(p("eat", "obj", "apple"), p("eat", "obj", "pear"));
  EXPECT_GT(p("eat", "obj", "pear"), p("eat", "obj", "stone"));
  // An unseen modifier seen elsewhere in the relation beats one never seen.
  EXPECT_GT(p("pizza", "with", "fork"), p("pizza", "with", "stone"));
  EXPECT_GT(p("eat", "obj", "apple"), p("pizza", "obj", "apple"));
}

TEST_F(SmoothedTripleDbTest, ThePairDecidesTheRelation) {
  EXPECT_GT(p("eat", "with", "fork"), p("eat", "obj", "fork"));
  EXPECT_GT(p("eat", "obj", "apple"), 0.8);
  // A frequent modifier word is not cheaper for being frequent: the answer
  // is about the relation, not the word.
  EXPECT_NEAR(p("eat", "obj", "apple"), p("eat", "obj", "pear"), 0.1);
}

// "tell me about it": the grammar's only object is the treebank's indirect
// one (tell me that ...). A pair seen in the other object relation has the
// better answer; a pair never seen there, or another relation, keeps its
// own.
TEST(ObjectRelationsTripleDbTest, APairSeenInTheOtherObjectRelationHasTheBetterAnswer) {
  std::istringstream in(
      "tell\tobj2\tme\t20\n"
      "tell\tobj\tstory\t6\n"
      "tell\tcomp\tthat\t10\n"
      "tell\t<class>\tV\t1\n"
      "<any>\tobj2\tme\t20\n"
      "<any>\tobj\tstory\t6\n"
      "<any>\tcomp\tthat\t10\n"
      "<class:V>\tobj2\t*\t20\n"
      "<class:V>\tobj\t*\t6\n"
      "<class:V>\tcomp\t*\t10\n");
  SmoothedTripleDb db{101};
  ASSERT_TRUE(db.populate(in));
  const double as_object = db.relation_given_pair("tell", "obj", "me");
  const double as_second = db.relation_given_pair("tell", "obj2", "me");
  ASSERT_LT(as_object, 0.1);
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj", "me").value(), as_second);
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj2", "me").value(), as_second);
  // The story, seen as the object only, keeps its answer as the object and
  // lends it when asked as the second; a stone, never seen, keeps its own.
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj", "story").value(), db.relation_given_pair("tell", "obj", "story"));
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj2", "story").value(), db.relation_given_pair("tell", "obj", "story"));
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj", "stone").value(), db.relation_given_pair("tell", "obj", "stone"));
  EXPECT_DOUBLE_EQ(db.probability("tell", "obj2", "stone").value(), db.relation_given_pair("tell", "obj2", "stone"));
  // Only the object relations stand in for each other.
  EXPECT_DOUBLE_EQ(db.probability("tell", "comp", "me").value(), db.relation_given_pair("tell", "comp", "me"));
  EXPECT_EQ(SmoothedTripleDb::object_counterpart("obj"), "obj2");
  EXPECT_EQ(SmoothedTripleDb::object_counterpart("obj2"), "obj");
  EXPECT_TRUE(SmoothedTripleDb::object_counterpart("s").empty());
}

TEST_F(SmoothedTripleDbTest, UnknownModifierAsksForTheRelationAlone) {
  // A prepositional phrase asked under its preposition: which head takes
  // "with" phrases more readily.
  EXPECT_DOUBLE_EQ(p("eat", "with", "~"), db.relation_given_head("eat", "with"));
  EXPECT_DOUBLE_EQ(p("eat", "with", "with"), p("eat", "with", "~"));
  EXPECT_GT(p("pizza", "with", "~"), p("eat", "with", "~"));
}

TEST_F(SmoothedTripleDbTest, UnknownHeadsBackOffToTheirClassOrThePrior) {
  // Unknown heads have no class: the relation prior alone.
  EXPECT_GT(p("unknown", "obj", "apple"), p("unknown", "with", "apple"));
  EXPECT_GT(p("unknown", "obj", "apple"), p("unknown", "obj", "stone"));
}

// Prepositions marked as such, and how often each head occurs: "see"
// takes many objects and subjects but "with" phrases as readily per
// occurrence as "man" does.
class PrepositionalTripleDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::istringstream in(
        "see\tobj\tman\t30\n"
        "see\ts\ti\t30\n"
        "see\twith\ttelescope\t3\n"
        "see\twith\tfriend\t2\n"
        "see\t<class>\tV\t1\n"
        "see\t<occurrences>\t*\t40\n"
        "man\twith\that\t4\n"
        "man\tdet\tthe\t10\n"
        "man\t<class>\tN\t1\n"
        "man\t<occurrences>\t*\t40\n"
        "<any>\tobj\tman\t30\n"
        "<any>\ts\ti\t30\n"
        "<any>\twith\ttelescope\t3\n"
        "<any>\twith\tfriend\t2\n"
        "<any>\twith\that\t4\n"
        "<any>\tdet\tthe\t10\n"
        "<any>\t<occurrences>\t*\t200\n"
        "<class:V>\tobj\t*\t30\n"
        "<class:V>\ts\t*\t30\n"
        "<class:V>\twith\t*\t5\n"
        "<class:V>\t<occurrences>\t*\t40\n"
        "<class:N>\twith\t*\t4\n"
        "<class:N>\tdet\t*\t10\n"
        "<class:N>\t<occurrences>\t*\t40\n"
        "<prepositions>\twith\t*\t9\n");
    ASSERT_TRUE(db.populate(in));
  }
  double p(const char* h, const char* r, const char* m) { return db.probability(h, r, m).value_or(2.0); }

  SmoothedTripleDb db{101};
};

TEST_F(PrepositionalTripleDbTest, TheObjectDecidesWhichHeadTakesThePhrase) {
  EXPECT_GT(p("see", "with", "telescope"), p("man", "with", "telescope"));
  EXPECT_GT(p("man", "with", "hat"), p("see", "with", "hat"));
  // Without an object, only how readily each head takes the preposition.
  EXPECT_GT(p("see", "with", "~"), p("man", "with", "~"));
  EXPECT_DOUBLE_EQ(p("see", "with", "with"), p("see", "with", "~"));
}

// What a question needs of its relation (its number, whether it is a
// preposition) and of its head is found once per text as asked: spellings
// that differ in case answer alike, and a preposition marked later (counts
// added to an open database) is a preposition from then on.
TEST_F(PrepositionalTripleDbTest, RelationsAndHeadsFoundOnceFollowTheDatabase) {
  const double object = p("see", "obj", "man");
  EXPECT_DOUBLE_EQ(p("see", "OBJ", "man"), object);
  EXPECT_DOUBLE_EQ(p("See", "obj", "man"), object);
  const double with = p("see", "with", "telescope");
  EXPECT_DOUBLE_EQ(p("see", "With", "telescope"), with);
  EXPECT_DOUBLE_EQ(p("see", "obj", "man"), object);
  ASSERT_TRUE(db.add_triple("<prepositions>", "obj", "*", 1));
  EXPECT_NE(p("see", "obj", "man"), object);
  EXPECT_DOUBLE_EQ(p("see", "obj", "man"), p("see", "OBJ", "man"));
  EXPECT_DOUBLE_EQ(p("see", "with", "telescope"), with);
}

TEST_F(PrepositionalTripleDbTest, AHeadIsNotChargedForItsOtherDependents) {
  // Per dependent, "see" takes "with" far less often than "man" does
  // (5 of 65 against 4 of 14); per occurrence about as often.
  EXPECT_LT(db.relation_given_head("see", "with"), db.relation_given_head("man", "with"));
  EXPECT_NEAR(p("see", "with", "~"), p("man", "with", "~"), 0.05);
}

TEST_F(PrepositionalTripleDbTest, UnseenTriplesStayBelowOneAndBelowSeenOnes) {
  for (const char* head : {"see", "man", "unknown"})
    for (const char* modifier : {"telescope", "hat", "stone", "~"}) {
      const double value = p(head, "with", modifier);
      EXPECT_GT(value, 0.0) << head << ' ' << modifier;
      EXPECT_LT(value, 1.0) << head << ' ' << modifier;
    }
  EXPECT_GT(p("see", "with", "telescope"), p("see", "with", "stone"));
  // An unknown head takes the rate of all words.
  EXPECT_LT(p("unknown", "with", "telescope"), p("see", "with", "telescope"));
}

TEST_F(PrepositionalTripleDbTest, SettingsWeighTheAssociationAndTheAnswersWithoutAModifier) {
  const double rate = p("see", "with", "~");
  const double with_object = p("see", "with", "telescope");
  const double relation_alone = p("see", "obj", "~");
  const double pair = p("see", "obj", "man");
  std::istringstream settings(
      "<settings>\t<association-power>\t*\t500\n"
      "<settings>\t<unknown-modifier-power>\t*\t2000\n");
  ASSERT_TRUE(db.populate(settings));
  // The object's association (rate times association before) is square-rooted.
  EXPECT_NEAR(p("see", "with", "telescope"), rate * std::sqrt(with_object / rate), 1e-12);
  // Answers without a modifier word are squared; those with one stay.
  EXPECT_NEAR(p("see", "with", "~"), rate * rate, 1e-12);
  EXPECT_NEAR(p("see", "obj", "~"), relation_alone * relation_alone, 1e-12);
  EXPECT_DOUBLE_EQ(p("see", "obj", "man"), pair);
}

// Word classes of prepositional objects: verbs take "with" + tools (n06),
// nouns "with" + food (n13). "slice" and "cake" never had a "with" phrase.
class ObjectClassTripleDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::istringstream in(
        "cut\twith\tknife\t4\n"
        "cut\t<class>\tV\t1\n"
        "cut\t<occurrences>\t*\t20\n"
        "slice\tobj\tbread\t5\n"
        "slice\t<class>\tV\t1\n"
        "slice\t<occurrences>\t*\t10\n"
        "bread\twith\tbutter\t4\n"
        "bread\t<class>\tN\t1\n"
        "bread\t<occurrences>\t*\t20\n"
        "cake\tdet\tthe\t5\n"
        "cake\t<class>\tN\t1\n"
        "cake\t<occurrences>\t*\t10\n"
        "knife\t<wordclass>\tn06\t1\n"
        "scissors\t<wordclass>\tn06\t1\n"
        "butter\t<wordclass>\tn13\t1\n"
        "jam\t<wordclass>\tn13\t1\n"
        "<objclass:V>\twith\tn06\t4\n"
        "<objclass:N>\twith\tn13\t4\n"
        "<objclass:any>\twith\tn06\t4\n"
        "<objclass:any>\twith\tn13\t4\n"
        "<any>\twith\tknife\t4\n"
        "<any>\twith\tbutter\t4\n"
        "<any>\tobj\tbread\t5\n"
        "<any>\tdet\tthe\t5\n"
        "<any>\t<occurrences>\t*\t60\n"
        "<class:V>\twith\t*\t4\n"
        "<class:V>\tobj\t*\t5\n"
        "<class:V>\t<occurrences>\t*\t30\n"
        "<class:N>\twith\t*\t4\n"
        "<class:N>\tdet\t*\t5\n"
        "<class:N>\t<occurrences>\t*\t30\n"
        "<prepositions>\twith\t*\t8\n");
    ASSERT_TRUE(db.populate(in));
  }
  double p(const char* h, const char* r, const char* m) { return db.probability(h, r, m).value_or(2.0); }

  SmoothedTripleDb db{101};
};

// The head of a text is found once and remembered: the same question gives
// the same answer again, a head the database lacks keeps the category its
// text names after the text asked with is gone, and counts added to a
// head's entry afterwards reach the answers.
TEST_F(ObjectClassTripleDbTest, HeadsFoundOnceStillFollowTheirEntries) {
  const double first = p("cut", "with", "scissors");
  EXPECT_EQ(p("cut", "with", "scissors"), first);
  double unknown_verb = 0.0;
  {
    std::string asked = "<V>zork";
    unknown_verb = p(asked.c_str(), "with", "scissors");
    asked.assign("<N>zork");
  }
  EXPECT_EQ(p("<V>zork", "with", "scissors"), unknown_verb);
  EXPECT_GT(unknown_verb, p("<N>zork", "with", "scissors"));
  ASSERT_TRUE(db.add_triple("cut", "with", "scissors", 40));
  EXPECT_GT(p("cut", "with", "scissors"), first);
  ASSERT_TRUE(db.add_triple("zork", "<class>", "N", 1));
  EXPECT_LT(p("<V>zork", "with", "scissors"), unknown_verb);
}

TEST_F(ObjectClassTripleDbTest, TheObjectsClassDecidesForHeadsThatNeverHadThePreposition) {
  const double verb_over_noun = p("slice", "with", "~") / p("cake", "with", "~");
  EXPECT_GT(p("slice", "with", "scissors") / p("cake", "with", "scissors"), 1.5 * verb_over_noun);
  EXPECT_LT(p("slice", "with", "jam") / p("cake", "with", "jam"), verb_over_noun / 1.5);
  // A word without a class leaves the heads as the preposition alone does.
  EXPECT_NEAR(p("slice", "with", "zzz") / p("cake", "with", "zzz"), verb_over_noun, 1e-9);
  for (const char* head : {"slice", "cake", "cut", "bread"})
    for (const char* object : {"scissors", "jam", "knife", "zzz"}) {
      EXPECT_GT(p(head, "with", object), 0.0);
      EXPECT_LT(p(head, "with", object), 1.0);
    }
}

// A head named with its category: a word the database lacks takes its
// category's objects; a known word is answered from its own entry.
TEST_F(ObjectClassTripleDbTest, AnUnknownHeadNamedWithItsCategoryBacksOffToTheCategory) {
  EXPECT_GT(p("<V>zork", "with", "scissors"), p("<N>zork", "with", "scissors"));
  EXPECT_LT(p("<V>zork", "with", "jam"), p("<N>zork", "with", "jam"));
  EXPECT_NEAR(p("<V>zork", "with", "scissors") / p("<V>zork", "with", "~"),
              db.association("<V>zork", "with", "scissors"), 1e-12);
  // Without a category an unknown head leaves the object's class aside.
  EXPECT_DOUBLE_EQ(p("zork", "with", "scissors"), p("zork", "with", "jam"));
  EXPECT_DOUBLE_EQ(p("<N>slice", "with", "scissors"), p("slice", "with", "scissors"));
  EXPECT_DOUBLE_EQ(p("<N>slice", "obj", "bread"), p("slice", "obj", "bread"));
  EXPECT_DOUBLE_EQ(db.rate_given_head("<V>zork", "with"), db.rate_given_head("<V>other", "with"));
}

// A word seen only as a prepositional object ("jam": its entry holds just
// its word class) takes the rate of the category the question names, as a
// word the database lacks does, not that of all words; asked as a noun and
// as a verb it keeps the two apart.
TEST_F(ObjectClassTripleDbTest, AWordWithoutACategoryOfItsOwnTakesTheQuestions) {
  EXPECT_DOUBLE_EQ(db.rate_given_head("<V>jam", "with"), db.rate_given_head("<V>zork", "with"));
  EXPECT_DOUBLE_EQ(db.rate_given_head("<N>jam", "with"), db.rate_given_head("<N>zork", "with"));
  EXPECT_NE(db.rate_given_head("<N>jam", "with"), db.rate_given_head("jam", "with"));
  EXPECT_GT(p("<V>jam", "with", "scissors"), p("<N>jam", "with", "scissors"));
  EXPECT_LT(p("<V>jam", "with", "butter"), p("<N>jam", "with", "butter"));
}

TEST_F(ObjectClassTripleDbTest, AHeadsOwnObjectsComeBeforeItsClass) {
  EXPECT_GT(p("cut", "with", "knife"), p("cut", "with", "scissors"));
  EXPECT_GT(p("bread", "with", "butter"), p("bread", "with", "jam"));
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Two words the database lacks, both named with their categories, are
// known by the words seen once of their classes (category and shape): an
// unknown capitalised noun under another takes a name's part ("lex-mod")
// more readily than a noun compound ("nn"), as the rare names did. A
// question that knows one of the words asks as if no category were named.
class RareWordsTripleDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::istringstream in(
        "house\tnn\tdog\t20\n"
        "house\tlex-mod\tdog\t1\n"
        "house\t<class>\tN\t1\n"
        "dog\tnn\thouse\t3\n"
        "dog\t<class>\tN\t1\n"
        "<any>\tnn\tdog\t20\n"
        "<any>\tlex-mod\tdog\t1\n"
        "<any>\tnn\thouse\t3\n"
        "<class:N>\tnn\t*\t23\n"
        "<class:N>\tlex-mod\t*\t1\n"
        "<class:N:cap>\tlex-mod\t*\t8\n"
        "<class:N:cap>\tnn\t*\t1\n"
        "<rare-modifiers>\tlex-mod\tN:cap\t8\n"
        "<rare-modifiers>\tnn\tN:cap\t1\n"
        "<rare-modifiers>\tnn\tN:low\t9\n");
    ASSERT_TRUE(db.populate(in));
  }
  double p(const char* h, const char* r, const char* m) { return db.probability(h, r, m).value_or(2.0); }

  SmoothedTripleDb db{101};
};

TEST_F(RareWordsTripleDbTest, TwoUnknownNamesAreKnownByTheirClasses) {
  EXPECT_GT(p("<N>Smith", "lex-mod", "<N>Kevin"), p("<N>Smith", "nn", "<N>Kevin"));
  EXPECT_LT(p("<N>smith", "lex-mod", "<N>kevin"), p("<N>smith", "nn", "<N>kevin"));
  // Without categories the two relations have their priors.
  EXPECT_LT(p("Smith", "lex-mod", "Kevin"), p("Smith", "nn", "Kevin"));
}

TEST_F(RareWordsTripleDbTest, AKnownWordKeepsTheAnswerWithoutCategories) {
  EXPECT_DOUBLE_EQ(p("<N>Smith", "nn", "<N>dog"), p("Smith", "nn", "dog"));
  EXPECT_DOUBLE_EQ(p("<N>house", "lex-mod", "<N>Kevin"), p("house", "lex-mod", "Kevin"));
  EXPECT_DOUBLE_EQ(p("<N>house", "nn", "<N>dog"), p("house", "nn", "dog"));
}

TEST(WordShapeTest, ShapesOfWords) {
  EXPECT_EQ(SmoothedTripleDb::shape_of("Smith"), "cap");
  EXPECT_EQ(SmoothedTripleDb::shape_of("Mr."), "cap");
  EXPECT_EQ(SmoothedTripleDb::shape_of("NASA"), "caps");
  EXPECT_EQ(SmoothedTripleDb::shape_of("I"), "cap");
  EXPECT_EQ(SmoothedTripleDb::shape_of("widget"), "low");
  EXPECT_EQ(SmoothedTripleDb::shape_of("iPhone"), "low");
  EXPECT_EQ(SmoothedTripleDb::shape_of("713.837.1638"), "num");
  EXPECT_EQ(SmoothedTripleDb::shape_of("A4"), "num");
  EXPECT_EQ(SmoothedTripleDb::shape_of("kent@ae.ge.com"), "web");
  EXPECT_EQ(SmoothedTripleDb::shape_of("www.adobe.com"), "web");
  EXPECT_EQ(SmoothedTripleDb::shape_of("--"), "sym");
}

TEST_F(RareWordsTripleDbTest, TheDatabaseKnowsWordsWithAHeadEntryAndUses) {
  EXPECT_TRUE(db.knows_word("house"));
  EXPECT_TRUE(db.knows_word("dog"));
  EXPECT_FALSE(db.knows_word("Smith"));
}

// A form the parser keeps as a root ("had") is asked about through its
// lemma's entry when its own entry names the lemma.
TEST(LemmaTripleDbTest, AFormWithALemmaIsAskedAboutAsTheLemma) {
  std::istringstream in(
      "have\tin\tgarage\t4\n"
      "have\t<class>\tV\t1\n"
      "have\t<occurrences>\t*\t10\n"
      "had\tmod\tn't\t1\n"
      "had\t<class>\tVB\t1\n"
      "had\t<lemma>\thave\t1\n"
      "had\t<occurrences>\t*\t10\n"
      "has\tmod\tn't\t1\n"
      "has\t<occurrences>\t*\t10\n"
      "<any>\tin\tgarage\t4\n"
      "<any>\tmod\tn't\t2\n"
      "<any>\t<occurrences>\t*\t30\n"
      "<class:V>\tin\t*\t4\n"
      "<class:V>\t<occurrences>\t*\t10\n"
      "<prepositions>\tin\t*\t4\n");
  SmoothedTripleDb db{101};
  ASSERT_TRUE(db.populate(in));
  const auto p = [&db](const char* h, const char* r, const char* m) { return db.probability(h, r, m).value_or(2.0); };
  EXPECT_DOUBLE_EQ(p("had", "in", "garage"), p("have", "in", "garage"));
  EXPECT_DOUBLE_EQ(p("Had", "in", "garage"), p("have", "in", "garage"));
  EXPECT_GT(p("had", "in", "garage"), p("has", "in", "garage"));
}

}  // namespace
}  // namespace velmo
