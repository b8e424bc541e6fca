#include "corpus/triple_db.h"

#include <filesystem>
#include <sstream>
#include <vector>
#include <tuple>

#include <gtest/gtest.h>

#include "corpus/hash_header.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/text.h"
#include "temp_dir.h"

namespace velmo {
namespace {

using testing_support::TempDir;
using testing_support::write_bytes;

std::string printed(PLHash& db, std::string_view key) {
  std::ostringstream out;
  db.print_key(out, key);
  return out.str();
}

std::string dumped(PLHash& db) {
  std::ostringstream out;
  db.dump(out, nullptr);
  return out.str();
}

class TripleDbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NameSpaces::set_current("STD");
    write_bytes(header, "triples.qh, 7, 32;\n");
  }
  void link(TripleDb& db) {
    std::istringstream in(testing_support::read_bytes(header));
    ASSERT_EQ(db.link_file(header, in), PLHash::LinkResult::kLinked);
  }
  // Writes (eat obj apple) x3 to the file through a linked database that
  // is then destroyed.
  void store_three_apples() {
    TripleDb db(11);
    link(db);
    db.add_triple("eat", "obj", "apple", 3);
  }

  TempDir dir;
  std::string header = dir.file("triples.hdr");
};

TEST(TripleEntry, CountsAndRelationTotals) {
  TripleEntry entry;
  entry.add("obj", "apple", 3);
  entry.add("OBJ", "Apple", 1);
  entry.add("obj", "pear", 4);
  entry.add("subj", "man", 2);
  EXPECT_EQ(entry.count("obj", "apple"), 4U);
  EXPECT_EQ(entry.relation_total("obj"), 8U);
  EXPECT_EQ(entry.relation_total("subj"), 2U);
  EXPECT_EQ(entry.count("subj", "apple"), 0U);
}

// Pairs arrive in order from a stored entry and in any order from text
// (a key keeps the spelling it was first added with, so these agree in case):
// both must give the same counts, totals and word-relation summary.
TEST(TripleEntry, OrderOfAddingDoesNotMatter) {
  const std::vector<std::tuple<std::string, std::string, std::uint64_t>> pairs = {
      {"<class>", "N", 1}, {"mod", "red", 2},  {"obj", "pear", 4}, {"obj", "apple", 3},
      {"obj", "apple", 1}, {"subj", "man", 2}, {"mod", "Big", 5},  {"<occurrences>", "*", 9}};
  TripleEntry forward;
  TripleEntry backward;
  for (const auto& [relation, modifier, count] : pairs) forward.add(relation, modifier, count);
  for (auto it = pairs.rbegin(); it != pairs.rend(); ++it)
    backward.add(std::get<0>(*it), std::get<1>(*it), std::get<2>(*it));
  EXPECT_EQ(forward.counts(), backward.counts());
  EXPECT_EQ(forward.relations(), backward.relations());
  EXPECT_EQ(forward.count("obj", "APPLE"), 4U);
  EXPECT_EQ(forward.relation_types("obj"), 2U);
  EXPECT_EQ(forward.relation_total("Obj"), 8U);
  EXPECT_EQ(forward.word_relations(), 3U);  // mod, obj, subj: not the "<...>" records
  EXPECT_EQ(forward.word_relations_total(), 17U);
  EXPECT_EQ(backward.word_relations(), 3U);
  EXPECT_EQ(backward.word_relations_total(), 17U);
}

// A modifier's counts over the word relations of a head (the "<...>"
// records left out), found whatever the case of the question.
TEST(TripleEntry, ModifierCountsCoverTheWordRelations) {
  TripleEntry entry;
  entry.add("obj", "apple", 3);
  entry.add("nmod", "Apple", 2);
  entry.add("<wordclass>", "apple", 9);
  entry.add("obj", "pear", 4);
  const TripleEntry::ModifierCounts counts = entry.modifier_counts("OBJ", "APPLE");
  EXPECT_EQ(counts.in_relation, 3U);
  EXPECT_EQ(counts.all, 5U);
  EXPECT_EQ(counts.relations, 2U);
  EXPECT_EQ(entry.modifier_counts("<wordclass>", "apple").in_relation, 0U);
  EXPECT_EQ(entry.modifier_counts("subj", "apple").in_relation, 0U);
  EXPECT_EQ(entry.modifier_counts("obj", "stone").all, 0U);
  // Counts added after a question reach the next one.
  entry.add("subj", "apple", 1);
  EXPECT_EQ(entry.modifier_counts("subj", "apple").in_relation, 1U);
  EXPECT_EQ(entry.modifier_counts("obj", "apple").relations, 3U);
}

