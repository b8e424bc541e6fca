#include "lexicon/dictionary/dict_on_disk.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "lexicon/dictionary/dict_entry_reader.h"
#include "lexicon/dictionary/dict_header.h"
#include "lexicon/dictionary/dict_index.h"
#include "lexicon/dictionary/raw_file.h"
#include "shell/interpreter/interpreter.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

// A scratch directory that is the whole search path while a test runs.
class DictOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("velmo_dict_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Interpreter::instance().search_path().set(dir_.string(), ":");
  }
  void TearDown() override {
    Interpreter::instance().search_path().clear();
    fs::remove_all(dir_);
  }

  void write(const std::string& name, const std::string& bytes) {
    fs::create_directories((dir_ / name).parent_path());
    std::ofstream out(dir_ / name, std::ios::binary);
    out << bytes;
  }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void header(const std::string& buckets, const std::string& name = "d.hdr") {
    write(name, "dict.txt " + buckets + " dict.idx ( )\n");
  }
  // Moves the index's modification time an hour into the past.
  void age_index() {
    fs::last_write_time(path("dict.idx"), fs::last_write_time(path("dict.txt")) - std::chrono::hours(1));
  }
  static std::string entry_text(DictOnDisk& dict, std::string_view word) {
    std::optional<std::string_view> entry = dict.get_entry(word);
    return entry ? std::string(*entry) : std::string("<none>");
  }

  fs::path dir_;
};

std::string numbered_entries(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "(w" + std::to_string(i) + " (avm ()))\n";
  return text;
}

TEST_F(DictOnDiskTest, BuildsMissingIndexWithProgressLines) {
  write("dict.txt", numbered_entries(12000));
  header("1000");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Making Index file " + path("dict.idx") + ". Please wait.\n5000 entries\n10000 entries\n12000 entries\n");
  ASSERT_TRUE(dict.is_open());
  EXPECT_EQ(entry_text(dict, "w11999"), "(w11999 (avm ()))");
  EXPECT_EQ(entry_text(dict, "W0"), "(w0 (avm ()))");
}

