#include "lexical/patterns/lpattern.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "lexical/functions/item_functions.h"
#include "lexical/items/item_lattice.h"
#include "lexical/patterns/item_guard.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/support/kept_memory.h"
#include "lexical_fixture.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

// (test-root-is ROOT): true for an item whose root is ROOT.
class RootIsExp final : public DefaultClone<RootIsExp> {
 public:
  RootIsExp() { set_types("LexItem*", "int"); }
  const char* name() const override { return "test-root-is"; }
  void init(IRSlist& args) override {
    if (const char* root = args.take_atom()) root_ = root;
  }
  Word eval(Word input, TypeId) override {
    const auto* item = from_word<const LexItem>(input);
    return item && item->root && root_ == item->root ? 1 : 0;
  }

 private:
  std::string root_;
};

// "[low,high]", the root of the item in braces, the sub-matches in
// parentheses.
std::string render(const Match& match) {
  std::string text = "[" + std::to_string(match.low) + "," + std::to_string(match.high) + "]";
  if (match.item) text += std::string("{") + match.item->root + "}";
  if (!match.sub_matches.empty()) {
    text += "(";
    for (std::size_t i = 0; i < match.sub_matches.size(); ++i) {
      if (i) text += " ";
      text += render(*match.sub_matches[i]);
    }
    text += ")";
  }
  return text;
}

std::string render(const MatchList& matches) {
  std::string text;
  for (const MatchPtr& match : matches) {
    if (!text.empty()) text += " ";
    text += render(*match);
  }
  return text;
}

class PatternTest : public LexicalTest {
 protected:
  void SetUp() override {
    LexicalTest::SetUp();
    if (!LExp::find_prototype("test-root-is")) register_lexp(std::make_unique<RootIsExp>());
    register_item_functions();
  }

  void sentence(std::initializer_list<const char*> words) {
    lattice_.reset();
    for (const char* word : words) {
      lattice_.add_spacing(" ");
      lattice_.add_word(word);
    }
  }
  LexItem* enter(int low, int high, const std::string& root) {
    std::unique_ptr<IRSlist> note = IRSlist::parse("(note " + root + ")", store_);
    std::unique_ptr<Meaning> meaning = make_meaning(*note);
    return lattice_.add_item(lattice_.make_item(root, meaning.get(), low, high), false);
  }
  LPatternPtr pattern(const std::string& text) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store_);
    return form ? LPattern::make(*form) : nullptr;
  }
  std::string all(const std::string& text) {
    LPatternPtr made = pattern(text);
    if (!made) return "NOT MADE";
    MatchList matches;
    made->match_all(lattice_, matches);
    return render(matches);
  }
  std::string ending_at(const std::string& text, int p) {
    LPatternPtr made = pattern(text);
    if (!made) return "NOT MADE";
    MatchList matches;
    made->matches_ending_at(lattice_, p, matches);
    return render(matches);
  }
  std::string starting_at(const std::string& text, int p) {
    LPatternPtr made = pattern(text);
    if (!made) return "NOT MADE";
    MatchList matches;
    made->matches_starting_at(lattice_, p, matches);
    return render(matches);
  }

  StringPool store_;
  ItemLattice lattice_;
};

// ---------------------------------------------------------------- words

// A match made where one was dropped starts afresh: its own span, no item,
// no sub-matches; where memory is kept it takes the dropped one's memory,
// the last dropped first. A deep copy made among reused matches is whole.
TEST(MatchMemory, DroppedMatchesMakeFreshOnes) {
  auto outer = std::make_unique<Match>(nullptr, 1, 4);
  outer->sub_matches.push_back(std::make_unique<Match>(nullptr, 1, 2));
  outer->sub_matches.push_back(std::make_unique<Match>(nullptr, 3, 4));
  const Match* outer_memory = outer.get();
  outer.reset();
  auto fresh = std::make_unique<Match>(nullptr, 7, 6);
  if (kKeepDroppedMemory) {
    EXPECT_EQ(fresh.get(), outer_memory);
  }
  EXPECT_EQ(fresh->low, 7);
  EXPECT_EQ(fresh->high, 6);
  EXPECT_TRUE(fresh->is_empty());
  EXPECT_EQ(fresh->item, nullptr);
  EXPECT_TRUE(fresh->sub_matches.empty());
  for (int i = 0; i < 3; ++i) fresh->sub_matches.push_back(std::make_unique<Match>(nullptr, i, i));
  MatchPtr copied = fresh->copy();
  fresh.reset();
  ASSERT_EQ(copied->sub_matches.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(copied->sub_matches[i]->low, i);
    EXPECT_EQ(copied->sub_matches[i]->high, i);
    EXPECT_TRUE(copied->sub_matches[i]->sub_matches.empty());
  }
  EXPECT_EQ(copied->low, 7);
}

