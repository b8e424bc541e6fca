// Lexical rules: runs of matches, rule sets and their commands, LL rules.
#include <gmock/gmock.h>

#include "analyzer_fixture.h"
#include "lexical/analyzer/lex_rules.h"
#include "lexical/items/item_test_memo.h"
#include "lexical/patterns/item_guard.h"

namespace velmo {
namespace {

using ::testing::ElementsAre;

class RulesTest : public AnalyzerTest {
 protected:
  LexRuleList* rules(const std::string& name) {
    return NameSpaces::lookup_as<LexRuleList>(name, LexRuleList::kTypeText, false);
  }
  static std::vector<std::string> names(const LexRuleList& set) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < set.size(); ++i) result.push_back(set.at(i).name());
    return result;
  }
  static std::vector<int> weights_at(const LexAnalyzer& analyzer, int p) {
    std::vector<int> result;
    for (const LexItem* item : analyzer.by_end(p)) result.push_back(item->weight);
    return result;
  }
  // An analyzer over "a b c d e" whose lexicon gives the items [2,5] and
  // [3,5]; the rule set `set` holds one rule with `options`.
  LexAnalyzer* run_rule(const std::string& options) {
    const std::string set = unique("rules");
    run("(def-rules " + set + " (r " + options + " (lexitem (t)) (add-weight (litem) (int 1))))");
    LexAnalyzer* analyzer = make_analyzer("(b c d e (note x)) (c d e (note y))", "", ":lexical-rules " + set);
    analyze(*analyzer, "a b c d e");
    return analyzer;
  }
};

TEST_F(RulesTest, ARunOfMatchesWithOneHighActsOnItsFirstMatch) {
  LexAnalyzer* analyzer = run_rule("");
  ASSERT_THAT(spans(*analyzer), ElementsAre("[3,5] c d e", "[2,5] b c d e"));
  EXPECT_THAT(weights_at(*analyzer, 5), ElementsAre(0, 1));
}

TEST_F(RulesTest, ActOnAllMatchesActsOnEveryMatch) {
  LexAnalyzer* analyzer = run_rule(":act-on-all-matches");
  EXPECT_THAT(weights_at(*analyzer, 5), ElementsAre(1, 1));
}

TEST_F(RulesTest, PreconditionOnTheAnalyzerCanSkipTheRule) {
  LexAnalyzer* analyzer = run_rule(":precondition (nil)");
  EXPECT_THAT(weights_at(*analyzer, 5), ElementsAre(0, 0));
}

TEST_F(RulesTest, DefRulesAppendsAndInsertLexRulesInsertsBeforeTheAnchor) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (r1 (word (t)) (t)) (r3 (word (t)) (t)))");
  run("(def-rules " + set + " (r4 (word (t)) (t)))");
  run("(insert-lex-rules " + set + " r3 (r2a (word (t)) (t)) (r2b (word (t)) (t)))");
  ASSERT_NE(rules(set), nullptr);
  EXPECT_THAT(names(*rules(set)), ElementsAre("r1", "r2a", "r2b", "r3", "r4"));
  run("(insert-lex-rules " + set + " R1 (r5 (word (t)) (t)))");
  EXPECT_THAT(names(*rules(set)), ElementsAre("r1", "r2a", "r2b", "r3", "r4", "r5"));
  EXPECT_EQ(errors_of("(insert-lex-rules nothing_here r1 (r6 (word (t)) (t)))"),
            "(insert-lex-rules ...): the lexical rule set 'nothing_here' is not defined\n");
}

TEST_F(RulesTest, DebugRulesTogglesAllOrTheMatchingRules) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (noun-a (word (t)) (t)) (noun-b (word (t)) (t)) (verb (word (t)) (t)))");
  LexRuleList& list = *rules(set);
  run("(debug-rules " + set + ")");
  EXPECT_TRUE(list.at(0).debug() && list.at(1).debug() && list.at(2).debug());
  run("(debug-rules " + set + ")");
  EXPECT_FALSE(list.at(0).debug() || list.at(1).debug() || list.at(2).debug());
  run("(debug-rules " + set + " noun)");
  EXPECT_TRUE(list.at(0).debug() && list.at(1).debug());
  EXPECT_FALSE(list.at(2).debug());
  run("(debug-rules " + set + " ^noun-b)");
  EXPECT_FALSE(list.at(1).debug());
  EXPECT_EQ(errors_of("(debug-rules nothing_here)"), "the lexical rules `nothing_here' are not found\n");
}

