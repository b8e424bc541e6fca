#include "lexicon/lexicon/lexicon.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lexicon/lexicon/meaning.h"
#include "lexicon/lexicon/str_meaning.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

class LexiconTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    register_meaning_kinds();
    if (!ObjFactory::instance().find_prototype(kMeaningClass, "gloss"))
      register_meaning_prototype("gloss", std::make_unique<StrMeaning>("gloss"));
  }

  LexEntry* add(std::string_view text, bool duplicate_flag = true) {
    std::unique_ptr<IRSlist> entry = IRSlist::parse(text, store_);
    return lexicon_.add(*entry, duplicate_flag);
  }
  std::string printed(const LexEntry* entry) const {
    std::ostringstream out;
    if (entry) lexicon_.print_entry(out, *entry);
    return out.str();
  }
  static std::string phrases_of(const LexEntry* entry) {
    std::ostringstream text;
    for (const PhraseRecord& record : entry->phrases())
      text << '[' << int{record.before_count} << ',' << record.after_count << ' ' << record.text << ']';
    return text.str();
  }

  StringPool store_;
  Lexicon lexicon_{101};
};

TEST_F(LexiconTest, LookupIgnoresCase) {
  add("(dog (gloss animal))");
  const LexEntry* entry = lexicon_.lookup("Dog");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->key(), "dog");
  EXPECT_EQ(lexicon_.lookup("DOG"), entry);
}

TEST_F(LexiconTest, PhraseRecordWithoutComma) {
  const LexEntry* phrase = add("(in front of (gloss prep))");
  EXPECT_EQ(phrase->key(), "in front of");
  EXPECT_TRUE(phrase->phrases().empty());
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("in")), "[2,0 in front of]");
}

TEST_F(LexiconTest, PhraseRecordSplitByComma) {
  const LexEntry* phrase = add("(a , b c (gloss x))");
  EXPECT_EQ(phrase->key(), "a, b c");
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("a")), "[0,2 a, b c]");
}

TEST_F(LexiconTest, ApostrophesAndHyphensCountAsTokens) {
  add("(don't care (gloss x))");       // don ' t care
  add("(well-known fact (gloss x))");  // well - known fact
  add("(x , rock-solid (gloss x))");   // after the comma: rock - solid
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("don't")), "[2,0 don't care]");
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("well-known")), "[3,0 well-known fact]");
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("x")), "[0,3 x, rock-solid]");
}

TEST_F(LexiconTest, DoubleByteAtomsRunTogether) {
  const LexEntry* entry = add("(\"\xe4\xb8\xad\" \"\xe5\x9b\xbd\" (gloss China))");
  EXPECT_EQ(entry->key(), "\xe4\xb8\xad\xe5\x9b\xbd");
}

TEST_F(LexiconTest, PhraseRecordsAreNotRepeated) {
  add("(in front of (gloss a))");
  add("(In Front Of (gloss b))", false);
  add("(in (phrases (IN FRONT OF) (in spite of)))", false);
  EXPECT_EQ(phrases_of(lexicon_.find_in_memory("in")), "[2,0 in front of][2,0 in spite of]");
}

TEST_F(LexiconTest, DuplicateEntryIsReportedAndKept) {
  std::istringstream file("(dog (gloss first))\n(Dog (gloss second))\n");
  ::testing::internal::CaptureStderr();
  lexicon_.load(file, true);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Duplicate entry: Dog\n");
  EXPECT_EQ(printed(lexicon_.lookup("dog")), "(dog\n (gloss first)\n )\n");
}

TEST_F(LexiconTest, WithoutDuplicateFlagMeaningsAreAppended) {
  std::istringstream file("(dog (gloss first))\n(dog (gloss second))\n");
  ::testing::internal::CaptureStderr();
  lexicon_.load(file, false);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(printed(lexicon_.lookup("dog")), "(dog\n (gloss first)\n (gloss second)\n )\n");
}

TEST_F(LexiconTest, StrayClosingParenthesisDoesNotEndTheFile) {
  std::istringstream file("(a (gloss x)))\n) (b (gloss y))\n");
  lexicon_.load(file, true);
  EXPECT_NE(lexicon_.find_in_memory("a"), nullptr);
  EXPECT_NE(lexicon_.find_in_memory("b"), nullptr);
}

