#include "analyser/text_io.h"

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "analyser/command_line.h"
#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

TEST(zentraNormalizeLineEnds, TurnsCrLfIntoLf) { EXPECT_EQ(normalize_line_ends("a\r\nb\r\n"), "a\nb\n"); }

TEST(zentraNormalizeLineEnds, KeepsLoneCarriageReturns) {
  EXPECT_EQ(normalize_line_ends("a\rb\r"), "a\rb\r");
  EXPECT_EQ(normalize_line_ends("a\r\r\nb"), "a\r\nb");
}

TEST(zentraNormalizeLineEnds, KeepsNulBytes) {
  const std::string raw("a\0b\r\n", 5);
  EXPECT_EQ(normalize_line_ends(raw), std::string("a\0b\n", 4));
}

TEST(zentraReadTextFile, MissingFileGivesNothing) {
  testing::ScratchDir dir;
  EXPECT_FALSE(read_text_file(dir.path("absent.txt")).has_value());
}

TEST(zentraReadTextFile, DirectoryGivesNothing) {
  testing::ScratchDir dir;
  EXPECT_FALSE(read_text_file(dir.path("")).has_value());
}

TEST(zentraReadTextFile, ReadsWithNormalizedLineEnds) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "one\r\ntwo");
  EXPECT_EQ(read_text_file(dir.path("doc.txt")), std::optional<std::string>("one\ntwo"));
}

TEST(zentraAppendingFile, StartsEmptyAndGrows) {
  testing::ScratchDir dir;
  dir.write("report.log", "old content");
  {
    AppendingFile file(dir.path("report.log"));
    EXPECT_EQ(dir.read("report.log"), "");
    file.append("a\n");
    file.append("b");
  }
  EXPECT_EQ(dir.read("report.log"), "a\nb");
}

TEST(zentraWriteTextFile, ReplacesContent) {
  testing::ScratchDir dir;
  write_text_file(dir.path("f.txt"), "long first content");
  write_text_file(dir.path("f.txt"), "short");
  EXPECT_EQ(dir.read("f.txt"), "short");
}

}  // namespace
}  // namespace zentra

namespace zentra {
namespace {

TEST(zentraRewriteTextFile, GrowsShrinksAndEmpties) {
  testing::ScratchDir dir;
  rewrite_text_file(dir.path("f.txt"), "short");
  EXPECT_EQ(dir.read("f.txt"), "short");
  rewrite_text_file(dir.path("f.txt"), "a much longer content");
  EXPECT_EQ(dir.read("f.txt"), "a much longer content");
  rewrite_text_file(dir.path("f.txt"), "tiny");
  EXPECT_EQ(dir.read("f.txt"), "tiny");
  rewrite_text_file(dir.path("f.txt"), "");
  EXPECT_EQ(dir.read("f.txt"), "");
  rewrite_text_file(dir.path("f.txt"), "again");
  EXPECT_EQ(dir.read("f.txt"), "again");
}

TEST(zentraRewriteTextFile, UnwritablePlaceIsIgnored) {
  testing::ScratchDir dir;
  rewrite_text_file(dir.path("no/such/dir/f.txt"), "x");
  EXPECT_FALSE(dir.exists("no"));
}

TEST(zentraWriteFailures, EveryUnwritableWorkspaceFileIsNotedOnce) {
  testing::ScratchDir dir;
  const Workspace workspace = dir.workspace();
  std::filesystem::create_directory(dir.path("report.log"));
  std::filesystem::create_directory(dir.path("single.txt"));
  write_text_file(workspace.file("fine.txt"), "kept");
  write_text_file(workspace.file("report.log"), "lost");
  rewrite_text_file(workspace.file("single.txt"), "lost");
  rewrite_text_file(workspace.file("single.txt"), "lost again");
  {
    AppendingFile report(workspace.file("report.log"));
    EXPECT_FALSE(report.ok());
    report.append("lost");
  }
  EXPECT_EQ(dir.read("fine.txt"), "kept");
  const std::vector<std::filesystem::path> expected{dir.path("report.log"), dir.path("single.txt")};
  EXPECT_EQ(workspace.failed_writes(), expected);
  EXPECT_FALSE(write_text_file(dir.path("report.log"), "x"));
  EXPECT_TRUE(write_text_file(dir.path("fine.txt"), "x"));
}

TEST(zentraWriteFailures, TheRunReportsThemAndFails) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "The system shall work.");
  std::filesystem::create_directory(dir.path("readability.log"));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_command_line({"r", dir.path("doc.txt").string()}, out, err, dir.workspace()), 1);
  EXPECT_EQ(err.str(), "Zentra Error: can't write " + dir.path("readability.log").string() + "\n");
}

}  // namespace
}  // namespace zentra