TEST_F(PatternTest, BareWordIgnoresCase) {
  sentence({"The", "old", "man"});
  EXPECT_EQ(all("THE"), "[1,1]");
  EXPECT_EQ(all("(seq the MAN)"), "");
  EXPECT_EQ(all("(seq OLD man)"), "[2,3]([2,2] [3,3])");
}

TEST_F(PatternTest, WordConditionAndNoGap) {
  sentence({"a", "b"});
  lattice_.add_word("c");  // no spacing before c
  EXPECT_EQ(all("(word (in (b c)))"), "[3,3] [2,2]");
  EXPECT_EQ(all("(word :nogap (in (b c)))"), "[3,3]");
  EXPECT_EQ(all("(word (in (b c)) :NOGAP)"), "[3,3]");
  EXPECT_EQ(ending_at("(word (in (b c)))", 4), "");
}

// Word lists and fixed texts are tested directly; their answers stay those
// of the expressions, case and options included.
TEST_F(PatternTest, WordListsAndTextsIgnoreCaseUnlessTold) {
  sentence({"The", "OLD", "man", "menu"});
  EXPECT_EQ(all("(word (in (old MAN) (x)))"), "[3,3] [2,2]");
  EXPECT_EQ(all("(word (in :case-sensitive (old man)))"), "[3,3]");
  EXPECT_EQ(all("(word (in (men \"\")))"), "");
  EXPECT_EQ(all("(word (str= Old))"), "[2,2]");
  EXPECT_EQ(all("(word (not (in (the man))))"), "[4,4] [2,2]");
}

TEST_F(PatternTest, OptionalInsideSequence) {
  const std::string the_old_man = "(seq the (? (seq old)) man)";
  sentence({"the", "old", "man"});
  EXPECT_EQ(all(the_old_man), "[1,3]([1,1] [2,2]([2,2]) [3,3])");
  sentence({"the", "man"});
  EXPECT_EQ(all(the_old_man), "[1,2]([1,1] [2,1] [2,2])");
  EXPECT_EQ(starting_at(the_old_man, 1), "[1,2]([1,1] [2,1] [2,2])");
}

TEST_F(PatternTest, PlusIsGreedyAndSinglePath) {
  sentence({"a", "big", "old", "red", "car"});
  const std::string adjectives = "(+ (word (in (big old red))))";
  EXPECT_EQ(ending_at(adjectives, 4), "[2,4]([2,2] [3,3] [4,4])");
  EXPECT_EQ(starting_at(adjectives, 2), "[2,4]([2,2] [3,3] [4,4])");
  EXPECT_EQ(starting_at(adjectives, 3), "[3,4]([3,3] [4,4])");
  EXPECT_EQ(ending_at(adjectives, 5), "");
  EXPECT_EQ(ending_at("(* (word (in (big old red))))", 5), "[6,5]");
  EXPECT_EQ(starting_at("(* (word (in (big old red))))", 1), "[1,0]");
  EXPECT_EQ(ending_at("(* (word (in (big old red))))", 3), "[2,3]([2,2] [3,3])");
}

TEST_F(PatternTest, PlusUsesOnlyTheFirstMatchAtEachStep) {
  sentence({"x", "y", "z"});
  enter(2, 3, "yz");
  enter(3, 3, "z");  // by end of 3: z first (shortest), then yz
  EXPECT_EQ(ending_at("(+ (lexitem (test-root-is z)))", 3), "[3,3]([3,3]{z})");
  EXPECT_EQ(ending_at("(+ (! (lexitem (test-root-is z)) x y))", 3), "[1,3]([1,1] [2,2] [3,3]{z})");
}

TEST_F(PatternTest, FirstAlternativeWins) {
  sentence({"old", "man"});
  EXPECT_EQ(ending_at("(! man (seq old man))", 2), "[2,2]");
  EXPECT_EQ(ending_at("(or-pat (seq old man) man)", 2), "[1,2]([1,1] [2,2])");
  EXPECT_EQ(ending_at("(! boy (seq old man))", 2), "[1,2]([1,1] [2,2])");
}

