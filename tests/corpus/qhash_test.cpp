#include "corpus/qhash.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "shell/interpreter/name_space.h"
#include "shell/support/text.h"
#include "temp_dir.h"

namespace velmo {
namespace {

using testing_support::be32;
using testing_support::read_bytes;
using testing_support::TempDir;
using testing_support::u32_in;
using testing_support::write_bytes;

std::string entry(std::string_view key, std::string_view value) {
  std::string bytes(key);
  bytes.push_back('\0');
  bytes.append(value);
  return bytes;
}

// Built in two steps: GCC 12 warns falsely about `"literal" + std::string`.
std::string numbered(std::string_view prefix, long n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

class QHashTest : public ::testing::Test {
 protected:
  void SetUp() override { NameSpaces::set_current("STD"); }

  void open_new(std::uint32_t buckets, std::string_view compare = "strcasecmp") {
    ASSERT_EQ(hash.open(path, buckets, 32, compare), QHash::OpenResult::kOk);
  }

  TempDir dir;
  std::string path = dir.file("table.qh");
  QHash hash;
};

TEST_F(QHashTest, NewFileLayout) {
  open_new(3);
  hash.close();
  const std::string bytes = read_bytes(path);
  // Header, bucket count, three empty buckets, "strcasecmp" padded to 12.
  ASSERT_EQ(bytes.size(), 12U + 4 + 12 + 4 + 12);
  EXPECT_EQ(u32_in(bytes, 0), 44U);
  EXPECT_EQ(u32_in(bytes, 12), 3U);
  EXPECT_EQ(bytes.substr(16, 12), std::string(12, '\0'));
  EXPECT_EQ(u32_in(bytes, 28), 10U);
  EXPECT_EQ(bytes.substr(32, 12), std::string("strcasecmp\0\0", 12));
}

TEST_F(QHashTest, FindInsertReplaceRemove) {
  open_new(101);
  EXPECT_FALSE(hash.find("apple").has_value());
  ASSERT_TRUE(hash.insert(entry("apple", "red")));
  ASSERT_TRUE(hash.insert(entry("pear", "green")));
  EXPECT_EQ(hash.find("apple"), entry("apple", "red"));
  EXPECT_EQ(hash.find("APPLE"), entry("apple", "red"));
  ASSERT_TRUE(hash.replace(entry("apple", std::string(200, 'r'))));
  EXPECT_EQ(hash.find("apple"), entry("apple", std::string(200, 'r')));
  EXPECT_FALSE(hash.replace(entry("plum", "blue")));
  ASSERT_TRUE(hash.store(entry("plum", "blue")));
  ASSERT_TRUE(hash.store(entry("plum", "purple")));
  EXPECT_EQ(hash.find("plum"), entry("plum", "purple"));
  ASSERT_TRUE(hash.remove("apple"));
  EXPECT_FALSE(hash.find("apple").has_value());
  EXPECT_FALSE(hash.remove("apple"));
  EXPECT_EQ(hash.find("pear"), entry("pear", "green"));
}

// An entry viewed in place is the entry as stored now: after a
// replacement (in place or moved), a second extent, or a reopening.
TEST_F(QHashTest, ViewedEntriesFollowTheFile) {
  open_new(1);
  ASSERT_TRUE(hash.insert(entry("apple", "red")));
  ASSERT_TRUE(hash.insert(entry("pear", "green")));
  std::string scratch;
  EXPECT_EQ(hash.find_view("APPLE", scratch), entry("apple", "red"));
  EXPECT_FALSE(hash.find_view("plum", scratch).has_value());
  ASSERT_TRUE(hash.replace(entry("apple", "RED")));
  EXPECT_EQ(hash.find_view("apple", scratch), entry("apple", "RED"));
  const std::string long_value(300, 'g');
  ASSERT_TRUE(hash.replace(entry("pear", long_value)));
  EXPECT_EQ(hash.find_view("pear", scratch), entry("pear", long_value));
  EXPECT_EQ(hash.find_view("apple", scratch), hash.find("apple"));
  ASSERT_TRUE(hash.remove("apple"));
  EXPECT_FALSE(hash.find_view("apple", scratch).has_value());
  hash.close();
  ASSERT_EQ(hash.open(path, 1, 32, "strcasecmp", QFile::Mode::kReadOnly), QHash::OpenResult::kOk);
  EXPECT_EQ(hash.find_view("pear", scratch), entry("pear", long_value));
}

// An entry whose key has no NUL after it (a damaged one) is compared whole,
// never past its end.
TEST_F(QHashTest, EntryWithoutKeyEndIsComparedWhole) {
  open_new(1);
  ASSERT_TRUE(hash.insert("loose"));
  std::string scratch;
  EXPECT_EQ(hash.find_view("loose", scratch), "loose");
  EXPECT_EQ(hash.find("LOOSE"), "loose");
  EXPECT_FALSE(hash.find("loos").has_value());
  EXPECT_FALSE(hash.find("looser").has_value());
}

TEST_F(QHashTest, ExactComparisonDistinguishesCase) {
  open_new(1, "strcmp");
  hash.insert(entry("Apple", "1"));
  hash.insert(entry("apple", "2"));
  EXPECT_EQ(hash.find("Apple"), entry("Apple", "1"));
  EXPECT_EQ(hash.find("apple"), entry("apple", "2"));
  EXPECT_FALSE(hash.find("APPLE").has_value());
}

TEST_F(QHashTest, CollisionsInOneBucketKeepEveryEntry) {
  open_new(1);
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(hash.insert(entry(numbered("key", i), std::to_string(i * i))));
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(hash.find(numbered("key", i)), entry(numbered("key", i), std::to_string(i * i)));
  // Removing from the head, the middle and the tail of the chain.
  EXPECT_TRUE(hash.remove("key49"));
  EXPECT_TRUE(hash.remove("key25"));
  EXPECT_TRUE(hash.remove("key0"));
  EXPECT_EQ(hash.chain_lengths(), std::vector<std::uint32_t>{47});
  EXPECT_EQ(hash.find("key24"), entry("key24", "576"));
  EXPECT_EQ(hash.find("key26"), entry("key26", "676"));
  EXPECT_FALSE(hash.find("key25").has_value());
}

TEST_F(QHashTest, IterationVisitsEveryEntryBucketByBucket) {
  open_new(7);
  std::vector<std::string> keys{"a", "b", "c", "d", "e", "f", "g", "h", "i"};
  for (const auto& key : keys) hash.insert(entry(key, "v"));
  std::vector<std::string> seen;
  std::vector<std::uint32_t> buckets;
  ASSERT_TRUE(hash.for_each([&](std::string_view e) {
    seen.emplace_back(QHash::key_of(e));
    buckets.push_back(elf_hash_nocase(QHash::key_of(e)) % 7);
    return true;
  }));
  EXPECT_EQ(seen.size(), keys.size());
  EXPECT_TRUE(std::is_sorted(buckets.begin(), buckets.end()));
  int visited = 0;
  hash.for_each([&](std::string_view) { return ++visited < 3; });
  EXPECT_EQ(visited, 3);
}

TEST_F(QHashTest, RoundTripThroughCloseAndReopen) {
  open_new(13);
  for (int i = 0; i < 300; ++i) hash.insert(entry(numbered("w", i), std::string(i % 90, 'x')));
  for (int i = 0; i < 300; i += 3) hash.remove(numbered("w", i));
  const std::string free_before = hash.file().free_list().describe();
  hash.close();
  QHash reopened;
  ASSERT_EQ(reopened.open(path, 999, 64, "strcmp"), QHash::OpenResult::kOk);
  EXPECT_EQ(reopened.bucket_count(), 13U);
  EXPECT_EQ(reopened.compare_name(), "strcasecmp");
  EXPECT_EQ(reopened.file().block_size(), 32U);
  for (int i = 0; i < 300; ++i) {
    const auto found = reopened.find(numbered("W", i));
    if (i % 3 == 0)
      EXPECT_FALSE(found.has_value());
    else
      EXPECT_EQ(found, entry(numbered("w", i), std::string(i % 90, 'x')));
  }
  EXPECT_EQ(reopened.file().free_list().describe(), free_before);
  EXPECT_TRUE(reopened.validate(std::cerr));
}

TEST_F(QHashTest, SortLinksOrdersEveryChainByOffset) {
  open_new(2);
  for (int i = 0; i < 20; ++i) hash.insert(entry(numbered("k", i), "v"));
  ASSERT_TRUE(hash.sort_links());
  hash.close();
  const std::string bytes = read_bytes(path);
  for (std::uint32_t bucket = 0; bucket < 2; ++bucket) {
    std::uint32_t previous = 0;
    int length = 0;
    for (std::uint32_t offset = u32_in(bytes, 16 + 4 * bucket); offset != 0; offset = u32_in(bytes, offset + 8)) {
      EXPECT_GT(offset, previous);
      previous = offset;
      ++length;
    }
    EXPECT_GT(length, 0);
  }
  QHash reopened;
  ASSERT_EQ(reopened.open(path, 2, 32, "strcasecmp"), QHash::OpenResult::kOk);
  for (int i = 0; i < 20; ++i) EXPECT_TRUE(reopened.find(numbered("k", i)).has_value());
}

TEST_F(QHashTest, ClearEmptiesTheFile) {
  open_new(5);
  for (int i = 0; i < 10; ++i) hash.insert(entry(numbered("k", i), "v"));
  const std::uint32_t data_start = 12 + 4 + 20 + 4 + 12;
  ASSERT_TRUE(hash.clear());
  EXPECT_EQ(hash.file().end_offset(), data_start);
  EXPECT_FALSE(hash.find("k1").has_value());
  EXPECT_TRUE(hash.insert(entry("k1", "again")));
  EXPECT_EQ(hash.find("k1"), entry("k1", "again"));
}

TEST_F(QHashTest, UnregisteredComparisonFunctionIsReported) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.open(path, 5, 32, "nosuchcmp"), QHash::OpenResult::kUnknownFunction);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The function 'nosuchcmp' is not registered as a named object\n");
  EXPECT_FALSE(std::filesystem::exists(path) && std::filesystem::file_size(path) > 0);