TEST_F(DictOnDiskTest, SecondOpeningReusesTheIndex) {
  write("dict.txt", "(dog (avm (+n)))\n");
  header("7");
  { DictOnDisk first("d.hdr"); }
  ::testing::internal::CaptureStderr();
  DictOnDisk second("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(entry_text(second, "dog"), "(dog (avm (+n)))");
}

TEST_F(DictOnDiskTest, DictionaryNewerThanIndexForcesRebuild) {
  write("dict.txt", "(dog (avm (+n)))\n");
  header("7");
  { DictOnDisk first("d.hdr"); }
  write("dict.txt", "(cat (avm (+n)))\n(dog (avm (+v)))\n");
  age_index();
  ::testing::internal::CaptureStderr();
  DictOnDisk second("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Making Index file " + path("dict.idx") + ". Please wait.\n2 entries\n");
  EXPECT_EQ(entry_text(second, "dog"), "(dog (avm (+v)))");
  EXPECT_EQ(entry_text(second, "cat"), "(cat (avm (+n)))");
}

TEST_F(DictOnDiskTest, OneBucketHoldsAListOfAllEntries) {
  write("dict.txt", "(a)(b) junk (c)");
  header("1");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  // Positions 0, 3 and 6 (where the search for each "(" begins), plus one.
  const std::string expected("\0\0\0\x04\0\0\0\x01\0\0\0\x04\0\0\0\x07\0\0\0\0", 20);
  EXPECT_EQ(read("dict.idx"), expected);
  EXPECT_EQ(entry_text(dict, "a"), "(a)");
  EXPECT_EQ(entry_text(dict, "b"), "(b)");
  EXPECT_EQ(entry_text(dict, "c"), "(c)");
  EXPECT_EQ(entry_text(dict, "d"), "<none>");
}

TEST_F(DictOnDiskTest, SingleEntryBucketsNeedNoList) {
  // "a" and "b" hash to 97 and 98: different buckets of two.
  write("dict.txt", "(a (1))\n(b (2))\n");
  header("2");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  // "(b (2))" starts its search at 7, just after the first entry.
  const std::string expected("\x80\0\0\x08\x80\0\0\x01", 8);
  EXPECT_EQ(read("dict.idx"), expected);
  EXPECT_EQ(entry_text(dict, "a"), "(a (1))");
  EXPECT_EQ(entry_text(dict, "b"), "(b (2))");
}

TEST_F(DictOnDiskTest, WordWhoseBucketHoldsOnlyOtherKeysIsAbsent) {
  write("dict.txt", "(a (1))\n");
  header("2");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  // "c" (99) and "aa" fall into the bucket of "a" (97), which holds only "a".
  EXPECT_EQ(entry_text(dict, "c"), "<none>");
  EXPECT_EQ(entry_text(dict, "aa"), "<none>");
}

TEST_F(DictOnDiskTest, CollidingKeysAreBothFound) {
  // With 16 buckets, "a" (97) and "q" (113) share bucket 1.
  write("dict.txt", "(a (first))\n(q (second))\n(b (third))\n");
  header("16");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(entry_text(dict, "a"), "(a (first))");
  EXPECT_EQ(entry_text(dict, "q"), "(q (second))");
  EXPECT_EQ(entry_text(dict, "b"), "(b (third))");
  EXPECT_EQ(entry_text(dict, "Q"), "(q (second))");
}

TEST_F(DictOnDiskTest, QuotedKeysMayHoldDelimiters) {
  write("dict.txt", "(\"a (b) c\" (str \"x)y\"))\n(\"say \\\"hi\\\"\" (s))\n(in front of (avm (+prep)))\n");
  header("5");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(entry_text(dict, "a (b) c"), "(\"a (b) c\" (str \"x)y\"))");
  EXPECT_EQ(entry_text(dict, "say \"hi\""), "(\"say \\\"hi\\\"\" (s))");
  EXPECT_EQ(entry_text(dict, "In Front Of"), "(in front of (avm (+prep)))");
}

TEST_F(DictOnDiskTest, OtherDelimitersFromTheHeader) {
  write("dict.txt", "[dog [n]]\n[cat [n]]\n");
  write("d.hdr", "; a bracketed dictionary\n\"dict.txt\" 3 \"dict.idx\" [ ]\n");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(entry_text(dict, "cat"), "[cat [n]]");
}

TEST_F(DictOnDiskTest, FilesAreFoundBesideTheHeader) {
  write("sub/dict.txt", "(dog (1))\n");
  write("sub/d.hdr", "dict.txt 3 dict.idx ( )\n");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("sub/d.hdr");
  ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(dict.is_open());
  EXPECT_TRUE(fs::exists(path("sub/dict.idx")));
  EXPECT_EQ(entry_text(dict, "dog"), "(dog (1))");
}

TEST_F(DictOnDiskTest, CarriageReturnsKeepOffsetsExact) {
  write("dict.txt", "(a (1))\r\n(b (2))\r\n(c (3))\r\n");
  header("1");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(entry_text(dict, "c"), "(c (3))");
}

TEST_F(DictOnDiskTest, HighBytesInKeys) {
  write("dict.txt", "(\xe4\xb8\xad (n))\n(\xc3\xa9t\xc3\xa9 (n))\n");
  header("13");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(entry_text(dict, "\xe4\xb8\xad"), "(\xe4\xb8\xad (n))");
  EXPECT_EQ(entry_text(dict, "\xc3\xa9T\xc3\xa9"), "(\xc3\xa9t\xc3\xa9 (n))");
}

TEST_F(DictOnDiskTest, MissingDictionaryIsReported) {
  header("7");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), path("dict.txt") + " does not exist\n");
  EXPECT_FALSE(dict.is_open());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(dict.get_entry("dog"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Dictionary file or index file not openned.\n");
}

TEST_F(DictOnDiskTest, MissingHeaderLeavesItUnopened) {
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("none.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(dict.is_open());
}

TEST_F(DictOnDiskTest, BucketCountBelowOneLeavesItUnopened) {
  write("dict.txt", "(dog (1))\n");
  header("0");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(dict.is_open());
  EXPECT_FALSE(fs::exists(path("dict.idx")));
}

TEST_F(DictOnDiskTest, AbsurdBucketCountLeavesItUnopened) {
  write("dict.txt", "(dog (1))\n");
  header("4000000000");
  DictOnDisk dict("d.hdr");
  EXPECT_FALSE(dict.is_open());
  EXPECT_FALSE(fs::exists(path("dict.idx")));
}

TEST_F(DictOnDiskTest, UnwritableIndexIsReported) {
  write("dict.txt", "(dog (1))\n");
  write("d.hdr", "dict.txt 3 nodir/dict.idx ( )\n");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Making Index file " + path("nodir/dict.idx") +
                                                          ". Please wait.\nCannot open index file " +
                                                          path("nodir/dict.idx") + "\n");
  EXPECT_FALSE(dict.is_open());
}

TEST_F(DictOnDiskTest, DictionaryEndingInsideAnEntryIsReported) {
  const std::string broken = "(broken " + std::string(200, 'x');
  write("dict.txt", "(fine (1))\n" + broken);
  header("3");
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Making Index file " + path("dict.idx") + ". Please wait.\nDictOnDisk::get_entry: unmatched parenthesis\n" +
                broken.substr(0, 99) + "\n1 entries\n");
  EXPECT_EQ(entry_text(dict, "fine"), "(fine (1))");
  EXPECT_EQ(entry_text(dict, "broken"), "<none>");
}