TEST_F(RulesTest, DebuggedRulesPrintTheirNameAndMatches) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (shout (word (str= dog)) (t)))");
  run("(debug-rules " + set + ")");
  LexAnalyzer* analyzer = make_analyzer("(cat (note n))", "", ":lexical-rules " + set);
  EXPECT_EQ(errors_during([&] { analyze(*analyzer, "a dog"); }), "\nLexical Rule: shout\n[2,2] dog\n");
}

TEST_F(RulesTest, RulesThatCannotBeBuiltAreLeftOut) {
  const std::string set = unique("rules");
  const std::string messages = errors_of("(def-rules " + set + " (broken (no-such-pattern) (t)) (lonely (word (t))))");
  EXPECT_NE(messages.find("The pattern no-such-pattern is not defined"), std::string::npos);
  EXPECT_NE(messages.find("The lexical rule lonely needs a pattern and an action"), std::string::npos);
  EXPECT_EQ(rules(set)->size(), 0u);
}

TEST_F(RulesTest, RulesThatDeleteEverythingLeaveAnEmptyLattice) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (wipe (lexitem (t)) (delete (litem))) (again (word (t)) (look-up (low) (high))))");
  LexAnalyzer* analyzer = make_analyzer("(dog (note n))", "", ":lexical-rules " + set);
  analyze(*analyzer, "dog dog");
  // The second rule looks the words up again: one reading per word, entered once.
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] dog", "[2,2] dog"));
  analyzer->reset();
  EXPECT_EQ(analyzer->lattice().item_count(), 0u);
}

TEST_F(RulesTest, LLRulesLookAroundTheSpanOfTheirItem) {
  const std::string rule = unique("ll");
  const std::string set = unique("rules");
  run("(make-llrule " + rule + " (the ~ (word (t))) (prog (skip (low)) (skip (high))))");
  run("(def-rules " + set + " (ll (lexitem (t)) (apply-llrule)))");
  LexAnalyzer* analyzer = make_analyzer("(x (llrule " + rule + "))", "", ":lexical-rules " + set);
  analyze(*analyzer, "the x dog");
  EXPECT_TRUE(analyzer->skipped().test(1));
  EXPECT_TRUE(analyzer->skipped().test(3));
  analyze(*analyzer, "a x dog");
  EXPECT_TRUE(analyzer->skipped().none());
  std::ostringstream printed;
  analyzer->look_up_word("x", 1, 1);
  analyzer->print_items(printed);
  EXPECT_NE(printed.str().find("(llrule " + rule + ")"), std::string::npos);
}

TEST_F(RulesTest, CommandDocStrings) {
  std::ostringstream out;
  Interpreter::instance().list_commands(out, "set-lex-analyzer");
  EXPECT_EQ(out.str(),
            "set-lex-analyzer-focus-marker\n(set-lex-analyzer-focus-marker ANALYZER MARKER).\n\n"
            "set-lex-analyzer-pos-marker\n(set-lex-analyzer-pos-marker ANALYZER MARKER).\n\n");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

TEST_F(RulesTest, SequencesAndRepetitionsOverTheLattice) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (s (seq (lexitem (t)) (lexitem (t))) (add-weight (comp ($ 2) (litem)) (int 1)))"
      " (p (+ (lexitem (t))) (delete-if (low) (high) (root (str= nothing))))"
      " (u (not-in-lexicon) (make-lexitem (low) (high) (nil)))"
      " (k (seq (word (str= the)) (lexitem (t))) (exist-lexitem (low) (high))))");
  LexAnalyzer* analyzer =
      make_analyzer("(the (note d)) (big (note a)) (dog (note n)) (big dog (note n))", "", ":lexical-rules " + set);
  analyze(*analyzer, "the big dog barks");
  EXPECT_EQ(analyzer->by_end(3).size(), 2u);
}