  open_new(5);
  hash.close();
  std::string bytes = read_bytes(path);
  bytes.replace(40, 10, "strcmpxxxx");
  write_bytes(path, bytes);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.open(path, 5, 32, "strcmp"), QHash::OpenResult::kUnknownFunction);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "The function 'strcmpxxxx' is not registered as a named object\n");
  EXPECT_FALSE(hash.is_open());
}

TEST_F(QHashTest, ZeroBucketsAreRefused) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.open(path, 0, 32, "strcmp"), QHash::OpenResult::kFailed);
  write_bytes(path, be32(24) + be32(0) + be32(32) + be32(0) + be32(0) + be32(0));
  EXPECT_EQ(hash.open(path, 5, 32, "strcmp"), QHash::OpenResult::kFailed);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "A hash file needs between 1 and 16777216 buckets\nThe hash file " + path + " has no buckets\n");
}

TEST_F(QHashTest, HugeBlockSizeIsRefusedBeforeTheFileIsMade) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.open(path, 5, 0xFFFFFFFFu, "strcmp"), QHash::OpenResult::kFailed);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "A hash file's blocks take at most 1048576 bytes\n");
  EXPECT_FALSE(hash.is_open());
}

TEST_F(QHashTest, BucketTableLongerThanTheFileIsRefused) {
  write_bytes(path, be32(24) + be32(0) + be32(32) + be32(1000) + be32(0) + be32(0));
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.open(path, 5, 32, "strcmp"), QHash::OpenResult::kFailed);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The hash file " + path + " is truncated\n");
}

