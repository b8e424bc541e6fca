// The expression functions on items, on the lattice through a match, on
// attribute vectors, and the antecedent lists.
#include <gmock/gmock.h>

#include "analyzer_fixture.h"
#include "lexical/functions/antecedents.h"
#include "lexical/patterns/item_guard.h"
#include "lexical/patterns/lpattern.h"
#include "lexical/patterns/match.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/attribute_commands.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

using ::testing::ElementsAre;

class FunctionsTest : public AnalyzerTest {
 protected:
  void SetUp() override {
    AnalyzerTest::SetUp();
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!NameSpaces::lookup("lxsyn", "", false)) {
      run("(def-att-list lxsyn (defattribute sg BinAtt) (defattribute per SmIntAtt)"
          " (defattribute cat EnumAtt (allowable-values n v adj)))");
      run("(make-avmeaning-proto lxsyn lxavm)");
    }
    run("(set-att-itp-list lxsyn)");
  }

  // Evaluates an expression on a value of the given type.
  static Word eval(const std::string& text, Word input, const char* type) {
    LExpPtr exp = LExp::from_text(text);
    EXPECT_NE(exp, nullptr) << text;
    return exp ? exp->eval(input, type_id(type)) : 0;
  }
  static Word on_item(const std::string& text, LexItem* item) { return eval(text, to_word(item), "LexItem*"); }
  static Word on_match(const std::string& text, Match& match) { return eval(text, to_word(&match), "Match*"); }
  static Match whole(LexAnalyzer& analyzer, LexItem* item = nullptr) {
    return Match(&analyzer.lattice(), 1, analyzer.positions() - 1, item);
  }
  static std::vector<int> weights_at(const LexAnalyzer& analyzer, int p) {
    std::vector<int> result;
    for (const LexItem* item : analyzer.by_end(p)) result.push_back(item->weight);
    return result;
  }
  static LexItem* first_at(LexAnalyzer& analyzer, int low, int high) {
    for (LexItem* item : analyzer.by_end(high))
      if (item->low == low) return item;
    return nullptr;
  }
};

TEST_F(FunctionsTest, CapAcceptsCapitalisedPhrases) {
  LexAnalyzer* analyzer = make_analyzer("(x (note x))");
  enter(*analyzer, "Paris Bank of England New york");
  LexItem* paris = analyzer->make_item("Paris", nullptr, 1, 1);
  LexItem* bank = analyzer->make_item("Bank of England", nullptr, 2, 4);
  LexItem* new_york = analyzer->make_item("New york", nullptr, 5, 6);
  LexItem* bank_of = analyzer->make_item("Bank of", nullptr, 2, 3);
  EXPECT_NE(on_item("(cap)", paris), 0u);
  EXPECT_NE(on_item("(cap)", bank), 0u);
  EXPECT_EQ(on_item("(cap)", new_york), 0u);
  EXPECT_EQ(on_item("(cap)", bank_of), 0u);
}

TEST_F(FunctionsTest, EndingIsFalseForNamesThatWereNeverEndings) {
  LexAnalyzer* analyzer = make_analyzer("(walk (note verb))", ":ending-table ((p s third) (p \"\" base))");
  analyze(*analyzer, "walks");
  LexItem* item = first_at(*analyzer, 1, 1);
  ASSERT_NE(item, nullptr);
  EXPECT_NE(on_item("(ending third)", item), 0u);
  EXPECT_EQ(on_item("(ending base)", item), 0u);
  EXPECT_EQ(on_item("(ending nonsense)", item), 0u);
}

TEST_F(FunctionsTest, NoAlternativeIsFalseForAnItemThatSatisfiesItself) {
  LexAnalyzer* analyzer = make_analyzer("(saw (note verb) (note noun))");
  analyze(*analyzer, "saw");
  LexItem* verb = nullptr;
  for (LexItem* item : analyzer->by_end(1))
    if (item->meaning->text() == "(note verb)") verb = item;
  ASSERT_NE(verb, nullptr);
  EXPECT_EQ(on_item("(no-alternative (root (str= saw)))", verb), 0u);
  EXPECT_NE(on_item("(no-alternative (root (str= see)))", verb), 0u);
}

