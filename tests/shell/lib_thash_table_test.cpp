#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/support/thash_table.h"

namespace velmo {
namespace {

using TextTable = THashTableWithOrd<const char*, int>;

TEST(THashTableWithOrdTest, TextKeysIgnoreCaseByDefault) {
  TextTable table(7);
  EXPECT_TRUE(table.insert("Apple", 1).second);
  ASSERT_NE(table.find("aPPLE"), nullptr);
  EXPECT_EQ(*table.find("apple"), 1);
  EXPECT_EQ(table.find("apples"), nullptr);
}

TEST(THashTableWithOrdTest, RepeatedKeyKeepsTheFirstEntry) {
  TextTable table(7);
  table.insert("word", 1);
  const auto [entry, inserted] = table.insert("WORD", 2);
  EXPECT_FALSE(inserted);
  EXPECT_STREQ(entry->key, "word");
  EXPECT_EQ(entry->value, 1);
  EXPECT_EQ(table.size(), 1u);
}

TEST(THashTableWithOrdTest, ExactComparisonTellsCaseApart) {
  TextTable table(7, &THashTraits<const char*>::hash, &compare_text_exact);
  table.insert("Word", 1);
  table.insert("word", 2);
  EXPECT_EQ(table.size(), 2u);
  EXPECT_EQ(*table.find("Word"), 1);
  EXPECT_EQ(*table.find("word"), 2);
  EXPECT_EQ(table.find("WORD"), nullptr);
}

TEST(THashTableWithOrdTest, EveryBucketIsKeptInAscendingOrder) {
  // One bucket holds everything, so the visiting order is the bucket order.
  TextTable table(1);
  for (const char* word : {"pear", "Apple", "fig", "banana", "cherry"}) table.insert(word, 0);
  std::vector<std::string> seen;
  table.for_each([&](const TextTable::Entry& entry) { seen.emplace_back(entry.key); });
  EXPECT_EQ(seen, (std::vector<std::string>{"Apple", "banana", "cherry", "fig", "pear"}));
}

TEST(THashTableWithOrdTest, ValuesStayInPlaceWhileTheTableGrows) {
  THashTableWithOrd<int, int> table(3);
  int* first = &table.insert(0, 100).first->value;
  for (int i = 1; i < 5000; ++i) table.insert(i, i);
  EXPECT_EQ(first, table.find(0));
  EXPECT_EQ(*first, 100);
  EXPECT_EQ(table.size(), 5000u);
  EXPECT_EQ(*table.find(4999), 4999);
}

TEST(THashTableWithOrdTest, EraseRemovesAndFreesTheSlotForReuse) {
  TextTable table(5);
  table.insert("a", 1);
  table.insert("b", 2);
  EXPECT_TRUE(table.erase("A"));
  EXPECT_FALSE(table.erase("a"));
  EXPECT_EQ(table.find("a"), nullptr);
  EXPECT_EQ(table.size(), 1u);
  table.insert("c", 3);
  EXPECT_EQ(*table.find("c"), 3);
  EXPECT_EQ(*table.find("b"), 2);
}

TEST(THashTableWithOrdTest, PointerKeysCompareByAddress) {
  int objects[3] = {};
  THashTableWithOrd<int*, int*> table(101);
  for (int& object : objects) table.insert(&object, &object);
  EXPECT_EQ(*table.find(&objects[1]), &objects[1]);
  int other = 0;
  EXPECT_EQ(table.find(&other), nullptr);
}

TEST(THashTableWithOrdTest, ClearEmptiesTheTable) {
  TextTable table(5);
  table.insert("x", 1);
  table.clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.find("x"), nullptr);
  EXPECT_TRUE(table.insert("x", 2).second);
}

TEST(THashTableWithOrdTest, BucketCountIsFixedAndAtLeastOne) {
  EXPECT_EQ(TextTable(0).bucket_count(), 1u);
  EXPECT_EQ(TextTable(19997).bucket_count(), 19997u);
}

}  // namespace
}  // namespace velmo