TEST_F(PatternTest, AndKeepsTheSpansEveryPartMatches) {
  sentence({"old", "man"});
  EXPECT_EQ(ending_at("(& (word (in (man boy))) (word (in (man old))))", 2), "[2,2]");
  EXPECT_EQ(ending_at("(and-pat man (seq old man))", 2), "");
}

TEST_F(PatternTest, SentenceBoundaries) {
  sentence({"x", "y", "x"});
  EXPECT_EQ(all("(seq (^) x)"), "[0,1]([0,0] [1,1])");
  EXPECT_EQ(all("(seq :front-to-back (^) x)"), "[1,1]([1,0] [1,1])");
  EXPECT_EQ(all("(seq x ($))"), "[3,4]([3,3] [4,4])");
  EXPECT_EQ(all("(seq x (end-of-sentence))"), "[3,4]([3,3] [4,4])");
  EXPECT_EQ(all("(whole-sentence)"), "[0,3]");
  EXPECT_EQ(starting_at("(whole-sentence)", 0), "[0,3]");
  EXPECT_EQ(starting_at("(beginning-of-sentence)", 2), "");
}

TEST_F(PatternTest, OverlappingScans) {
  sentence({"a", "a", "a"});
  EXPECT_EQ(all("(seq a a)"), "[2,3]([2,2] [3,3])");
  EXPECT_EQ(all("(seq :overlapping a a)"), "[1,2]([1,1] [2,2]) [2,3]([2,2] [3,3])");
  EXPECT_EQ(all("(seq :front-to-back a a)"), "[1,2]([1,1] [2,2])");
  EXPECT_EQ(all("(seq :FRONT-TO-BACK :Overlapping a a)"), "[1,2]([1,1] [2,2]) [2,3]([2,2] [3,3])");
  EXPECT_EQ(all("(seq :unknown-option a a)"), "[2,3]([2,2] [3,3])");
}

// A sequence can only start where its first part's word test holds and end
// where its last part's does; other parts, and tests made by evaluation,
// leave every position possible.
TEST_F(PatternTest, WhereSequencesMayStartAndEnd) {
  sentence({"a", "b", "c"});
  lattice_.add_word("d");  // no spacing before d
  LPatternPtr seq = pattern("(seq a (.) (word (in (c d))))");
  ASSERT_TRUE(seq);
  std::string starts;
  std::string ends;
  for (int p = 0; p <= 5; ++p) {
    if (seq->may_start_at(lattice_, p)) starts += std::to_string(p);
    if (seq->may_end_at(lattice_, p)) ends += std::to_string(p);
  }
  EXPECT_EQ(starts, "1");
  EXPECT_EQ(ends, "34");
  LPatternPtr no_gap = pattern("(seq (word :nogap (in (c d))))");
  ASSERT_TRUE(no_gap);
  EXPECT_FALSE(no_gap->may_start_at(lattice_, 3));
  EXPECT_TRUE(no_gap->may_start_at(lattice_, 4));
  LPatternPtr open = pattern("(seq (? (seq a)) (word (not (in (x)))))");
  ASSERT_TRUE(open);
  for (int p = 0; p <= 5; ++p) EXPECT_TRUE(open->may_start_at(lattice_, p) && open->may_end_at(lattice_, p)) << p;
  EXPECT_EQ(all("(seq a (.) (word (in (c d))))"), "[1,3]([1,1] [2,2] [3,3])");
  EXPECT_EQ(all("(seq :front-to-back (.) (word (in (c d))))"), "[2,3]([2,2] [3,3])");
}

TEST_F(PatternTest, NoMatchesOnlyWords) {
  sentence({"x", "y"});
  EXPECT_EQ(all("(no (seq x))"), "[2,2]");
  EXPECT_EQ(ending_at("(no (seq x))", 0), "");
  EXPECT_EQ(ending_at("(no (seq x))", 3), "");
  EXPECT_EQ(starting_at("(no (seq x))", 2), "[2,2]");
}

