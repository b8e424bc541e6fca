#include "parser/chart/span_index.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "parser/chart/pitem.h"

namespace velmo {
namespace {

class SpanIndexTest : public ::testing::Test {
 protected:
  PItem* item(int start, int end) {
    PItem& made = items_.emplace_back(nullptr);
    made.start = static_cast<std::int16_t>(start);
    made.end = static_cast<std::int16_t>(end);
    return &made;
  }
  // Every item under the place, in the order the index gives them.
  std::vector<PItem*> all(const void* owner, int end, int position, int start) {
    std::vector<PItem*> found;
    index_.find_first(owner, end, position, start, [&](PItem* p) {
      found.push_back(p);
      return false;
    });
    return found;
  }

  std::deque<PItem> items_;
  SpanIndex index_;
  int owner_a_ = 0, owner_b_ = 0;
};

TEST_F(SpanIndexTest, ListsItemsOfOneSpanInTheOrderStored) {
  PItem* first = item(2, 5);
  PItem* other_start = item(3, 5);
  PItem* second = item(2, 5);
  index_.add(&owner_a_, 5, 1, first->start, first);
  index_.add(&owner_a_, 5, 1, other_start->start, other_start);
  index_.add(&owner_a_, 5, 1, second->start, second);
  EXPECT_EQ(all(&owner_a_, 5, 1, 2), (std::vector<PItem*>{first, second}));
  EXPECT_EQ(all(&owner_a_, 5, 1, 3), (std::vector<PItem*>{other_start}));
  EXPECT_TRUE(all(&owner_a_, 5, 1, 4).empty());
}

TEST_F(SpanIndexTest, KeepsCategoriesPositionsAndEndsApart) {
  PItem* a = item(1, 4);
  PItem* b = item(1, 4);
  PItem* c = item(1, 4);
  PItem* d = item(1, 6);
  index_.add(&owner_a_, 4, 0, a->start, a);
  index_.add(&owner_b_, 4, 0, b->start, b);
  index_.add(&owner_a_, 4, 2, c->start, c);
  index_.add(&owner_a_, 6, 0, d->start, d);
  EXPECT_EQ(all(&owner_a_, 4, 0, 1), (std::vector<PItem*>{a}));
  EXPECT_EQ(all(&owner_b_, 4, 0, 1), (std::vector<PItem*>{b}));
  EXPECT_EQ(all(&owner_a_, 4, 2, 1), (std::vector<PItem*>{c}));
  EXPECT_EQ(all(&owner_a_, 6, 0, 1), (std::vector<PItem*>{d}));
}

TEST_F(SpanIndexTest, FindFirstStopsAtTheFirstAcceptedItem) {
  PItem* light = item(0, 3);
  PItem* heavy = item(0, 3);
  PItem* heavier = item(0, 3);
  light->weight = 1.0f;
  heavy->weight = 5.0f;
  heavier->weight = 9.0f;
  for (PItem* p : {light, heavy, heavier}) index_.add(&owner_a_, 3, 1, p->start, p);
  int asked = 0;
  PItem* found = index_.find_first(&owner_a_, 3, 1, 0, [&](PItem* p) {
    ++asked;
    return p->weight > 2.0f;
  });
  EXPECT_EQ(found, heavy);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(index_.find_first(&owner_a_, 3, 1, 0, [](PItem*) { return false; }), nullptr);
}

TEST_F(SpanIndexTest, ClearForgetsEveryItemAndManyItemsStayInOrder) {
  std::vector<PItem*> stored;
  for (int i = 0; i < 3000; ++i) {
    PItem* p = item(i % 7, 9);
    stored.push_back(p);
    index_.add(&owner_a_, 9, i % 3, p->start, p);
  }
  EXPECT_EQ(index_.size(), 3000u);
  std::vector<PItem*> expected;
  for (int i = 0; i < 3000; ++i)
    if (i % 7 == 4 && i % 3 == 2) expected.push_back(stored[static_cast<std::size_t>(i)]);
  EXPECT_EQ(all(&owner_a_, 9, 2, 4), expected);
  index_.clear();
  EXPECT_EQ(index_.size(), 0u);
  EXPECT_TRUE(all(&owner_a_, 9, 2, 4).empty());
  PItem* again = item(4, 9);
  index_.add(&owner_a_, 9, 2, again->start, again);
  EXPECT_EQ(all(&owner_a_, 9, 2, 4), (std::vector<PItem*>{again}));
}

TEST_F(SpanIndexTest, FindFirstInTakesTheLowestPositionThatHasAnAcceptedItem) {
  PItem* at_high = item(2, 6);
  PItem* at_low = item(2, 6);
  PItem* refused = item(2, 6);
  PItem* other_span = item(3, 6);
  index_.add(&owner_a_, 6, 4, at_high->start, at_high);
  index_.add(&owner_a_, 6, 1, refused->start, refused);
  index_.add(&owner_a_, 6, 2, at_low->start, at_low);
  index_.add(&owner_a_, 6, 0, other_span->start, other_span);
  const auto not_refused = [&](PItem* p) { return p != refused; };
  EXPECT_EQ(index_.find_first_in(&owner_a_, 6, 0, 5, 2, not_refused), at_low);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 6, 3, 5, 2, not_refused), at_high);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 6, 0, 1, 2, not_refused), nullptr);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 6, 0, 5, 3, not_refused), other_span);
  EXPECT_EQ(index_.find_first_in(&owner_b_, 6, 0, 5, 2, not_refused), nullptr);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 7, 0, 5, 2, not_refused), nullptr);
}

