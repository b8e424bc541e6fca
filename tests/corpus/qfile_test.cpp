#include "corpus/qfile.h"

#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace velmo {
namespace {

using testing_support::be32;
using testing_support::read_bytes;
using testing_support::TempDir;
using testing_support::u32_in;
using testing_support::write_bytes;

class QFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.file("blocks.qf");
};

TEST_F(QFileTest, BlockSizeIsAtLeast32AndAMultipleOf4) {
  EXPECT_EQ(QFile::effective_block_size(10), 32U);
  EXPECT_EQ(QFile::effective_block_size(50), 52U);
  EXPECT_EQ(QFile::effective_block_size(64), 64U);
  QFile file;
  ASSERT_TRUE(file.open(path, 10));
  EXPECT_EQ(file.block_size(), 32U);
  EXPECT_EQ(file.end_offset(), 12U);
}

TEST_F(QFileTest, NewFileHasTwelveByteHeader) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 50));
  }
  EXPECT_EQ(read_bytes(path), be32(12) + be32(0) + be32(52));
}

TEST_F(QFileTest, FirstRecordTakesOffset12AndLeavesFreeExtentAt76) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_EQ(file.write_record(std::nullopt, std::string(30, 'x')), 12U);
  EXPECT_EQ(file.end_offset(), 12U + 4096U);
  EXPECT_EQ(file.free_list().describe(), " (76, 4032)");
  EXPECT_EQ(std::filesystem::file_size(path), 4108U);
  const std::string bytes = read_bytes(path);
  EXPECT_EQ(bytes.substr(12, 8), be32(30) + std::string("\x00\x02\x55\x55", 4));
  EXPECT_EQ(bytes.substr(20, 30), std::string(30, 'x'));
  EXPECT_EQ(file.read_record(12), std::string(30, 'x'));
}

TEST_F(QFileTest, FreedAdjacentExtentsMerge) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto a = file.write_record(std::nullopt, "first");
  const auto b = file.write_record(std::nullopt, "second");
  const auto c = file.write_record(std::nullopt, "third");
  ASSERT_EQ(a, 12U);
  ASSERT_EQ(b, 44U);
  ASSERT_EQ(c, 76U);
  EXPECT_EQ(file.free_list().describe(), " (108, 4000)");
  ASSERT_TRUE(file.free_record(*a));
  EXPECT_EQ(file.free_list().describe(), " (12, 32) (108, 4000)");
  ASSERT_TRUE(file.free_extent(*b, 1));
  EXPECT_EQ(file.free_list().describe(), " (12, 64) (108, 4000)");
  ASSERT_TRUE(file.free_record(*c));
  EXPECT_EQ(file.free_list().describe(), " (12, 4096)");
}

TEST_F(QFileTest, FreeingAFreeExtentAgainIsRefused) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto a = file.write_record(std::nullopt, "first");
  ASSERT_TRUE(file.free_extent(*a, 1));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.free_extent(*a, 1));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The extent at 12 in " + path + " is already free\n");
}

TEST_F(QFileTest, FirstFitReusesFreedSpace) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto a = file.write_record(std::nullopt, std::string(50, 'a'));  // 2 blocks
  file.write_record(std::nullopt, "b");
  file.free_record(*a);
  EXPECT_EQ(file.write_record(std::nullopt, "small"), 12U);
  EXPECT_EQ(file.write_record(std::nullopt, "small"), 44U);
  EXPECT_EQ(file.free_list().describe(), " (108, 4000)");
}

TEST_F(QFileTest, RecordOutgrowingItsFirstExtentGainsASecond) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto at = file.write_record(std::nullopt, "short");
  ASSERT_EQ(at, 12U);
  std::string big(100, 'b');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  EXPECT_EQ(file.write_record(at, big), 12U);
  EXPECT_EQ(file.read_record(12), big);
  const std::string bytes = read_bytes(path);
  // One block: 16 data bytes in the first extent, the rest at 44 in 3 blocks.
  EXPECT_EQ(bytes.substr(12, 8), be32(100) + std::string("\x00\x01\x55\x54", 4));
  EXPECT_EQ(bytes.substr(20, 16), big.substr(0, 16));
  EXPECT_EQ(u32_in(bytes, 36), 44U);
  EXPECT_EQ(u32_in(bytes, 40), 3U);
  EXPECT_EQ(bytes.substr(44, 84), big.substr(16));
  EXPECT_EQ(file.free_list().describe(), " (140, 3968)");
}

