#include "lexicon/lexicon/lex_file_tools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "lexicon/lexicon/raw_entries.h"
#include "shell/lexp/lexp.h"

namespace velmo {
namespace {

std::vector<std::string> all_entries(const std::string& text) {
  std::istringstream in(text);
  RawEntryReader reader(in);
  std::vector<std::string> entries;
  for (std::string entry; reader.next(entry);) entries.push_back(entry);
  return entries;
}

template <class Tool>
std::string run(Tool tool, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  tool(in, out);
  return out.str();
}

template <class Tool>
std::string run(Tool tool, const std::string& first, const std::string& second) {
  std::istringstream a(first);
  std::istringstream b(second);
  std::ostringstream out;
  tool(a, b, out);
  return out.str();
}

TEST(RawEntryReaderTest, EntriesRunToTheMatchingParenthesis) {
  EXPECT_EQ(all_entries("junk (a (b)) more\n(c \"x)(\\\"y\" (d))"),
            (std::vector<std::string>{"(a (b))", "(c \"x)(\\\"y\" (d))"}));
}

TEST(RawEntryReaderTest, UnclosedEntryEndsTheFile) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(all_entries("(a (b))\n(c (d)\n"), (std::vector<std::string>{"(a (b))"}));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "next_item: unmatched parenthesis\n");
}

TEST(RawEntryReaderTest, HeadWordAndGroups) {
  EXPECT_EQ(head_word("(in  front|of\n (avm (+prep)))"), "in front of");
  EXPECT_EQ(head_word("(dog)"), "dog");
  EXPECT_EQ(head_word("(\"a (b)\" (x))"), "\"a (b)\"");
  const std::vector<std::string_view> groups = meaning_groups("(dog (avm (+n)) stray \"(q)\" (gloss \")\"))");
  EXPECT_EQ(groups, (std::vector<std::string_view>{"(avm (+n))", "(gloss \")\")"}));
}

TEST(LexFileToolsTest, DiffIgnoresWhiteSpaceAndCase) {
  EXPECT_EQ(run(diff_entries, "(dog (avm (+n)))\n", "(dog\n   (AVM (+n))\n)\n"), "");
}

TEST(LexFileToolsTest, DiffMarksMissingAndChangedEntries) {
  const std::string first = "(ant (a))\n(dog\n (n))\n(zoo (z))\n";
  const std::string second = "(bee (b))\n(dog (v))\n";
  EXPECT_EQ(run(diff_entries, first, second),
            "< (ant (a))\n\n"
            "> (bee (b))\n\n"
            "< (dog\n<  (n))\n> (dog (v))\n\n"
            "< (zoo (z))\n");
}

TEST(LexFileToolsTest, SortIgnoresCase) {
  EXPECT_EQ(run(sort_entries, "(b (1))\n(A (2))\n(a (0))\n(C (3))"), "(a (0))\n(A (2))\n(b (1))\n(C (3))\n");
}

TEST(LexFileToolsTest, RemoveDuplicatesComparesWholeEntries) {
  EXPECT_EQ(run(remove_duplicate_entries, "(a (1))\n(A (1))\n(a (2))\n(a (1))"), "(a (1))\n(a (2))\n(a (1))\n");
}

TEST(LexFileToolsTest, MergeKeepsDistinctGroupsInOrder) {
  EXPECT_EQ(run(merge_entries, "(dog (n) (v))\n(Dog (v) (adj))\n(cat (n))\n"),
            "(dog\n (n)\n (v)\n (adj)\n )\n(cat\n (n)\n )\n");
}

TEST(LexFileToolsTest, UpdatePrefersTheAddendum) {
  EXPECT_EQ(run(update_entries, "(b (new))\n(d (new))\n", "(a (old))\n(b (old))\n(c (old))\n"),
            "(a (old))\n(b (new))\n(c (old))\n(d (new))\n");
}

TEST(LexFileToolsTest, CombineJoinsGroupsOfEqualKeys) {
  EXPECT_EQ(run(combine_entries, "(a (1))\n(b (1) (2))\n", "(B (2))\n(c (3))\n"),
            "(a (1))\n(b\n (1)\n (2)\n (2)\n )\n(c (3))\n");
}

// True when the input text contains "+n".
class HasNounExp final : public DefaultClone<HasNounExp> {
 public:
  const char* name() const override { return "has-noun"; }
  Word eval(Word input, TypeId) override {
    seen.emplace_back(reinterpret_cast<const char*>(input));
    return std::strstr(reinterpret_cast<const char*>(input), "+n") != nullptr;
  }
  std::vector<std::string> seen;
};

TEST(LexFileToolsTest, SelectGivesEntriesWithBarsForNewlines) {
  HasNounExp condition;
  std::istringstream in("(dog\n (avm (+n)))\n(run (avm (+v)))\n");
  std::ostringstream out;
  select_entries(in, out, condition);
  EXPECT_EQ(out.str(), "(dog\n (avm (+n)))\n");
  EXPECT_EQ(condition.seen, (std::vector<std::string>{"(dog| (avm (+n)))", "(run (avm (+v)))"}));
}

}  // namespace
}  // namespace velmo
