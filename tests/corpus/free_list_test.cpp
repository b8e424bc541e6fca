#include "corpus/free_list.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(FreeList, FirstFitTakesTheLowestExtentLargeEnough) {
  FreeList list;
  ASSERT_TRUE(list.add({100, 32}));
  ASSERT_TRUE(list.add({300, 128}));
  ASSERT_TRUE(list.add({600, 64}));
  EXPECT_EQ(list.take_first_fit(64), 300U);
  EXPECT_EQ(list.describe(), " (100, 32) (364, 64) (600, 64)");
  EXPECT_EQ(list.take_first_fit(64), 364U);
  EXPECT_EQ(list.describe(), " (100, 32) (600, 64)");
  EXPECT_FALSE(list.take_first_fit(96).has_value());
}

TEST(FreeList, ExactFitRemovesTheExtent) {
  FreeList list;
  list.add({12, 64});
  EXPECT_EQ(list.take_first_fit(64), 12U);
  EXPECT_TRUE(list.empty());
}

TEST(FreeList, AdjacentExtentsMergeOnBothSides) {
  FreeList list;
  list.add({100, 50});
  list.add({200, 50});
  ASSERT_TRUE(list.add({150, 50}));
  EXPECT_EQ(list.count(), 1U);
  EXPECT_EQ(list.describe(), " (100, 150)");
}

TEST(FreeList, MergesWithPrecedingOrFollowingOnly) {
  FreeList list;
  list.add({100, 50});
  list.add({150, 10});
  EXPECT_EQ(list.describe(), " (100, 60)");
  list.add({90, 10});
  EXPECT_EQ(list.describe(), " (90, 70)");
  list.add({200, 10});
  EXPECT_EQ(list.describe(), " (90, 70) (200, 10)");
}

TEST(FreeList, RefusesOverlapsAndEmptyExtents) {
  FreeList list;
  list.add({100, 50});
  EXPECT_FALSE(list.add({120, 10}));
  EXPECT_FALSE(list.add({90, 20}));
  EXPECT_FALSE(list.add({149, 5}));
  EXPECT_FALSE(list.add({300, 0}));
  EXPECT_EQ(list.describe(), " (100, 50)");
}

}  // namespace
}  // namespace velmo
