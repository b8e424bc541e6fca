#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lexical/items/item_lattice.h"
#include "lexical/patterns/lpattern.h"
#include "lexicon/lexicon/meaning.h"
#include "lexical_fixture.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

std::vector<int>& noted_lows() {
  static std::vector<int> lows;
  return lows;
}

// (test-note-low): records the low of the match given as input; true.
class NoteLowExp final : public DefaultClone<NoteLowExp> {
 public:
  NoteLowExp() { set_types("Match*", "int"); }
  const char* name() const override { return "test-note-low"; }
  Word eval(Word input, TypeId) override {
    noted_lows().push_back(from_word<const Match>(input)->low);
    return 1;
  }
};

class MatchFunctionsTest : public LexicalTest {
 protected:
  void SetUp() override {
    LexicalTest::SetUp();
    if (!LExp::find_prototype("test-note-low")) register_lexp(std::make_unique<NoteLowExp>());
    noted_lows().clear();
    for (const char* word : {"in", "front", "of", "it"}) {
      lattice_.add_spacing(" ");
      lattice_.add_word(word);
    }
    std::unique_ptr<IRSlist> note = IRSlist::parse("(note place)", store_);
    std::unique_ptr<Meaning> meaning = make_meaning(*note);
    item_ = lattice_.add_item(lattice_.make_item("in front of", meaning.get(), 1, 3), false);
    // [1,4]: the item [1,3], then [4,4].
    match_ = std::make_unique<Match>(&lattice_, 1, 4);
    match_->sub_matches.push_back(std::make_unique<Match>(&lattice_, 1, 3, item_));
    match_->sub_matches.push_back(std::make_unique<Match>(&lattice_, 4, 4));
  }

  Word eval(const std::string& text, const Match& match) {
    LExpPtr exp = LExp::from_text(text);
    EXPECT_NE(exp, nullptr) << text;
    return exp ? exp->eval(to_word(&match), type_id("Match*")) : 0;
  }
  static std::intptr_t as_int(Word value) { return static_cast<std::intptr_t>(value); }

  StringPool store_;
  ItemLattice lattice_;
  LexItem* item_ = nullptr;
  MatchPtr match_;
};

TEST_F(MatchFunctionsTest, SpanItemAndMeaning) {
  const Match& first = *match_->sub_matches[0];
  EXPECT_EQ(as_int(eval("(low)", *match_)), 1);
  EXPECT_EQ(as_int(eval("(high)", *match_)), 4);
  EXPECT_EQ(eval("(litem)", first), to_word(item_));
  EXPECT_EQ(eval("(litem)", *match_), 0u);
  EXPECT_EQ(eval("(meaning)", first), to_word(item_->meaning.get()));
  EXPECT_EQ(eval("(meaning)", *match_), 0u);
  EXPECT_EQ(eval("(analyzer)", first), 0u);  // a lattice that no analyzer holds
  Match negative(&lattice_, -2, -3);
  EXPECT_EQ(as_int(eval("(low)", negative)), -2);
}

TEST_F(MatchFunctionsTest, MatchingWord) {
  EXPECT_STREQ(from_word<const char>(eval("(matching-word)", *match_)), "in front of it");
  EXPECT_STREQ(from_word<const char>(eval("(matching-word)", *match_->sub_matches[1])), "it");
  EXPECT_EQ(eval("(matching-word)", Match(&lattice_, 3, 2)), 0u);
  EXPECT_EQ(eval("(matching-word)", Match(&lattice_, 9, 9)), 0u);
}

TEST_F(MatchFunctionsTest, SubMatchByPosition) {
  const Word first = to_word(match_->sub_matches[0].get());
  const Word last = to_word(match_->sub_matches[1].get());
  EXPECT_EQ(eval("($ 1)", *match_), first);
  EXPECT_EQ(eval("($ 2)", *match_), last);
  EXPECT_EQ(eval("($ -1)", *match_), last);
  EXPECT_EQ(eval("($ -2)", *match_), first);
  EXPECT_EQ(eval("($ 0)", *match_), 0u);
  EXPECT_EQ(eval("($ 3)", *match_), 0u);
  EXPECT_EQ(eval("($ -3)", *match_), 0u);
  EXPECT_EQ(eval("($ (int 2))", *match_), last);
  EXPECT_EQ(as_int(eval("(comp ($ 2) (low))", *match_)), 4);
}

TEST_F(MatchFunctionsTest, ForeachMatchComponent) {
  EXPECT_EQ(eval("(foreach-match-component (test-note-low))", *match_), 0u);
  EXPECT_EQ(noted_lows(), (std::vector<int>{1, 4}));
}

TEST_F(MatchFunctionsTest, WrongInputTypeIsRefused) {
  LExpPtr exp = LExp::from_text("(low)");
  ASSERT_NE(exp, nullptr);
  std::string messages = errors_during([&] { EXPECT_EQ(exp->eval(to_word("text"), type_id("char*")), 0u); });
  EXPECT_NE(messages, "");
}

TEST_F(MatchFunctionsTest, PatternFamilyDocStrings) {
  Maker* maker = ObjFactory::instance().find_maker("LPattern");
  ASSERT_NE(maker, nullptr);
  const Maker::Prototype* star = maker->prototypes().find("*");
  ASSERT_NE(star, nullptr);
  EXPECT_EQ(star->doc, "(* <lpat>) matches a sequence of 0 or more matches of <lpat>");
  const Maker::Prototype* missing = maker->prototypes().find("NOT-IN-LEXICON");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->doc, "mattched if the word is not in the lexicon");
  EXPECT_EQ(maker->prototypes().find("whole-sentence")->doc, "(whole-sentence) matches the end of a sentence");
}

}  // namespace
}  // namespace velmo
