#include "lexical/items/item_text_filter.h"

#include <gtest/gtest.h>

#include "lexical/items/lex_item.h"
#include "lexicon/lexicon/meaning.h"

namespace velmo {
namespace {

TEST(ItemTextFilterTest, TextsEqualButForCaseShareTheirBit) {
  EXPECT_EQ(ItemTextFilter::bit_of("There"), ItemTextFilter::bit_of("tHERE"));
  EXPECT_EQ(ItemTextFilter::bit_of("there"), ItemTextFilter::bit_of("THERE"));
  EXPECT_LT(ItemTextFilter::bit_of("there"), ItemTextFilter::kBits);
  EXPECT_LT(ItemTextFilter::bit_of(""), ItemTextFilter::kBits);
}

TEST(ItemTextFilterTest, NotesRootsAndEndingsUntilCleared) {
  ItemTextFilter filter;
  const std::uint16_t root = ItemTextFilter::bit_of("walk");
  const std::uint16_t ending = ItemTextFilter::bit_of("ed");
  EXPECT_FALSE(filter.may_hold(root));
  EXPECT_FALSE(filter.may_hold(ending));
  LexItem item;
  item.root = "Walk";
  item.affixes = {"ed", nullptr};
  filter.note(item);
  EXPECT_TRUE(filter.may_hold(root));
  EXPECT_TRUE(filter.may_hold(ending));
  filter.clear();
  EXPECT_FALSE(filter.may_hold(root));
  filter.note_text(nullptr);
  filter.note_text("WALK");
  EXPECT_TRUE(filter.may_hold(root));
}

// Few texts leave most bits clear: that is what lets a rule skip a sentence.
TEST(ItemTextFilterTest, FewTextsSetFewBits) {
  ItemTextFilter filter;
  for (const char* text : {"the", "man", "walk", "s", "ed", "to"}) filter.note_text(text);
  std::size_t set = 0;
  for (std::size_t bit = 0; bit < ItemTextFilter::kBits; ++bit) set += filter.may_hold(static_cast<std::uint16_t>(bit));
  EXPECT_GE(set, 1u);
  EXPECT_LE(set, 6u);
}

// Two filters share a bit when a text of one has the hash of a text of the
// other: the test of a long word list against a sentence's texts.
TEST(ItemTextFilterTest, FiltersShareTheBitsOfTheirCommonTexts) {
  ItemTextFilter listed;
  ItemTextFilter sentence;
  EXPECT_FALSE(listed.shares_bit_with(sentence));
  for (const char* text : {"have", "has", "had", "want", "need"}) listed.note_text(text);
  for (const char* text : {"she", "runs"}) sentence.note_text(text);
  const bool collide = sentence.may_hold(ItemTextFilter::bit_of("have")) ||
                       sentence.may_hold(ItemTextFilter::bit_of("has")) ||
                       sentence.may_hold(ItemTextFilter::bit_of("had")) ||
                       sentence.may_hold(ItemTextFilter::bit_of("want")) || sentence.may_hold(ItemTextFilter::bit_of("need"));
  EXPECT_EQ(listed.shares_bit_with(sentence), collide);
  sentence.note_bit(ItemTextFilter::bit_of("NEED"));
  EXPECT_TRUE(listed.shares_bit_with(sentence));
  EXPECT_TRUE(sentence.shares_bit_with(listed));
}

}  // namespace
}  // namespace velmo
