#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmo
