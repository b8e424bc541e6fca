#include "analyser/dictionary.h"

#include <gtest/gtest.h>

#include "analyser/word_scanner.h"

namespace zentra {
namespace {

using Words = std::vector<std::string_view>;

std::vector<std::string> owned_words(std::string_view text) { return split_words(text); }

Words views_of(const std::vector<std::string>& words) { return Words(words.begin(), words.end()); }

TEST(zentraMarkEntries, EveryLineEndsWithTheEntryMarker) {
  EXPECT_EQ(mark_entries(std::string("shall be\nmay\n")), "shall be %%%\nmay %%%\n %%%");
  EXPECT_EQ(mark_entries(std::string("may")), "may %%%");
  EXPECT_EQ(mark_entries(std::string()), " %%%");
  EXPECT_EQ(mark_entries(std::nullopt), "");
}

TEST(zentraReadEntries, OneEntryPerLine) {
  const auto entries = read_entries(mark_entries(std::string("shall be\nmay\n")));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0], (Phrase{"shall", "be"}));
  EXPECT_EQ(entries[1], (Phrase{"may"}));
  EXPECT_EQ(entries[2], (Phrase{"%%%"}));  // the text after the final line end
}

TEST(zentraReadEntries, EmptyLineSwallowsTheNextLine) {
  const auto entries = read_entries(mark_entries(std::string("a b\n\nc d\ne")));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0], (Phrase{"a", "b"}));
  EXPECT_EQ(entries[1], (Phrase{"%%%", "c", "d"}));
  EXPECT_EQ(entries[2], (Phrase{"e"}));
}

TEST(zentraReadEntries, NoTextNoEntries) { EXPECT_TRUE(read_entries("").empty()); }

TEST(zentraPhraseMatcher, ShallBeMatchesOnce) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"shall", "be"}});
  const auto sentence = owned_words("the system shall be fast");
  const auto found = matcher.matches(views_of(sentence));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].entry, 0u);
  EXPECT_EQ(found[0].position, 2u);
}

TEST(zentraPhraseMatcher, OverlappingMatchesAllCount) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"be", "be"}});
  const auto sentence = owned_words("be be be");
  const auto found = matcher.matches(views_of(sentence));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].position, 0u);
  EXPECT_EQ(found[1].position, 1u);
}

TEST(zentraPhraseMatcher, WholeEntryMustFitInTheSentence) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"shall", "be"}});
  const auto sentence = owned_words("it shall");
  EXPECT_TRUE(matcher.matches(views_of(sentence)).empty());
  EXPECT_FALSE(matcher.first_matching_entry(views_of(sentence)).has_value());
}

TEST(zentraPhraseMatcher, ComparesCaseSensitively) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"Shall"}});
  const auto sentence = owned_words("it shall");
  EXPECT_TRUE(matcher.matches(views_of(sentence)).empty());
}

TEST(zentraPhraseMatcher, OrdersByEntryThenPosition) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"b"}, {"a"}, {"a", "b"}});
  const auto sentence = owned_words("a b a b");
  const auto found = matcher.matches(views_of(sentence));
  ASSERT_EQ(found.size(), 6u);
  const std::vector<std::pair<std::size_t, std::size_t>> expected{{0, 1}, {0, 3}, {1, 0}, {1, 2}, {2, 0}, {2, 2}};
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(found[i].entry, expected[i].first) << i;
    EXPECT_EQ(found[i].position, expected[i].second) << i;
  }
}

TEST(zentraPhraseMatcher, FirstMatchingEntryIsInDictionaryOrder) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"x"}, {"late"}, {"early"}});
  const auto sentence = owned_words("early and late");
  EXPECT_EQ(matcher.first_matching_entry(views_of(sentence)), std::optional<std::size_t>(1));
}

TEST(zentraPhraseMatcher, RepeatedEntriesEachMatch) {
  const PhraseMatcher matcher(std::vector<Phrase>{{"may"}, {"may"}});
  const auto sentence = owned_words("it may");
  EXPECT_EQ(matcher.matches(views_of(sentence)).size(), 2u);
}

TEST(zentraPhraseMatcher, EntryFromEmptyLineMatchesNothingOrdinary) {
  const PhraseMatcher matcher(read_entries(mark_entries(std::string("\nfast\n"))));
  const auto sentence = owned_words("it is fast");
  EXPECT_TRUE(matcher.matches(views_of(sentence)).empty());
}

}  // namespace
}  // namespace zentra