// A stored entry keeps its spellings and answers without regard to case;
// pairs stored out of order (written by hand or by an older version) are
// put in order.
TEST(TripleEntry, UnpackedEntriesKeepSpellingAndOrderTheirPairs) {
  StrBufs bytes;
  bytes.put_u32(3);
  for (const auto& [relation, modifier, count] : std::vector<std::tuple<std::string, std::string, std::uint32_t>>{
           {"obj", "pear", 1}, {"OBJ", "Apple", 2}, {"Mod", "red", 4}}) {
    bytes.append(relation);
    bytes.push('\0');
    bytes.append(modifier);
    bytes.push('\0');
    bytes.put_u32(0);
    bytes.put_u32(count);
  }
  const auto entry = TripleEntry::unpack(bytes.view());
  ASSERT_NE(entry, nullptr);
  const std::vector<TripleEntry::Count> expected = {{"Mod", "red", 4}, {"OBJ", "Apple", 2}, {"obj", "pear", 1}};
  EXPECT_EQ(entry->counts(), expected);
  EXPECT_EQ(entry->count("obj", "APPLE"), 2U);
  EXPECT_EQ(entry->relation_total("mod"), 4U);
  EXPECT_EQ(entry->relation_types("Obj"), 2U);
}

// Texts of every length around the eight bytes read at once, with a capital
// (or a byte beside the letters, or a non-ASCII byte) before, at and after
// their end: each is found whole and folded exactly when it has a capital.
TEST(TripleEntry, UnpackedTextsOfAnyLengthFoldOnlyTheirOwnCapitals) {
  std::vector<std::string> modifiers;
  for (std::size_t length = 1; length <= 19; ++length) {
    std::string capital_last(length, 'c'), capital_first(length, 'd'), others(length, 'e');
    capital_last.back() = 'Z';
    capital_first.front() = 'D';
    others.append("@[\xc1\xda");
    modifiers.push_back(std::string(length, 'b'));
    modifiers.push_back(capital_last);
    modifiers.push_back(capital_first);
    modifiers.push_back(others);
  }
  TripleEntry entry;
  for (const std::string& modifier : modifiers) entry.add("Rel", modifier, 1);
  StrBufs bytes;
  entry.pack(bytes);
  const auto back = TripleEntry::unpack(bytes.view());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->counts(), entry.counts());
  for (const std::string& modifier : modifiers) {
    std::string lower = modifier, upper = modifier;
    for (char& c : lower) c = ascii_lower(c);
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    EXPECT_EQ(back->count("rEL", lower), 1U) << modifier;
    EXPECT_EQ(back->count("REL", upper), 1U) << modifier;
  }
  EXPECT_EQ(back->relation_types("rel"), modifiers.size());
}

TEST(FoldedText, LowersAsciiLettersOfShortAndLongTexts) {
  EXPECT_EQ(FoldedText("Apple-PIE").view(), "apple-pie");
  const std::string plain = "already lower";
  EXPECT_EQ(FoldedText(plain).view().data(), plain.data());  // not copied
  const std::string long_text(100, 'Q');
  EXPECT_EQ(FoldedText(long_text).view(), std::string(100, 'q'));
  EXPECT_EQ(FoldedText("\xc3\x89t\xc3\xa9").view(), "\xc3\x89t\xc3\xa9");  // only ASCII letters fold
}

TEST(TripleEntry, FirstModifierNamesARecordsValue) {
  TripleEntry entry;
  entry.add("obj", "apple", 3);
  entry.add("<class>", "V", 1);
  EXPECT_EQ(entry.first_modifier("<CLASS>"), "V");
  EXPECT_EQ(entry.first_modifier("<wordclass>"), "");
  EXPECT_EQ(entry.first_modifier("obj"), "apple");
}

