#include "analyser/implicity.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

using testing::node;
using testing::tree;

TEST(zentraImplicitFindings, DictionaryWordAsSubjectObjectOrDeterminer) {
  const WordSet dictionary(std::vector<std::string>{"it", "this"});
  const std::vector<Row> rows{{"it", "N", "subj", "like"},
                              {"it", "N", "s", "like"},
                              {"this", "D", "det", "house"},
                              {"this", "N", "obj", "see"},
                              {"that", "N", "subj", "like"}};
  EXPECT_EQ(implicit_findings(rows, dictionary),
            (std::vector<Implicitness>{Implicitness::Subject, Implicitness::Determiner, Implicitness::Object}));
}

TEST(zentraImplicitFindings, RelationSWithTheSameWordIsNoFinding) {
  const WordSet dictionary(std::vector<std::string>{"it"});
  EXPECT_TRUE(implicit_findings({{"it", "N", "s", "like"}}, dictionary).empty());
}

TEST(zentraImplicityRecordText, ExactTexts) {
  EXPECT_EQ(implicity_record_text(Implicitness::Subject), "\ncontains an implicit sentence: \nimplicit subject\n\n");
  EXPECT_EQ(implicity_record_text(Implicitness::Object), "\ncontains an implicit sentence: \nimplicit object\n\n");
  EXPECT_EQ(implicity_record_text(Implicitness::Determiner),
            "\ncontains an implicit sentence:\nimplicit determiner.\n\n");
}

class zentraImplicityRun : public ::testing::Test {
 protected:
  void run() { run_implicity(dir.workspace(), dir.path("doc.txt"), dir.path("dict.txt")); }
  testing::ScratchDir dir;
};

TEST_F(zentraImplicityRun, ReportsEachFindingAndCountsTheSentenceOnce) {
  dir.write("doc.txt", "it likes this\nAnn sees Bob\n");
  dir.write("dict.txt", "it\nthis\n");
  dir.write("parsed.txt",
            tree(node("1", "it", "~", "N", "2", "subj", "like") + node("2", "likes", "like", "V", "*", "") +
                 node("3", "this", "~", "N", "2", "obj", "like")) +
                tree(node("1", "Ann", "~", "N", "2", "s", "see") + node("2", "sees", "see", "V", "*", "") +
                     node("3", "Bob", "~", "N", "2", "obj", "see")) +
                "> ");
  run();
  EXPECT_EQ(dir.read("implicity.sdc.log"),
            "The line number:\n1\nit likes this \ncontains an implicit sentence: \nimplicit subject\n\n"
            "The line number:\n1\nit likes this \ncontains an implicit sentence: \nimplicit object\n\n"
            "\nNumber of evaluated sentences: 3\nNumber of defective sentences: 1\nDefect rate: 33%\n");
  EXPECT_EQ(dir.read("all_parsed.txt"),
            "it N subj like\nthis N obj like\n++++\n\nAnn N s see\nBob N obj see\n++++\n\n++++\n\n");
  EXPECT_EQ(dir.read("dict_instr.txt"), "it %%%\nthis %%%\n %%%");
  EXPECT_EQ(dir.read("sentences.txt"), "it likes this \xA3\xA3\xA3\nAnn sees Bob \xA3\xA3\xA3\n \xA3\xA3\xA3");
  // The per-sentence files hold the last sentence, which is empty.
  EXPECT_EQ(dir.read("single_sent.txt"), "");
  EXPECT_EQ(dir.read("single_parsed.txt"), "");
  EXPECT_EQ(dir.read("single_parsed_f.txt"), "");
}

TEST_F(zentraImplicityRun, SkippedSentenceIsCountedButNotReported) {
  dir.write("doc.txt", "it likes cheese");
  dir.write("dict.txt", "it");
  dir.write("no_show.txt", "1");
  dir.write("parsed.txt", tree(node("1", "it", "~", "N", "2", "subj", "like")) + "> ");
  run();
  EXPECT_EQ(dir.read("implicity.sdc.log"),
            "\nNumber of evaluated sentences: 1\nNumber of defective sentences: 0\nDefect rate: 0%\n");
  EXPECT_EQ(dir.read("all_parsed.txt"), "it N subj like\n++++\n\n");
  EXPECT_EQ(dir.read("single_sent.txt"), "it likes cheese ");
  EXPECT_EQ(dir.read("single_parsed.txt"), "it N subj like\n");
  EXPECT_EQ(dir.read("single_parsed_f.txt"), "it N subj like ### ### ");
}

TEST_F(zentraImplicityRun, MissingInputsGiveAnEmptySummary) {
  run();
  EXPECT_EQ(dir.read("implicity.sdc.log"),
            "\nNumber of evaluated sentences: 0\nNumber of defective sentences: 0\nDefect rate: 0%\n");
  EXPECT_EQ(dir.read("sentences.txt"), "");
  EXPECT_EQ(dir.read("dict_instr.txt"), "");
  EXPECT_EQ(dir.read("all_parsed.txt"), "");
}

TEST_F(zentraImplicityRun, OldReportIsReplaced) {
  dir.write("implicity.sdc.log", "stale");
  dir.write("doc.txt", "x");
  dir.write("dict.txt", "it");
  run();
  EXPECT_EQ(dir.read("implicity.sdc.log"),
            "\nNumber of evaluated sentences: 1\nNumber of defective sentences: 0\nDefect rate: 0%\n");
}

}  // namespace
}  // namespace zentra
