#include "parser/forest/distance_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "shell/support/diagnostics.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

namespace velmo {
namespace {

TEST(DistanceTable, ReadsEntriesAndSkipsBadLinesWithTheirNumbers) {
  std::istringstream in(
      "# comment\n"
      "\n"
      "V:subj:N -1 0.5\n"
      "V:subj:N\t*\t0.01\n"
      "V:obj:N 1\n"             // missing probability
      "V:obj:N x 0.5\n"         // bad distance
      "V:obj:N 1 1.5\n"         // probability above 1
      "V:obj:N 1 0.25 extra\n"  // extra field
      "; another comment\n"
      "V:obj:N 2 0.25\n");
  std::ostringstream messages;
  ScopedDiagnostics capture(messages);
  DistanceTable table;
  EXPECT_EQ(table.read(in, "dist.txt"), 3u);
  EXPECT_EQ(messages.str(),
            "dist.txt:5: bad distance entry\n"
            "dist.txt:6: bad distance entry\n"
            "dist.txt:7: bad distance entry\n"
            "dist.txt:8: bad distance entry\n");
  EXPECT_EQ(table.key_count(), 2u);
  EXPECT_FLOAT_EQ(table.probability("V:subj:N", -1), 0.5f);
  EXPECT_FLOAT_EQ(table.probability("V:subj:N", 3), 0.01f);  // the "*" line
  EXPECT_FLOAT_EQ(table.probability("V:obj:N", 1), DistanceTable::kUnseenProbability);
  EXPECT_LT(table.probability("N:det:Det", -1), 0.0f);
}

// A key's lines usually come together, but a key met again after another
// goes on filling its own row, and a repeated distance keeps its first
// probability wherever the repeat stands; an already weighed row is
// weighed again after a later read adds to it.
TEST(DistanceTable, AKeyMetAgainAfterAnotherFillsItsOwnRow) {
  std::istringstream first(
      "V:subj:N -1 0.5\n"
      "V:subj:N -2 0.25\n"
      "V:obj:N 1 0.5\n"
      "V:subj:N -3 0.125\n"
      "V:subj:N -1 0.75\n"
      "V:obj:N 1 0.25\n");
  DistanceTable table;
  EXPECT_EQ(table.read(first, "dist.txt"), 6u);
  EXPECT_EQ(table.key_count(), 2u);
  EXPECT_FLOAT_EQ(table.probability("V:subj:N", -1), 0.5f);
  EXPECT_FLOAT_EQ(table.probability("V:subj:N", -2), 0.25f);
  EXPECT_FLOAT_EQ(table.probability("V:subj:N", -3), 0.125f);
  EXPECT_FLOAT_EQ(table.probability("V:obj:N", 1), 0.5f);
  EXPECT_FLOAT_EQ(table.weight("V:obj:N", 2), -std::log(DistanceTable::kUnseenProbability));
  std::istringstream second("V:obj:N 2 0.5\n");
  EXPECT_EQ(table.read(second, "more.txt"), 1u);
  EXPECT_FLOAT_EQ(table.weight("V:obj:N", 2), -std::log(0.5f));
  EXPECT_EQ(table.key_count(), 2u);
}

// Probabilities are read to the float nearest their decimal text, as the
// C library's strtof reads them.
TEST(DistanceTable, ProbabilitiesAreReadToTheNearestFloat) {
  const char* const texts[] = {"0.1", "0.333333343", "0.3333333333333", "1e-3", "2.5E-7", "+0.5", "1",
                               "0.99999999", "0.000123456789", "7.00000001e-1"};
  for (const char* text : texts) {
    std::istringstream in(std::string("K:r:N 1 ") + text + "\n");
    DistanceTable table;
    ASSERT_EQ(table.read(in, "dist.txt"), 1u) << text;
    EXPECT_EQ(table.probability("K:r:N", 1), std::strtof(text, nullptr)) << text;
  }
}

// Fields are separated by any run of blanks and tabs; a line may end in a
// carriage return.
TEST(DistanceTable, FieldsAreSeparatedByBlanksTabsAndCarriageReturns) {
  std::istringstream in("  N:det:Det \t -1\t\t0.75 \r\n\tA:mod:N 2 0.125\r\n \r\n");
  DistanceTable table;
  EXPECT_EQ(table.read(in, "dist.txt"), 2u);
  EXPECT_FLOAT_EQ(table.probability("N:det:Det", -1), 0.75f);
  EXPECT_FLOAT_EQ(table.probability("A:mod:N", 2), 0.125f);
}

TEST(DistanceTable, WeightIsMinusLogRaisedToTheFloor) {
  DistanceTable table;
  table.add("V:s:N", -1, false, 0.5f);
  table.add("V:s:N", -1, false, 0.9f);  // repeated: the first value stays
  table.add("V:s:N", 2, false, 1.0f);
  EXPECT_FLOAT_EQ(table.weight("V:s:N", -1), -std::log(0.5f));
  EXPECT_FLOAT_EQ(table.weight("V:s:N", 2), DistanceTable::kFloorWeight);  // -ln 1 = 0
  EXPECT_FLOAT_EQ(table.weight("unknown", 2), DistanceTable::kFloorWeight);
}

TEST(DistanceTable, DistancesAreClampedToTwenty) {
  DistanceTable table;
  table.add("A:mod:N", 20, false, 0.25f);
  table.add("A:mod:N", -300, false, 0.125f);
  EXPECT_FLOAT_EQ(table.probability("A:mod:N", 57), 0.25f);
  EXPECT_FLOAT_EQ(table.probability("A:mod:N", -20), 0.125f);
}

// A new key or a cleared table may renumber the rows; a new distance of a
// key already there does not.
TEST(DistanceTable, ChangesCountWhatRenumbersRows) {
  DistanceTable table;
  const std::uint64_t at_first = table.changes();
  table.add("V:obj:N", 1, false, 0.5f);
  const std::uint64_t with_key = table.changes();
  EXPECT_GT(with_key, at_first);
  table.add("V:obj:N", 2, false, 0.25f);
  table.add("V:obj:N", 0, true, 0.125f);
  EXPECT_EQ(table.changes(), with_key);
  table.clear();
  EXPECT_GT(table.changes(), with_key);
}

}  // namespace
}  // namespace velmo
