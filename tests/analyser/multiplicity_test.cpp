#include "analyser/multiplicity.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

using testing::node;
using testing::tree;

TEST(zentraCountMultiplicity, TwoSubjects) {
  const auto counts = count_multiplicity({{"Ann", "N", "s", "see"}, {"Bob", "N", "s", "run"}});
  EXPECT_EQ(counts.subjects, 2u);
  EXPECT_EQ(counts.main_verbs, 0u);
}

TEST(zentraCountMultiplicity, NounConjoinedToASubjectCountsPerOccurrence) {
  const auto counts = count_multiplicity(
      {{"Ann", "N", "s", "see"}, {"Ann", "N", "s", "run"}, {"Bob", "N", "conj", "Ann"}, {"Cy", "A", "conj", "Ann"}});
  EXPECT_EQ(counts.subjects, 4u);
}

TEST(zentraCountMultiplicity, ConjoinedVerbSetsTwoMainVerbs) {
  EXPECT_EQ(count_multiplicity({{"run", "V", "conj", "see"}}).main_verbs, 2u);
  EXPECT_EQ(count_multiplicity({{"run", "VB", "conj", "see"}, {"run", "VB", "conj", "see"}}).main_verbs, 2u);
  EXPECT_EQ(count_multiplicity({{"run", "V", "conj", "fin"}}).main_verbs, 3u);
}

TEST(zentraCountMultiplicity, VerbsGovernedByFin) {
  EXPECT_EQ(count_multiplicity({{"run", "V", "x", "fin"}}).main_verbs, 1u);
  EXPECT_EQ(count_multiplicity({{"run", "V", "x", "fin"}, {"go", "VB", "y", "fin"}}).main_verbs, 2u);
  EXPECT_EQ(count_multiplicity({{"run", "VBE", "x", "fin"}}).main_verbs, 0u);
}

TEST(zentraMultiplicityRun, ReportsSubjectsAndVerbsAsTwoRecordsOfOneDefect) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "Ann runs and Bob runs\nAnn runs\n");
  dir.write("parsed.txt",
            tree(node("1", "Ann", "~", "N", "2", "s", "run") + node("2", "runs", "run", "V", "*", "") +
                 node("4", "Bob", "~", "N", "5", "s", "run") + node("5", "runs", "run", "V", "2", "conj", "run")) +
                tree(node("1", "Ann", "~", "N", "2", "s", "run") + node("2", "runs", "run", "V", "*", "")) + "> ");
  run_multiplicity(dir.workspace(), dir.path("doc.txt"));
  const std::string record = "The line number:\n1\nAnn runs and Bob runs \ncontains a multiple sentence:\n";
  EXPECT_EQ(dir.read("multiplicity.sdc.log"),
            record + "more than one subject\n\n" + record + "more than one main verb\n\n" +
                "\nNumber of evaluated sentences: 3\nNumber of defective sentences: 1\nDefect rate: 33%\n");
  EXPECT_EQ(dir.read("all-parsed.txt"), "\nAnn N s run\nBob N s run\nrun V conj run\n\nAnn N s run\n\n");
  EXPECT_FALSE(dir.exists("all_parsed.txt"));
}

}  // namespace
}  // namespace zentra