// Out-of-order pairs wait until a question, then merge with the sorted
// ones: a pair keeps its first spelling and the listing stays sorted.
TEST(TripleEntry, PairsAddedBetweenQuestionsMergeInOrder) {
  TripleEntry entry;
  entry.add("obj", "Pear", 1);
  entry.add("obj", "apple", 2);
  EXPECT_EQ(entry.count("obj", "pear"), 1U);
  entry.add("obj", "PEAR", 5);
  entry.add("mod", "red", 1);
  entry.add("obj", "zebra", 1);
  const std::vector<TripleEntry::Count> expected = {
      {"mod", "red", 1}, {"obj", "apple", 2}, {"obj", "Pear", 6}, {"obj", "zebra", 1}};
  EXPECT_EQ(entry.counts(), expected);
  EXPECT_EQ(entry.relation_types("obj"), 3U);
  EXPECT_EQ(entry.relation_total("obj"), 9U);
  EXPECT_EQ(entry.word_relations(), 2U);
}

// The last relation asked about is remembered per entry: every pair added
// after a question (in order, out of order, merged into a known one, or to
// an unpacked entry) shows in the next answer, whatever the case asked in.
TEST(TripleEntry, AnswersFollowPairsAddedBetweenQuestions) {
  TripleEntry entry;
  EXPECT_EQ(entry.relation_total("obj"), 0U);
  entry.add("obj", "apple", 2);
  EXPECT_EQ(entry.relation_total("obj"), 2U);
  EXPECT_EQ(entry.count("obj", "apple"), 2U);
  entry.add("obj", "apple", 3);
  EXPECT_EQ(entry.count("obj", "apple"), 5U);
  EXPECT_EQ(entry.relation_total("OBJ"), 5U);
  entry.add("amod", "red", 1);  // before "obj": waits among the pending pairs
  EXPECT_EQ(entry.relation_total("obj"), 5U);
  EXPECT_EQ(entry.relation_types("amod"), 1U);
  EXPECT_EQ(entry.first_modifier("amod"), "red");
  entry.add("amod", "blue", 4);
  EXPECT_EQ(entry.first_modifier("amod"), "blue");
  EXPECT_EQ(entry.relation_types("amod"), 2U);
  EXPECT_EQ(entry.relation_total("amod"), 5U);
  EXPECT_EQ(entry.relation_total("obj"), 5U);
  const std::string long_relation(40, 'r');
  EXPECT_EQ(entry.relation_total(long_relation), 0U);
  entry.add(long_relation, "x", 7);
  EXPECT_EQ(entry.relation_total(long_relation), 7U);

  StrBufs bytes;
  entry.pack(bytes);
  const auto back = TripleEntry::unpack(bytes.view());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->relation_total("obj"), 5U);
  EXPECT_EQ(back->relation_total("nsubj"), 0U);
  back->add("nsubj", "she", 1);
  EXPECT_EQ(back->relation_total("nsubj"), 1U);
  EXPECT_EQ(back->count("NSUBJ", "She"), 1U);
  back->add("obj", "pear", 1);
  EXPECT_EQ(back->relation_types("nsubj"), 1U);
  EXPECT_EQ(back->relation_types("obj"), 2U);
}

