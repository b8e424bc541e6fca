#include "corpus/flat_text_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo {
namespace {

TEST(FlatTextMap, AnEmptyTableFindsNothing) {
  const FlatTextMap<int> table;
  EXPECT_EQ(table.find("dog"), nullptr);
  EXPECT_EQ(table.size(), 0u);
}

TEST(FlatTextMap, ANewTextStartsAtZeroAndKeepsWhatIsAdded) {
  FlatTextMap<int> table;
  table["dog"] += 2;
  table["cat"] += 1;
  table["dog"] += 3;
  ASSERT_NE(table.find("dog"), nullptr);
  EXPECT_EQ(*table.find("dog"), 5);
  EXPECT_EQ(*table.find("cat"), 1);
  EXPECT_EQ(table.find("Dog"), nullptr);  // texts compare exactly
  EXPECT_EQ(table.find(""), nullptr);
  EXPECT_EQ(table.size(), 2u);
}

// Far more texts than the first array holds: every one keeps its value
// through the growth, and texts never added stay absent.
TEST(FlatTextMap, EveryTextSurvivesGrowth) {
  std::vector<std::string> texts;
  for (int i = 0; i < 20000; ++i) {
    std::string text = std::to_string(i);
    text.insert(text.begin(), 'w');
    texts.push_back(std::move(text));
  }
  FlatTextMap<long> table;
  for (std::size_t i = 0; i < texts.size(); ++i) table[texts[i]] = static_cast<long>(i);
  EXPECT_EQ(table.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const long* value = table.find(texts[i]);
    ASSERT_NE(value, nullptr) << texts[i];
    EXPECT_EQ(*value, static_cast<long>(i));
  }
  EXPECT_EQ(table.find("w20000"), nullptr);
  EXPECT_EQ(table.find("x1"), nullptr);
}

// Room made in advance holds that many texts without growing; texts added
// before and after keep their values, and a smaller reservation changes
// nothing.
TEST(FlatTextMap, ReservedRoomHoldsItsTextsWithoutGrowing) {
  FlatTextMap<int> table;
  EXPECT_EQ(table.capacity(), 0u);
  table["first"] = 1;
  table.reserve(5000);
  const std::size_t room = table.capacity();
  EXPECT_GE(room, 5000u);
  EXPECT_LT(room, 10000u);
  std::vector<std::string> texts;
  for (int i = 0; i < 4999; ++i) {
    std::string text = std::to_string(i);
    text.insert(text.begin(), 't');
    texts.push_back(std::move(text));
  }
  for (std::size_t i = 0; i < texts.size(); ++i) table[texts[i]] = static_cast<int>(i) + 2;
  EXPECT_EQ(table.capacity(), room);
  EXPECT_EQ(table.size(), 5000u);
  table.reserve(10);
  EXPECT_EQ(table.capacity(), room);
  ASSERT_NE(table.find("first"), nullptr);
  EXPECT_EQ(*table.find("first"), 1);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int* value = table.find(texts[i]);
    ASSERT_NE(value, nullptr) << texts[i];
    EXPECT_EQ(*value, static_cast<int>(i) + 2);
  }
  EXPECT_EQ(table.find("t4999"), nullptr);
}

}  // namespace
}  // namespace velmo
