#include "lexical/items/item_lattice.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/attribute_commands.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/meaning.h"
#include "lexical_fixture.h"
#include "shell/reader/irslist.h"

namespace velmo {
namespace {

class ItemLatticeTest : public LexicalTest {
 protected:
  void SetUp() override {
    LexicalTest::SetUp();
    for (const char* word : {"The", "old", "man", "sat"}) {
      lattice_.add_spacing(" ");
      lattice_.add_word(word);
    }
  }

  std::unique_ptr<Meaning> meaning(const std::string& text) {
    std::unique_ptr<IRSlist> form = IRSlist::parse(text, store_);
    return make_meaning(*form);
  }
  LexItem* item(int low, int high, const std::string& root = "r", const std::string& note = "(note x)") {
    return lattice_.make_item(root, meaning(note).get(), low, high);
  }
  static std::string printed(const LexItem& item) {
    std::ostringstream out;
    item.print(out);
    return out.str();
  }
  static std::string root_name(int low, int high) {
    std::string name = "r";
    name += std::to_string(low);
    name += std::to_string(high);
    return name;
  }
  // "low-high" of every item of a list.
  static std::string spans(const std::vector<LexItem*>& items) {
    std::string text;
    for (const LexItem* item : items) text += std::to_string(item->low) + "-" + std::to_string(item->high) + " ";
    return text;
  }