TEST_F(DictOnDiskTest, TruncatedIndexIsRebuilt) {
  write("dict.txt", "(a (1))\n(b (2))\n");
  header("10");
  { DictOnDisk first("d.hdr"); }
  write("dict.idx", std::string(13, '\0'));
  fs::last_write_time(path("dict.idx"), fs::last_write_time(path("dict.txt")) + std::chrono::hours(1));
  ::testing::internal::CaptureStderr();
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Making Index file " + path("dict.idx") + ". Please wait.\n2 entries\n");
  EXPECT_EQ(entry_text(dict, "b"), "(b (2))");
}

TEST_F(DictOnDiskTest, CorruptOffsetsFindNothingAndNeverCrash) {
  write("dict.txt", "(a (1))\n(b (2))\n");
  header("2");
  // Bucket 1 ("a"): a single entry far beyond the dictionary; bucket 0 ("b"):
  // a list offset pointing inside the bucket table.
  write("dict.idx", std::string("\0\0\0\x04\x80\x0f\xff\xff\0\0\0\0", 12));
  fs::last_write_time(path("dict.idx"), fs::last_write_time(path("dict.txt")) + std::chrono::hours(1));
  DictOnDisk dict("d.hdr");
  ASSERT_TRUE(dict.is_open());
  EXPECT_EQ(entry_text(dict, "a"), "<none>");
  EXPECT_EQ(entry_text(dict, "b"), "<none>");
}

TEST_F(DictOnDiskTest, ListRunningOffTheIndexEndStops) {
  write("dict.txt", "(a (1))\n(b (2))\n");
  header("1");
  // A list without its terminating 0, one position pointing past the file.
  write("dict.idx", std::string("\0\0\0\x04\0\0\0\x01\0\0\x10\x00", 12));
  fs::last_write_time(path("dict.idx"), fs::last_write_time(path("dict.txt")) + std::chrono::hours(1));
  DictOnDisk dict("d.hdr");
  EXPECT_EQ(entry_text(dict, "a"), "(a (1))");
  EXPECT_EQ(entry_text(dict, "b"), "<none>");
}

