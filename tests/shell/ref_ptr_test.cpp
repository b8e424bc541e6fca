#include "shell/support/ref_ptr.h"

#include <gtest/gtest.h>

#include <utility>

namespace velmo {
namespace {

// Counts the live objects, so a test sees exactly when one is deleted.
struct Counted : RefCounted<Counted> {
  Counted() { ++live; }
  Counted(const Counted& other) : RefCounted(other) { ++live; }
  ~Counted() { --live; }
  static int live;
};
int Counted::live = 0;

TEST(RefPtrTest, CopiesShareAndTheLastHandleDeletes) {
  Counted* object = new Counted;
  EXPECT_EQ(object->refs(), 0);
  {
    RefPtr<Counted> first(object);
    EXPECT_EQ(object->refs(), 1);
    {
      RefPtr<Counted> second = first;
      RefPtr<Counted> third;
      third = second;
      EXPECT_EQ(object->refs(), 3);
      EXPECT_EQ(second.get(), object);
    }
    EXPECT_EQ(object->refs(), 1);
    EXPECT_EQ(Counted::live, 1);
  }
  EXPECT_EQ(Counted::live, 0);
}

TEST(RefPtrTest, MovesTransferTheReferenceWithoutCounting) {
  RefPtr<Counted> first(new Counted);
  Counted* object = first.get();
  RefPtr<Counted> second = std::move(first);
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(object->refs(), 1);
  RefPtr<Counted> third;
  third = std::move(second);
  EXPECT_EQ(object->refs(), 1);
  RefPtr<Counted>& same = third;
  third = same;  // assigning a handle to itself keeps the object
  EXPECT_EQ(object->refs(), 1);
  third.reset();
  EXPECT_EQ(Counted::live, 0);
}

TEST(RefPtrTest, AssignmentReleasesTheOldObject) {
  RefPtr<Counted> handle(new Counted);
  handle.reset(new Counted);
  EXPECT_EQ(Counted::live, 1);
  handle = nullptr;
  EXPECT_EQ(Counted::live, 0);
}

TEST(RefPtrTest, ReleaseAndAdoptHandOverAReference) {
  RefPtr<Counted> handle(new Counted);
  Counted* raw = handle.release();
  EXPECT_EQ(raw->refs(), 1);
  EXPECT_EQ(Counted::live, 1);
  RefPtr<Counted> adopted = RefPtr<Counted>::adopt(raw);
  EXPECT_EQ(raw->refs(), 1);
  adopted.reset();
  EXPECT_EQ(Counted::live, 0);
}

TEST(RefPtrTest, UnclaimedObjectsAndCopiesStartUnowned) {
  Counted* unclaimed = new Counted;
  Counted::drop_if_unclaimed(unclaimed);
  EXPECT_EQ(Counted::live, 0);

  RefPtr<Counted> held(new Counted);
  Counted* copy = new Counted(*held);
  EXPECT_EQ(copy->refs(), 0);              // a copy is nobody's yet
  Counted::drop_if_unclaimed(held.get());  // held: not deleted
  EXPECT_EQ(Counted::live, 2);
  Counted::drop_if_unclaimed(copy);
  held.reset();
  EXPECT_EQ(Counted::live, 0);
}

}  // namespace
}  // namespace velmo