TEST_F(FunctionsTest, SetHighOntoAnExistingReadingYieldsThatReading) {
  LexAnalyzer* analyzer = make_analyzer("(in (note prep)) (in front of (note prep))");
  analyze(*analyzer, "in front of");
  LexItem* phrase = first_at(*analyzer, 1, 3);
  ASSERT_NE(phrase, nullptr);
  LexItem* copy = analyzer->make_item("in front of", phrase->meaning.get(), 1, 2);
  analyzer->add_item(copy, true);
  Match match = whole(*analyzer, copy);
  const Word kept = on_match("(set-high (litem) (int 3))", match);
  EXPECT_EQ(kept, to_word(phrase));
  EXPECT_EQ(first_at(*analyzer, 1, 2), nullptr);
  EXPECT_EQ(analyzer->by_end(3).size(), 1u);
  EXPECT_EQ(errors_during([&] { on_match("(set-high (nil) (int 3))", match); }), "Cannot set-high a nil lexitem.\n");
}

TEST_F(FunctionsTest, LookUpTriesTheHyphenKeys) {
  LexAnalyzer* analyzer = make_analyzer(
      "(e-mail (note n)) (x ray (note n)) (ray , x (note inverted)) (xray (note joined)) (co-op (note n)) "
      "(coop (note joined))");
  analyze(*analyzer, "an e - mail and x - ray");
  Match match = whole(*analyzer);
  on_match("(look-up (int 2) (int 4))", match);
  on_match("(look-up (int 6) (int 8))", match);
  // Found in turn: "x ray" (hyphen as blank), "ray, x" (phrasal key, root in
  // reading order) and "xray" (hyphen left out); newest first.
  EXPECT_THAT(spans(*analyzer), ElementsAre("[2,4] e-mail", "[6,8] xray", "[6,8] x ray", "[6,8] x ray"));
  EXPECT_EQ(analyzer->by_end(8)[1]->meaning->text(), "(note inverted)");
  on_match("(look-up (int 1) (int 1) co-op)", match);
  EXPECT_EQ(analyzer->by_end(1).size(), 1u);
}

TEST_F(FunctionsTest, ItemModifiersAndPositionSets) {
  LexAnalyzer* analyzer = make_analyzer("(big (note adj)) (dog (note n))");
  analyze(*analyzer, "big dog");
  LexItem* big = first_at(*analyzer, 1, 1);
  Match match = whole(*analyzer, big);
  on_match("(set-weight (litem) 7)", match);
  on_match("(add-weight (litem) (int 2))", match);
  EXPECT_EQ(big->weight, 9);
  on_match("(flag-adv (litem))", match);
  on_match("(skip 2)", match);
  EXPECT_TRUE(analyzer->adverbs().test(1));
  EXPECT_TRUE(analyzer->skipped().test(2));
  on_item("(set-cate ADJ)", big);
  EXPECT_STREQ(big->category, "ADJ");
  EXPECT_EQ(errors_during([] { eval("(set-cate ADJ)", 0, "LexItem*"); }), "Cannot set-cate a nil lexitem.\n");
  // A category that is not a text is refused, not read as one.
  EXPECT_EQ(errors_during([&] { on_item("(set-cate (int 5))", big); }),
            "set-cate received a wrong type of argument:'int' (2)\nThe expected type of argument is:'char*' (1)\n");
  EXPECT_STREQ(big->category, "ADJ");
  on_match("(delete (litem))", match);
  EXPECT_TRUE(big->is_deleted());
  EXPECT_NE(on_item("(is-deleted)", big), 0u);
  EXPECT_NE(on_match("(assert (litem))", match), 0u);
  EXPECT_FALSE(big->is_deleted());
}

TEST_F(FunctionsTest, CombineAndDeleteInsideSpans) {
  LexAnalyzer* analyzer = make_analyzer("(big (note adj)) (dog (note n)) (barks (note v))");
  analyze(*analyzer, "big dog barks");
  Match match = whole(*analyzer);
  const Word combined =
      on_match("(combine-lexitems head (exist-lexitem (int 2) (int 2)) mod (exist-lexitem (int 1) (int 1)))", match);
  ASSERT_NE(combined, 0u);
  auto* item = from_word<LexItem>(combined);
  EXPECT_EQ(item->low, 1);
  EXPECT_EQ(item->high, 2);
  EXPECT_EQ(item->head, 2);
  EXPECT_STREQ(item->root, "dog");
  ASSERT_EQ(item->sub_items.size(), 2u);
  EXPECT_STREQ(item->sub_items[0]->relation, "mod");
  EXPECT_STREQ(item->sub_items[1]->relation, "head");
  on_match("(delete-smaller (int 1) (int 2))", match);
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,2] dog", "[3,3] barks"));
  on_match("(delete-except (int 1) (int 3) (exist-lexitem (int 3) (int 3)))", match);
  EXPECT_THAT(spans(*analyzer), ElementsAre("[3,3] barks"));
}