class CorruptChainTest : public QHashTest {
 protected:
  void SetUp() override {
    QHashTest::SetUp();
    open_new(1);
    hash.insert(entry("first", "1"));   // at 36
    hash.insert(entry("second", "2"));  // at 68, heads the chain
    hash.close();
    bytes = read_bytes(path);
  }
  void reopen_with(std::size_t at, const std::string& patch) {
    bytes.replace(at, patch.size(), patch);
    write_bytes(path, bytes);
    ASSERT_EQ(hash.open(path, 1, 32, "strcasecmp"), QHash::OpenResult::kOk);
  }
  std::string bytes;
};

TEST_F(CorruptChainTest, LoopEndsTheWalk) {
  ASSERT_EQ(u32_in(bytes, 16), 68U);
  reopen_with(36 + 8, be32(68));  // "first" points back to "second"
  std::ostringstream err;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(hash.find("absent").has_value());
  EXPECT_FALSE(hash.validate(err));
  EXPECT_FALSE(hash.chain_lengths().has_value());
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(messages, "The chain of bucket 0 in " + path + " loops\nThe chain of bucket 0 in " + path + " loops\n");
  EXPECT_EQ(err.str(), "chain loop\n");
}

TEST_F(CorruptChainTest, NextOffsetPastTheEndIsOutOfBound) {
  reopen_with(68 + 8, be32(900000));
  std::ostringstream err;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(hash.find("first").has_value());
  EXPECT_FALSE(hash.validate(err));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The record at 900000 lies outside " + path + "\n");
  EXPECT_EQ(err.str(), "out of bound\n");
}

TEST_F(CorruptChainTest, BadRecordHeaderIsInvalid) {
  reopen_with(36 + 6, "\x12\x34");
  std::ostringstream err;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(hash.find("second"), entry("second", "2"));
  EXPECT_FALSE(hash.find("first").has_value());
  EXPECT_FALSE(hash.validate(err));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Invalid magic number!\n");
  EXPECT_EQ(err.str(), "invalid header\n");
}