TEST_F(DictOnDiskTest, RandomIndexBytesNeverCrashALookup) {
  write("dict.txt", numbered_entries(300));
  header("16");
  std::uint32_t seed = 12345;
  for (int round = 0; round < 20; ++round) {
    std::string bytes(64 + 4 * (round % 7), '\0');
    for (char& c : bytes) {
      seed = seed * 1103515245u + 12345u;
      c = static_cast<char>(seed >> 16);
    }
    write("dict.idx", bytes);
    fs::last_write_time(path("dict.idx"), fs::last_write_time(path("dict.txt")) + std::chrono::hours(1));
    DictOnDisk dict("d.hdr");
    ASSERT_TRUE(dict.is_open());
    for (int i = 0; i < 300; i += 17) {
      std::string word(1, 'w');
      word += std::to_string(i);
      std::string right_entry = "(";
      right_entry += word;
      right_entry += " (avm ()))";
      const std::string found = entry_text(dict, word);
      // Whatever the index says, only the right entry is ever returned.
      EXPECT_TRUE(found == "<none>" || found == right_entry) << found;
    }
  }
}

TEST(DictEntryReaderTest, KeysStopAtDelimitersAndLoseTrailingBlanks) {
  const DictEntryReader reader('(', ')');
  EXPECT_EQ(reader.key_of("(  in front of  (avm))"), "in front of");
  EXPECT_EQ(reader.key_of("(dog)"), "dog");
  EXPECT_EQ(reader.key_of("(\"a)b\" x)"), "a)b");
  EXPECT_EQ(reader.key_of("(\"open"), "open");
  EXPECT_EQ(reader.key_of("("), "");
}

// Entries come out the same whatever the size of the file's window: quotes,
// escapes and nesting carry over from one window to the next.
TEST_F(DictOnDiskTest, EntriesReadTheSameThroughAnyWindow) {
  const std::string entries[] = {"(a (b \"x)\\\"(\" c))", "(\"q\\\\\" ((d)) e)", "(last)"};
  write("e.txt", std::string("junk ") + entries[0] + "\n;; between\n" + entries[1] + entries[2] + "\n(open \"(");
  const DictEntryReader reader('(', ')');
  for (const std::size_t window : {1u, 2u, 3u, 7u, 1024u}) {
    RawFile file(path("e.txt"), RawFile::Mode::kRead, window);
    StrBufs text(16);
    for (const std::string& entry : entries) {
      ASSERT_EQ(reader.read(file, text), DictEntryReader::Result::kEntry) << window;
      EXPECT_EQ(text.view(), entry) << window;
    }
    std::ostringstream messages;
    {
      ScopedDiagnostics capture(messages);
      EXPECT_EQ(reader.read(file, text), DictEntryReader::Result::kUnmatched) << window;
    }
    EXPECT_EQ(text.view(), "(open \"(") << window;
    EXPECT_NE(messages.str().find("unmatched parenthesis"), std::string::npos);
    EXPECT_EQ(reader.read(file, text), DictEntryReader::Result::kEnd) << window;
    ASSERT_TRUE(file.seek(5));
    ASSERT_EQ(reader.read(file, text), DictEntryReader::Result::kEntry) << window;
    EXPECT_EQ(text.view(), entries[0]) << window;
  }
}

TEST(DictHeaderTest, CommentsQuotesAndMissingTokens) {
  std::istringstream full("; header\n\"my dict.txt\" 42 ; buckets\n idx.bin [ ]");
  const DictHeader header = read_dict_header(full);
  EXPECT_EQ(header.dictionary_name, "my dict.txt");
  EXPECT_EQ(header.buckets, 42);
  EXPECT_EQ(header.index_name, "idx.bin");
  EXPECT_EQ(header.open, '[');
  EXPECT_EQ(header.close, ']');
  std::istringstream short_one("d.txt many");
  const DictHeader partial = read_dict_header(short_one);
  EXPECT_EQ(partial.buckets, 0);
  EXPECT_EQ(partial.index_name, "");
  EXPECT_EQ(partial.open, '(');
}

TEST(DictHeaderTest, PathsBesideTheHeader) {
  EXPECT_EQ(path_beside("dir/", "d.txt"), "dir/d.txt");
  EXPECT_EQ(path_beside("dir", "d.txt"), "dir/d.txt");
  EXPECT_EQ(path_beside("", "d.txt"), "d.txt");
  EXPECT_EQ(path_beside("dir/", "/abs/d.txt"), "/abs/d.txt");
}

}  // namespace
}  // namespace velmo