TEST_F(SpanIndexTest, FindFirstInReachesHighPositions) {
  const int high = 70;
  PItem* far = item(1, 3);
  index_.add(&owner_a_, 3, high, far->start, far);
  const auto any = [](PItem*) { return true; };
  EXPECT_EQ(index_.find_first_in(&owner_a_, 3, 0, high + 2, 1, any), far);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 3, high + 1, high + 2, 1, any), nullptr);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 3, 0, high - 1, 1, any), nullptr);
  index_.clear();
  EXPECT_EQ(index_.find_first_in(&owner_a_, 3, 0, high + 2, 1, any), nullptr);
}

TEST_F(SpanIndexTest, FindFirstInPrefersALowerPositionStoredLater) {
  PItem* high_first = item(0, 2);
  PItem* low_refused = item(0, 2);
  PItem* low_later = item(0, 2);
  PItem* low_last = item(0, 2);
  index_.add(&owner_a_, 2, 5, high_first->start, high_first);
  index_.add(&owner_a_, 2, 1, low_refused->start, low_refused);
  index_.add(&owner_a_, 2, 1, low_later->start, low_later);
  index_.add(&owner_a_, 2, 1, low_last->start, low_last);
  const auto not_refused = [&](PItem* p) { return p != low_refused; };
  EXPECT_EQ(index_.find_first_in(&owner_a_, 2, 0, 6, 0, not_refused), low_later);
  EXPECT_EQ(index_.find_first_in(&owner_a_, 2, 2, 6, 0, not_refused), high_first);
  EXPECT_EQ(all(&owner_a_, 2, 1, 0), (std::vector<PItem*>{low_refused, low_later, low_last}));
}

TEST_F(SpanIndexTest, FindFirstInAsksOnlyItemsInTheRowBelowTheBestFound) {
  PItem* at_two = item(0, 2);
  PItem* at_zero = item(0, 2);
  PItem* at_three = item(0, 2);
  PItem* at_one = item(0, 2);
  PItem* outside = item(0, 2);
  index_.add(&owner_a_, 2, 2, at_two->start, at_two);
  index_.add(&owner_a_, 2, 0, at_zero->start, at_zero);
  index_.add(&owner_a_, 2, 3, at_three->start, at_three);
  index_.add(&owner_a_, 2, 1, at_one->start, at_one);
  index_.add(&owner_a_, 2, 9, outside->start, outside);
  std::vector<PItem*> asked;
  const auto all_but_zero = [&](PItem* p) {
    asked.push_back(p);
    return p != at_zero;
  };
  // at_two is taken first; at_three lies above it and is not asked; at_one
  // is lower and is taken; position 9 is outside the row.
  EXPECT_EQ(index_.find_first_in(&owner_a_, 2, 0, 8, 0, all_but_zero), at_one);
  EXPECT_EQ(asked, (std::vector<PItem*>{at_two, at_zero, at_one}));
  // An accepted item at the row's lowest position ends the reading.
  asked.clear();
  const auto any = [&](PItem* p) {
    asked.push_back(p);
    return true;
  };
  EXPECT_EQ(index_.find_first_in(&owner_a_, 2, 2, 9, 0, any), at_two);
  EXPECT_EQ(asked, (std::vector<PItem*>{at_two}));
  EXPECT_EQ(index_.find_first_in(&owner_a_, 2, 5, 4, 0, any), nullptr);
}

TEST_F(SpanIndexTest, ASpanHandleHoldsTheItemsOfItsOwnerAndSpanOnly) {
  PItem* low = item(2, 5);
  PItem* high = item(2, 5);
  PItem* swapped = item(5, 2);
  index_.add(&owner_a_, 5, 3, low->start, low);
  index_.add(&owner_a_, 5, 1, high->start, high);
  index_.add(&owner_a_, 2, 1, swapped->start, swapped);
  EXPECT_TRUE(index_.span(&owner_b_, 5, 2).empty());
  EXPECT_TRUE(index_.span(&owner_a_, 5, 3).empty());
  const SpanIndex::Span span = index_.span(&owner_a_, 5, 2);
  ASSERT_FALSE(span.empty());
  const auto any = [](const PItem*) { return true; };
  // The lowest position of the row that holds one wins; positions outside
  // the row are passed.
  EXPECT_EQ(index_.find_first_in(span, 0, 3, any), high);
  EXPECT_EQ(index_.find_first_in(span, 2, 3, any), low);
  EXPECT_EQ(index_.find_first_in(span, 2, 2, any), nullptr);
  const SpanIndex::Span other = index_.span(&owner_a_, 2, 5);
  ASSERT_FALSE(other.empty());
  EXPECT_EQ(index_.find_first_in(other, 0, 3, any), swapped);
  EXPECT_TRUE(SpanIndex::Span().empty());
}

}  // namespace
}  // namespace velmo