TEST_F(PatternTest, DotAndNotInLexicon) {
  sentence({"x", "y", "z"});
  enter(1, 2, "xy");
  EXPECT_EQ(ending_at("(.)", 7), "[7,7]");
  EXPECT_EQ(all("(not-in-lexicon)"), "[3,3] [1,1]");
  EXPECT_EQ(starting_at("(not-in-lexicon)", 1), "");
  EXPECT_EQ(starting_at("(not-in-lexicon)", 2), "[2,2]");
  EXPECT_EQ(ending_at("(not-in-lexicon)", 4), "");
}

TEST_F(PatternTest, WordSequences) {
  sentence({"in", "front", "of", "it"});
  EXPECT_EQ(all("(word-seq IN front of)"), "[1,3]");
  EXPECT_EQ(starting_at("(word-seq in front of)", 1), "[1,3]");
  EXPECT_EQ(starting_at("(word-seq of it now)", 3), "");
  EXPECT_EQ(ending_at("(word-seq in front)", 1), "");
}

TEST_F(PatternTest, LexItemMatchesAreSorted) {
  sentence({"a", "b", "c"});
  enter(3, 3, "c");
  enter(1, 3, "abc");
  enter(2, 3, "bc");
  EXPECT_EQ(ending_at("(lexitem (test-root-is abc))", 3), "[1,3]{abc}");
  // The by-end list holds c, bc, abc (shortest first); matches are sorted by low.
  EXPECT_EQ(ending_at("(lexitem (t))", 3), "[1,3]{abc} [2,3]{bc} [3,3]{c}");
  EXPECT_EQ(starting_at("(lexitem (test-root-is bc))", 2), "[2,3]{bc}");
  EXPECT_EQ(ending_at("(lexitem (t))", 0), "");
}

// The scan of the sentence gives what the searches ending (front to back:
// starting) at each position give, collected into one list in scan order.
TEST_F(PatternTest, LexItemScansGiveThePerPositionMatchesInOrder) {
  sentence({"a", "b", "c", "d"});
  enter(4, 4, "d");
  enter(3, 4, "cd");
  enter(1, 4, "abcd");
  enter(2, 2, "b");
  enter(1, 2, "ab");
  enter(3, 2, "empty");
  for (const bool forward : {false, true}) {
    for (const char* condition : {"(t)", "(comp (root) (str= cd))", "(not (comp (root) (str= b)))",
                                   "(comp (root) (str= none))", "(not (test-root-is b))"}) {
      LPatternPtr made = pattern(std::string("(lexitem ") + condition + ")");
      ASSERT_TRUE(made);
      made->set_front_to_back(forward);
      MatchList scanned;
      made->match_all(lattice_, scanned);
      MatchList expected;
      for (int i = 1; i <= 4; ++i) {
        if (forward)
          made->matches_starting_at(lattice_, i, expected);
        else
          made->matches_ending_at(lattice_, 5 - i, expected);
      }
      EXPECT_EQ(render(scanned), render(expected)) << condition << (forward ? " forward" : " backward");
    }
  }
  EXPECT_EQ(all("(lexitem (t))"), "[1,2]{ab} [1,4]{abcd} [2,2]{b} [3,4]{cd} [4,4]{d} [3,2]{empty}");
  EXPECT_EQ(all("(lexitem (not (comp (root) (str= b))))"), "[1,2]{ab} [1,4]{abcd} [3,4]{cd} [4,4]{d} [3,2]{empty}");
}

// A scan for roots or endings that no item of the sentence holds finds
// nothing at once; one that some item holds, or got later, finds it.
TEST_F(PatternTest, LexItemScansSkipSentencesWithoutTheirRootsOrEndings) {
  sentence({"a", "b", "c"});
  enter(1, 1, "a");
  LexItem* renamed = enter(2, 2, "b");
  const std::string_view endings[] = {"ed"};
  std::unique_ptr<IRSlist> note = IRSlist::parse("(note c)", store_);
  lattice_.add_item(lattice_.make_item("c", make_meaning(*note).get(), 3, 3, endings), false);
  EXPECT_EQ(all("(lexitem (comp (root) (in (\"zz\" \"B\"))))"), "[2,2]{b}");
  EXPECT_EQ(all("(lexitem (comp (root) (str= zz)))"), "");
  EXPECT_EQ(all("(lexitem (and (comp (root) (str= zz)) (t)))"), "");
  EXPECT_EQ(all("(lexitem (or (comp (root) (str= zz)) (comp (root) (str= A))))"), "[1,1]{a}");
  EXPECT_EQ(all("(lexitem (ending ed))"), "[3,3]{c}");
  EXPECT_EQ(all("(lexitem (or (ending ing) (ending es)))"), "");
  // A long list is looked up in the filter all at once.
  EXPECT_EQ(all("(lexitem (comp (root) (in (\"zz\" \"yy\" \"xx\" \"ww\" \"vv\" \"C\"))))"), "[3,3]{c}");
  EXPECT_EQ(all("(lexitem (comp (root) (in (\"zz\" \"yy\" \"xx\" \"ww\" \"vv\" \"uu\"))))"), "");
  renamed->root = lattice_.intern("zz");
  lattice_.root_changed(*renamed);
  EXPECT_EQ(all("(lexitem (comp (root) (str= zz)))"), "[2,2]{zz}");
}