TEST_F(LexiconTest, DeduplicationRefusesEqualMeanings) {
  lexicon_.set_dedup_meanings(true);
  add("(dog (gloss same) (gloss same) (gloss other))");
  EXPECT_EQ(lexicon_.find_in_memory("dog")->meanings().size(), 2u);
}

TEST_F(LexiconTest, UnknownMeaningTypesMakeNoMeaning) {
  const LexEntry* entry = add("(dog (nosuchkind x) (gloss y) stray-atom)");
  EXPECT_EQ(printed(entry), "(dog\n (gloss y)\n )\n");
}

TEST_F(LexiconTest, PurgeAfterTheAccessLimit) {
  add("(idle (gloss never looked up))");
  add("(busy (gloss looked up))");
  add("(early (gloss looked up once))");
  lexicon_.lookup("early");
  for (std::uint32_t i = 0; i < Lexicon::kAccessLimit; ++i) lexicon_.lookup("busy");
  // 1,000,001 lookups: the last one passed the limit.
  EXPECT_EQ(lexicon_.find_in_memory("idle"), nullptr);
  EXPECT_EQ(lexicon_.find_in_memory("early"), nullptr);
  const LexEntry* busy = lexicon_.find_in_memory("busy");
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(lexicon_.access_counter(), Lexicon::kAccessLimit / 2);
  EXPECT_EQ(busy->stamp(), Lexicon::kAccessLimit / 2 + 1);
}

TEST_F(LexiconTest, NoPurgeAtTheLimitItself) {
  add("(idle (gloss x))");
  add("(busy (gloss y))");
  for (std::uint32_t i = 1; i < Lexicon::kAccessLimit; ++i) lexicon_.lookup("busy");
  EXPECT_NE(lexicon_.find_in_memory("idle"), nullptr);
}

TEST_F(LexiconTest, AbsentWordsAreRemembered) {
  EXPECT_EQ(lexicon_.lookup("ghost"), nullptr);
  EXPECT_EQ(lexicon_.absent_count(), 1u);
  EXPECT_EQ(lexicon_.lookup("GHOST"), nullptr);
  EXPECT_EQ(lexicon_.absent_count(), 1u);
  add("(ghost (gloss now here))");
  EXPECT_NE(lexicon_.lookup("ghost"), nullptr);
  lexicon_.clear();
  EXPECT_EQ(lexicon_.size(), 0u);
  EXPECT_EQ(lexicon_.absent_count(), 0u);
}

TEST_F(LexiconTest, LookupOrCreateMakesAnEmptyEntry) {
  LexEntry* entry = lexicon_.lookup_or_create("new", false);
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->meanings().empty());
  EXPECT_EQ(lexicon_.lookup_or_create("NEW", false), entry);
}

TEST_F(LexiconTest, FindOrAddKeepsTheEntryFound) {
  add("(dog (gloss first))");
  std::unique_ptr<IRSlist> again = IRSlist::parse("(dog (gloss second))", store_);
  const LexEntry* entry = lexicon_.find_or_add(*again);
  EXPECT_EQ(entry->meanings().size(), 1u);
  std::istringstream file("(cat (gloss c))");
  lexicon_.load_merging(file);
  EXPECT_NE(lexicon_.find_in_memory("cat"), nullptr);
}

TEST_F(LexiconTest, KeysNeedingQuotesArePrintedQuoted) {
  add("(\"say \\\"hi\\\"\" (gloss x))");
  add("(in front of (gloss y))");
  std::ostringstream out;
  lexicon_.print_sorted(out);
  EXPECT_EQ(out.str(),
            "(in\n (phrases (in front of))\n )\n"
            "(\"in front of\"\n (gloss y)\n )\n"
            "(\"say \\\"hi\\\"\"\n (gloss x)\n )\n");
  std::ostringstream keys;
  lexicon_.print_keys(keys);
  EXPECT_EQ(keys.str(), "in\nin front of\nsay \"hi\"\n");
}

TEST_F(LexiconTest, PrintedEntriesReadBackTheSame) {
  add("(in front of (gloss y))");
  add("(Zebra (gloss z))");
  std::ostringstream first;
  lexicon_.print_sorted(first);
  Lexicon copy(7);
  std::istringstream in(first.str());
  copy.load(in, true);
  std::ostringstream second;
  copy.print_sorted(second);
  EXPECT_EQ(second.str(), first.str());
}