TEST_F(CorruptChainTest, BucketPointingIntoTheTableIsOutOfBound) {
  reopen_with(16, be32(16));
  std::ostringstream err;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(hash.find("first").has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The record at 16 lies outside " + path + "\n");
  EXPECT_FALSE(hash.validate(err));
  EXPECT_EQ(err.str(), "out of bound\n");
}

TEST_F(QHashTest, FileThatWasNeverClosedKeepsEveryWrittenEntry) {
  const std::string crashed = dir.file("crashed.qh");
  open_new(3);
  for (int i = 0; i < 40; ++i) hash.insert(entry(numbered("k", i), numbered("v", i)));
  ASSERT_TRUE(hash.sync());
  for (int i = 0; i < 40; i += 2) hash.remove(numbered("k", i));
  hash.replace(entry("k1", std::string(300, 'z')));
  for (int i = 40; i < 60; ++i) hash.insert(entry(numbered("k", i), numbered("v", i)));
  std::filesystem::copy_file(path, crashed);

  QHash reopened;
  ASSERT_EQ(reopened.open(crashed, 3, 32, "strcasecmp"), QHash::OpenResult::kOk);
  EXPECT_TRUE(reopened.validate(std::cerr));
  EXPECT_EQ(reopened.find("k1"), entry("k1", std::string(300, 'z')));
  for (int i = 0; i < 60; ++i) {
    const auto found = reopened.find(numbered("k", i));
    if (i < 40 && i % 2 == 0) {
      EXPECT_FALSE(found.has_value()) << i;
    } else if (i != 1) {
      EXPECT_EQ(found, entry(numbered("k", i), numbered("v", i)));
    }
  }
  // Writing on goes to fresh space and leaves the old entries intact.
  for (int i = 60; i < 100; ++i) reopened.insert(entry(numbered("k", i), "new"));
  EXPECT_EQ(reopened.find("k3"), entry("k3", "v3"));
  EXPECT_TRUE(reopened.validate(std::cerr));
}

TEST_F(QHashTest, ReadOnlyHashFileFindsButRefusesChanges) {
  open_new(3);
  hash.insert(entry("k", "v"));
  hash.close();
  ASSERT_EQ(hash.open(path, 3, 32, "strcmp", QFile::Mode::kReadOnly), QHash::OpenResult::kOk);
  EXPECT_EQ(hash.find("k"), entry("k", "v"));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(hash.insert(entry("k2", "v")));
  EXPECT_FALSE(hash.sort_links());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Trying to write read-only file!\nTrying to write read-only file!\n");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Damaged files of every kind: whatever bytes are changed, reading and
// writing stay inside the file, every walk ends, what is found is what was
// asked for, and a stored entry can be found again.
TEST_F(QHashTest, RandomDamageIsSurvived) {
  open_new(7);
  for (int i = 0; i < 60; ++i) hash.insert(entry(numbered("k", i), std::string(i % 70, 'v')));
  for (int i = 0; i < 60; i += 4) hash.remove(numbered("k", i));
  hash.close();
  const std::string pristine = read_bytes(path);
  std::uint32_t seed = 12345;
  auto next_random = [&seed] {
    seed = seed * 1103515245U + 12345U;
    return seed >> 8;
  };
  int opened = 0;
  ::testing::internal::CaptureStderr();
  for (int round = 0; round < 300; ++round) {
    std::string damaged = pristine;
    const int flips = 1 + static_cast<int>(next_random() % 4);
    for (int f = 0; f < flips; ++f) damaged[next_random() % damaged.size()] = static_cast<char>(next_random());
    write_bytes(path, damaged);
    QHash damaged_hash;
    if (damaged_hash.open(path, 7, 32, "strcasecmp") != QHash::OpenResult::kOk) continue;
    ++opened;
    std::ostringstream err;
    const bool valid = damaged_hash.validate(err);
    EXPECT_EQ(valid, err.str().empty()) << "round " << round;
    const std::optional<std::string> found = damaged_hash.find("k5");
    if (found) {
      EXPECT_TRUE(equal_nocase(found->substr(0, 3), std::string_view("k5\0", 3))) << "round " << round;
    }
    // Every record takes at least one 32-byte block: a walk that visits
    // more records than that went round in a circle.
    std::size_t visited = 0;
    damaged_hash.for_each([&visited](std::string_view) { return ++visited <= (1u << 20); });
    EXPECT_LE(visited, damaged.size() / 32) << "round " << round;
    if (const auto lengths = damaged_hash.chain_lengths()) {
      std::size_t total = 0;
      for (std::uint32_t length : *lengths) total += length;
      EXPECT_LE(total, damaged.size() / 32) << "round " << round;
    }
    if (damaged_hash.store(entry("new", "value"))) {
      EXPECT_EQ(damaged_hash.find("new"), entry("new", "value")) << "round " << round;
    }
  }
  ::testing::internal::GetCapturedStderr();
  EXPECT_GT(opened, 100);
}

}  // namespace
}  // namespace velmo
