#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>

#include "parser/chart/pitem.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"

namespace velmo {
namespace {

class CateChartTest : public ::testing::Test {
 protected:
  PItem* item() { return &items_.emplace_back(nullptr); }

  std::deque<PItem> items_;
  GCate cate_{nullptr, "N"};
};

TEST_F(CateChartTest, ClearEmptiesTheRowsAndEndsASentenceTouched) {
  cate_.reset_positions(3);
  CateChart& chart = cate_.chart();
  chart.bucket(12, 2).push_back(item());
  chart.add_active_end(12);
  chart.clear();
  // A shorter sentence: its rows are cleared, and the long one's stay empty.
  chart.bucket(3, 1).push_back(item());
  chart.add_active_end(3);
  EXPECT_TRUE(chart.find_bucket(12, 2)->empty());
  EXPECT_FALSE(chart.active_end(12));
  chart.clear();
  EXPECT_TRUE(chart.find_bucket(3, 1)->empty());
  EXPECT_FALSE(chart.active_end(3));
  chart.bucket(20, 0).push_back(item());
  chart.bucket(0, 3).push_back(item());
  chart.clear();
  EXPECT_TRUE(chart.find_bucket(20, 0)->empty());
  EXPECT_TRUE(chart.find_bucket(0, 3)->empty());
}

// A row knows the positions whose buckets were handed out since the chart
// was cleared: every bucket outside them is empty.
TEST_F(CateChartTest, ARowKnowsItsFilledPositions) {
  cate_.reset_positions(70);
  CateChart& chart = cate_.chart();
  EXPECT_EQ(chart.filled_positions(4), 0u);
  chart.bucket(4, 2).push_back(item());
  chart.bucket(4, 5);
  chart.bucket(4, 66).push_back(item());
  chart.bucket(30, 0).push_back(item());
  const std::uint64_t top = std::uint64_t{1} << CateChart::kFilledBits;
  EXPECT_EQ(chart.filled_positions(4), (std::uint64_t{1} << 2) | (std::uint64_t{1} << 5) | top);
  EXPECT_EQ(chart.filled_positions(30), 1u);
  EXPECT_EQ(chart.filled_positions(3), 0u);
  EXPECT_EQ(chart.filled_positions(-1), 0u);
  EXPECT_EQ(chart.filled_positions(500), 0u);
  for (int end = 0; end < chart.rows(); ++end)
    for (int q = 0; q <= 70; ++q) {
      const std::vector<PItem*>* bucket = chart.find_bucket(end, q);
      const int bit = q < CateChart::kFilledBits ? q : CateChart::kFilledBits;
      if (bucket && !bucket->empty()) {
        EXPECT_TRUE(chart.filled_positions(end) >> bit & 1u) << end << " " << q;
      }
    }
  chart.clear();
  EXPECT_EQ(chart.filled_positions(4), 0u);
  EXPECT_EQ(chart.filled_positions(30), 0u);
  chart.bucket(4, 1);
  EXPECT_EQ(chart.filled_positions(4), 2u);
}

// clear() empties the buckets the filled bits name, those from
// kFilledBits on included, and leaves none of a row behind.
TEST_F(CateChartTest, ClearEmptiesEveryFilledBucketOfAWideCategory) {
  cate_.reset_positions(70);
  CateChart& chart = cate_.chart();
  const int positions[] = {0, 1, 2, 31, 32, 40, 61, 62, 63, 64, 66, 70};
  for (int end : {0, 3, 9})
    for (int q : positions) chart.bucket(end, q).push_back(item());
  chart.clear();
  for (int end = 0; end < chart.rows(); ++end) {
    EXPECT_EQ(chart.filled_positions(end), 0u);
    for (int q = 0; q <= 70; ++q) {
      const std::vector<PItem*>* bucket = chart.find_bucket(end, q);
      EXPECT_TRUE(!bucket || bucket->empty()) << end << " " << q;
    }
  }
}

TEST_F(CateChartTest, ClearWaitingEmptiesTheListsOfTheTouchedEnds) {
  GLink link(&cate_, &cate_);
  link.add_waiting(9, item());
  link.add_waiting(2, item());
  link.clear_waiting(4);  // the lists of end words 0..4 only
  EXPECT_TRUE(link.waiting_at(2)->empty());
  ASSERT_NE(link.waiting_at(9), nullptr);
  EXPECT_EQ(link.waiting_at(9)->size(), 1u);
  link.clear_waiting(-1);
  EXPECT_TRUE(link.waiting_at(9)->empty());
  link.add_waiting(1, item());
  link.clear_waiting(-1);
  EXPECT_TRUE(link.waiting_at(1)->empty());
  EXPECT_TRUE(link.waiting_at(9)->empty());
}

TEST_F(CateChartTest, WaitingPositionsNameThePositionsWithModifiersWaitingAtAnEnd) {
  cate_.reset_positions(70);
  CateChart& chart = cate_.chart();
  EXPECT_EQ(chart.waiting_positions(5), 0u);
  chart.note_waiting(5, 1);
  chart.note_waiting(5, 3);
  chart.note_waiting(5, 68);
  chart.note_waiting(40, 0);
  chart.note_waiting(-1, 2);  // no end word: nothing
  const std::uint64_t top = std::uint64_t{1} << CateChart::kFilledBits;
  EXPECT_EQ(chart.waiting_positions(5), (std::uint64_t{1} << 1) | (std::uint64_t{1} << 3) | top);
  EXPECT_EQ(chart.waiting_positions(40), 1u);
  // The ends between, and those past the last noted, have none.
  for (int end = 0; end < 60; ++end) {
    if (end != 5 && end != 40) {
      EXPECT_EQ(chart.waiting_positions(end), 0u) << end;
    }
  }
  EXPECT_EQ(chart.waiting_positions(-1), 0u);
  EXPECT_EQ(chart.waiting_positions(5000), 0u);
  EXPECT_EQ(chart.waiting_positions(5) & CateChart::position_bit(2), 0u);
  EXPECT_NE(chart.waiting_positions(5) & CateChart::position_bit(64), 0u);
  // A shorter sentence after clear() finds none of the long one's.
  chart.clear();
  EXPECT_EQ(chart.waiting_positions(5), 0u);
  EXPECT_EQ(chart.waiting_positions(40), 0u);
  chart.note_waiting(2, 4);
  EXPECT_EQ(chart.waiting_positions(2), std::uint64_t{1} << 4);
  EXPECT_EQ(chart.waiting_positions(5), 0u);
  EXPECT_EQ(chart.waiting_positions(40), 0u);
  chart.clear();
  chart.note_waiting(45, 2);
  EXPECT_EQ(chart.waiting_positions(40), 0u);
  EXPECT_EQ(chart.waiting_positions(2), 0u);
  EXPECT_EQ(chart.waiting_positions(45), std::uint64_t{1} << 2);
}

// The position-by-position walks the mask tests stand for.
bool obligatory_in_by_walk(const GCate& g, int from, int to) {
  for (int k = std::max(from, 0); k <= to && k < 32; ++k)
    if (g.is_obligatory(k)) return true;
  return false;
}
int lowest_reach_by_walk(const GCate& g, int p) {
  while (p > 0 && !g.is_obligatory(p)) --p;
  return p;
}
int highest_reach_by_walk(const GCate& g, int p) {
  while (p + 1 < g.position_count() && !g.is_obligatory(p + 1)) ++p;
  return p;
}

TEST(CateReachTest, MaskTestsAgreeWithWalkingThePositions) {
  GCate cate{nullptr, "V"};
  const std::uint32_t masks[] = {0u, 1u, 0x5u, 0x80000000u, 0x80000001u, 0x12345678u, 0xffffffffu, 0x00f000f0u};
  for (int n : {1, 2, 5, 31, 32, 40}) {
    cate.reset_positions(n);
    for (std::uint32_t mask : masks) {
      cate.obligatory = mask;
      for (int p = 0; p <= n + 1; ++p) {
        EXPECT_EQ(cate.lowest_reach(p), lowest_reach_by_walk(cate, p)) << n << ' ' << mask << ' ' << p;
        EXPECT_EQ(cate.highest_reach(p), highest_reach_by_walk(cate, p)) << n << ' ' << mask << ' ' << p;
        for (int to = -2; to <= n + 1; ++to)
          EXPECT_EQ(cate.obligatory_in(p - 1, to), obligatory_in_by_walk(cate, p - 1, to))
              << n << ' ' << mask << ' ' << p << ' ' << to;
      }
    }
  }
}

}  // namespace
}  // namespace velmo