// A (surform) guard whose texts no word of the sentence has cannot admit an
// item over one word; the scan then asks only the items over several
// words (and any outside the words), and finds what the per-position
// searches find.
TEST_F(PatternTest, SurfaceScansAskOnlyLongerItemsWhenNoWordIsListed) {
  sentence({"a", "b", "c"});
  enter(1, 1, "a");
  enter(2, 3, "bc");
  enter(3, 3, "c");
  enter(2, 2, "b");
  const auto admits_a_word = [this](const std::string& text) {
    LExpPtr condition = LExp::from_text(text);
    return condition && ItemGuard::of(*condition).may_admit_a_word(lattice_.word_texts());
  };
  EXPECT_FALSE(admits_a_word("(comp (surform) (in (\"b c\" \"zz\")))"));
  EXPECT_FALSE(admits_a_word("(and (comp (surform) (str= zz)) (t))"));
  EXPECT_FALSE(admits_a_word("(and (comp (root) (str= a)) (comp (surform) (str= zz)))"));
  EXPECT_TRUE(admits_a_word("(comp (surform) (in (\"B\" \"zz\")))"));
  EXPECT_TRUE(admits_a_word("(or (comp (surform) (str= zz)) (comp (root) (str= a)))"));
  EXPECT_TRUE(admits_a_word("(comp (root) (str= zz))"));
  EXPECT_TRUE(admits_a_word("(not (comp (surform) (str= zz)))"));
  for (const bool forward : {false, true}) {
    for (const char* condition : {"(comp (surform) (in (\"b c\" \"zz\")))", "(comp (surform) (str= zz))",
                                   "(and (comp (surform) (in (\"b c\" \"a\"))) (t))",
                                   "(comp (surform) (in (\"a\" \"c\")))"}) {
      LPatternPtr made = pattern(std::string("(lexitem ") + condition + ")");
      ASSERT_TRUE(made);
      made->set_front_to_back(forward);
      MatchList scanned;
      made->match_all(lattice_, scanned);
      MatchList expected;
      for (int i = 1; i <= 3; ++i) {
        if (forward)
          made->matches_starting_at(lattice_, i, expected);
        else
          made->matches_ending_at(lattice_, 4 - i, expected);
      }
      EXPECT_EQ(render(scanned), render(expected)) << condition << (forward ? " forward" : " backward");
    }
  }
  EXPECT_EQ(all("(lexitem (comp (surform) (in (\"b c\" \"zz\"))))"), "[2,3]{bc}");
  EXPECT_EQ(all("(lexitem (comp (surform) (str= zz)))"), "");
  lattice_.set_word(1, "zz");
  EXPECT_TRUE(admits_a_word("(comp (surform) (str= zz))"));
  EXPECT_EQ(all("(lexitem (comp (surform) (str= zz)))"), "[1,1]{a}");
}

