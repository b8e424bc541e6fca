#include "lexicon/lexicon/freq_meaning.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo {
namespace {

// "V_N" 5, "V" 3, "V" 7 (a repeated name: the first counts), "" 2.
const std::string kRecord(
    "\0\0\0\x04"
    "V_N\0\x40\xa0\0\0"
    "V\0\x40\x40\0\0"
    "V\0\x40\xe0\0\0"
    "\0\x40\0\0\0",
    4 + 8 + 6 + 6 + 5);

TEST(PackedFreqValue, FindsTheFirstPairOfTheName) {
  EXPECT_EQ(packed_freq_value(kRecord, "V_N"), 5.0f);
  EXPECT_EQ(packed_freq_value(kRecord, "V"), 3.0f);
  EXPECT_EQ(packed_freq_value(kRecord, ""), 2.0f);
}

TEST(PackedFreqValue, NamesMatchWhole) {
  EXPECT_FALSE(packed_freq_value(kRecord, "V_").has_value());
  EXPECT_FALSE(packed_freq_value(kRecord, "V_N_N").has_value());
  EXPECT_FALSE(packed_freq_value(kRecord, "N").has_value());
}

TEST(PackedFreqValue, ReadsOnlyTheCountedPairs) {
  std::string one = kRecord;
  one[3] = '\x01';
  EXPECT_EQ(packed_freq_value(one, "V_N"), 5.0f);
  EXPECT_FALSE(packed_freq_value(one, "V").has_value());
}

TEST(PackedFreqValue, TruncatedOrEmptyBodies) {
  EXPECT_FALSE(packed_freq_value("", "V").has_value());
  EXPECT_FALSE(packed_freq_value(std::string(4, '\0'), "V").has_value());
  // The second pair lacks its last byte; the first is still read.
  const std::string cut = kRecord.substr(0, 4 + 8 + 5);
  EXPECT_EQ(packed_freq_value(cut, "V_N"), 5.0f);
  EXPECT_FALSE(packed_freq_value(cut, "V").has_value());
  // A name without its NUL.
  EXPECT_FALSE(packed_freq_value(kRecord.substr(0, 6), "V_").has_value());
}

}  // namespace
}  // namespace velmo