// A rule that copies every item it matches and enters the copies: the
// copies duplicate existing readings and are not entered, and the matches
// were collected before the rule acted, so the rule ends.
TEST_F(RulesTest, RulesThatReAddTheirItemsEnd) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (again (lexitem (t)) (assert (duplicate-lexitem (litem))))"
      " (wider (lexitem (t)) (set-high (duplicate-lexitem (litem)) (int 2))))");
  LexAnalyzer* analyzer = make_analyzer("(dog (note n))", "", ":lexical-rules " + set);
  analyze(*analyzer, "dog dog");
  EXPECT_THAT(spans(*analyzer), ElementsAre("[1,1] dog", "[2,2] dog", "[1,2] dog"));
  EXPECT_LE(analyzer->lattice().item_count(), 8u);
}

// A value of another type is never taken for an item.
TEST_F(RulesTest, ArgumentsOfTheWrongTypeAreRefused) {
  EXPECT_EQ(errors_during([] { LExp::from_text("(add-weight ($ 2 (litem)) (int 1))"); }),
            "add-weight: argument 1 yields Match*, not LexItem*\n");
}

// The rules of a set share the answers of calls like (is-b) on an item
// until an action runs: one that changes the item changes what the later
// rules see.
TEST_F(RulesTest, LaterRulesSeeWhatAnActionChanged) {
  const std::string set = unique("rules");
  const std::string is_b = unique("is-b");
  run("(defun " + is_b + " () (comp (root) (str= b)))");
  run("(def-rules " + set + " (first (lexitem (" + is_b + ")) (add-weight (litem) (int 1)))" +
      " (second (lexitem (and (" + is_b + ") (t))) (add-weight (litem) (int 10)))" + " (rename (lexitem (" + is_b +
      ")) (set-lexitem-root (litem) (str c)))" + " (third (lexitem (" + is_b + ")) (add-weight (litem) (int 100)))" +
      " (renamed (lexitem (and (" + is_b + ") (t))) (add-weight (litem) (int 1000))))");
  LexAnalyzer* analyzer = make_analyzer("(a (note x)) (b (note y))", "", ":lexical-rules " + set);
  analyze(*analyzer, "a b");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(0));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(11));
}

// A rule whose action is (when COND ...) with a COND that only reads keeps
// the answers of item tests when COND fails; when COND holds and the body
// changes an item, the answers are forgotten.
class ReadingTestRulesTest : public RulesTest {
 protected:
  // Runs the first rule of `rules` over "a b" with an answer kept for the
  // item of "b"; the answer found afterwards (-1: none).
  int answer_after(const std::string& rules, bool* keeps_memo = nullptr) {
    const std::string set = unique("rules");
    run("(def-rules " + set + " " + rules + ")");
    LexAnalyzer* analyzer = make_analyzer("(a (note x)) (b (note y))", "", "");
    enter(*analyzer, "a b");
    analyzer->look_up_word("a", 1, 1);
    analyzer->look_up_word("b", 2, 2);
    EXPECT_EQ(analyzer->by_end(2).size(), 1u);
    if (analyzer->by_end(2).empty()) return -2;
    const LexItem* item = analyzer->by_end(2).front();
    LexRule& rule = this->rules(set)->at(0);
    if (keeps_memo) *keeps_memo = rule.keeps_memo_on_test();
    ItemTestMemo& memo = analyzer->lattice().test_memo();
    ItemTestScope scope(memo);
    memo.keep(&kTest, item, true);
    memo.keep_own(&kOwnTest, item, false);
    rule.apply(*analyzer);
    own_answer_ = memo.find(&kOwnTest, item);
    only_deletes_ = rule.only_deletes();
    return memo.find(&kTest, item);
  }

