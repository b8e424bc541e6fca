#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/reader/irslist.h"
#include "shell/lib/word_list.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

TEST(WordListTest, IgnoresCaseAndReturnsTheStoredWord) {
  WordList list(11, /*case_sensitive=*/false);
  list.add("Banana");
  list.add("BANANA");
  EXPECT_EQ(list.size(), 1u);
  EXPECT_STREQ(list.lookup("banana"), "Banana");
  EXPECT_EQ(list.lookup("band"), nullptr);
  EXPECT_EQ(list.lookup(nullptr), nullptr);
}

TEST(WordListTest, CaseSensitiveListKeepsBothSpellings) {
  WordList list(11, /*case_sensitive=*/true);
  list.add("Banana");
  list.add("banana");
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.lookup("BANANA"), nullptr);
}

TEST(WordListTest, OwnsCopiesOfItsWords) {
  WordList list(3, false);
  std::string word = "transient";
  list.add(word);
  word = "overwritten";
  EXPECT_STREQ(list.lookup("transient"), "transient");
}

TEST(SortedWordArrayTest, BinarySearchAfterSealing) {
  SortedWordArray words(/*case_sensitive=*/false);
  for (const char* w : {"pear", "Apple", "fig", "apple", "banana"}) words.add(w);
  words.seal();
  EXPECT_EQ(words.size(), 4u);  // apple once
  EXPECT_TRUE(words.contains("APPLE"));
  EXPECT_TRUE(words.contains("fig"));
  EXPECT_FALSE(words.contains("figs"));
  EXPECT_FALSE(words.contains(""));
}

// The words a guard reads through words() come sorted as the array
// compares (ignoring case here) and without repeats.
TEST(SortedWordArrayTest, WordsAreSortedWithoutRepeatsOnceSealed) {
  SortedWordArray words(/*case_sensitive=*/false);
  for (const char* w : {"pear", "Cherry", "apple", "PEAR", "banana"}) words.add(w);
  words.seal();
  const std::vector<std::string_view> expected = {"apple", "banana", "Cherry", "pear"};
  EXPECT_EQ(words.words(), expected);
}

TEST(SortedWordArrayTest, CaseSensitiveSearch) {
  SortedWordArray words(/*case_sensitive=*/true);
  words.add("Apple");
  words.seal();
  EXPECT_TRUE(words.contains("Apple"));
  EXPECT_FALSE(words.contains("apple"));
}

TEST(SortedWordArrayTest, OnlyAsciiLettersFoldAndLengthsMustAgree) {
  SortedWordArray words(/*case_sensitive=*/false);
  for (const char* w : {"caf\xc3\xa9", "a", "ab", "[x]"}) words.add(w);
  words.seal();
  EXPECT_TRUE(words.contains("CAF\xc3\xa9"));
  EXPECT_FALSE(words.contains("caf\xc3\x89"));  // the upper-case accented letter
  EXPECT_TRUE(words.contains("A"));
  EXPECT_FALSE(words.contains("abc"));
  EXPECT_TRUE(words.contains("[X]"));
  EXPECT_FALSE(words.contains("{x}"));  // '[' and '{' differ by the bit case folding sets
}

// A test first refuses words whose length or first byte no listed word has;
// lengths from 63 on share one mark, and the first byte is folded as the
// words are.
TEST(SortedWordArrayTest, LengthAndFirstBytePrefilterKeepsListedWords) {
  SortedWordArray words(/*case_sensitive=*/false);
  const std::string long_word(70, 'q');
  for (const std::string& w : {std::string(","), std::string("--"), std::string("\xc3\xa9t\xc3\xa9"), long_word})
    words.add(w);
  words.seal();
  EXPECT_TRUE(words.contains(","));
  EXPECT_TRUE(words.contains("--"));
  EXPECT_TRUE(words.contains("\xc3\xa9t\xc3\xa9"));
  EXPECT_TRUE(words.contains(std::string(70, 'Q')));
  EXPECT_FALSE(words.contains(std::string(64, 'q')));  // a long length, but not this word
  EXPECT_FALSE(words.contains(std::string(71, 'q')));
  EXPECT_FALSE(words.contains("."));    // a listed length, another first byte
  EXPECT_FALSE(words.contains("-,"));   // a listed first byte and length
  EXPECT_FALSE(words.contains("---"));  // an unlisted length
  EXPECT_FALSE(words.contains(""));
}

TEST(SortedWordArrayTest, PrefilterFoldsTheFirstByteOnlyWithoutCaseSensitivity) {
  SortedWordArray folding(/*case_sensitive=*/false);
  folding.add("Zeta");
  folding.seal();
  EXPECT_TRUE(folding.contains("zETA"));
  SortedWordArray exact(/*case_sensitive=*/true);
  exact.add("Zeta");
  exact.seal();
  EXPECT_TRUE(exact.contains("Zeta"));
  EXPECT_FALSE(exact.contains("zeta"));
}