  StringPool store_;
  ItemLattice lattice_;
};

// An item's root and endings are noted as it enters the lists, a root
// given later when the lattice is told; a reset forgets them all.
TEST_F(ItemLatticeTest, ItemTextsFollowTheItemsEntered) {
  const auto holds = [this](const char* text) { return lattice_.item_texts().may_hold(ItemTextFilter::bit_of(text)); };
  const std::string_view endings[] = {"ing"};
  LexItem* made = lattice_.make_item("sit", meaning("(note x)").get(), 4, 4, endings);
  EXPECT_FALSE(holds("sit"));
  lattice_.add_item(made, false);
  EXPECT_TRUE(holds("SIT"));
  EXPECT_TRUE(holds("ing"));
  made->root = lattice_.intern("seat");
  lattice_.root_changed(*made);
  EXPECT_TRUE(holds("seat"));
  LexItem* kept = item(1, 3, "oldman");
  lattice_.keep_only_by_end(3, kept);
  EXPECT_TRUE(holds("oldman"));
  lattice_.reset();
  for (const char* text : {"sit", "ing", "seat", "oldman"}) EXPECT_FALSE(holds(text)) << text;
}

TEST_F(ItemLatticeTest, WordTextsFollowTheWords) {
  const auto holds = [this](const char* text) { return lattice_.word_texts().may_hold(ItemTextFilter::bit_of(text)); };
  EXPECT_TRUE(holds("the"));
  EXPECT_TRUE(holds("SAT"));
  EXPECT_FALSE(holds("stood"));
  lattice_.set_word(4, "stood");
  EXPECT_TRUE(holds("stood"));
  lattice_.add_spacing(" ");
  lattice_.add_word("down");
  EXPECT_TRUE(holds("down"));
  lattice_.reset();
  EXPECT_FALSE(holds("down"));
}

// Each word's filter bit is kept by position, made anew when the words
// change.
TEST_F(ItemLatticeTest, WordBitsFollowTheWords) {
  for (int p = 1; p < lattice_.positions(); ++p)
    EXPECT_EQ(lattice_.word_bit(p), ItemTextFilter::bit_of(lattice_.word_at(p))) << p;
  lattice_.set_word(4, "stood");
  EXPECT_EQ(lattice_.word_bit(4), ItemTextFilter::bit_of("STOOD"));
  lattice_.add_spacing(" ");
  const int down = lattice_.add_word("down");
  EXPECT_EQ(lattice_.word_bit(down), ItemTextFilter::bit_of("down"));
}

TEST_F(ItemLatticeTest, WordsSpacingAndSpanText) {
  EXPECT_EQ(lattice_.positions(), 5);
  EXPECT_EQ(lattice_.word_at(0), nullptr);
  EXPECT_STREQ(lattice_.word_at(1), "The");
  EXPECT_EQ(lattice_.word_at(5), nullptr);
  EXPECT_STREQ(lattice_.span_text(1, 3), "The old man");
  EXPECT_STREQ(lattice_.span_text(2, 2), "old");
  EXPECT_STREQ(lattice_.span_text(3, 99), "man sat");
  EXPECT_STREQ(lattice_.span_text(3, 2), "");
  EXPECT_STREQ(lattice_.spacing_at(7), "");
}

// A span asked again is the text joined the first time (one word is the
// word itself); spans reaching outside the words are clamped every time.
TEST_F(ItemLatticeTest, SpansAskedAgainAreTheTextsJoinedFirst) {
  const char* joined = lattice_.span_text(2, 4);
  EXPECT_STREQ(joined, "old man sat");
  EXPECT_EQ(lattice_.span_text(2, 4), joined);
  EXPECT_EQ(lattice_.span_text(2, 2), lattice_.word_at(2));
  EXPECT_STREQ(lattice_.span_text(3, 99), "man sat");
  EXPECT_STREQ(lattice_.span_text(3, 99), "man sat");
  EXPECT_STREQ(lattice_.span_text(-5, 0), "");
  EXPECT_STREQ(lattice_.span_text(-5, 1), " The");  // from the sentinel on
  EXPECT_STREQ(lattice_.span_text(4, 3), "");
  lattice_.set_word(3, "boy");
  EXPECT_STREQ(lattice_.span_text(2, 4), "old boy sat");
  EXPECT_STREQ(lattice_.span_text(3, 3), "boy");
}

TEST_F(ItemLatticeTest, JoinedSpansFollowChangedWordsAndSpacing) {
  const char* first = lattice_.span_text(1, 3);
  EXPECT_STREQ(first, "The old man");
  EXPECT_STREQ(lattice_.span_text(2, 4), "old man sat");
  EXPECT_STREQ(first, "The old man");  // a short span outlives the next call
  lattice_.set_word(2, "young");
  EXPECT_STREQ(lattice_.span_text(1, 3), "The young man");
  lattice_.append_spacing(3, "\n");
  EXPECT_STREQ(lattice_.span_text(1, 3), "The young man");
  lattice_.add_spacing(" ");
  lattice_.add_word("down");
  EXPECT_STREQ(lattice_.span_text(3, 5), "man sat down");
  // Long spans are kept too, and follow changed words as well.
  std::string expected = "man sat down";
  for (int i = 0; i < ItemLattice::kCachedSpanWords; ++i) {
    lattice_.add_spacing(" ");
    lattice_.add_word("x");
    expected += " x";
  }
  const int last = lattice_.positions() - 1;
  const char* long_span = lattice_.span_text(3, last);
  EXPECT_STREQ(long_span, expected.c_str());
  EXPECT_STREQ(lattice_.span_text(1, last), ("The young " + expected).c_str());
  EXPECT_STREQ(long_span, expected.c_str());  // outlives the next call
  EXPECT_EQ(lattice_.span_text(3, last), long_span);
  lattice_.set_word(last, "y");
  expected.back() = 'y';
  EXPECT_STREQ(lattice_.span_text(3, last), expected.c_str());
}

// The table of joined spans is kept from sentence to sentence and only
// grows: a span joined for an earlier, longer sentence is never the answer
// for the next one, nor for the same one after a change, however many
// changes there were.
TEST_F(ItemLatticeTest, SpansOfAnEarlierSentenceAreNotReused) {
  for (int i = 0; i < 10; ++i) {
    lattice_.add_spacing(" ");
    lattice_.add_word("x");
  }
  EXPECT_STREQ(lattice_.span_text(1, 3), "The old man");
  EXPECT_STREQ(lattice_.span_text(5, 7), "x x x");
  lattice_.reset();
  for (const char* word : {"A", "big", "dog"}) {
    lattice_.add_spacing(" ");
    lattice_.add_word(word);
  }
  EXPECT_STREQ(lattice_.span_text(1, 3), "A big dog");
  EXPECT_STREQ(lattice_.span_text(2, 3), "big dog");
  for (int change = 0; change < 1000; ++change) lattice_.set_word(2, change % 2 ? "red" : "old");
  EXPECT_STREQ(lattice_.span_text(1, 3), "A red dog");
  lattice_.reset();
  for (const char* word : {"One", "two", "three", "four", "five", "six", "seven"}) {
    lattice_.add_spacing(" ");
    lattice_.add_word(word);
  }
  EXPECT_STREQ(lattice_.span_text(5, 7), "five six seven");
  EXPECT_STREQ(lattice_.span_text(1, 3), "One two three");
}

// A span whose text lasts keeps it through later requests of any span,
// those whose text does not last (empty, clamped or long ones) included.
TEST_F(ItemLatticeTest, SpanTextsThatLastOutliveLaterRequests) {
  EXPECT_TRUE(lattice_.span_text_lasts(1, 3));
  EXPECT_TRUE(lattice_.span_text_lasts(2, 2));
  EXPECT_TRUE(lattice_.span_text_lasts(0, 4));
  EXPECT_FALSE(lattice_.span_text_lasts(3, 2));   // empty
  EXPECT_FALSE(lattice_.span_text_lasts(3, 99));  // past the last word
  EXPECT_FALSE(lattice_.span_text_lasts(-1, 2));  // before the sentinel
  for (int i = 0; i < ItemLattice::kCachedSpanWords; ++i) {
    lattice_.add_spacing(" ");
    lattice_.add_word("x");
  }
  const int last = lattice_.positions() - 1;
  EXPECT_TRUE(lattice_.span_text_lasts(1, ItemLattice::kCachedSpanWords));
  EXPECT_FALSE(lattice_.span_text_lasts(1, ItemLattice::kCachedSpanWords + 1));
  std::vector<std::pair<const char*, std::string>> kept;
  for (int low = 0; low <= last; ++low)
    for (int high = low; high <= last; ++high)
      if (lattice_.span_text_lasts(low, high)) {
        const char* text = lattice_.span_text(low, high);
        kept.emplace_back(text, text);
      }
  ASSERT_FALSE(kept.empty());
  EXPECT_STREQ(lattice_.span_text(1, last), lattice_.span_text(1, last));
  EXPECT_STREQ(lattice_.span_text(2, 1), "");
  EXPECT_STREQ(lattice_.span_text(3, last + 7), lattice_.span_text(3, last));
  for (const auto& [text, copy] : kept) EXPECT_EQ(std::string(text), copy);
}

TEST_F(ItemLatticeTest, SpansJoinWordsWithoutSpacingTight) {
  lattice_.add_word("'s");
  lattice_.add_spacing("  ");
  lattice_.add_word("hat");
  EXPECT_STREQ(lattice_.span_text(4, 5), "sat's");
  EXPECT_STREQ(lattice_.span_text(3, 6), "man sat's hat");
  // From the empty position 0: a blank before the first word when it has
  // spacing before it.
  const std::string expected = std::string(lattice_.spacing_at(1)[0] ? " " : "") + "The" +
                               (lattice_.spacing_at(2)[0] ? " " : "") + "old";
  EXPECT_STREQ(lattice_.span_text(0, 2), expected.c_str());
  lattice_.append_spacing(5, " ");
  EXPECT_STREQ(lattice_.span_text(4, 5), "sat 's");
}

TEST_F(ItemLatticeTest, LongSpansBeyondTheBudgetAreJoinedOnEveryCall) {
  // Words long enough for a few spans to fill the budget of long spans.
  const std::string word(ItemLattice::kLongSpanBytes / (4 * ItemLattice::kCachedSpanWords), 'w');
  for (int i = 0; i < 2 * ItemLattice::kCachedSpanWords; ++i) {
    lattice_.add_spacing(" ");
    lattice_.add_word(word);
  }
  const int last = lattice_.positions() - 1;
  std::vector<std::string> expected;
  for (int low = 5; low <= 12; ++low) {
    std::string text;
    for (int p = low; p <= last; ++p) text += (p > low ? " " : "") + word;
    expected.push_back(text);
  }
  for (int round = 0; round < 2; ++round)
    for (int low = 5; low <= 12; ++low)
      EXPECT_EQ(lattice_.span_text(low, last), expected[static_cast<std::size_t>(low - 5)]) << low;
  lattice_.reset();
  EXPECT_EQ(lattice_.positions(), 0);
}

TEST_F(ItemLatticeTest, SpacingAccumulatesAndDecidesTightness) {
  lattice_.add_spacing("<b>");
  lattice_.add_spacing(" ");
  lattice_.add_word("down");
  lattice_.add_word("!");
  EXPECT_STREQ(lattice_.spacing_at(5), "<b> ");
  EXPECT_TRUE(lattice_.tight(5));
  EXPECT_TRUE(lattice_.tight(6));
  EXPECT_FALSE(lattice_.tight(4));
  EXPECT_STREQ(lattice_.span_text(4, 6), "sat down!");
}

TEST_F(ItemLatticeTest, PrintWordsSkipsSpacingBeforeNonAsciiWords) {
  lattice_.add_spacing("\n");
  lattice_.add_word("\xe4\xb8\xad");
  lattice_.add_spacing("\n");
  lattice_.add_word("end");
  std::ostringstream out;
  lattice_.print_words(out, 3, 6);
  EXPECT_EQ(out.str(), "man sat\xe4\xb8\xad end");
}

TEST_F(ItemLatticeTest, TagsArePaddedUpToTheirPosition) {
  EXPECT_EQ(lattice_.tag_count(), 4u);
  lattice_.set_tag(2, "JJ");
  EXPECT_STREQ(lattice_.tag_at(2), "JJ");
  EXPECT_EQ(lattice_.tag_at(1), nullptr);
  EXPECT_EQ(lattice_.tag_at(9), nullptr);
}

TEST_F(ItemLatticeTest, MadeItemAndItsPrintedForm) {
  const std::string_view affixes[] = {"plural"};
  LexItem* made = lattice_.make_item("man", meaning("(note person)").get(), 2, 3, affixes);
  EXPECT_EQ(made->head, 2);
  EXPECT_EQ(made->weight, 0);
  EXPECT_EQ(made->category, nullptr);
  EXPECT_EQ(lattice_.item_count(), 1u);
  EXPECT_TRUE(lattice_.by_end(3).empty());  // made, not entered
  EXPECT_EQ(printed(*made), "[2,3] old man (note person) (affixes plural) w=0 hd=2 (root man)\n");
  made->category = lattice_.intern("NN");
  made->weight = -3;
  LexItem* part = item(3, 3, "man");
  made->sub_items.push_back(part);
  EXPECT_EQ(printed(*made),
            "[2,3] NN old man (note person) (affixes plural) w=-3 hd=2 (root man)\n"
            "  [3,3] man (note x) w=0 hd=3 (root man)\n");
}

TEST_F(ItemLatticeTest, CopyIsDeep) {
  LexItem* whole = item(1, 3, "the old man");
  LexItem* part = item(3, 3, "man");
  part->relation = lattice_.intern("head");
  whole->sub_items.push_back(part);
  whole->weight = 4;
  lattice_.delete_item(whole);
  LexItem* copy = lattice_.copy_item(*whole);
  EXPECT_EQ(lattice_.item_count(), 4u);
  EXPECT_EQ(copy->deleted, 0);
  EXPECT_EQ(copy->weight, 4);
  ASSERT_EQ(copy->sub_items.size(), 1u);
  EXPECT_NE(copy->sub_items[0], part);
  EXPECT_NE(copy->sub_items[0]->relation, part->relation);
  EXPECT_STREQ(copy->sub_items[0]->relation, "head");
  EXPECT_NE(copy->meaning.get(), whole->meaning.get());
  EXPECT_EQ(printed(*copy), printed(*whole));
}

TEST_F(ItemLatticeTest, ListsKeepTheirOrders) {
  for (auto [low, high] : std::vector<std::pair<int, int>>{{3, 3}, {1, 3}, {2, 3}, {4, 3}, {2, 3}, {3, 4}, {3, 2}})
    lattice_.add_item(item(low, high, root_name(low, high)), false);
  EXPECT_EQ(spans(lattice_.by_end(3)), "3-3 2-3 2-3 1-3 4-3 ");
  EXPECT_EQ(spans(lattice_.by_start(3)), "3-4 3-3 3-2 ");
  // A new item goes before the items with the same low / high.
  LexItem* newer = item(2, 3, "newest");
  lattice_.add_item(newer, false);
  EXPECT_EQ(lattice_.by_end(3)[1], newer);
  EXPECT_EQ(lattice_.by_start(4)[0]->high, 3);  // the empty item at the end of by-end 3 starts at 4
}

TEST_F(ItemLatticeTest, DuplicateReadingsAreEnteredOnce) {
  LexItem* first = lattice_.add_item(item(2, 3, "man"), true);
  EXPECT_EQ(lattice_.add_item(item(2, 3, "man"), true), first);
  EXPECT_NE(lattice_.add_item(item(2, 3, "Man"), true), first);  // roots compare exactly
  EXPECT_NE(lattice_.add_item(item(2, 3, "man", "(note y)"), true), first);
  LexItem* unchecked = lattice_.add_item(item(2, 3, "man"), false);
  EXPECT_NE(unchecked, first);
  EXPECT_EQ(lattice_.by_end(3).size(), 4u);
  EXPECT_EQ(lattice_.add_item(first, false), first);  // already listed: not entered twice
  EXPECT_EQ(lattice_.by_end(3).size(), 4u);
  EXPECT_EQ(lattice_.item_count(), 5u);
}

TEST_F(ItemLatticeTest, HookSeesItemAndSubItemsDepthFirst) {
  std::vector<std::string> seen;
  lattice_.set_hook([&](LexItem& hooked) { seen.emplace_back(hooked.root); });
  LexItem* whole = item(1, 3, "a");
  LexItem* middle = item(2, 3, "b");
  middle->sub_items.push_back(item(3, 3, "c"));
  whole->sub_items.push_back(middle);
  whole->sub_items.push_back(item(1, 1, "d"));
  lattice_.add_item(whole, true);
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "d"}));
  seen.clear();
  lattice_.add_item(item(1, 3, "a"), true);  // a duplicate is not hooked
  EXPECT_TRUE(seen.empty());
}

