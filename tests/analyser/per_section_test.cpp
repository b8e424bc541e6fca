#include "analyser/per_section.h"

#include <gtest/gtest.h>

#include "analyser/zentra_test_support.h"

namespace zentra {
namespace {

using Words = std::vector<std::string_view>;

TEST(zentraMarkSections, HeadingsAndSubheadings) {
  const SectionedDocument marked = mark_sections(std::string("1 Scope\n1.1 Goals\ntext"));
  EXPECT_EQ(marked.text, "1 $$$  Scope [ 1\n1.1 $$$  Goals [ 2\ntext [ 2");
  EXPECT_EQ(marked.section_count, 2u);
}

TEST(zentraMarkSections, ZeroEndsTheNumber) {
  const SectionedDocument marked = mark_sections(std::string("10 Annex"));
  EXPECT_EQ(marked.text, "1 $$$ 0 Annex [ 1");
  EXPECT_EQ(section_number_texts(marked.text), (std::vector<std::string>{"1"}));
}

TEST(zentraMarkSections, BlankLinesAndLeadingLineEndsVanish) {
  const SectionedDocument marked = mark_sections(std::string("\n\n2 A\n\n\nb\n"));
  EXPECT_EQ(marked.text, "2 $$$  A [ 1\nb [ 1\n [ 1");
}

TEST(zentraMarkSections, HeadingNeedsADigitAtTheStartOfTheLine) {
  const SectionedDocument marked = mark_sections(std::string("see 2 x\n 3 y\n0 z"));
  EXPECT_EQ(marked.text, "see 2 x [ 0\n 3 y [ 0\n0 z [ 0");
  EXPECT_EQ(marked.section_count, 0u);
}

TEST(zentraMarkSections, NumberAloneOnItsLine) {
  EXPECT_EQ(mark_sections(std::string("3.\nx")).text, "3. $$$  [ 1\nx [ 1");
  EXPECT_EQ(mark_sections(std::string("4")).text, "4 $$$  [ 1");
}

TEST(zentraMarkSections, EmptyAndMissingDocuments) {
  EXPECT_EQ(mark_sections(std::string()).text, " [ 0");
  EXPECT_EQ(mark_sections(std::nullopt).text, "");
}

TEST(zentraSectionIds, OrdinalTabNumberText) {
  const auto numbers = section_number_texts("1 $$$  Scope [ 1\n1.1 $$$  Goals [ 2");
  EXPECT_EQ(numbers, (std::vector<std::string>{"1", "1.1"}));
  EXPECT_EQ(section_id_text(numbers), "1\t1\n2\t1.1\n");
  EXPECT_EQ(section_number_texts("$$$ x"), (std::vector<std::string>{""}));
}

TEST(zentraSectionLineReader, WordsBeforeTheMarkerAndTheSectionAfterIt) {
  SectionLineReader reader("1 $$$  Scope [ 1\nx y [ 1\n [ 1");
  auto line = reader.next();
  ASSERT_TRUE(line);
  EXPECT_EQ(line->words, (Words{"1", "$$$", "Scope"}));
  EXPECT_EQ(line->section, "1");
  line = reader.next();
  ASSERT_TRUE(line);
  EXPECT_EQ(line->words, (Words{"x", "y"}));
  line = reader.next();
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->words.empty());
  EXPECT_FALSE(reader.next());
}

TEST(zentraSectionLineReader, MissingSectionWordAtTheEnd) {
  SectionLineReader reader("a [");
  auto line = reader.next();
  ASSERT_TRUE(line);
  EXPECT_EQ(line->section, "");
  EXPECT_FALSE(reader.next());
}

TEST(zentraSectionTally, OnlyNumberedSectionsHaveCounters) {
  SectionTally tally(2, {"1", "1.1"});
  EXPECT_EQ(tally.section_of("1"), std::optional<std::size_t>(1));
  EXPECT_EQ(tally.section_of("2"), std::optional<std::size_t>(2));
  EXPECT_FALSE(tally.section_of("0"));
  EXPECT_FALSE(tally.section_of("3"));
  EXPECT_FALSE(tally.section_of(""));
  EXPECT_FALSE(tally.section_of("x"));
  EXPECT_FALSE(tally.section_of("99999999999999999999999"));
  EXPECT_EQ(tally.label("2"), "1.1");
  EXPECT_EQ(tally.label("0"), "0");
}

TEST(zentraSectionTally, Table) {
  SectionTally tally(2, {"1", "1.1"});
  tally.count_sentence(1);
  tally.count_sentence(2);
  tally.count_sentence(2);
  tally.count_hit(2);
  EXPECT_EQ(tally.table(), "1\t0\t1\n1.1\t1\t2\n");
}

TEST(zentraPerSectionRun, LogTableAndSectionIds) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "1 Scope\r\nIt may fail.\r\n\r\n1.1 Goals\r\nIt should run and may stop.\r\n10 Annex\r\n");
  dir.write("weak.txt", "should\nmay\n");
  run_per_section(dir.workspace(), dir.path("doc.txt"), dir.path("weak.txt"));
  EXPECT_EQ(dir.read("sentences.txt"),
            "1 $$$  Scope [ 1\nIt may fail. [ 1\n1.1 $$$  Goals [ 2\nIt should run and may stop. [ 2\n"
            "1 $$$ 0 Annex [ 3\n [ 3");
  EXPECT_EQ(dir.read("Sect_Id.txt"), "1\t1\n2\t1.1\n3\t1\n");
  EXPECT_EQ(dir.read("weak.log"), "1 It may fail. \n1.1 It should run and may stop. \n");
  EXPECT_EQ(dir.read("weak.xls"), "1\t1\t2\n1.1\t1\t2\n1\t0\t2\n");
  EXPECT_EQ(dir.read("dict_instr.txt"), "should %%%\nmay %%%\n %%%");
}

TEST(zentraPerSectionRun, LinesBeforeTheFirstHeadingAreReportedUnderSectionZero) {
  testing::ScratchDir dir;
  dir.write("doc.txt", "Preface may go\n1 Body may go");
  dir.write("weak.txt", "may");
  run_per_section(dir.workspace(), dir.path("doc.txt"), dir.path("weak.txt"));
  EXPECT_EQ(dir.read("weak.log"), "0 Preface may go \n1 1 $$$ Body may go \n");
  EXPECT_EQ(dir.read("weak.xls"), "1\t1\t1\n");
}

TEST(zentraPerSectionRun, MissingInputs) {
  testing::ScratchDir dir;
  run_per_section(dir.workspace(), dir.path("doc.txt"), dir.path("weak.txt"));
  EXPECT_EQ(dir.read("weak.log"), "");
  EXPECT_EQ(dir.read("weak.xls"), "");
  EXPECT_EQ(dir.read("Sect_Id.txt"), "");
  EXPECT_EQ(dir.read("sentences.txt"), "");
}

}  // namespace
}  // namespace zentra