// Stored pairs are taken in order without sorting when each follows the
// last: texts that begin others, bytes above 0x7F and capitals must still
// come back in order and be found.
TEST(TripleEntry, UnpackedPairsKeepTheirOrderAcrossPrefixesAndHighBytes) {
  TripleEntry entry;
  const std::vector<std::string> modifiers = {"app",         "apple",        "Apples",      "cafe",
                                              "caf\xc3\xa9", "caf\xc3\xa9s", "\xe2\x80\x94"};
  std::uint64_t n = 1;
  for (const std::string& modifier : modifiers) entry.add("obj", modifier, n++);
  entry.add("amod", "\xc3\xa9", 9);
  StrBufs bytes;
  entry.pack(bytes);
  const auto back = TripleEntry::unpack(bytes.view());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->counts(), entry.counts());
  n = 1;
  for (const std::string& modifier : modifiers) EXPECT_EQ(back->count("obj", modifier), n++) << modifier;
  EXPECT_EQ(back->count("AMOD", "\xc3\xa9"), 9U);
  EXPECT_EQ(back->relation_types("obj"), modifiers.size());

  // Stored forms written by hand: out of order, they are sorted on
  // unpacking; pairs equal but for case merge.
  const auto stored_form = [](const std::vector<std::pair<std::string, std::uint32_t>>& pairs) {
    StrBufs stored;
    stored.put_u32(static_cast<std::uint32_t>(pairs.size()));
    for (const auto& [modifier, count] : pairs) {
      stored.append("obj");
      stored.push('\0');
      stored.append(modifier);
      stored.push('\0');
      stored.put_u32(0);
      stored.put_u32(count);
    }
    return std::string(stored.view());
  };
  const auto sorted =
      TripleEntry::unpack(stored_form({{"caf\xc3\xa9", 1}, {"cafe", 2}, {"apple", 3}, {"app", 4}, {"Cafe", 5}}));
  ASSERT_NE(sorted, nullptr);
  const std::vector<TripleEntry::Count> expected = {
      {"obj", "app", 4}, {"obj", "apple", 3}, {"obj", "cafe", 7}, {"obj", "caf\xc3\xa9", 1}};
  EXPECT_EQ(sorted->counts(), expected);
  EXPECT_EQ(sorted->count("obj", "caf\xc3\xa9"), 1U);
  EXPECT_EQ(sorted->count("obj", "app"), 4U);
  const auto merged = TripleEntry::unpack(stored_form({{"app", 4}, {"App", 1}, {"apple", 3}}));
  ASSERT_NE(merged, nullptr);
  const std::vector<TripleEntry::Count> expected_merged = {{"obj", "app", 5}, {"obj", "apple", 3}};
  EXPECT_EQ(merged->counts(), expected_merged);
}

// A pair whose relation is spelt as the last pair's is read without a
// scan of its relation: relations that begin one another, that differ in
// their last byte, and that are shorter than, as long as or longer than
// eight bytes must still be told apart.
TEST(TripleEntry, UnpackedRelationsThatBeginOneAnotherStayApart) {
  const std::vector<std::tuple<std::string, std::string, std::uint32_t>> pairs = {
      {"<class>", "N", 20}, {"<class>", "v", 30},
      {"nmod", "x", 1},     {"nmod:poss", "x", 2},     {"nmod:possessive", "y", 3}, {"nmod:possessivf", "y", 4},
      {"obj", "a", 5},      {"obl", "a", 6},           {"obl:tmod", "b", 7},        {"obl:tmod", "c", 8},
      {"obl:tmoe", "c", 9}, {"obl:tmp", "d", 10},      {"obl:tmp", "e", 11},        {"obl:tmpx", "e", 12},
      {"x", "f", 13},       {"x", "g", 14}};
  StrBufs stored;
  stored.put_u32(static_cast<std::uint32_t>(pairs.size()));
  for (const auto& [relation, modifier, count] : pairs) {
    stored.append(relation);
    stored.push('\0');
    stored.append(modifier);
    stored.push('\0');
    stored.put_u32(0);
    stored.put_u32(count);
  }
  const auto entry = TripleEntry::unpack(stored.view());
  ASSERT_NE(entry, nullptr);
  std::vector<TripleEntry::Count> expected;
  for (const auto& [relation, modifier, count] : pairs) expected.push_back({relation, modifier, count});
  EXPECT_EQ(entry->counts(), expected);
  const std::vector<TripleEntry::Relation> relations = {
      {"<class>", 50, 2},
      {"nmod", 1, 1},     {"nmod:poss", 2, 1}, {"nmod:possessive", 3, 1}, {"nmod:possessivf", 4, 1},
      {"obj", 5, 1},      {"obl", 6, 1},       {"obl:tmod", 15, 2},       {"obl:tmoe", 9, 1},
      {"obl:tmp", 21, 2}, {"obl:tmpx", 12, 1}, {"x", 27, 2}};
  EXPECT_EQ(entry->relations(), relations);
  EXPECT_EQ(entry->count("obl:tmp", "e"), 11U);
  EXPECT_EQ(entry->count("OBL:TMOD", "c"), 8U);
  EXPECT_EQ(entry->relation_total("nmod:possessivf"), 4U);
  // The "<class>" records are no word relation.
  EXPECT_EQ(entry->word_relations_total(), 105U);
  EXPECT_EQ(entry->word_relations(), 11U);
  EXPECT_EQ(entry->first_modifier("<class>"), "N");
}