// A sequence whose first (last) word test no word of the sentence passes
// is not scanned, with the same result as the scan.
TEST_F(PatternTest, SequenceScansSkipSentencesWithoutTheirAnchorWords) {
  sentence({"they", "run", "home"});
  LPatternPtr forward = pattern("(seq :front-to-back (word (in (\"We\" \"they\"))) (.))");
  LPatternPtr backward = pattern("(seq (.) (word (str= HOME)))");
  LPatternPtr absent = pattern("(seq :front-to-back (word (in (\"i\" \"we\"))) (.))");
  ASSERT_TRUE(forward && backward && absent);
  EXPECT_TRUE(forward->may_start_anywhere(lattice_));
  EXPECT_TRUE(backward->may_end_anywhere(lattice_));
  EXPECT_FALSE(absent->may_start_anywhere(lattice_));
  // Where a word's first byte passes, its filter bit decides first.
  EXPECT_TRUE(forward->may_start_at(lattice_, 1));
  EXPECT_FALSE(pattern("(seq :front-to-back (word (in (\"then\" \"thus\" \"to\" \"too\"))) (.))")->may_start_at(lattice_, 1));
  EXPECT_TRUE(pattern("(seq :front-to-back (.) (word (str= x)))")->may_start_anywhere(lattice_));
  EXPECT_EQ(all("(seq :front-to-back (word (in (\"We\" \"they\"))) (.))"), "[1,2]([1,1] [2,2])");
  EXPECT_EQ(all("(seq (.) (word (str= HOME)))"), "[2,3]([2,2] [3,3])");
  EXPECT_EQ(all("(seq :front-to-back (word (in (\"i\" \"we\"))) (.))"), "");
  lattice_.set_word(1, "We");
  EXPECT_TRUE(absent->may_start_anywhere(lattice_));
  EXPECT_EQ(all("(seq :front-to-back (word (in (\"i\" \"we\"))) (.))"), "[1,2]([1,1] [2,2])");
}

// A word test that calls a function without parameters tests what the
// function's body tests: a sentence without the body's word is not scanned.
TEST_F(PatternTest, WordTestsSeeThroughCallsWithoutParameters) {
  const std::string dollar = unique("dollar");
  run("(defun " + dollar + " () (str= \"$\"))");
  sentence({"a", "b"});
  const std::string text = "(seq :front-to-back (word (" + dollar + ")) (word (" + dollar + ")))";
  LPatternPtr pairs = pattern(text);
  ASSERT_TRUE(pairs);
  EXPECT_FALSE(pairs->may_start_anywhere(lattice_));
  EXPECT_TRUE(pairs->changes_nothing());
  EXPECT_EQ(all(text), "");
  sentence({"x", "$", "$", "y"});
  EXPECT_TRUE(pairs->may_start_anywhere(lattice_));
  EXPECT_FALSE(pairs->may_start_at(lattice_, 1));
  EXPECT_EQ(all(text), "[2,3]([2,2] [3,3])");
}

// A word test that filters texts without being a plain text test (a
// reg-match, also through a call) is asked about the word where a match
// may start or end, with the answers of the pattern's own search; a test
// that is no filter leaves every position open.
TEST_F(PatternTest, WordFiltersTellWhereMatchesMayStart) {
  const std::string digits = unique("digits");
  run("(defun " + digits + " () (reg-match \"^[0-9]+$\"))");
  sentence({"call", "303", "-", "832", "now"});
  const std::string called = "(seq :front-to-back (word (" + digits + ")) (word :nogap (str= \"-\")))";
  const std::string written = "(seq :front-to-back (word (reg-match \"^[0-9]+$\")) (word (str= \"-\")))";
  const std::string negated = "(seq :front-to-back (word (not (reg-match \"^[0-9]+$\"))) (word (str= \"-\")))";
  for (const std::string& text : {called, written}) {
    LPatternPtr made = pattern(text);
    ASSERT_TRUE(made) << text;
    EXPECT_FALSE(made->may_start_at(lattice_, 1)) << text;
    EXPECT_TRUE(made->may_start_at(lattice_, 2)) << text;
    EXPECT_FALSE(made->may_start_at(lattice_, 3)) << text;
    EXPECT_TRUE(made->may_start_at(lattice_, 4)) << text;
    EXPECT_FALSE(made->may_start_at(lattice_, 0)) << text;
  }
  LPatternPtr open = pattern(negated);
  ASSERT_TRUE(open);
  for (int p = 1; p <= 5; ++p) EXPECT_TRUE(open->may_start_at(lattice_, p)) << p;
  EXPECT_EQ(all(written), "[2,3]([2,2] [3,3])");
  EXPECT_EQ(all(negated), "");
}