// A whole record is viewed where the mapping holds it; one in two extents
// is read into the scratch text. Either view shows the record as it is now.
TEST_F(QFileTest, RecordDataViewsWholeRecordsAndReadsSplitOnes) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto small = file.write_record(std::nullopt, "short");
  std::string big(100, 'b');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  const auto split = file.write_record(std::nullopt, "x");
  ASSERT_TRUE(small && split);
  ASSERT_EQ(file.write_record(split, big), split);
  std::string scratch = "old";
  const std::optional<std::string_view> whole = file.record_data(*small, scratch);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(*whole, "short");
  EXPECT_EQ(scratch, "old");
  const std::optional<std::string_view> both = file.record_data(*split, scratch);
  ASSERT_TRUE(both.has_value());
  EXPECT_EQ(*both, big);
  EXPECT_EQ(both->data(), scratch.data());
  ASSERT_EQ(file.write_record(small, "SHORT"), small);
  EXPECT_EQ(file.record_data(*small, scratch), "SHORT");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.record_data(*small + 4, scratch).has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Invalid magic number!\n");
  file.close();
  // Read-only: the same answers.
  ASSERT_TRUE(file.open(path, 32, QFile::Mode::kReadOnly));
  EXPECT_EQ(file.record_data(*small, scratch), "SHORT");
  EXPECT_EQ(file.record_data(*split, scratch), big);
  EXPECT_EQ(file.record_data(*split, scratch), file.read_record(*split));
}

TEST_F(QFileTest, ShrinkingRecordReturnsItsSecondExtent) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto at = file.write_record(std::nullopt, "short");
  file.write_record(at, std::string(100, 'b'));
  EXPECT_EQ(file.write_record(at, "tiny"), 12U);
  EXPECT_EQ(file.read_record(12), "tiny");
  EXPECT_EQ(file.free_list().describe(), " (44, 4064)");
}

TEST_F(QFileTest, GrowingAgainReusesALargeEnoughSecondExtent) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto at = file.write_record(std::nullopt, "short");
  file.write_record(at, std::string(100, 'b'));
  const std::string before = file.free_list().describe();
  file.write_record(at, std::string(90, 'c'));
  EXPECT_EQ(file.free_list().describe(), before);
  EXPECT_EQ(file.read_record(12), std::string(90, 'c'));
}

TEST_F(QFileTest, LargeRecordGrowsTheFileByItsOwnSize) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const std::string big(5000, 'z');
  EXPECT_EQ(file.write_record(std::nullopt, big), 12U);
  EXPECT_EQ(file.end_offset(), 12U + 5024U);  // 157 blocks of 32
  EXPECT_TRUE(file.free_list().empty());
  EXPECT_EQ(file.read_record(12), big);
}

TEST_F(QFileTest, RecordBeyondSixteenBitBlockCountUsesTwoExtents) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  std::string big(3u << 20, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  const auto at = file.write_record(std::nullopt, big);
  ASSERT_TRUE(at.has_value());
  EXPECT_EQ(file.read_record(*at), big);
  file.close();
  QFile reopened;
  ASSERT_TRUE(reopened.open(path, 32));
  EXPECT_EQ(reopened.read_record(*at), big);
  EXPECT_EQ(reopened.check_record(*at), RecordCheck::kOk);
}

TEST_F(QFileTest, ReadOnlyOpenAlsoCountsTheListRecordAsFree) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    const auto a = file.write_record(std::nullopt, "first");
    file.write_record(std::nullopt, "second");
    file.free_record(*a);
  }
  QFile file;
  ASSERT_TRUE(file.open(path, 32, QFile::Mode::kReadOnly));
  EXPECT_EQ(file.free_list().describe(), " (12, 32) (76, 4032)");
}

TEST_F(QFileTest, FreeListSurvivesCloseAndReopen) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    const auto a = file.write_record(std::nullopt, "first");
    file.write_record(std::nullopt, "second");
    file.free_record(*a);
    EXPECT_EQ(file.free_list().describe(), " (12, 32) (76, 4032)");
  }
  // At close the list (two extents, room for three) took the first extent
  // large enough: 32 bytes at 12.
  const std::string bytes = read_bytes(path);
  EXPECT_EQ(u32_in(bytes, 0), 4108U);
  EXPECT_EQ(u32_in(bytes, 4), 12U);
  QFile file;
  ASSERT_TRUE(file.open(path, 999));
  EXPECT_EQ(file.block_size(), 32U);
  EXPECT_EQ(file.read_record(44), "second");
  // The list's own blocks are free again once it has been read.
  EXPECT_EQ(file.free_list().describe(), " (12, 32) (76, 4032)");
}

