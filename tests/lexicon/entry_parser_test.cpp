#include "lexicon/dictionary/entry_parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "shell/reader/irslist.h"
#include "shell/reader/tokenizer.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

// The tree written out with every atom in brackets, so that an empty atom,
// the nil atom and an atom holding blanks or parentheses all stay apart.
void describe(const IRSlist* node, std::string& out) {
  if (!node) {
    out += "<null>";
    return;
  }
  if (node->is_atom()) {
    if (!node->atom()) {
      out += "<nil>";
      return;
    }
    out += '[';
    out += node->atom();
    out += ']';
    return;
  }
  out += '(';
  for (const IRSlist* child : node->children()) describe(child, out);
  out += ')';
}

std::string by_command_reader(const std::string& text) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(text);
  std::unique_ptr<IRSlist> item = IRSlist::read(tokenizer);
  std::string out;
  describe(item.get(), out);
  return out;
}

std::string by_entry_parser(const std::string& text) {
  StringPool store;
  std::unique_ptr<IRSlist> item;
  EXPECT_TRUE(parse_entry_text(text, store, item)) << text;
  std::string out;
  describe(item.get(), out);
  return out;
}

TEST(EntryParser, ReadsAnEntryAsTheCommandReaderDoes) {
  const std::string entry = "(\"run\"\n (avm ((cat v) (vform fin en) (lemma \"run\")))\n (freq V 12 N 3)\n )";
  EXPECT_EQ(by_entry_parser(entry), "([run]([avm](([cat][v])([vform][fin][en])([lemma][run])))([freq][V][12][N][3]))");
  EXPECT_EQ(by_entry_parser(entry), by_command_reader(entry));
}

TEST(EntryParser, AgreesWithTheCommandReaderOnAwkwardTexts) {
  const char* texts[] = {
      "",
      "   ",
      "atom",
      "atom (a b)",
      ")",
      "() x",
      "(a (b (c",
      "(a b) (c d)",
      "(a,b a, b ,c a,,b a,(b) a,\"q\" ,)",
      "(\"\" \"a b\" \"(x)\" \"tab\\tnl\\nret\\r\" \"\\\"q\\\"\" \"\\65\\066\\300x\" \"back\\\\\")",
      "(\"unclosed",
      "(\"ends in escape\\",
      "(ab\"cd\"ef)",
      "(\xC3\xA9t\xC3\xA9 caf\xC3\xA9)",
      "(spite of, in)",
      "(a\tb\rc\nd)",
  };
  for (const char* text : texts) EXPECT_EQ(by_entry_parser(text), by_command_reader(text)) << text;
}

TEST(EntryParser, AgreesWithTheCommandReaderOnRandomTexts) {
  const std::string alphabet = "ab,()\" \\\tn7";
  std::mt19937 random(20261208);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    ASSERT_EQ(by_entry_parser(text), by_command_reader(text)) << '"' << text << '"';
  }
}

TEST(EntryParser, LeavesCommentsAndNulBytesToTheCommandReader) {
  StringPool store;
  std::unique_ptr<IRSlist> item = std::make_unique<IRSlist>("kept");
  EXPECT_FALSE(parse_entry_text("(a ; note\n b)", store, item));
  EXPECT_FALSE(parse_entry_text(std::string_view("(a\0b)", 5), store, item));
  ASSERT_TRUE(item);
  EXPECT_STREQ(item->atom(), "kept");
}

TEST(EntryParser, LeavesEverythingToTheCommandReaderInDoubleByteMode) {
  const bool was = TokenizerBase::default_double_byte();
  TokenizerBase::set_default_double_byte(true);
  StringPool store;
  std::unique_ptr<IRSlist> item;
  EXPECT_FALSE(parse_entry_text("(a b)", store, item));
  TokenizerBase::set_default_double_byte(was);
}

// Splits `text` and checks it against the full tree: the outline is the
// tree with every inner list replaced by an empty one, and each list text
// parses to the list it replaced. False when the text is not split.
bool split_agrees(const std::string& text) {
  StringPool store;
  std::unique_ptr<IRSlist> outline;
  std::vector<std::string_view> lists;
  if (!split_entry_text(text, store, outline, lists)) return false;
  std::unique_ptr<IRSlist> full;
  EXPECT_TRUE(parse_entry_text(text, store, full)) << text;
  std::string expected_outline = "(";
  std::vector<std::string> expected_lists;
  for (const IRSlist* child : full->children()) {
    if (child->is_list() || child->is_nil()) {
      expected_outline += "<nil>";
      std::string described;
      describe(child, described);
      expected_lists.push_back(described);
    } else {
      describe(child, expected_outline);
    }
  }
  expected_outline += ')';
  if (full->is_nil()) expected_outline = "<nil>";
  std::string got_outline;
  describe(outline.get(), got_outline);
  EXPECT_EQ(got_outline, expected_outline) << text;
  std::vector<std::string> got_lists;
  for (std::string_view list : lists) {
    std::unique_ptr<IRSlist> tree;
    EXPECT_TRUE(parse_entry_text(list, store, tree)) << text;
    std::string described;
    describe(tree.get(), described);
    got_lists.push_back(described);
  }
  EXPECT_EQ(got_lists, expected_lists) << text;
  return true;
}

TEST(EntryParser, SplitsAnEntryIntoItsOutlineAndTheTextsOfItsLists) {
  StringPool store;
  std::unique_ptr<IRSlist> outline;
  std::vector<std::string_view> lists;
  const std::string entry = "(walk out\n (avm ((cat v) (lemma \"a)b\")))\n (freq V 2) x ()\n )";
  ASSERT_TRUE(split_entry_text(entry, store, outline, lists));
  std::string described;
  describe(outline.get(), described);
  EXPECT_EQ(described, "([walk][out]<nil><nil>[x]<nil>)");
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0], "(avm ((cat v) (lemma \"a)b\")))");
  EXPECT_EQ(lists[1], "(freq V 2)");
  EXPECT_EQ(lists[2], "()");
  EXPECT_TRUE(split_agrees(entry));
}

TEST(EntryParser, SplitAgreesWithTheFullTree) {
  const char* texts[] = {
      "(a)", "(a (b) c (d (e)))", "(a \"(\" (b \")\"))", "(a (b \"x\\\")\"))", "(a,b (c,d) ,)", " \n(a (b))x",
  };
  for (const char* text : texts) EXPECT_TRUE(split_agrees(text)) << text;
  const std::string alphabet = "ab,()\" \\\tn7";
  std::mt19937 random(20261208);
  int split = 0;
  for (int round = 0; round < 5000; ++round) {
    std::string text = "(";
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    if (split_agrees(text)) ++split;
  }
  EXPECT_GT(split, 500);
}

TEST(EntryParser, LeavesUnclosedListsAndOtherTextsToTheFullReading) {
  StringPool store;
  std::unique_ptr<IRSlist> outline;
  std::vector<std::string_view> lists;
  for (const char* text : {"(a (b", "(a (\"b)", "atom", "", ")", "(a ; c\n (b))"})
    EXPECT_FALSE(split_entry_text(text, store, outline, lists)) << text;
  EXPECT_FALSE(outline);
  EXPECT_TRUE(lists.empty());
}

}  // namespace
}  // namespace velmo