TEST(TripleEntry, PackedFormRoundTripsAndRejectsDamage) {
  TripleEntry entry;
  entry.add("obj", "apple", 5000000000ULL);
  entry.add("mod", "red", 2);
  StrBufs bytes;
  entry.pack(bytes);
  const auto back = TripleEntry::unpack(bytes.view());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->counts(), entry.counts());
  EXPECT_EQ(TripleEntry::unpack(bytes.view().substr(0, bytes.size() - 1)), nullptr);
  EXPECT_EQ(TripleEntry::unpack(std::string(bytes.view()) + "x"), nullptr);
  EXPECT_EQ(TripleEntry::unpack(std::string("\xff\xff\xff\xff", 4)), nullptr);
}

TEST_F(TripleDbTest, ProbabilityIsTheShareAmongModifiersOfTheRelation) {
  TripleDb db(11);
  db.add_triple("eat", "obj", "apple", 3);
  db.add_triple("eat", "obj", "pear", 1);
  db.add_triple("eat", "subj", "man", 5);
  EXPECT_DOUBLE_EQ(*db.probability("eat", "obj", "apple"), 0.75);
  EXPECT_DOUBLE_EQ(*db.probability("EAT", "obj", "pear"), 0.25);
  EXPECT_DOUBLE_EQ(*db.probability("eat", "subj", "man"), 1.0);
  EXPECT_FALSE(db.probability("eat", "obj", "stone").has_value());
  EXPECT_FALSE(db.probability("drink", "obj", "apple").has_value());
  EXPECT_EQ(db.total_count(), 9U);
}

TEST_F(TripleDbTest, PopulateReadsTabSeparatedLines) {
  TripleDb db(11);
  std::istringstream in("eat\tobj\tapple\t3\neat\tobj\tpear\n\ndrink\tobj\twater\t2\r\n");
  EXPECT_TRUE(db.populate(in));
  EXPECT_EQ(printed(db, "eat"), "eat\tobj\tapple\t3\neat\tobj\tpear\t1\n");
  EXPECT_EQ(printed(db, "drink"), "drink\tobj\twater\t2\n");
  EXPECT_EQ(printed(db, "sleep"), "");
  EXPECT_EQ(db.total_count(), 6U);
}

TEST_F(TripleDbTest, MalformedLinesAreReportedAndSkipped) {
  TripleDb db(11);
  std::istringstream in("eat\tobj\napple\tobj\tred\t0\neat\tobj\tapple\nx\ty\tz\tw\tv\n");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(db.populate(in));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Line 1 is not head<TAB>relation<TAB>modifier[<TAB>count]\n"
            "Line 2 is not head<TAB>relation<TAB>modifier[<TAB>count]\n"
            "Line 4 is not head<TAB>relation<TAB>modifier[<TAB>count]\n");
  EXPECT_EQ(db.total_count(), 1U);
}

TEST_F(TripleDbTest, AddTriplesUsesTheGivenRelation) {
  TripleDb db(11);
  std::istringstream in("eat\tapple\t2\nsee\tdog\n");
  EXPECT_TRUE(db.add_triples("obj", in));
  EXPECT_EQ(dumped(db), "eat\tobj\tapple\t2\nsee\tobj\tdog\t1\n");
}

TEST_F(TripleDbTest, SyncedEntriesAreFoundByAFreshDatabase) {
  {
    TripleDb db(11);
    link(db);
    db.add_triple("eat", "obj", "apple", 3);
    db.add_triple("see", "obj", "dog", 1);
    ASSERT_TRUE(db.sync());
    EXPECT_TRUE(db.unlink_file());
    EXPECT_EQ(db.total_count(), 0U);
    EXPECT_EQ(printed(db, "eat"), "");
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("triples.qh")));
  TripleDb db(11);
  link(db);
  EXPECT_EQ(db.total_count(), 4U);
  EXPECT_EQ(db.count("eat", "obj", "apple"), 3U);
  db.add_triple("eat", "obj", "apple", 1);
  EXPECT_EQ(printed(db, "eat"), "eat\tobj\tapple\t4\n");
  EXPECT_TRUE(db.file()->validate(std::cerr));
}

