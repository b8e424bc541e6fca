#include "parser/forest/flat_memo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velmo {
namespace {

// A deliberately poor hash: every key collides, so probing is exercised.
struct Collide {
  std::size_t operator()(int) const { return 7; }
};
struct Spread {
  std::size_t operator()(int key) const { return static_cast<std::size_t>(key) * 2654435761u; }
};

TEST(FlatMemo, KeepsEveryKeyThroughGrowthAndCollisions) {
  FlatMemo<int, int, Collide> colliding(4);
  FlatMemo<int, int, Spread> spread(4);
  for (int k = 0; k < 500; ++k) {
    auto [value, added] = colliding.find_or_add(k);
    EXPECT_TRUE(added);
    value = 3 * k;
    spread.find_or_add(k).first = 5 * k;
  }
  EXPECT_EQ(colliding.size(), 500u);
  for (int k = 0; k < 500; ++k) {
    auto [value, added] = colliding.find_or_add(k);
    EXPECT_FALSE(added);
    EXPECT_EQ(value, 3 * k);
    ASSERT_NE(spread.find(k), nullptr);
    EXPECT_EQ(*spread.find(k), 5 * k);
  }
  EXPECT_EQ(spread.find(500), nullptr);
}

TEST(FlatMemo, ClearForgetsEverythingAndNewValuesStartFresh) {
  FlatMemo<int, int, Spread> memo(8);
  for (int k = 0; k < 20; ++k) memo.find_or_add(k).first = k + 1;
  memo.clear();
  EXPECT_EQ(memo.size(), 0u);
  for (int k = 0; k < 20; ++k) EXPECT_EQ(memo.find(k), nullptr);
  auto [value, added] = memo.find_or_add(3);
  EXPECT_TRUE(added);
  EXPECT_EQ(value, 0);  // not the value of the previous generation
}

}  // namespace
}  // namespace velmo