  // After answer_after: the answer kept on the item's own vector (-1: none),
  // and whether the rule's action could only delete.
  int own_answer_ = -2;
  bool only_deletes_ = false;

 private:
  static constexpr int kTest = 0;
  static constexpr int kOwnTest = 0;
};

TEST_F(ReadingTestRulesTest, AFailingReadingTestKeepsTheAnswers) {
  bool keeps_memo = false;
  EXPECT_EQ(answer_after("(r (lexitem (t)) (when (followed-by-word (str= zz)) (add-weight (litem) (int 1))))",
                         &keeps_memo),
            1);
  EXPECT_TRUE(keeps_memo);
}

TEST_F(ReadingTestRulesTest, AnActionThatRunsForgetsTheAnswers) {
  bool keeps_memo = false;
  EXPECT_EQ(answer_after("(r (lexitem (comp (root) (str= a))) (when (followed-by (comp (root) (str= b)))"
                         " (add-weight (litem) (int 1))))",
                         &keeps_memo),
            -1);
  EXPECT_TRUE(keeps_memo);
}

TEST_F(ReadingTestRulesTest, ATestThatMayChangeSomethingForgetsTheAnswers) {
  bool keeps_memo = true;
  EXPECT_EQ(answer_after("(r (lexitem (t)) (when (and (delete-smaller (int 0) (int 0)) (nil)) (t)))", &keeps_memo),
            -1);
  EXPECT_FALSE(keeps_memo);
}

// An action that can only take items out of the lattice forgets the
// answers that may depend on other items, but not those on an item's own
// vector: no vector changed. Any other change forgets both.
TEST_F(ReadingTestRulesTest, ADeletionKeepsTheAnswersOnOwnVectors) {
  EXPECT_EQ(answer_after("(r (lexitem (comp (root) (str= a))) (when (followed-by (comp (root) (str= b)))"
                         " (delete (litem))))"),
            -1);
  EXPECT_TRUE(only_deletes_);
  EXPECT_EQ(own_answer_, 0);
  // Bare, nested in a when, or beside reading forms in a prog.
  answer_after("(r (lexitem (comp (root) (str= a))) (delete (litem)))");
  EXPECT_TRUE(only_deletes_);
  EXPECT_EQ(own_answer_, 0);
  answer_after("(r (seq (lexitem (t)) (lexitem (t))) (when (t) (when (comp ($ 2) (litem) (t))"
               " (prog (delete (comp ($ 1) (litem))) (delete (comp ($ 2) (litem)))))))");
  EXPECT_TRUE(only_deletes_);
  EXPECT_EQ(own_answer_, 0);
}

TEST_F(ReadingTestRulesTest, OtherChangesForgetTheAnswersOnOwnVectorsToo) {
  for (const char* rule :
       {"(r (lexitem (comp (root) (str= a))) (when (followed-by (comp (root) (str= b))) (add-weight (litem) (int 1))))",
        "(r (lexitem (comp (root) (str= a))) (when (t) (delete (litem)) (set-lexitem-root (litem) (str z))))",
        "(r (lexitem (comp (root) (str= a))) (prog (delete (litem)) (assert (litem))))",
        "(r (lexitem (comp (root) (str= a))) (delete (duplicate-lexitem (litem))))"}) {
    EXPECT_EQ(answer_after(rule), -1) << rule;
    EXPECT_FALSE(only_deletes_) << rule;
    EXPECT_EQ(own_answer_, -1) << rule;
  }
}

TEST_F(ReadingTestRulesTest, TestsOfNeighboursSubMatchesAndFieldsOnlyRead) {
  bool keeps_memo = false;
  answer_after("(r (seq (word (t)) (lexitem (t))) (when (and (not (exist-lexitem (int -1) (comp ($ 1) (low) (-1))"
               " (comp (root) (str= zz)))) (comp (matching-word) (str= zz)) (comp ($ 2) (litem) (t)))"
               " (delete (comp ($ 2) (litem)))))",
               &keeps_memo);
  EXPECT_TRUE(keeps_memo);
}

