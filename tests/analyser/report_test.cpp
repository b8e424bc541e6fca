#include "analyser/report.h"

#include <gtest/gtest.h>

#include "analyser/no_show.h"

namespace zentra {
namespace {

TEST(zentraRecordHeader, LineNumberOnItsOwnLine) { EXPECT_EQ(record_header(12), "The line number:\n12\n"); }

TEST(zentraSummaryText, ExactLines) {
  EXPECT_EQ(summary_text(4, 1),
            "\nNumber of evaluated sentences: 4\nNumber of defective sentences: 1\nDefect rate: 25%\n");
}

TEST(zentraSummaryText, RateIsTruncated) {
  EXPECT_EQ(summary_text(3, 2),
            "\nNumber of evaluated sentences: 3\nNumber of defective sentences: 2\nDefect rate: 66%\n");
}

TEST(zentraSummaryText, NoSentencesGivesRateZero) {
  EXPECT_EQ(summary_text(0, 0),
            "\nNumber of evaluated sentences: 0\nNumber of defective sentences: 0\nDefect rate: 0%\n");
}

TEST(zentraSummaryText, RateMayExceedAHundred) {
  EXPECT_EQ(summary_text(1, 2),
            "\nNumber of evaluated sentences: 1\nNumber of defective sentences: 2\nDefect rate: 200%\n");
}

TEST(zentraDerivedReportName, ReplacesTheLastThreeCharacters) {
  EXPECT_EQ(derived_report_name("terms.txt", "log"), "terms.log");
  EXPECT_EQ(derived_report_name("terms.txt", "xls"), "terms.xls");
  EXPECT_EQ(derived_report_name("terms", "log"), "telog");
  EXPECT_EQ(derived_report_name("abc", "log"), "log");
}

TEST(zentraDerivedReportName, DropsDirectories) {
  EXPECT_EQ(derived_report_name("dicts\\terms.txt", "log"), "terms.log");
  EXPECT_EQ(derived_report_name("c:\\a\\b\\terms.txt", "log"), "terms.log");
  EXPECT_EQ(derived_report_name("dicts/terms.txt", "log"), "terms.log");
  EXPECT_EQ(derived_report_name("/abs/dicts/terms.txt", "xls"), "terms.xls");
}

TEST(zentraDerivedReportName, LeadingBackslashAloneIsKept) {
  EXPECT_EQ(derived_report_name("\\terms.txt", "log"), "\\terms.log");
  EXPECT_EQ(derived_report_name("\\a\\terms.txt", "log"), "terms.log");
}

TEST(zentraDerivedReportName, ShortNamesGetTheExtensionAppended) {
  EXPECT_EQ(derived_report_name("ab", "log"), "ab.log");
  EXPECT_EQ(derived_report_name("dir/x", "log"), "x.log");
  EXPECT_EQ(derived_report_name("dir/", "xls"), ".xls");
}

TEST(zentraNoShowList, ListsDecimalNumbers) {
  const NoShowList list = NoShowList::parse("2\n 5\t007\n");
  EXPECT_TRUE(list.contains(2));
  EXPECT_TRUE(list.contains(5));
  EXPECT_TRUE(list.contains(7));
  EXPECT_FALSE(list.contains(1));
  EXPECT_FALSE(list.contains(0));
}

TEST(zentraNoShowList, GarbageWordsAreIgnored) {
  const NoShowList list = NoShowList::parse("x3 3 -4 +5 6. \xff 99999999999999999999999999 8");
  EXPECT_TRUE(list.contains(3));
  EXPECT_TRUE(list.contains(8));
  EXPECT_FALSE(list.contains(4));
  EXPECT_FALSE(list.contains(5));
  EXPECT_FALSE(list.contains(6));
}

TEST(zentraNoShowList, MissingFileListsNothing) {
  const NoShowList list = NoShowList::load("/nonexistent/zentra/no_show.txt");
  EXPECT_FALSE(list.contains(1));
}

}  // namespace
}  // namespace zentra
