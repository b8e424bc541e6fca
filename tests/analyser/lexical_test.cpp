#include "analyser/lexical.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

TEST(zentraLexicalRecordText, SentenceThenWording) {
  EXPECT_EQ(lexical_record_text({"it", "shall", "be"}, {"shall", "be"}),
            "it shall be \nis defective because it contains the wording:\nshall be \n\n");
}

class zentraLexicalRun : public ::testing::Test {
 protected:
  testing::ScratchDir dir;
};

TEST_F(zentraLexicalRun, CountsEveryMatch) {
  dir.write("doc.txt", "the system shall be fast\nbe be be\nok\n");
  dir.write("terms.txt", "shall be\nbe be\n");
  run_lexical(dir.workspace(), dir.path("doc.txt"), dir.path("terms.txt"));
  const std::string header1 = "The line number:\n1\n", header2 = "The line number:\n2\n";
  EXPECT_EQ(dir.read("terms.log"),
            header1 + "the system shall be fast \nis defective because it contains the wording:\nshall be \n\n" +
                header2 + "be be be \nis defective because it contains the wording:\nbe be \n\n" + header2 +
                "be be be \nis defective because it contains the wording:\nbe be \n\n" +
                "\nNumber of evaluated sentences: 4\nNumber of defective sentences: 3\nDefect rate: 75%\n");
  EXPECT_EQ(dir.read("dict_instr.txt"), "shall be %%%\nbe be %%%\n %%%");
}

TEST_F(zentraLexicalRun, SkipsListedSentences) {
  dir.write("doc.txt", "be be\nbe be");
  dir.write("terms.txt", "be be");
  dir.write("no_show.txt", "1");
  run_lexical(dir.workspace(), dir.path("doc.txt"), dir.path("terms.txt"));
  EXPECT_EQ(dir.read("terms.log"),
            "The line number:\n2\nbe be \nis defective because it contains the wording:\nbe be \n\n"
            "\nNumber of evaluated sentences: 2\nNumber of defective sentences: 1\nDefect rate: 50%\n");
}

TEST_F(zentraLexicalRun, MissingDictionaryStillWritesTheSummary) {
  dir.write("doc.txt", "be be");
  run_lexical(dir.workspace(), dir.path("doc.txt"), dir.path("words.txt"));
  EXPECT_EQ(dir.read("words.log"),
            "\nNumber of evaluated sentences: 1\nNumber of defective sentences: 0\nDefect rate: 0%\n");
}

TEST_F(zentraLexicalRun, ReportNamedAfterTheDictionaryLandsInTheWorkingDirectory) {
  std::filesystem::create_directory(dir.path("dicts"));
  dir.write("dicts/terms.txt", "fast");
  dir.write("doc.txt", "fast");
  run_lexical(dir.workspace(), dir.path("doc.txt"), dir.path("dicts/terms.txt"));
  EXPECT_TRUE(dir.exists("terms.log"));
  EXPECT_FALSE(dir.exists("dicts/terms.log"));
}

}  // namespace
}  // namespace zentra
