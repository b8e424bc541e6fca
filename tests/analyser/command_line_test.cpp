#include "analyser/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class zentraCommandLine : public ::testing::Test {
 protected:
  Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = run_command_line(args, out, err, dir.workspace());
    return {status, out.str(), err.str()};
  }
  std::string file(std::string_view name) const { return dir.path(name).string(); }
  testing::ScratchDir dir;
};

TEST_F(zentraCommandLine, TooFewArguments) {
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"i"}, std::vector<std::string>{"@"}}) {
    const Outcome outcome = run(args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Zentra Error: too less input parameters\n");
  }
}

TEST_F(zentraCommandLine, AtPrintsFreeWhateverFollows) {
  const Outcome outcome = run({"@bc", "doc.txt", "a", "b", "c"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "free\n");
  EXPECT_EQ(outcome.err, "");
  EXPECT_FALSE(dir.exists("sentences.txt"));
}

TEST_F(zentraCommandLine, DictionaryModesNeedExactlyThreeArguments) {
  for (const char* mode : {"i", "l", "u", "v", "lexical"}) {
    for (const auto& extra : {std::vector<std::string>{}, std::vector<std::string>{"d", "e"}}) {
      std::vector<std::string> args{mode, "doc.txt"};
      args.insert(args.end(), extra.begin(), extra.end());
      const Outcome outcome = run(args);
      EXPECT_EQ(outcome.status, 1) << mode;
      EXPECT_EQ(outcome.err, "Zentra Error: wrong number of parameters\n") << mode;
    }
  }
}

TEST_F(zentraCommandLine, UnknownModeHasNoLineEnd) {
  for (const char* mode : {"x", "I", "", "Multiplicity"}) {
    const Outcome outcome = run({mode, "doc.txt"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Zentra input parameter error!");
  }
}

TEST_F(zentraCommandLine, WrongCountIsCheckedBeforeTheModeLetter) {
  EXPECT_EQ(run({"x", "doc.txt", "d", "e"}).err, "Zentra input parameter error!");
  EXPECT_EQ(run({"u", "doc.txt", "d", "e"}).err, "Zentra Error: wrong number of parameters\n");
}

TEST_F(zentraCommandLine, MxSelectsMultiplicityAndIgnoresExtraArguments) {
  dir.write("doc.txt", "a");
  const Outcome outcome = run({"mx", file("doc.txt"), "ignored.txt", "more"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(dir.read("multiplicity.sdc.log"),
            "\nNumber of evaluated sentences: 1\nNumber of defective sentences: 0\nDefect rate: 0%\n");
}

TEST_F(zentraCommandLine, ReadabilityIgnoresADictionary) {
  dir.write("doc.txt", "ab cd\nef");
  EXPECT_EQ(run({"r", file("doc.txt"), "dict.txt"}).status, 0);
  EXPECT_EQ(dir.read("readability.log"), "Readability Index: (Coleman-Liau Formula) -28.13\n");
}

TEST_F(zentraCommandLine, EachDictionaryModeWritesItsReport) {
  dir.write("doc.txt", "a");
  dir.write("terms.txt", "a");
  EXPECT_EQ(run({"i", file("doc.txt"), file("terms.txt")}).status, 0);
  EXPECT_TRUE(dir.exists("implicity.sdc.log"));
  EXPECT_EQ(run({"u", file("doc.txt"), file("terms.txt")}).status, 0);
  EXPECT_TRUE(dir.exists("underspecification.sdc.log"));
  EXPECT_EQ(run({"l", file("doc.txt"), file("terms.txt")}).status, 0);
  EXPECT_TRUE(dir.exists("terms.log"));
  EXPECT_EQ(run({"v", file("doc.txt"), file("other.txt")}).status, 0);
  EXPECT_TRUE(dir.exists("other.log"));
  EXPECT_TRUE(dir.exists("other.xls"));
}

}  // namespace
}  // namespace zentra