// A key the file lacks is remembered as absent, but only until the next
// change: one added afterwards is found.
TEST_F(TripleDbTest, KeysMissingFromTheFileAreFoundOnceAdded) {
  TripleDb db(11);
  link(db);
  db.add_triple("eat", "obj", "apple", 3);
  ASSERT_TRUE(db.sync());
  EXPECT_EQ(db.find("drink"), nullptr);
  EXPECT_EQ(db.find("DRINK"), nullptr);
  db.add_triple("drink", "obj", "water", 2);
  EXPECT_EQ(db.count("Drink", "obj", "water"), 2U);
  ASSERT_TRUE(db.sync());
  ASSERT_TRUE(db.unlink_file());
  link(db);
  EXPECT_EQ(db.count("drink", "obj", "water"), 2U);
}

TEST_F(TripleDbTest, DestroyingALinkedDatabaseKeepsItsChanges) {
  store_three_apples();
  TripleDb db(11);
  link(db);
  EXPECT_EQ(db.count("eat", "obj", "apple"), 3U);
  EXPECT_EQ(db.total_count(), 3U);
}

TEST_F(TripleDbTest, ClosingAtExitKeepsTheChangesAndUnlinks) {
  TripleDb db(11);
  link(db);
  db.add_triple("eat", "obj", "apple", 3);
  EXPECT_TRUE(db.close_at_exit());
  EXPECT_FALSE(db.linked());
  // The file is whole without the destructor's help.
  TripleDb reader(11);
  link(reader);
  EXPECT_EQ(reader.count("eat", "obj", "apple"), 3U);
  EXPECT_EQ(reader.total_count(), 3U);
}

TEST_F(TripleDbTest, ClosingAReadOnlyDatabaseAtExitLeavesItsFile) {
  store_three_apples();
  const std::string before = testing_support::read_bytes(dir.file("triples.qh"));
  TripleDb db(11);
  std::istringstream in(testing_support::read_bytes(header));
  ASSERT_EQ(db.link_file(header, in, QFile::Mode::kReadOnly), PLHash::LinkResult::kLinked);
  db.add_triple("eat", "obj", "pear", 1);
  EXPECT_TRUE(db.close_at_exit());
  EXPECT_EQ(testing_support::read_bytes(dir.file("triples.qh")), before);
}

TEST_F(TripleDbTest, InterruptedSessionLosesOnlyChangesSinceTheLastSync) {
  const std::string crashed_header = dir.file("crashed.hdr");
  write_bytes(crashed_header, "crashed.qh 7 32");
  TripleDb db(11);
  link(db);
  db.add_triple("eat", "obj", "apple", 3);
  ASSERT_TRUE(db.sync());
  db.add_triple("eat", "obj", "pear", 1);
  db.add_triple("see", "obj", "dog", 1);
  std::filesystem::copy_file(dir.file("triples.qh"), dir.file("crashed.qh"));

  TripleDb reopened(11);
  std::istringstream in("crashed.qh 7 32");
  ASSERT_EQ(reopened.link_file(crashed_header, in), PLHash::LinkResult::kLinked);
  EXPECT_EQ(dumped(reopened), "eat\tobj\tapple\t3\n");
  EXPECT_EQ(reopened.total_count(), 3U);
  EXPECT_TRUE(reopened.file()->validate(std::cerr));
}

TEST_F(TripleDbTest, DumpCoversFileAndMemoryEntries) {
  TripleDb db(11);
  link(db);
  db.add_triple("eat", "obj", "apple", 3);
  db.sync();
  db.add_triple("eat", "obj", "pear", 1);  // changed, not yet synced
  db.add_triple("see", "obj", "dog", 1);   // only in memory
  EXPECT_EQ(dumped(db), "eat\tobj\tapple\t3\neat\tobj\tpear\t1\nsee\tobj\tdog\t1\n");
}