// A root test (str-prefix (str TEXT) (ident)) is made directly, ignoring
// case, with the answers of the general evaluation.
TEST_F(PatternTest, RootPrefixTestsAreMadeDirectly) {
  sentence({"a", "b", "c", "d"});
  enter(1, 1, "_num_");
  enter(2, 2, "b");
  enter(3, 3, "Xy");
  enter(4, 4, "_");
  EXPECT_EQ(all("(lexitem (comp (root) (str-prefix (str \"_\") (ident))))"), "[1,1]{_num_} [4,4]{_}");
  EXPECT_EQ(all("(lexitem (comp (root) (str-prefix (str xY) (ident))))"), "[3,3]{Xy}");
  EXPECT_EQ(all("(lexitem (and (comp (root) (str-prefix (str \"_n\") (ident))) (t)))"), "[1,1]{_num_}");
  EXPECT_EQ(all("(lexitem (comp (root) (str-prefix (str \"_num_x\") (ident))))"), "");
  // Other arguments are left to the general evaluation.
  EXPECT_EQ(all("(lexitem (comp (root) (str-prefix (ident) (str \"_num_\"))))"), "[1,1]{_num_} [4,4]{_}");
  // A prefix test of a constant only reads: the scan asks each item in
  // place, with the memo's answers kept, also when more tests follow it.
  for (const char* reading : {"(lexitem (comp (root) (str-prefix (str \"_\") (ident))))",
                              "(lexitem (and (comp (root) (str-prefix (str \"_\") (ident))) "
                              "(comp (surform) (reg-match \"[a-z]\"))))"}) {
    LPatternPtr made = pattern(reading);
    ASSERT_TRUE(made) << reading;
    EXPECT_TRUE(made->changes_nothing()) << reading;
  }
  EXPECT_EQ(all("(lexitem (and (comp (root) (str-prefix (str \"_\") (ident))) (comp (surform) (reg-match \"[a-z]\"))))"),
            "[1,1]{_num_} [4,4]{_}");
  // A prefix taken from anything but a constant may evaluate anything.
  LPatternPtr general = pattern("(lexitem (comp (root) (str-prefix (ident) (str \"_num_\"))))");
  ASSERT_TRUE(general);
  EXPECT_FALSE(general->changes_nothing());
}

TEST_F(PatternTest, CollectLexItemsTakesTheFirstSatisfyingItemFromTheEnd) {
  sentence({"a", "b", "c", "d"});
  enter(4, 4, "d");
  enter(3, 4, "cd");
  enter(2, 2, "b");
  enter(1, 2, "ab");
  enter(2, 1, "empty");  // an empty item ending at 1
  EXPECT_EQ(all("(collect-lexitems)"), "[1,4]([2,2]{b} [4,4]{d} [2,1]{empty})");
  EXPECT_EQ(all("(collect-lexitems (test-root-is cd))"), "[1,4]([3,4]{cd})");
  EXPECT_EQ(all("(collect-lexitems (test-root-is none))"), "[1,4]");
  EXPECT_EQ(ending_at("(collect-lexitems)", 4), "");
  sentence({"a"});
  enter(2, 1, "empty");
  EXPECT_EQ(all("(collect-lexitems)"), "[1,1]([2,1]{empty})");  // an empty item does not stall the scan
}

TEST_F(PatternTest, ConstraintsFilterMatches) {
  sentence({"big", "man", "big", "dog"});
  EXPECT_EQ(all("(seq big (word (in (man dog))) (constraint (int-gt (high) (int 2))))"), "[3,4]([3,3] [4,4])");
  EXPECT_EQ(all("(? :front-to-back (seq big) (constraint (int-gt (low) (int 2))))"), "[3,3]([3,3]) [3,2] [4,3]");
  // ! and & read a constraint but do not apply it.
  EXPECT_EQ(all("(! big (constraint (int-gt (high) (int 2))))"), "[3,3] [1,1]");
}

// ---------------------------------------------------------------- bad input

TEST_F(PatternTest, BrokenPatternsAreReportedAndNotMade) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"(no-such-pattern a)", "The pattern no-such-pattern is not defined\n"},
      {"(seq a (bogus))", "The pattern bogus is not defined\n"},
      {"((seq) a)", "expecting an atom. This is found instead:\n(seq)\n"},
      {"(())", "The pattern () is not defined\n"},
      {"(seq)", "The pattern seq needs at least one sub-pattern\n"},
      {"(! :overlapping)", "The pattern ! needs at least one sub-pattern\n"},
      {"(+)", "The pattern + needs a sub-pattern\n"},
      {"(* a b)", "The pattern * needs a sub-pattern\n"},
      {"(? (seq))", "The pattern seq needs at least one sub-pattern\n"},
      {"(word)", "The pattern word needs a condition\n"},
      {"(lexitem no-such-function)", "LExp::get_exp: no-such-function is not a LExp\n"},
      {"(word-seq)", "The pattern word-seq needs at least one word\n"},
      {"(seq a (constraint))", "The constraint of the pattern seq needs an expression\n"},
      {"(seq a (constraint (no-such-exp)))", "LExp::get_exp:  unknown type: 'no-such-exp'\n"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(c.text, store_);
    ASSERT_NE(form, nullptr) << c.text;
    LPatternPtr made;
    EXPECT_EQ(errors_during([&] { made = LPattern::make(*form); }), c.message) << c.text;
    EXPECT_EQ(made, nullptr) << c.text;
  }
}

