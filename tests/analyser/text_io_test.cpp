#include "analyser/text_io.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

TEST(zentraNormalizeLineEnds, TurnsCrLfIntoLf) { EXPECT_EQ(normalizeLineEnds("a\r\nb\r\n"), "a\nb\n"); }

TEST(zentraNormalizeLineEnds, KeepsLoneCarriageReturns) {
    EXPECT_EQ(normalizeLineEnds("a\rb\r"), "a\rb\r");
    EXPECT_EQ(normalizeLineEnds("a\r\r\nb"), "a\r\nb");
}

TEST(zentraNormalizeLineEnds, KeepsNulBytes) {
    const std::string raw("a\0b\r\n", 5);
    EXPECT_EQ(normalizeLineEnds(raw), std::string("a\0b\n", 4));
}

TEST(zentraReadTextFile, MissingFileGivesNothing) {
    testing::ScratchDir dir;
    EXPECT_FALSE(readTextFile(dir.path("absent.txt")).has_value());
}

TEST(zentraReadTextFile, DirectoryGivesNothing) {
    testing::ScratchDir dir;
    EXPECT_FALSE(readTextFile(dir.path("")).has_value());
}

TEST(zentraReadTextFile, ReadsWithNormalizedLineEnds) {
    testing::ScratchDir dir;
    dir.write("doc.txt", "one\r\ntwo");
    EXPECT_EQ(readTextFile(dir.path("doc.txt")), std::optional<std::string>("one\ntwo"));
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
    writeTextFile(dir.path("f.txt"), "long first content");
    writeTextFile(dir.path("f.txt"), "short");
    EXPECT_EQ(dir.read("f.txt"), "short");
}

}  // namespace
}  // namespace zentra

namespace zentra {
namespace {

TEST(zentraRewriteTextFile, GrowsShrinksAndEmpties) {
    testing::ScratchDir dir;
    rewriteTextFile(dir.path("f.txt"), "short");
    EXPECT_EQ(dir.read("f.txt"), "short");
    rewriteTextFile(dir.path("f.txt"), "a much longer content");
    EXPECT_EQ(dir.read("f.txt"), "a much longer content");
    rewriteTextFile(dir.path("f.txt"), "tiny");
    EXPECT_EQ(dir.read("f.txt"), "tiny");
    rewriteTextFile(dir.path("f.txt"), "");
    EXPECT_EQ(dir.read("f.txt"), "");
    rewriteTextFile(dir.path("f.txt"), "again");
    EXPECT_EQ(dir.read("f.txt"), "again");
}

TEST(zentraRewriteTextFile, UnwritablePlaceIsIgnored) {
    testing::ScratchDir dir;
    rewriteTextFile(dir.path("no/such/dir/f.txt"), "x");
    EXPECT_FALSE(dir.exists("no"));
}

}  // namespace
}  // namespace zentra