TEST_F(ItemLatticeTest, DeleteAndAddAgain) {
  LexItem* entered = lattice_.add_item(item(2, 3), false);
  lattice_.delete_item(entered);
  EXPECT_TRUE(entered->is_deleted());
  EXPECT_TRUE(lattice_.by_end(3).empty());
  EXPECT_TRUE(lattice_.by_start(2).empty());
  lattice_.add_item(entered, false);
  EXPECT_FALSE(entered->is_deleted());
  EXPECT_EQ(lattice_.by_start(2).size(), 1u);
}

// The parser and the lexical rules read the lists in their innermost
// loops: the readers are inline and cannot throw, and a position outside
// the lattice (below 0, past the last list) reads as an empty list.
TEST_F(ItemLatticeTest, ListsOfPositionsOutsideTheLatticeAreEmpty) {
  static_assert(noexcept(std::declval<const ItemLattice&>().by_end(0)));
  static_assert(noexcept(std::declval<const ItemLattice&>().by_start(0)));
  lattice_.add_item(item(2, 3), false);
  const ItemLattice& lattice = lattice_;
  for (int p : {-1, -70000, 6, 1 << 20}) {
    EXPECT_TRUE(lattice.by_end(p).empty()) << p;
    EXPECT_TRUE(lattice.by_start(p).empty()) << p;
  }
  EXPECT_EQ(&lattice.by_end(-1), &lattice.by_start(99));
  EXPECT_EQ(lattice.by_end(3).size(), 1u);
  EXPECT_EQ(lattice.by_start(2).size(), 1u);
}

