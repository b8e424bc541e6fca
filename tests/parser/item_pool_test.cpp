#include "parser/chart/item_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/plain_atts.h"

namespace velmo {
namespace {

class ItemPoolTest : public ::testing::Test {
 protected:
  void SetUp() override { type_.add(std::make_unique<BinAtt>("flag")); }
  void TearDown() override { pitem_limit() = ItemPool::kDefaultLimit; }
  AttInterpreterList type_{"pool-test"};
};

TEST_F(ItemPoolTest, BlocksKeepItemsInPlaceAcrossBlockBoundaries) {
  ItemBlocks blocks;
  std::vector<PItem*> made;
  const std::size_t count = 2 * ItemBlocks::kBlockItems + 3;
  for (std::size_t i = 0; i < count; ++i) {
    PItem& item = blocks.emplace_back(&type_);
    item.start = static_cast<std::int16_t>(i % 1000);
    made.push_back(&item);
  }
  ASSERT_EQ(blocks.size(), count);
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_EQ(&blocks[i], made[i]);
    EXPECT_EQ(blocks[i].start, static_cast<std::int16_t>(i % 1000));
    EXPECT_TRUE(blocks[i].av.usable());
  }
}

TEST_F(ItemPoolTest, ReusedItemsAreFreshAfterFreeAll) {
  ItemPool pool(&type_);
  std::vector<PItem*> first;
  for (std::size_t i = 0; i < ItemBlocks::kBlockItems + 5; ++i) {
    PItem* item = pool.allocate();
    ASSERT_NE(item, nullptr);
    item->start = 3;
    item->weight = 2.5f;
    item->av.set_binary_value(0, true);
    item->av.mark_defined(0);
    item->answers.known[1] = 7;
    item->answers.known[ItemAnswers::plan_word(128)] = 9;
    item->answers.known[ItemAnswers::plan_word(ItemAnswers::kPlans - 1)] = 5;
    item->forest_generation = 4;
    item->root_collection = 6;
    item->next_alt = item;
    first.push_back(item);
  }
  pool.free_all();
  for (std::size_t i = 0; i < first.size(); ++i) {
    PItem* item = pool.allocate();
    ASSERT_EQ(item, first[i]);  // reused in the same order
    EXPECT_EQ(item->start, 0);
    EXPECT_EQ(item->weight, 0.0f);
    EXPECT_TRUE(item->av.empty());
    EXPECT_EQ(item->answers.known[1], 0u);
    EXPECT_EQ(item->answers.known[ItemAnswers::plan_word(128)], 0u);
    EXPECT_EQ(item->answers.known[ItemAnswers::plan_word(ItemAnswers::kPlans - 1)], 0u);
    EXPECT_EQ(item->forest_generation, 0u);
    EXPECT_EQ(item->root_collection, 0u);
    EXPECT_EQ(item->next_alt, nullptr);
  }
  EXPECT_EQ(pool.made(), first.size());
}

// forget() clears the known words two at a time: every word, the last
// plan's included, is cleared, and the accepted bits are left as they were
// (they are read only where a known bit is set).
TEST(ItemAnswersTest, ForgetClearsEveryKnownWordAndNoAcceptedOne) {
  ItemAnswers answers;
  for (int word = 0; word < ItemAnswers::kWords; ++word) {
    answers.known[word] = ~std::uint64_t{0};
    answers.accepted[word] = std::uint64_t{1} << word;
  }
  answers.forget();
  for (int word = 0; word < ItemAnswers::kWords; ++word) {
    EXPECT_EQ(answers.known[word], 0u) << "word " << word;
    EXPECT_EQ(answers.accepted[word], std::uint64_t{1} << word) << "word " << word;
  }
}

// Every plan number below the room has a word of its own after the
// conditions' words, within the answers.
TEST(ItemAnswersTest, PlansHaveWordsPastTheConditions) {
  EXPECT_EQ(ItemAnswers::plan_word(0), ItemAnswers::kConditionWords);
  EXPECT_EQ(ItemAnswers::plan_word(ItemAnswers::kPlans - 1), ItemAnswers::kWords - 1);
  ItemAnswers answers;
  const int last = ItemAnswers::kPlans - 1;
  const std::uint64_t bit = std::uint64_t{1} << (last % 64);
  answers.keep(static_cast<std::size_t>(ItemAnswers::plan_word(last)), bit, false);
  EXPECT_TRUE(answers.known_false(ItemAnswers::plan_word(last), bit));
  answers.forget();
  EXPECT_FALSE(answers.known_false(ItemAnswers::plan_word(last), bit));
}

TEST_F(ItemPoolTest, TheLexicalHeadIsNotedAlongTheHeadChildChain) {
  ItemPool pool(&type_);
  PItem* word = pool.allocate();
  PItem* modifier = pool.allocate();
  PItem* projected = pool.allocate();
  PItem* merged = pool.allocate();
  word->start = word->end = 4;
  word->note_relations(0);
  modifier->note_relations(0);
  projected->head_child = word;
  projected->note_relations(0);
  merged->head_child = projected;
  merged->second = modifier;
  merged->note_relations(0);
  EXPECT_EQ(word->lexical_head_item, word);
  EXPECT_EQ(merged->lexical_head_item, word);
  EXPECT_EQ(&merged->lexical_head(), word);
  // An item whose chain was not noted walks it.
  PItem* by_hand = pool.allocate();
  by_hand->head_child = merged;
  EXPECT_EQ(by_hand->lexical_head_item, nullptr);
  EXPECT_EQ(&by_hand->lexical_head(), word);
  // A reused item forgets it.
  pool.free_all();
  EXPECT_EQ(pool.allocate()->lexical_head_item, nullptr);
}

TEST_F(ItemPoolTest, AllocationFailsPastTheLimit) {
  pitem_limit() = 3;
  ItemPool pool(&type_);
  for (int i = 0; i < 3; ++i) EXPECT_NE(pool.allocate(), nullptr);
  EXPECT_EQ(pool.allocate(), nullptr);
  EXPECT_TRUE(pool.exhausted());
  pool.keep_used();
  EXPECT_NE(pool.allocate(), nullptr);
}

}  // namespace
}  // namespace velmo