TEST_F(LexiconTest, RootWithoutEndingTableIsTheWord) { EXPECT_EQ(lexicon_.root_of("Running"), "Running"); }

// Lexicons linked to dictionaries on disk.
class LinkedLexiconTest : public LexiconTest {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("velmo_lex_" + std::to_string(::getpid()) + "_" + info->name());
    fs::create_directories(dir_);
    Interpreter::instance().search_path().set(dir_.string(), ":");
  }
  void TearDown() override {
    Interpreter::instance().search_path().clear();
    fs::remove_all(dir_);
  }
  void dictionary(const std::string& name, const std::string& entries) {
    std::ofstream(dir_ / (name + ".txt"), std::ios::binary) << entries;
    std::ofstream(dir_ / (name + ".hdr")) << name << ".txt 11 " << name << ".idx ( )\n";
    ::testing::internal::CaptureStderr();
    auto dict = std::make_unique<DictOnDisk>(name + ".hdr");
    ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(dict->is_open());
    lexicon_.link(std::move(dict));
  }

  fs::path dir_;
};

TEST_F(LinkedLexiconTest, EntriesComeFromDiskOnce) {
  dictionary("one", "(dog (gloss from disk))\n");
  const LexEntry* entry = lexicon_.lookup("DOG");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(printed(entry), "(dog\n (gloss from disk)\n )\n");
  EXPECT_EQ(lexicon_.lookup("dog"), entry);
  EXPECT_EQ(lexicon_.lookup("cat"), nullptr);
  EXPECT_EQ(lexicon_.absent_count(), 1u);
}

TEST_F(LinkedLexiconTest, ReadingsOfSeveralDictionariesMerge) {
  dictionary("one", "(dog (gloss first))\n");
  dictionary("two", "(cat (gloss c))\n(dog (gloss second))\n");
  ::testing::internal::CaptureStderr();
  const LexEntry* entry = lexicon_.lookup("dog");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(printed(entry), "(dog\n (gloss first)\n (gloss second)\n )\n");
}

TEST_F(LinkedLexiconTest, PhraseHeadIsLookedUpOnDiskFirst) {
  dictionary("one", "(in (gloss prep))\n(\"in front of\" (gloss phrase))\n");
  add("(in spite of (gloss p))");
  EXPECT_EQ(printed(lexicon_.find_in_memory("in")), "(in\n (gloss prep)\n (phrases (in spite of))\n )\n");
}

TEST_F(LinkedLexiconTest, ClearKeepsTheDictionaries) {
  dictionary("one", "(dog (gloss d))\n");
  lexicon_.lookup("dog");
  lexicon_.clear();
  EXPECT_EQ(lexicon_.size(), 0u);
  EXPECT_NE(lexicon_.lookup("dog"), nullptr);
}

// A meaning text that many entries share is read once; each entry still
// gets its own copy and its own phrases, and a reading that gives a
// message gives it every time.
TEST_F(LinkedLexiconTest, SharedMeaningTextsAreReadOnce) {
  dictionary("one",
             "(dog (freq N 3) (gloss d) (phrases (dog house)))\n"
             "(cat (freq N 3) (gloss c) (phrases (cat flap)))\n"
             "(cow (freq N 3 V))\n(pig (freq N 3 V))\n");
  const LexEntry* dog = lexicon_.lookup("dog");
  const LexEntry* cat = lexicon_.lookup("cat");
  ASSERT_NE(dog, nullptr);
  ASSERT_NE(cat, nullptr);
  EXPECT_EQ(printed(dog), "(dog\n (freq N 3)\n (gloss d)\n (phrases (dog house))\n )\n");
  EXPECT_EQ(printed(cat), "(cat\n (freq N 3)\n (gloss c)\n (phrases (cat flap))\n )\n");
  EXPECT_NE(dog->meanings().front().get(), cat->meanings().front().get());
  EXPECT_EQ(lexicon_.kept_meaning_count(), 1u);
  for (const char* word : {"cow", "pig"}) {
    ::testing::internal::CaptureStderr();
    lexicon_.lookup(word);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Incorrect format for (freq ...)\n") << word;
  }
  EXPECT_EQ(lexicon_.kept_meaning_count(), 1u);
  lexicon_.clear();
  EXPECT_EQ(lexicon_.kept_meaning_count(), 0u);
}

}  // namespace
}  // namespace velmo