// When the guard cannot make a whole (and A B ...) (here for the (t),
// no-alternative or nil among its operands) but admits an item on A, the
// later operands it could make alone are made so: a call's answer is then
// kept in the memo like the first operand's, and every operand answers as
// the and form would.
TEST_F(RulesTest, LaterOperandsOfAnAndAreMadeAsGuards) {
  const std::string is_b = unique("is-b");
  const std::string is_a = unique("is-a");
  const std::string kept = unique("kept");
  run("(defun " + is_b + " () (comp (root) (str= b)))");
  run("(defun " + is_a + " () (comp (root) (str= a)))");
  run("(defun " + kept + " () (comp (root) (str= b)))");
  LexAnalyzer* analyzer = make_analyzer("(a (note x)) (b (note y))", "", "");
  enter(*analyzer, "a b");
  analyzer->look_up_word("a", 1, 1);
  analyzer->look_up_word("b", 2, 2);
  ASSERT_EQ(analyzer->by_end(1).size(), 1u);
  ASSERT_EQ(analyzer->by_end(2).size(), 1u);
  LexItem& a = *analyzer->by_end(1).front();
  LexItem& b = *analyzer->by_end(2).front();
  ItemTestMemo& memo = analyzer->lattice().test_memo();
  ItemTestScope scope(memo);
  const std::string first = "(and (comp (root) (in (\"a\" \"b\"))) ";
  const std::vector<std::string> conditions = {
      first + "(" + is_b + ") (t))",
      first + "(not (" + is_b + ")) (comp (root) (in (\"a\" \"c\"))) (t))",
      first + "(or (" + is_a + ") (" + is_b + ")) (t))",
      first + "(comp (root) (str= b)) (no-alternative (t)))",
      first + "(no-alternative (" + is_a + ")) (" + is_a + "))",
      first + "(" + is_a + ") (nil))",
  };
  for (const std::string& text : conditions) {
    LExpPtr condition = LExp::from_text(text);
    ASSERT_NE(condition, nullptr) << text;
    const ItemGuard guard = ItemGuard::of(*condition);
    ASSERT_NE(guard.conjuncts(), nullptr) << text;
    for (LexItem* item : {&a, &b}) {
      const bool evaluated = condition->eval(to_word(item), lex_item_type()) != 0;
      EXPECT_EQ(guard.admits(*item, memo) && guard.rest_holds(*item, memo), evaluated) << text << " on " << item->root;
    }
  }
  LExpPtr condition = LExp::from_text(first + "(" + kept + ") (t))");
  const ItemGuard guard = ItemGuard::of(*condition);
  const LExp* body = (*guard.conjuncts())[1]->same_as();
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(memo.find(body, &a), -1);
  EXPECT_FALSE(guard.rest_holds(a, memo));
  EXPECT_EQ(memo.find(body, &a), 0);
  EXPECT_TRUE(guard.rest_holds(b, memo));
  EXPECT_EQ(memo.find(body, &b), 1);
}

// A guard's text test looks at a text's first byte, in lower case, before
// the rest: a text whose first byte no word of the test begins with fails
// there, and every text answers as the expression does.
TEST_F(RulesTest, TextTestsLookAtTheFirstByteFirst) {
  const TypeId text_type = ShellTypes::get().text;
  struct Case {
    const char* written;
    std::string may_begin;     // first bytes that may pass
    std::string never_begins;  // first bytes that never pass
  };
  const std::vector<Case> cases = {
      {"(str= Be)", "b", "aBcx "},
      {"(in (\"an\" \"The\" \"of\"))", "ato", "bATx "},
      {"(str-prefix (str Th) (ident))", std::string("tTxa ") + '\0', ""},
  };
  const std::vector<std::string> texts = {"",    "b",   "be",  "Be",  "BE",    "bed", "abe", "an",
                                          "An",  "AN",  "a",   "the", "THE",   "them", "of", "off",
                                          "Th",  "x",   " be", "o",   "thence"};
  for (const Case& c : cases) {
    LExpPtr exp = LExp::from_text(c.written);
    ASSERT_NE(exp, nullptr) << c.written;
    const ItemGuard::TextTest test = ItemGuard::TextTest::of(*exp, text_type);
    ASSERT_TRUE(test.active()) << c.written;
    for (const char byte : c.may_begin)
      EXPECT_TRUE(test.may_begin_with(static_cast<unsigned char>(byte))) << c.written << " " << byte;
    for (const char byte : c.never_begins)
      EXPECT_FALSE(test.may_begin_with(static_cast<unsigned char>(byte))) << c.written << " " << byte;
    for (const std::string& text : texts)
      EXPECT_EQ(test.holds(text.c_str()), exp->eval(to_word(text.c_str()), text_type) != 0)
          << c.written << " on \"" << text << "\"";
    EXPECT_FALSE(test.holds(nullptr));
  }
}

