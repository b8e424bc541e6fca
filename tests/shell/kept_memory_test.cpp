#include "shell/support/kept_memory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

struct Kept {
  explicit Kept(int value) : value(value) {}
  static void* operator new(std::size_t size) { return KeptMemory<Kept>::take(size); }
  static void operator delete(void* memory, std::size_t size) { KeptMemory<Kept>::give(memory, size); }
  int value;
  std::vector<int> list;
};

// A class derived from a kept one is larger: its memory comes from the heap
// and goes back there.
struct LargerKept : Kept {
  LargerKept() : Kept(9) {}
  long more[4] = {1, 2, 3, 4};
};

// The memory of dropped objects is handed out again, the last dropped
// first, and each object made there starts afresh.
TEST(KeptMemory, DroppedMemoryIsReusedLastFirst) {
  auto first = std::make_unique<Kept>(1);
  auto second = std::make_unique<Kept>(2);
  first->list.assign({1, 2, 3});
  const Kept* first_memory = first.get();
  const Kept* second_memory = second.get();
  first.reset();
  second.reset();
  auto third = std::make_unique<Kept>(3);
  auto fourth = std::make_unique<Kept>(4);
  if (kKeepDroppedMemory) {
    EXPECT_EQ(third.get(), second_memory);
    EXPECT_EQ(fourth.get(), first_memory);
  }
  EXPECT_EQ(third->value, 3);
  EXPECT_EQ(fourth->value, 4);
  EXPECT_TRUE(fourth->list.empty());
}

TEST(KeptMemory, OtherSizesUseTheHeap) {
  auto kept = std::make_unique<Kept>(1);
  kept.reset();
  std::unique_ptr<LargerKept> larger = std::make_unique<LargerKept>();
  EXPECT_EQ(larger->value, 9);
  EXPECT_EQ(larger->more[3], 4);
  larger.reset();
  // The kept memory is still there for the next object of the class.
  auto again = std::make_unique<Kept>(5);
  EXPECT_EQ(again->value, 5);
}

// Lists parsed, dropped and parsed again read the same.
TEST(KeptMemory, ListsParsedAgainReadTheSame) {
  StringPool store;
  const std::string text = "(work (N (num sg)) (V (tense pres) \"a b\"))";
  std::unique_ptr<IRSlist> parsed = IRSlist::parse(text, store);
  ASSERT_TRUE(parsed);
  const std::string flat = parsed->flat();
  for (int round = 0; round < 3; ++round) {
    parsed.reset();
    parsed = IRSlist::parse(text, store);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->flat(), flat);
  }
  std::unique_ptr<IRSlist> copied = parsed->copy(store);
  parsed.reset();
  EXPECT_EQ(copied->flat(), flat);
}

}  // namespace
}  // namespace velmo
