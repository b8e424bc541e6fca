#include "shell/support/sizes.h"

#include <sstream>

#include <gtest/gtest.h>

#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

TEST(CheckedSize, OutOfRangeSizesAreReportedAndBounded) {
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  EXPECT_EQ(checked_size("make-x", 50, 1, 100), 50U);
  EXPECT_EQ(checked_size("make-x", -1, 1, 100), 1U);
  EXPECT_EQ(checked_size("make-x", 100000000000LL, 1, 100), 100U);
  EXPECT_EQ(checked_size("make-x", 0, 1, 100), 1U);
  EXPECT_EQ(checked_size("make-x", "7", 1, 100, 3), 7U);
  EXPECT_EQ(checked_size("make-x", "-3", 1, 100, 3), 1U);
  EXPECT_EQ(checked_size("make-x", "99999999999999999999999", 1, 100, 3), 100U);
  EXPECT_EQ(checked_size("make-x", "ten", 1, 100, 3), 3U);
  EXPECT_EQ(checked_size("make-x", nullptr, 1, 100, 3), 3U);
  EXPECT_EQ(checked_buckets("in", 2147483647), kMaxBucketCount);
  EXPECT_EQ(messages.str(),
            "make-x: -1 is out of range (1 to 100); 1 is used\n"
            "make-x: 100000000000 is out of range (1 to 100); 100 is used\n"
            "make-x: 0 is out of range (1 to 100); 1 is used\n"
            "make-x: -3 is out of range (1 to 100); 1 is used\n"
            "make-x: 99999999999999999999999 is out of range (1 to 100); 100 is used\n"
            "make-x: ten is not a number; 3 is used\n"
            "make-x: nothing is not a number; 3 is used\n"
            "in: 2147483647 is out of range (1 to 1048576); 1048576 is used\n");
}

}  // namespace
}  // namespace velmo