TEST_F(PatternTest, HugePatternsAreRefused) {
  std::string nested;
  for (int i = 0; i < 3000; ++i) nested += "(seq ";
  nested += "a";
  nested += std::string(3000, ')');
  std::string flat = "(seq";
  for (int i = 0; i < 3000; ++i) flat += " a";
  flat += ")";
  for (const std::string& text : {nested, flat}) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store_);
    ASSERT_NE(form, nullptr);
    LPatternPtr made;
    EXPECT_EQ(errors_during([&] { made = LPattern::make(*form); }), "A pattern may hold at most 2000 sub-patterns\n");
    EXPECT_EQ(made, nullptr);
  }
  // The count starts again with every pattern.
  std::string fine = "(seq";
  for (int i = 0; i < 1500; ++i) fine += " a";
  fine += ")";
  sentence({"a", "a"});
  EXPECT_EQ(all(fine), "");
  EXPECT_EQ(all(fine), "");
}

TEST_F(PatternTest, LongChainsOfPlus) {
  lattice_.reset();
  for (int i = 0; i < 50000; ++i) {
    lattice_.add_spacing(" ");
    lattice_.add_word("a");
  }
  LPatternPtr plus = pattern("(+ (word (str= a)))");
  ASSERT_NE(plus, nullptr);
  MatchList matches;
  plus->matches_ending_at(lattice_, 50000, matches);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0]->low, 1);
  EXPECT_EQ(matches[0]->sub_matches.size(), 50000u);
  matches.clear();
  plus->matches_starting_at(lattice_, 2, matches);
  ASSERT_EQ(matches.size(), 1u);
  EXPECT_EQ(matches[0]->high, 50000);
}

TEST_F(PatternTest, SurplusArgumentsOfOnePatternsAreIgnored) {
  sentence({"a", "b"});
  std::string messages;
  std::string found;
  messages = errors_during([&] { found = all("(+ stray (seq a) (seq b) :what)"); });
  EXPECT_EQ(messages, "");
  EXPECT_EQ(found, "[1,1]([1,1]([1,1]))");
}

// ---------------------------------------------------------------- matches

TEST_F(PatternTest, MatchCopyAndPrint) {
  sentence({"the", "old", "man"});
  LexItem* man = enter(3, 3, "man");
  MatchList matches;
  pattern("(seq the (? (seq old)) (lexitem (test-root-is man)))")->match_all(lattice_, matches);
  ASSERT_EQ(matches.size(), 1u);
  MatchPtr copy = matches[0]->copy();
  matches.clear();
  EXPECT_EQ(render(*copy), "[1,3]([1,1] [2,2]([2,2]) [3,3]{man})");
  EXPECT_EQ(copy->sub_matches[2]->item, man);
  std::ostringstream out;
  copy->print(out);
  EXPECT_EQ(out.str(),
            "[1,3] the old man\n"
            "[1,1] the\n"
            "[2,2] old\n"
            "  [2,2] old\n"
            "[3,3] man (note man) w=0 hd=3 (root man)\n");
  std::ostringstream empty;
  Match(&lattice_, 2, 1).print(empty, 1);
  EXPECT_EQ(empty.str(), "[2,1] Epsilon\n");
}

TEST_F(PatternTest, MatchSortingRules) {
  MatchList list;
  for (auto [low, high] : std::vector<std::pair<int, int>>{{3, 3}, {5, 4}, {1, 2}, {3, 4}, {2, 1}, {9, 9}})
    insert_sorted(list, std::make_unique<Match>(&lattice_, low, high));
  EXPECT_EQ(render(list), "[1,2] [3,4] [3,3] [9,9] [2,1] [5,4]");
}

}  // namespace
}  // namespace velmo