// (no-alternative COND) keeps COND's answers per item while the rules
// only read; an action that changes the items makes it ask again.
TEST_F(RulesTest, NoAlternativeSeesWhatAnActionChanged) {
  const std::string set = unique("rules");
  const std::string is_b = unique("is-b");
  run("(defun " + is_b + " () (comp (root) (str= b)))");
  run("(def-rules " + set + " (first :act-on-all-matches (lexitem (no-alternative (" + is_b +
      "))) (add-weight (litem) (int 1)))" + " (guarded :act-on-all-matches (lexitem (and (" + is_b +
      ") (no-alternative (" + is_b + ")))) (add-weight (litem) (int 1000)))" +
      " (rename :act-on-all-matches (lexitem (comp (root) (str= x))) (set-lexitem-root (litem) (str b)))" +
      " (later :act-on-all-matches (lexitem (no-alternative (" + is_b + "))) (add-weight (litem) (int 10)))" +
      " (none :act-on-all-matches (lexitem (not (no-alternative (" + is_b +
      ")))) (add-weight (litem) (int 100))))");
  LexAnalyzer* analyzer = make_analyzer("(x (note p) (note q)) (y (note r))", "", ":lexical-rules " + set);
  analyze(*analyzer, "x y");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(101, 101));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(11));
}

// A root is looked up among the words of a written (in (WORD ...)) list
// ignoring case, as in does; options and the rest of the condition still
// count.
TEST_F(RulesTest, RootsInWrittenWordLists) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (listed (lexitem (and (comp (root) (in (\"B\" \"cc\"))) (t))) (add-weight (litem) (int 1)))" +
      " (exact (lexitem (and (comp (root) (in :case-sensitive (\"B\"))) (t))) (add-weight (litem) (int 10)))" +
      " (alone (lexitem (comp (root) (in (\"a\" \"c\")))) (add-weight (litem) (int 100)))" +
      " (rest (lexitem (and (comp (root) (in (\"a\" \"b\"))) (comp (root) (str= a)))) (add-weight (litem) (int "
      "1000))))");
  LexAnalyzer* analyzer = make_analyzer("(a (note x)) (b (note y)) (cc (note z))", "", ":lexical-rules " + set);
  analyze(*analyzer, "a b cc");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1100));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(1));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(1));
}

// An item's endings are looked up directly; a missing name matches nothing.
TEST_F(RulesTest, EndingsOfItems) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (third (lexitem (ending third)) (add-weight (litem) (int 1)))" +
      " (base (lexitem (and (ending base) (t))) (add-weight (litem) (int 10)))" +
      " (none (lexitem (ending)) (add-weight (litem) (int 100))))");
  LexAnalyzer* analyzer =
      make_analyzer("(walk (note verb))", ":ending-table ((p s third) (p \"\" base))", ":lexical-rules " + set);
  analyze(*analyzer, "walks");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1));
}