TEST_F(QFileTest, ReadOnlyFileRefusesWrites) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    file.write_record(std::nullopt, "kept");
  }
  QFile file;
  ASSERT_TRUE(file.open(path, 32, QFile::Mode::kReadOnly));
  EXPECT_EQ(file.read_record(12), "kept");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.write_record(std::nullopt, "more").has_value());
  EXPECT_FALSE(file.write_record(12, "more").has_value());
  EXPECT_FALSE(file.free_extent(12, 1));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Trying to write read-only file!\nTrying to write read-only file!\nTrying to write read-only file!\n");
  file.close();
  EXPECT_EQ(u32_in(read_bytes(path), 0), 4108U);
}

TEST_F(QFileTest, UnopenableFileIsReported) {
  QFile file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.open(dir.file("missing/dir/x.qf"), 32));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Can't open " + dir.file("missing/dir/x.qf") + "\n");
  EXPECT_FALSE(file.is_open());
}

TEST_F(QFileTest, FileOpenForWritingIsNotOpenedTwice) {
  QFile writer;
  ASSERT_TRUE(writer.open(path, 32));
  QFile second;
  QFile reader;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(second.open(path, 32));
  EXPECT_FALSE(reader.open(path, 32, QFile::Mode::kReadOnly));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "The block file " + path + " is in use\nThe block file " + path + " is in use\n");
  writer.close();
  EXPECT_TRUE(reader.open(path, 32, QFile::Mode::kReadOnly));
  QFile another_reader;
  EXPECT_TRUE(another_reader.open(path, 32, QFile::Mode::kReadOnly));
}

TEST_F(QFileTest, TruncatedFilesAreRefused) {
  write_bytes(path, std::string(3, '\0'));
  QFile file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.open(path, 32));
  // The header promises 8192 bytes; the file has 12.
  write_bytes(path, be32(8192) + be32(0) + be32(32));
  EXPECT_FALSE(file.open(path, 32));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "The block file " + path + " is truncated\nThe block file " + path + " is truncated\n");
}

TEST_F(QFileTest, CorruptBlockSizeIsRefused) {
  write_bytes(path, be32(12) + be32(0) + be32(0));
  QFile file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.open(path, 32));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The block file " + path + " has a corrupt header\n");
}

TEST_F(QFileTest, HugeBlockSizesAreRefusedOrBounded) {
  // A block size near 2^32 once wrapped round to 0 and divided by it.
  write_bytes(path, be32(12) + be32(0) + be32(0xFFFFFFFCu));
  QFile file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.open(path, 32));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The block file " + path + " has a corrupt header\n");
  EXPECT_EQ(QFile::effective_block_size(0xFFFFFFFFu), QFile::kMaxBlockSize);
  EXPECT_EQ(QFile::effective_block_size(0), QFile::kMinBlockSize);
}

TEST_F(QFileTest, FreeListOffsetPastTheEndIsReportedAndIgnored) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    file.write_record(std::nullopt, "data");
  }
  std::string bytes = read_bytes(path);
  bytes.replace(4, 4, be32(999999));
  write_bytes(path, bytes);
  QFile file;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The record at 999999 lies outside " + path +
                                                          "\nThe free list of " + path +
                                                          " is unreadable; its space stays unused\n");
  EXPECT_TRUE(file.free_list().empty());
  EXPECT_EQ(file.read_record(12), "data");
  // New records go to fresh space, never over unknown ground.
  EXPECT_EQ(file.write_record(std::nullopt, "new"), 4108U);
}

TEST_F(QFileTest, BadMagicIsReportedAndYieldsNothing) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    file.write_record(std::nullopt, "data");
  }
  std::string bytes = read_bytes(path);
  bytes[18] = 0x12;
  write_bytes(path, bytes);
  QFile file;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_FALSE(file.read_record(12).has_value());
  EXPECT_FALSE(file.write_record(12, "x").has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Invalid magic number!\nInvalid magic number!\n");
  EXPECT_EQ(file.check_record(12), RecordCheck::kInvalidHeader);
}

TEST_F(QFileTest, LengthBeyondTheExtentIsNeverRead) {
  {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    file.write_record(std::nullopt, "data");
  }
  std::string bytes = read_bytes(path);
  bytes.replace(12, 4, be32(1000000));
  write_bytes(path, bytes);
  QFile file;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_FALSE(file.read_record(12).has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The record at 12 in " + path + " has an inconsistent length\n");
}

TEST_F(QFileTest, OffsetsOutsideTheFileAreRefused) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  file.write_record(std::nullopt, "data");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.read_record(4).has_value());
  EXPECT_FALSE(file.read_record(5000).has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "The record at 4 lies outside " + path + "\nThe record at 5000 lies outside " + path + "\n");
  EXPECT_EQ(file.check_record(4104), RecordCheck::kOutOfBounds);
  EXPECT_EQ(file.check_record(4100), RecordCheck::kInvalidHeader);
}