TEST_F(FunctionsTest, AddComponentWidensAndRefusesCycles) {
  LexAnalyzer* analyzer = make_analyzer("(big (note adj)) (dog (note n))");
  analyze(*analyzer, "big dog");
  LexItem* big = first_at(*analyzer, 1, 1);
  LexItem* dog = first_at(*analyzer, 2, 2);
  Match match = whole(*analyzer);
  EXPECT_EQ(on_match("(add-component (exist-lexitem 1 1) (exist-lexitem 2 2) mod)", match), to_word(big));
  EXPECT_EQ(big->high, 2);
  EXPECT_STREQ(dog->relation, "mod");
  EXPECT_EQ(analyzer->by_end(1).size(), 0u);
  EXPECT_EQ(first_at(*analyzer, 1, 2), big);
  EXPECT_EQ(on_match("(add-component (exist-lexitem 2 2) (exist-lexitem 1 2))", match), 0u);
  EXPECT_TRUE(dog->sub_items.empty());
}

TEST_F(FunctionsTest, RmNonMaxKeepsTheLongestItems) {
  LexAnalyzer* analyzer = make_analyzer("(in (note p)) (front (note n)) (of (note p)) (in front of (note p))");
  analyze(*analyzer, "in front of");
  Match match = whole(*analyzer);
  on_match("(rm-non-max)", match);
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,3] in front of"));
}

TEST_F(FunctionsTest, InsertEmptyCategoryUnifiesIntoAnExistingOne) {
  LexAnalyzer* analyzer = make_analyzer("(dog (lxavm (+sg)))");
  analyze(*analyzer, "dog");
  LexItem* dog = first_at(*analyzer, 1, 1);
  Match match = whole(*analyzer, dog);
  const Word first = on_match("(insert-empty-category (int 1) (meaning))", match);
  ASSERT_NE(first, 0u);
  auto* empty = from_word<LexItem>(first);
  EXPECT_EQ(empty->low, 2);
  EXPECT_EQ(empty->high, 1);
  EXPECT_EQ(on_match("(insert-empty-category (int 1) (meaning))", match), first);
  EXPECT_EQ(analyzer->by_end(1).size(), 2u);
}

TEST_F(FunctionsTest, AttributeFunctions) {
  auto* type = AttInterpreterList::find("lxsyn");
  ASSERT_NE(type, nullptr);
  IRSlistPtr text;
  AttVec vec(type);
  const Word v = to_word(&vec);
  EXPECT_NE(eval("(unify ((per 3) +sg (cat n)))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(defined (sg per))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(defined (sg cat))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(defined-one-of (sg cat))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(unifiable (cat) ((cat n)))", v, "AttVec*"), 0u);
  EXPECT_EQ(eval("(unifiable (cat) ((cat v)))", v, "AttVec*"), 0u);
  // Unifiable only on the listed attributes.
  EXPECT_NE(eval("(unifiable (sg) ((cat v)))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(strict-unifiable (cat) ((cat n)))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(contain (cat) ((cat n)))", v, "AttVec*"), 0u);
  EXPECT_EQ(eval("(contain (cat) ((cat v)))", v, "AttVec*"), 0u);
  EXPECT_EQ(eval("(unify ((cat v)))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(modify ((cat v)))", v, "AttVec*"), 0u);
  // The text lives in the expression until its next evaluation.
  LExpPtr str_val = LExp::from_text("(att-str-val cat)");
  ASSERT_NE(str_val, nullptr);
  EXPECT_STREQ(from_word<const char>(str_val->eval(v, type_id("AttVec*"))), "v");
  EXPECT_EQ(eval("(unifiable2 (cat) (ident) (attvec ((cat n))))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(unifiable2 (sg) (ident) (attvec ((cat n))))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(undefine (cat))", v, "AttVec*"), 0u);
  EXPECT_EQ(eval("(strict-unifiable (cat) ((cat n)))", v, "AttVec*"), 0u);
  EXPECT_NE(eval("(undefine (sg))", v, "AttVec*"), 0u);
  EXPECT_EQ(eval("(defined (sg))", v, "AttVec*"), 0u);
  EXPECT_EQ(errors_during([] { LExp::from_text("(defined (sg nothing))"); }), "The attribute nothing is not found\n");
  EXPECT_EQ(errors_during([] { LExp::from_text("(att-str-val nothing)"); }),
            "AttStrVal::init: the attribute name 'nothing' is not found\n");
  EXPECT_EQ(errors_during([] { LExp::from_text("(value nothing)"); }),
            "AttValPred::init: the attribute name 'nothing' is not found\n");
}