// A no-alternative condition made of calls, connectives and direct tests
// answers as its expression does, for every item of the span.
TEST_F(RulesTest, NoAlternativeOverConnectivesOfCalls) {
  const std::string set = unique("rules");
  const std::string is_p = unique("is-p");
  const std::string is_r = unique("is-r");
  run("(defun " + is_p + " () (comp (root) (str= x)))");
  run("(defun " + is_r + " () (comp (root) (str= y)))");
  run("(def-rules " + set + " (either :act-on-all-matches (lexitem (no-alternative (or (" + is_p + ") (" + is_r +
      ")))) (add-weight (litem) (int 1)))" + " (neither :act-on-all-matches (lexitem (no-alternative (not (" + is_p +
      ") (comp (root) (str= z))))) (add-weight (litem) (int 10)))" +
      " (both :act-on-all-matches (lexitem (not (no-alternative (and (" + is_r +
      ") (not (ending s)))))) (add-weight (litem) (int 100))))");
  LexAnalyzer* analyzer = make_analyzer("(x (note p) (note q)) (y (note r)) (z (note s))", "", ":lexical-rules " + set);
  analyze(*analyzer, "x y z");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(10, 10));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(100));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(11));
}

// An (or (ending NAME) ...) holds for an item with one of the endings; an
// item without endings, or an or with a nameless (ending), is asked as the
// or form asks it.
TEST_F(RulesTest, AlternativeEndingsOfItems) {
  const std::string set = unique("rules");
  run("(def-rules " + set + " (either (lexitem (or (ending past) (ending third))) (add-weight (litem) (int 1)))" +
      " (other (lexitem (or (ending past) (ending plural))) (add-weight (litem) (int 10)))" +
      " (nameless (lexitem (or (ending) (ending base))) (add-weight (litem) (int 100)))" +
      " (negated (lexitem (not (or (ending third) (ending past)))) (add-weight (litem) (int 1000))))");
  LexAnalyzer* analyzer = make_analyzer("(walk (note verb)) (walkz (note noun))",
                                        ":ending-table ((p s third) (p \"\" base))", ":lexical-rules " + set);
  analyze(*analyzer, "walks walkz");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(1100));
}

// Conditions built of not, or and and over tests the guard makes directly,
// alone or first in an and: each rule adds its own weight to the items its
// condition holds for.
TEST_F(RulesTest, ConnectivesOfDirectTests) {
  const std::string set = unique("rules");
  const std::string is_b = unique("is-b");
  run("(defun " + is_b + " () (comp (root) (str= b)))");
  run("(def-rules " + set + " (either (lexitem (or (comp (root) (str= a)) (" + is_b +
      "))) (add-weight (litem) (int 1)))" +
      " (neither (lexitem (not (comp (root) (str= a)) (" + is_b + "))) (add-weight (litem) (int 10)))" +
      " (both (lexitem (and (not (comp (root) (str= a))) (or (" + is_b +
      ") (comp (root) (str= cc))) (t))) (add-weight (litem) (int 100)))" +
      " (leading (lexitem (and (comp (root) (in (\"a\" \"b\"))) (not (" + is_b +
      ")) (comp (root) (str= a)))) (add-weight (litem) (int 1000)))" +
      " (nested (lexitem (or (and (" + is_b + ") (comp (root) (str= b))) (not (not (comp (root) (str= cc))))))" +
      " (add-weight (litem) (int 10000))))");
  LexAnalyzer* analyzer =
      make_analyzer("(a (note x)) (b (note y)) (cc (note z)) (d (note w))", "", ":lexical-rules " + set);
  analyze(*analyzer, "a b cc d");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1001));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(10101));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(10110));
  EXPECT_THAT(weights_at(*analyzer, 4), ElementsAre(10));
}

