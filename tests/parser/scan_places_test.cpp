#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "parser/chart/first_pass_record.h"
#include "parser/chart/pitem.h"

namespace velmo {
namespace {

class ScanPlacesTest : public ::testing::Test {
 protected:
  PItem* item() { return &items_.emplace_back(nullptr); }
  // The heads listed under the word whose positions cover `position`, in
  // the order the places give them.
  std::vector<PItem*> heads(const void* owner, int word, int position) {
    std::vector<PItem*> found;
    places_.for_each(owner, word, [&](const LeftScanValue& scan) {
      if (scan.covers(position)) found.push_back(scan.head);
    });
    return found;
  }
  static ScanPositions positions(int lowest, int highest) {
    return ScanPositions{static_cast<std::int16_t>(lowest), static_cast<std::int16_t>(highest)};
  }

  std::deque<PItem> items_;
  ScanPlaces<LeftScanValue> places_;
  int owner_a_ = 0, owner_b_ = 0;
};

TEST_F(ScanPlacesTest, PositionsCoverTheirRangeOnly) {
  EXPECT_TRUE(positions(2, 4).covers(2));
  EXPECT_TRUE(positions(2, 4).covers(4));
  EXPECT_FALSE(positions(2, 4).covers(1));
  EXPECT_FALSE(positions(2, 4).covers(5));
  EXPECT_TRUE(positions(0, 0).covers(0));
}

TEST_F(ScanPlacesTest, RunsAndSinglePositionsKeepTheOrderOfTheScans) {
  PItem* run = item();
  PItem* single = item();
  PItem* later_run = item();
  places_.add(&owner_a_, 3, LeftScanValue{run, positions(0, 4)});
  places_.add(&owner_a_, 3, LeftScanValue{single, positions(2, 2)});
  places_.add(&owner_b_, 3, LeftScanValue{single, positions(0, 4)});
  places_.add(&owner_a_, 5, LeftScanValue{single, positions(0, 4)});
  places_.add(&owner_a_, 3, LeftScanValue{later_run, positions(1, 3)});
  EXPECT_EQ(heads(&owner_a_, 3, 2), (std::vector<PItem*>{run, single, later_run}));
  EXPECT_EQ(heads(&owner_a_, 3, 0), (std::vector<PItem*>{run}));
  EXPECT_EQ(heads(&owner_a_, 3, 4), (std::vector<PItem*>{run}));
  EXPECT_EQ(heads(&owner_a_, 3, 5), (std::vector<PItem*>{}));
  EXPECT_EQ(heads(&owner_b_, 3, 2), (std::vector<PItem*>{single}));
  EXPECT_EQ(heads(&owner_a_, 4, 2), (std::vector<PItem*>{}));
}

TEST_F(ScanPlacesTest, AVisitSeesOnlyTheScansListedWhenItBegan) {
  PItem* first = item();
  PItem* added = item();
  places_.add(&owner_a_, 1, LeftScanValue{first, positions(0, 2)});
  std::vector<PItem*> seen;
  places_.for_each(&owner_a_, 1, [&](const LeftScanValue& scan) {
    seen.push_back(scan.head);
    places_.add(&owner_a_, 1, LeftScanValue{added, positions(1, 1)});
  });
  EXPECT_EQ(seen, (std::vector<PItem*>{first}));
  EXPECT_EQ(heads(&owner_a_, 1, 1), (std::vector<PItem*>{first, added}));
  places_.clear();
  EXPECT_EQ(places_.size(), 0u);
  EXPECT_TRUE(heads(&owner_a_, 1, 1).empty());
}

TEST_F(ScanPlacesTest, RunsUnderOneKeyStayInOrderAmongOtherKeys) {
  PItem* a = item();
  PItem* b = item();
  PItem* c = item();
  places_.add(&owner_a_, 2, LeftScanValue{a, positions(0, 0)});
  places_.add(&owner_a_, 2, LeftScanValue{b, positions(0, 0)});
  places_.add(&owner_b_, 2, LeftScanValue{c, positions(0, 0)});
  places_.add(&owner_a_, 1, LeftScanValue{c, positions(0, 0)});
  places_.add(&owner_a_, 2, LeftScanValue{c, positions(0, 0)});
  places_.add(&owner_a_, 2, LeftScanValue{a, positions(0, 0)});
  EXPECT_EQ(heads(&owner_a_, 2, 0), (std::vector<PItem*>{a, b, c, a}));
  EXPECT_EQ(heads(&owner_b_, 2, 0), (std::vector<PItem*>{c}));
  EXPECT_EQ(heads(&owner_a_, 1, 0), (std::vector<PItem*>{c}));
  // After a clear the same key starts a list of its own.
  places_.clear();
  places_.add(&owner_a_, 2, LeftScanValue{b, positions(0, 0)});
  places_.add(&owner_a_, 2, LeftScanValue{c, positions(0, 0)});
  EXPECT_EQ(heads(&owner_a_, 2, 0), (std::vector<PItem*>{b, c}));
  EXPECT_EQ(places_.size(), 2u);
}

TEST_F(ScanPlacesTest, ManyKeysGrowingTheTableKeepEveryList) {
  std::vector<PItem*> made;
  for (int word = 0; word < 3000; ++word) {
    made.push_back(item());
    places_.add(&owner_a_, word, LeftScanValue{made.back(), positions(0, 0)});
    places_.add(&owner_a_, word, LeftScanValue{made.front(), positions(0, 0)});
  }
  for (int word = 0; word < 3000; word += 997)
    EXPECT_EQ(heads(&owner_a_, word, 0), (std::vector<PItem*>{made[static_cast<std::size_t>(word)], made.front()}));
}

}  // namespace
}  // namespace velmo