TEST_F(FunctionsTest, AntecedentListsRecordNamesAndTheirWords) {
  const std::string list = unique("ante");
  run("(make-antecedent-list " + list + ")");
  const char* name = "World Health Organization";
  EXPECT_NE(eval("(register-name " + list + ")", to_word(name), "char*"), 0u);
  EXPECT_EQ(eval("(register-name " + list + ")", to_word(name), "char*"), 0u);
  EXPECT_NE(eval("(exist-exact-match " + list + ")", to_word(name), "char*"), 0u);
  EXPECT_NE(eval("(covered-by-antecedent " + list + ")", to_word("Health"), "char*"), 0u);
  EXPECT_EQ(eval("(covered-by-antecedent " + list + ")", to_word("Wealth"), "char*"), 0u);
  run("(clear-antecedent-list " + list + ")");
  EXPECT_EQ(eval("(exist-exact-match " + list + ")", to_word(name), "char*"), 0u);
}

TEST_F(FunctionsTest, AbbreviationsNextToTheirSpelledOutForm) {
  LexAnalyzer* analyzer = make_analyzer("(who (note pron))");
  analyze(*analyzer, "the World Health Organization ( WHO ) said");
  Match bracket(&analyzer->lattice(), 5, 7);
  const Word found = on_match("(abbrev-def (meaning))", bracket);
  ASSERT_NE(found, 0u);
  auto* item = from_word<LexItem>(found);
  EXPECT_EQ(item->low, 2);
  EXPECT_EQ(item->high, 7);
  ASSERT_EQ(item->sub_items.size(), 1u);
  ASSERT_EQ(item->sub_items[0]->sub_items.size(), 1u);
  EXPECT_STREQ(item->sub_items[0]->sub_items[0]->relation, "abbrev");
  EXPECT_TRUE(analyzer->by_end(6).empty());

  analyze(*analyzer, "WHO ( World Health Organization ) said");
  Match abbreviation(&analyzer->lattice(), 1, 1);
  const Word with_def = on_match("(abbrev-with-def (meaning))", abbreviation);
  ASSERT_NE(with_def, 0u);
  EXPECT_EQ(from_word<LexItem>(with_def)->high, 6);
  analyze(*analyzer, "WHO ( World Wide Health Organization ) said");
  Match wrong(&analyzer->lattice(), 1, 1);
  EXPECT_EQ(on_match("(abbrev-with-def (meaning))", wrong), 0u);
}

TEST_F(FunctionsTest, MixedCaseFlag) {
  LexAnalyzer* analyzer = make_analyzer("(x (note x))");
  analyze(*analyzer, "x");
  EXPECT_NE(eval("(is-mixed-case)", to_word(analyzer), "LexAnalyzer*"), 0u);
  EXPECT_EQ(eval("(set-mixed-case 0)", to_word(analyzer), "LexAnalyzer*"), 0u);
  EXPECT_EQ(eval("(is-mixed-case)", to_word(analyzer), "LexAnalyzer*"), 0u);
  analyzer->reset();
  EXPECT_EQ(analyzer->mixed_case(), 1);
}