TEST_F(ItemLatticeTest, DeleteInsideSpanKeepsTheSpanItselfAndItemsOutside) {
  for (auto [low, high] : std::vector<std::pair<int, int>>{{1, 4}, {1, 3}, {2, 4}, {2, 3}, {3, 3}, {1, 1}, {3, 2}})
    lattice_.add_item(item(low, high, root_name(low, high)), false);
  LexItem* beyond = lattice_.add_item(item(0, 4), false);
  lattice_.delete_inside_span(1, 4);
  std::string live;
  for (int p = 0; p <= 4; ++p) live += spans(lattice_.by_end(p));
  EXPECT_EQ(live, "1-4 0-4 ");
  EXPECT_FALSE(beyond->is_deleted());
  lattice_.add_item(item(2, 2), false);
  lattice_.delete_inside_span(2, 2);  // low = high: nothing
  EXPECT_EQ(lattice_.by_end(2).size(), 1u);
}

TEST_F(ItemLatticeTest, ResetEmptiesEverything) {
  lattice_.add_item(item(1, 1), false);
  lattice_.set_tag(1, "DT");
  lattice_.reset();
  EXPECT_EQ(lattice_.positions(), 0);
  EXPECT_EQ(lattice_.item_count(), 0u);
  EXPECT_TRUE(lattice_.by_end(1).empty());
  EXPECT_EQ(lattice_.tag_count(), 0u);
  lattice_.add_word("again");
  EXPECT_EQ(lattice_.positions(), 2);
  EXPECT_STREQ(lattice_.word_at(1), "again");
}

TEST_F(ItemLatticeTest, ListsGrowForAnyPosition) {
  LexItem* far = lattice_.add_item(item(700, 900), false);
  EXPECT_EQ(lattice_.by_end(900)[0], far);
  EXPECT_EQ(lattice_.by_start(700)[0], far);
  EXPECT_TRUE(lattice_.by_end(-1).empty());
}

// Items of attribute vector meanings, for the recycling of items from one
// sentence to the next.
class RecycledItemTest : public ItemLatticeTest {
 protected:
  void SetUp() override {
    ItemLatticeTest::SetUp();
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!NameSpaces::lookup("recsyn", "", false)) {
      run("(def-att-list recsyn (defattribute per SmIntAtt) (defattribute cat EnumAtt (allowable-values n v)))");
      run("(make-avmeaning-proto recsyn recavm)");
    }
  }
  static AttVec& vector_of(const LexItem& item) { return static_cast<const AVMeaning&>(*item.meaning).vector(); }
};

TEST_F(RecycledItemTest, ResetKeepsItemsAndVectorsForTheNextSentence) {
  const std::string_view endings[] = {"s"};
  LexItem* first = lattice_.make_item("dog", meaning("(recavm ((cat n) (per 3)))").get(), 2, 3, endings);
  first->weight = 5;
  first->category = "N";
  first->sub_items.push_back(item(2, 2));
  lattice_.add_item(first, false);
  const AttVec* first_vector = &vector_of(*first);
  lattice_.reset();
  EXPECT_EQ(lattice_.item_count(), 0u);
  EXPECT_EQ(lattice_.spare_meaning_count(), 1u);

  lattice_.add_word("runs");
  const std::unique_ptr<Meaning> verb = meaning("(recavm ((cat v)))");
  LexItem* again = lattice_.make_item("run", verb.get(), 1, 1);
  EXPECT_EQ(again, first);
  EXPECT_EQ(&vector_of(*again), first_vector);
  EXPECT_EQ(again->meaning->compare(*verb), 0);
  EXPECT_EQ(again->meaning->text(), verb->text());
  EXPECT_EQ(lattice_.spare_meaning_count(), 0u);
  EXPECT_EQ(lattice_.item_count(), 1u);
  EXPECT_EQ(printed(*again), printed(*lattice_.copy_item(*again)));
  EXPECT_TRUE(again->affixes.empty());
  EXPECT_TRUE(again->sub_items.empty());
  EXPECT_EQ(again->weight, 0);
  EXPECT_EQ(again->category, nullptr);
  EXPECT_EQ(again->deleted, 0);
  EXPECT_EQ(again->lattice, &lattice_);
}

// A vector that something else still holds is left to it.
TEST_F(RecycledItemTest, SharedVectorIsNotCopiedInto) {
  LexItem* first = lattice_.make_item("dog", meaning("(recavm ((cat n)))").get(), 1, 1);
  AttVec* held = &vector_of(*first);
  held->add_ref();
  const std::string before = held->text();
  lattice_.reset();
  EXPECT_EQ(lattice_.spare_meaning_count(), 0u);
  lattice_.add_word("runs");
  LexItem* again = lattice_.make_item("run", meaning("(recavm ((cat v)))").get(), 1, 1);
  EXPECT_NE(&vector_of(*again), held);
  EXPECT_EQ(held->text(), before);
  AttVec::drop_ref(held);
}

}  // namespace
}  // namespace velmo
