#include "shell/support/slist.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmo {
namespace {

std::vector<int> values(const TSlist<int>& list) {
  std::vector<int> out;
  for (int v : list) out.push_back(v);
  return out;
}

int compare_ints(Word a, Word b) {
  const auto x = static_cast<long>(a);
  const auto y = static_cast<long>(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

TEST(Slist, AppendPrependInsertAndTake) {
  TSlist<int> list;
  list.append(2);
  list.append(3);
  list.prepend(1);
  EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3}));
  list.raw().insert_after(list.raw().last_node(), 4);
  list.raw().insert_after(nullptr, 0);
  list.raw().insert_after(list.raw().first_node()->next, 9);
  EXPECT_EQ(values(list), (std::vector<int>{0, 1, 9, 2, 3, 4}));
  EXPECT_EQ(list.length(), 6u);
  EXPECT_EQ(list.nth(2), 9);
  EXPECT_EQ(list.nth(6), 0);
  EXPECT_EQ(list.last(), 4);
  int first = -1;
  EXPECT_TRUE(list.take_first(first));
  EXPECT_EQ(first, 0);
  EXPECT_TRUE(list.remove(4));
  EXPECT_EQ(list.last(), 3);
  EXPECT_FALSE(list.remove(42));
}

TEST(Slist, SortedFindOrInsertAndRemove) {
  Slist list;
  bool inserted = false;
  for (Word v : {5, 1, 3, 5, 2}) list.find_or_insert_sorted(v, compare_ints, inserted);
  std::vector<Word> out;
  for (Word v : list) out.push_back(v);
  EXPECT_EQ(out, (std::vector<Word>{1, 2, 3, 5}));
  list.find_or_insert_sorted(3, compare_ints, inserted);
  EXPECT_FALSE(inserted);
  EXPECT_TRUE(list.remove_sorted(3, compare_ints));
  EXPECT_FALSE(list.remove_sorted(4, compare_ints));
  EXPECT_EQ(list.find_sorted(5, compare_ints)->value, 5u);
  EXPECT_EQ(list.find_sorted(4, compare_ints), nullptr);
}

TEST(Slist, IteratorSurvivesRemovalOfCurrent) {
  TSlist<int> list;
  for (int i = 1; i <= 6; ++i) list.append(i);
  for (Slist::Iterator it(list.raw()); !it.done();) {
    if (it.value() % 2 == 0)
      it.remove_current();
    else
      it.advance();
  }
  EXPECT_EQ(values(list), (std::vector<int>{1, 3, 5}));
  for (Slist::Iterator it(list.raw()); !it.done();) it.remove_current();
  EXPECT_TRUE(list.empty());
  list.append(8);
  EXPECT_EQ(values(list), (std::vector<int>{8}));
}

TEST(Slist, NodesAreRecycledThroughThePool) {
  {
    TSlist<int> warm;
    warm.append(1);
  }
  const std::size_t blocks = SlistNodePool::blocks_allocated();
  for (int round = 0; round < 100; ++round) {
    TSlist<int> list;
    for (int i = 0; i < 200; ++i) list.append(i);
  }
  EXPECT_LE(SlistNodePool::blocks_allocated(), blocks + 1);
}

}  // namespace
}  // namespace velmo