// The bytes on disk at any moment are what a killed process leaves behind:
// a copy taken while the file is open stands for a file never closed.
TEST_F(QFileTest, FileThatWasNeverClosedStillOpens) {
  const std::string crashed = dir.file("crashed.qf");
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto a = file.write_record(std::nullopt, "kept one");
  const auto b = file.write_record(std::nullopt, "kept two");
  file.free_record(*a);
  ASSERT_TRUE(file.sync());
  const auto c = file.write_record(std::nullopt, "after sync");
  file.free_record(*b);
  std::filesystem::copy_file(path, crashed);

  QFile reopened;
  ASSERT_TRUE(reopened.open(crashed, 32));
  EXPECT_EQ(reopened.read_record(*c), "after sync");
  EXPECT_EQ(reopened.read_record(*b), "kept two");
  // The free space of the interrupted session is lost, never handed out twice.
  EXPECT_TRUE(reopened.free_list().empty());
  const std::uint32_t end = reopened.end_offset();
  EXPECT_EQ(reopened.write_record(std::nullopt, "next"), end);
}

TEST_F(QFileTest, SyncedFileReopensWithItsFreeList) {
  const std::string copy = dir.file("copy.qf");
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  const auto a = file.write_record(std::nullopt, "one");
  file.write_record(std::nullopt, "two");
  file.free_record(*a);
  ASSERT_TRUE(file.sync());
  std::filesystem::copy_file(path, copy);
  QFile reopened;
  ASSERT_TRUE(reopened.open(copy, 32));
  EXPECT_EQ(reopened.free_list().describe(), " (12, 32) (76, 4032)");
  EXPECT_EQ(reopened.read_record(44), "two");
}

// ---- Changes of several words through the journal.

TEST(WordJournal, RoundTripsAndRejectsEveryDamage) {
  const std::vector<WordWrite> words{{16, 0}, {20, 4108}, {0xFFFFFFF0U, 7}};
  const std::string bytes = encode_word_journal(words);
  EXPECT_EQ(bytes.size(), 8U + 4 + 3 * 8 + 8);
  EXPECT_EQ(decode_word_journal(bytes), words);
  EXPECT_EQ(decode_word_journal(encode_word_journal({})), std::vector<WordWrite>{});
  for (std::size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_FALSE(decode_word_journal(bytes.substr(0, cut)).has_value()) << cut;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
    EXPECT_FALSE(decode_word_journal(damaged).has_value()) << at;
  }
}

class QFileJournalTest : public QFileTest {
 protected:
  void SetUp() override {
    QFile file;
    ASSERT_TRUE(file.open(path, 32));
    ASSERT_EQ(file.write_record(std::nullopt, "abcdefgh"), 12U);
  }
  std::string journal = path + "-journal";
};

TEST_F(QFileJournalTest, WordsAreWrittenAndTheJournalRemoved) {
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  int writes = 0;
  file.set_write_hook([&] { ++writes; });
  ASSERT_TRUE(file.write_words_atomically({{20, 0x31323334}, {24, 0x35363738}}));
  EXPECT_EQ(file.read_record(12), "12345678");
  EXPECT_FALSE(std::filesystem::exists(journal));
  // Temporary journal, its rename, two words, its removal.
  EXPECT_EQ(writes, 5);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.write_words_atomically({{20, 1}, {file.end_offset(), 1}}));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Writing outside the block file " + path + "\n");
  EXPECT_EQ(file.read_record(12), "12345678");
}

TEST_F(QFileJournalTest, AJournalLeftByAKillIsCompletedAtTheNextOpening) {
  write_bytes(journal, encode_word_journal({{20, 0x41424344}}));
  write_bytes(journal + ".tmp", "half");
  QFile reader;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(reader.open(path, 32, QFile::Mode::kReadOnly));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "The block file " + path + " has an unfinished change in " +
                                                          journal + ": open it for writing once to finish it\n");
  QFile file;
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_EQ(file.read_record(12), "ABCDefgh");
  EXPECT_FALSE(std::filesystem::exists(journal));
  EXPECT_FALSE(std::filesystem::exists(journal + ".tmp"));
}

TEST_F(QFileJournalTest, ADamagedJournalIsReportedAndNothingApplied) {
  std::string bytes = encode_word_journal({{20, 0x41424344}});
  bytes[13] = 'x';
  write_bytes(journal, bytes);
  QFile file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(file.open(path, 32));
  write_bytes(journal, encode_word_journal({{5000, 1}}));
  EXPECT_FALSE(file.open(path, 32));
  const std::string message =
      "The journal " + journal + " of " + path + " is damaged: remove it to open the file as it is\n";
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), message + message);
  std::filesystem::remove(journal);
  ASSERT_TRUE(file.open(path, 32));
  EXPECT_EQ(file.read_record(12), "abcdefgh");
}

}  // namespace
}  // namespace velmo