// Scans whose conditions call the same test of the item's vector share the
// items it admitted: a later scan passes over an item deleted since, sees an
// item entered since, and asks again once a vector may have changed; each
// direction keeps its own list.
TEST_F(FunctionsTest, ScansCallingTheSameVectorTestShareTheItemsItAdmitted) {
  const std::string is_noun = unique("is-noun");
  const std::string bare_noun = unique("bare-noun");
  run("(defun " + is_noun + " () (comp (att) (contain (cat) ((cat n)))))");
  run("(defun " + bare_noun + " () (comp (att) (and (contain (cat) ((cat n))) (not (defined (per))))))");
  LexAnalyzer* analyzer =
      make_analyzer("(a (lxavm ((cat n) (per 3)))) (b (lxavm ((cat v)))) (c (note x)) (d (lxavm ((cat n))))");
  analyze(*analyzer, "a b c d d");
  ItemLattice& lattice = analyzer->lattice();
  ItemTestMemo& memo = lattice.test_memo();
  StringPool store_;
  const auto scan = [&](const std::string& condition, bool forward = false) {
    std::unique_ptr<IRSlist> form = IRSlist::parse("(lexitem " + condition + ")", store_);
    LPatternPtr pattern = form ? LPattern::make(*form) : nullptr;
    if (!pattern) return std::string("NOT MADE");
    pattern->set_front_to_back(forward);
    MatchList matches;
    pattern->match_all(lattice, matches);
    std::string text;
    for (const MatchPtr& match : matches)
      text += (text.empty() ? "[" : " [") + std::to_string(match->low) + "," + std::to_string(match->high) + "]";
    return text;
  };
  const std::string noun = "(" + is_noun + ")";
  const std::string bare = "(" + bare_noun + ")";
  const std::string bare_d = "(and " + bare + " (comp (root) (str= d)))";
  ItemTestScope scope(memo);
  EXPECT_EQ(scan(noun), "[1,1] [4,4] [5,5]");
  EXPECT_EQ(scan(noun, true), "[1,1] [4,4] [5,5]");
  EXPECT_EQ(scan(bare_d), "[4,4] [5,5]");
  EXPECT_EQ(lattice.admitted_items().size(), 3u);
  // A deletion leaves the own answers: the kept items are read again.
  {
    ItemDeletionPause pause(memo);
    lattice.delete_item(first_at(*analyzer, 4, 4));
  }
  EXPECT_EQ(scan(noun), "[1,1] [5,5]");
  EXPECT_EQ(scan(noun, true), "[1,1] [5,5]");
  EXPECT_EQ(scan(bare), "[5,5]");
  // So does an item entered by an action that only deletes as far as the
  // memo knows: the lists moved on.
  {
    ItemDeletionPause pause(memo);
    std::unique_ptr<IRSlist> note = IRSlist::parse("(lxavm ((cat n)))", store_);
    std::unique_ptr<Meaning> meaning = make_meaning(*note);
    lattice.add_item(lattice.make_item("bd", meaning.get(), 2, 4), false);
  }
  EXPECT_EQ(scan(noun), "[1,1] [2,4] [5,5]");
  EXPECT_EQ(scan(bare_d, true), "[5,5]");
  EXPECT_EQ(scan(bare, true), "[2,4] [5,5]");
  // A changed vector is seen.
  {
    ItemTestPause pause(memo);
    on_item("(comp (att) (modify ((cat n))))", first_at(*analyzer, 2, 2));
  }
  EXPECT_EQ(scan(noun), "[1,1] [2,2] [2,4] [5,5]");
  EXPECT_EQ(scan(bare, true), "[2,2] [2,4] [5,5]");
  EXPECT_EQ(lattice.admitted_items().size(), 4u);
}

// A condition that writes (comp (att) TEST) out, not through a function,
// is made on the item's vector as such a function's body is: alone, under
// a not and as the first test of an and it answers as its expression does,
// an item without a vector passing no test but a not.
TEST_F(FunctionsTest, RulesTestingTheVectorOfAnItemWrittenOut) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (per :act-on-all-matches (lexitem (comp (att) (defined (per)))) (add-weight (litem) (int 1)))" +
      " (noun-d :act-on-all-matches (lexitem (and (comp (att) (contain (cat) ((cat n)))) (comp (root) (str= d))))" +
      " (add-weight (litem) (int 10)))" +
      " (not-noun :act-on-all-matches (lexitem (not (comp (att) (contain (cat) ((cat n)))))) (add-weight (litem) (int 100)))" +
      " (make-noun :act-on-all-matches (lexitem (comp (root) (str= b))) (comp (litem) (att) (modify ((cat n)))))" +
      " (bare-noun :act-on-all-matches (lexitem (comp (att) (and (contain (cat) ((cat n))) (not (defined (per))))))" +
      " (add-weight (litem) (int 1000))))");
  LexAnalyzer* analyzer =
      make_analyzer("(a (lxavm ((cat n) (per 3)))) (b (lxavm ((cat v)))) (c (note x)) (d (lxavm ((cat n))))", "",
                    ":lexical-rules " + set);
  LExpPtr written = LExp::from_text("(comp (att) (defined (per)))");
  ASSERT_NE(written, nullptr);
  EXPECT_TRUE(ItemGuard::of(*written).decides());
  analyze(*analyzer, "a b c d");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(1100));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(100));
  EXPECT_THAT(weights_at(*analyzer, 4), ElementsAre(1010));
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST_F(FunctionsTest, AbbreviationLettersPassOverFunctionWordsAndUseInnerCapitals) {
  LexAnalyzer* analyzer = make_analyzer("(x (note x))");
  analyze(*analyzer, "the Bank of England ( BE ) said");
  Match first(&analyzer->lattice(), 5, 7);
  const Word bank = on_match("(abbrev-def (meaning))", first);
  ASSERT_NE(bank, 0u);
  EXPECT_EQ(from_word<LexItem>(bank)->low, 2);
  analyze(*analyzer, "Acme GmbH ( AGH ) sold");
  Match second(&analyzer->lattice(), 3, 5);
  EXPECT_NE(on_match("(abbrev-def (meaning))", second), 0u);
  analyze(*analyzer, "big , England ( BE )");
  Match third(&analyzer->lattice(), 4, 6);
  EXPECT_EQ(on_match("(abbrev-def (meaning))", third), 0u);
}