TEST_F(TripleDbTest, LinkingAddsEarlierEntriesToTheFileEntries) {
  store_three_apples();
  TripleDb db(11);
  db.add_triple("eat", "obj", "apple", 1);
  db.add_triple("see", "obj", "dog", 1);
  link(db);
  EXPECT_EQ(db.count("eat", "obj", "apple"), 4U);
  EXPECT_EQ(db.total_count(), 5U);
  db.sync();
  // Bucket order of the file: "see" hashes to a lower bucket than "eat".
  EXPECT_EQ(dumped(db), "see\tobj\tdog\t1\neat\tobj\tapple\t4\n");
}

TEST_F(TripleDbTest, CopyAndMerge) {
  TripleDb source(11);
  source.add_triple("eat", "obj", "apple", 3);
  source.add_triple("see", "obj", "dog", 1);
  TripleDb copy(11);
  copy.add_triple("old", "obj", "thing", 7);
  ASSERT_TRUE(copy.copy_from(source));
  EXPECT_EQ(dumped(copy), dumped(source));
  EXPECT_EQ(copy.total_count(), 4U);

  TripleDb merged(11);
  merged.add_triple("eat", "obj", "apple", 1);
  ASSERT_TRUE(merged.merge_from(source));
  EXPECT_EQ(merged.count("eat", "obj", "apple"), 4U);
  EXPECT_EQ(merged.count("see", "obj", "dog"), 1U);
  EXPECT_EQ(merged.total_count(), 5U);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(merged.merge_from(merged));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Can't merge a database into itself\n");
}

TEST_F(TripleDbTest, CopyIntoALinkedDatabaseReplacesItsFile) {
  TripleDb target(11);
  link(target);
  target.add_triple("old", "obj", "thing", 7);
  target.sync();
  TripleDb source(11);
  source.add_triple("eat", "obj", "apple", 3);
  ASSERT_TRUE(target.copy_from(source));
  ASSERT_TRUE(target.sync());
  EXPECT_EQ(dumped(target), "eat\tobj\tapple\t3\n");
  EXPECT_EQ(target.total_count(), 3U);
}

TEST_F(TripleDbTest, ReconstructStartsFromNothing) {
  TripleDb db(11);
  link(db);
  db.add_triple("old", "obj", "thing", 7);
  db.sync();
  std::istringstream in("eat\tobj\tapple\t2\n");
  ASSERT_TRUE(db.reconstruct(in));
  EXPECT_EQ(dumped(db), "eat\tobj\tapple\t2\n");
  EXPECT_EQ(db.total_count(), 2U);
}

TEST_F(TripleDbTest, HeaderFileNamesAreRelativeToTheHeader) {
  std::istringstream in("\"data.qh\" 101 , 64 ; the rest of a line is a comment");
  const auto layout = read_hash_header(in, "/some/dir/db.hdr");
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(layout->file, "/some/dir/data.qh");
  EXPECT_EQ(layout->buckets, 101U);
  EXPECT_EQ(layout->block_size, 64U);
  std::istringstream absolute("/abs/data.qh,5,32");
  EXPECT_EQ(read_hash_header(absolute, "db.hdr")->file, "/abs/data.qh");
  std::istringstream bad("data.qh 0 32");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(read_hash_header(bad, "db.hdr").has_value());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "The header file db.hdr must give a file name, a bucket count and a block size\n");
}

TEST(PLHash, KindsLackingAnOperationAreReported) {
  PLHash base(11);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(base.modify("x"), nullptr);
  std::istringstream in("x");
  EXPECT_FALSE(base.populate(in));
  TripleDb db(11);
  db.add_triple("eat", "obj", "apple", 1);
  EXPECT_FALSE(db.copy_from(base));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "PLHash::new_entry must be defined by a subclass.\n"
            "PLHash::populate must be defined by a subclass.\n"
            "Can't copy a PLHash into a TripleDb\n");
  EXPECT_EQ(db.count("eat", "obj", "apple"), 1U);
}

}  // namespace
}  // namespace velmo