// A NUL-terminated word is refused by its first byte before its length is
// counted; the answers are those of the same word as a string view.
TEST(SortedWordArrayTest, NulTerminatedWordsAnswerAsStringViews) {
  SortedWordArray words(/*case_sensitive=*/false);
  for (const char* w : {"", "Hello", "--"}) words.add(std::string_view(w));
  words.seal();
  for (const char* asked : {"", "hello", "HELLO", "help", "--", "-", "x", "\xc3\xa9"}) {
    const char* nul_terminated = asked;
    EXPECT_EQ(words.contains(nul_terminated), words.contains(std::string_view(asked))) << asked;
  }
  EXPECT_TRUE(words.contains(""));
  EXPECT_TRUE(words.contains("hELLO"));
  EXPECT_FALSE(words.contains("x"));
  SortedWordArray empty(/*case_sensitive=*/true);
  EXPECT_FALSE(empty.contains("a"));
  EXPECT_FALSE(empty.contains(""));
}

TEST(SortedWordArrayTest, WordsAddedAfterSealingAreFoundBeforeResealing) {
  SortedWordArray words(/*case_sensitive=*/false);
  words.add("a");
  words.seal();
  words.add("bb");
  EXPECT_TRUE(words.contains("BB"));
  words.seal();
  EXPECT_TRUE(words.contains("bb"));
  EXPECT_TRUE(words.contains("A"));
}

std::string numbered(char letter, int n) {
  std::string word(1, letter);
  word += std::to_string(n);
  return word;
}

TEST(SortedWordArrayTest, LargeListsAreFound) {
  SortedWordArray words(false);
  for (int i = 0; i < 20000; ++i) words.add(numbered('w', i * 7 % 20000));
  words.seal();
  EXPECT_EQ(words.size(), 20000u);
  for (int i = 0; i < 20000; i += 997) EXPECT_TRUE(words.contains(numbered('W', i)));
  EXPECT_FALSE(words.contains("w20000"));
}

TEST(SuffixSetTest, MatchesEndingsIgnoringCase) {
  SuffixSet suffixes;
  for (const char* s : {"ing", "ED", "s"}) suffixes.add(s);
  suffixes.seal();
  std::string scratch;
  EXPECT_TRUE(suffixes.matches("walking", scratch));
  EXPECT_TRUE(suffixes.matches("WALKED", scratch));
  EXPECT_TRUE(suffixes.matches("cats", scratch));
  EXPECT_TRUE(suffixes.matches("s", scratch));
  EXPECT_FALSE(suffixes.matches("walk", scratch));
  EXPECT_FALSE(suffixes.matches("", scratch));
}

// Reversed, the suffixes are "a", "ab" and "ac"; "za" reversed is "az",
// which sorts after all three, so a lone binary search accepting stored
// prefixes would land beyond "a" and miss it.
TEST(SuffixSetTest, ShortSuffixIsFoundPastLongerNeighbours) {
  SuffixSet suffixes;
  for (const char* s : {"a", "ba", "ca"}) suffixes.add(s);
  suffixes.seal();
  std::string scratch;
  EXPECT_TRUE(suffixes.matches("za", scratch));
  EXPECT_TRUE(suffixes.matches("xca", scratch));
  EXPECT_FALSE(suffixes.matches("ab", scratch));
}

class WordSourceTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("velmo_word_source_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string write(const char* name, const std::string& content) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  std::vector<std::string> words_of(const std::string& arguments, LineEnd line_end) {
    std::string form = "(";
    form += arguments;
    form += ')';
    std::unique_ptr<IRSlist> args = IRSlist::parse(form, store_);
    std::vector<std::string> words;
    for_each_listed_word(*args, line_end, [&](std::string_view word) { words.emplace_back(word); });
    return words;
  }

  static std::string quoted(const std::string& path) {
    std::string text = "\"";
    text += path;
    text += '"';
    return text;
  }

  std::filesystem::path dir_;
  StringPool store_;
};

TEST_F(WordSourceTest, ListsAndFilesInOrder) {
  const std::string file = write("words.txt", "one\n\ntwo\n");
  std::string arguments = "(a b) ";
  arguments += quoted(file);
  arguments += " (c)";
  EXPECT_EQ(words_of(arguments, LineEnd::kStripCarriageReturn),
            (std::vector<std::string>{"a", "b", "one", "two", "c"}));
}

TEST_F(WordSourceTest, CarriageReturnsAreStrippedOrKept) {
  const std::string file = write("crlf.txt", "one\r\ntwo\r\n\r\nlast");
  EXPECT_EQ(words_of(quoted(file), LineEnd::kStripCarriageReturn), (std::vector<std::string>{"one", "two", "last"}));
  EXPECT_EQ(words_of(quoted(file), LineEnd::kKeepCarriageReturn),
            (std::vector<std::string>{"one\r", "two\r", "\r", "last"}));
}

TEST_F(WordSourceTest, EmptyFileGivesNothing) {
  const std::string file = write("empty.txt", "");
  EXPECT_TRUE(words_of(quoted(file), LineEnd::kStripCarriageReturn).empty());
}

TEST_F(WordSourceTest, MissingFileIsReportedAndGivesNothing) {
  const std::string missing = (dir_ / "missing.txt").string();
  testing::internal::CaptureStderr();
  const std::vector<std::string> words = words_of(quoted(missing) + " (kept)", LineEnd::kStripCarriageReturn);
  std::string expected = "The file ";
  expected += missing;
  expected += " cannot be opened\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
  EXPECT_EQ(words, (std::vector<std::string>{"kept"}));
}

}  // namespace
}  // namespace velmo