// A rule whose condition calls a function (comp (att) TEST) answers on the
// item's vector as it is when the rule runs: an earlier rule's change is
// seen, and an item whose meaning is no vector passes no such test.
TEST_F(FunctionsTest, RulesTestingTheVectorOfAnItemThroughAFunction) {
  const std::string set = unique("rules");
  const std::string is_noun = unique("is-noun");
  const std::string has_per = unique("has-per");
  run("(defun " + is_noun + " () (comp (att) (contain (cat) ((cat n)))))");
  run("(defun " + has_per + " () (comp (att) (defined (per))))");
  run("(def-rules " + set + " (noun :act-on-all-matches (lexitem (" + is_noun + ")) (add-weight (litem) (int 1)))" +
      " (per :act-on-all-matches (lexitem (and (" + has_per + ") (t))) (add-weight (litem) (int 10)))" +
      " (make-noun :act-on-all-matches (lexitem (comp (root) (str= b))) (comp (litem) (att) (modify ((cat n)))))" +
      " (noun-again :act-on-all-matches (lexitem (not (" + is_noun + "))) (add-weight (litem) (int 100))))");
  LexAnalyzer* analyzer =
      make_analyzer("(a (lxavm ((cat n) (per 3)))) (b (lxavm ((cat v)))) (c (note x))", "", ":lexical-rules " + set);
  analyze(*analyzer, "a b c");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(11));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(0));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(100));
}

// A function whose body tests the vector with not, or and and over tests
// that only read answers as its expression does: an item without a vector
// passes none of them, a not included; one whose vector an action changed
// is asked again.
TEST_F(FunctionsTest, RulesTestingTheVectorOfAnItemThroughConnectives) {
  const std::string set = unique("rules");
  const std::string bare_noun = unique("bare-noun");
  const std::string not_verb = unique("not-verb");
  const std::string noun_or_per = unique("noun-or-per");
  run("(defun " + bare_noun + " () (comp (att) (and (contain (cat) ((cat n))) (not (defined (per))))))");
  run("(defun " + not_verb + " () (comp (att) (not (contain (cat) ((cat v))))))");
  run("(defun " + noun_or_per + " () (comp (att) (or (contain (cat) ((cat n))) (defined (per)))))");
  run("(def-rules " + set + " (bare :act-on-all-matches (lexitem (" + bare_noun + ")) (add-weight (litem) (int 1)))" +
      " (not-verb :act-on-all-matches (lexitem (and (" + not_verb + ") (t))) (add-weight (litem) (int 10)))" +
      " (either :act-on-all-matches (lexitem (" + noun_or_per + ")) (add-weight (litem) (int 100)))" +
      " (make-noun :act-on-all-matches (lexitem (comp (root) (str= b))) (comp (litem) (att) (modify ((cat n)))))" +
      " (bare-again :act-on-all-matches (lexitem (not (" + bare_noun + "))) (add-weight (litem) (int 1000)))" +
      " (either-again :act-on-all-matches (lexitem (" + noun_or_per + ")) (add-weight (litem) (int 10000))))");
  LexAnalyzer* analyzer =
      make_analyzer("(a (lxavm ((cat n) (per 3)))) (b (lxavm ((cat v)))) (c (note x)) (d (lxavm ((cat n))))", "",
                    ":lexical-rules " + set);
  analyze(*analyzer, "a b c d");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(11110));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(10000));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(1000));
  EXPECT_THAT(weights_at(*analyzer, 4), ElementsAre(10111));
}

}  // namespace
}  // namespace velmo