// The words of an item's span are compared as (surform) gives them,
// ignoring case, in a written list and with str= alike.
TEST_F(RulesTest, SurfaceFormsOfItems) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (listed (lexitem (and (comp (surform) (in (\"is\" \"b c\"))) (t))) (add-weight (litem) (int 1)))" +
      " (equal (lexitem (comp (surform) (str= Is))) (add-weight (litem) (int 10)))" +
      " (inside (lexitem (or (comp (surform) (str= \"b c\")) (comp (root) (str= zz)))) (add-weight (litem) (int "
      "100))))");
  LexAnalyzer* analyzer = make_analyzer("(is (note x)) (b c (note y)) (c (note z))", "", ":lexical-rules " + set);
  analyze(*analyzer, "Is b c");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(11));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(0, 101));
}

// A rule whose action opens with a test of the word after (before) the
// match skips a sentence where no word passes that test, and acts as
// before where one does; a pattern that may change something keeps the
// rule scanning every sentence.
TEST_F(RulesTest, RulesAskingForANeighbouringWordSkipSentencesWithoutIt) {
  const std::string set = unique("rules");
  run("(def-rules " + set +
      " (next :act-on-all-matches (lexitem (t)) (when (followed-by-word (in (\"x\" \"zz\"))) (add-weight (litem) "
      "(int 1))))" +
      " (before :act-on-all-matches (lexitem (t)) (when (and (preceded-by-word (str= These)) (t)) (add-weight (litem) "
      "(int 10))))" +
      " (changing (lexitem (prog (t))) (when (followed-by-word (str= x)) (t)))" +
      " (later (lexitem (t)) (when (t) (followed-by-word (str= x)))))");
  ASSERT_NE(rules(set), nullptr);
  EXPECT_TRUE(rules(set)->at(0).word_gated());
  EXPECT_TRUE(rules(set)->at(1).word_gated());
  EXPECT_FALSE(rules(set)->at(2).word_gated());
  EXPECT_FALSE(rules(set)->at(3).word_gated());
  LexAnalyzer* analyzer =
      make_analyzer("(a (note a)) (b (note b)) (x (note x)) (these (note d))", "", ":lexical-rules " + set);
  analyze(*analyzer, "a b X");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(0));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(1));
  analyze(*analyzer, "these a b");
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(10));
  EXPECT_THAT(weights_at(*analyzer, 3), ElementsAre(0));
  analyze(*analyzer, "a b");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(0));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(0));
}

// A word list in the body of a function without parameters serves as one
// written in place: the rule beside a word of it skips sentences without
// one, and roots are looked up among its words as the list itself looks
// them up (ignoring case unless it says otherwise: "B" is not the root b).
// A list kept in a hash table gives no gate.
TEST_F(RulesTest, WordListsInFunctionBodies) {
  const std::string set = unique("rules");
  const std::string near = unique("near-word");
  const std::string exact = unique("exact-word");
  const std::string hashed = unique("hashed-word");
  run("(defun " + near + " () (in (\"x\" \"ZZ\")))");
  run("(defun " + exact + " () (in :case-sensitive (\"B\")))");
  run("(defun " + hashed + " () (in :hashsize 11 (\"x\")))");
  run("(def-rules " + set + " (next :act-on-all-matches (lexitem (t)) (when (followed-by-word (" + near +
      ")) (add-weight (litem) (int 1))))" + " (hashed :act-on-all-matches (lexitem (t)) (when (followed-by-word (" +
      hashed + ")) (add-weight (litem) (int 10))))" + " (roots (lexitem (comp (root) (" + near +
      "))) (add-weight (litem) (int 100)))" + " (exact (lexitem (and (comp (root) (" + exact +
      ")) (t))) (add-weight (litem) (int 1000))))");
  ASSERT_NE(rules(set), nullptr);
  EXPECT_TRUE(rules(set)->at(0).word_gated());
  EXPECT_FALSE(rules(set)->at(1).word_gated());
  LexAnalyzer* analyzer = make_analyzer("(a (note a)) (b (note b)) (x (note x)) (zz (note z))", "",
                                        ":lexical-rules " + set);
  analyze(*analyzer, "a Zz");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(1));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(100));
  analyze(*analyzer, "b x");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(11));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(100));
  analyze(*analyzer, "a b");
  EXPECT_THAT(weights_at(*analyzer, 1), ElementsAre(0));
  EXPECT_THAT(weights_at(*analyzer, 2), ElementsAre(0));
}

}  // namespace
}  // namespace velmo
