#include "shell/reader/tokenizer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

namespace velmo {
namespace {

std::vector<std::string> all_tokens(TokenizerBase& t) {
  std::vector<std::string> out;
  while (const char* token = t.next_token()) out.emplace_back(token, t.token_length());
  return out;
}

std::vector<std::string> tokens_of(const TokenizerConfig& config, std::string_view text) {
  Tokenizer t(config);
  t.set_string_input(text);
  return all_tokens(t);
}

std::vector<std::string> significant(const TokenizerConfig& config, std::string_view text) {
  Tokenizer t(config);
  t.set_string_input(text);
  std::vector<std::string> out;
  while (const char* token = t.next_significant_token()) out.emplace_back(token, t.token_length());
  return out;
}

using V = std::vector<std::string>;
const TokenizerConfig& kCmd = tokenizer_configs::kCommands;
const TokenizerConfig& kSent = tokenizer_configs::kSentences;

TEST(Tokenizer, CommandSyntaxSplitsParenthesesAndReturnsWhiteRuns) {
  EXPECT_EQ(tokens_of(kCmd, "(a b)"), (V{"(", "a", " ", "b", ")"}));
  EXPECT_EQ(tokens_of(kCmd, "((x)\t\n y)"), (V{"(", "(", "x", ")", "\t\n ", "y", ")"}));
}

TEST(Tokenizer, CommentRunsToEndOfLineAndIsSkippedAsInsignificant) {
  EXPECT_EQ(tokens_of(kCmd, "a; note\nb"), (V{"a", "; note\n", "b"}));
  EXPECT_EQ(significant(kCmd, "a ; note\n b"), (V{"a", "b"}));
  // A file that ends inside a comment ends the comment.
  EXPECT_EQ(tokens_of(kCmd, "x ;tail"), (V{"x", " ", ";tail"}));
}

TEST(Tokenizer, QuotedTextKeepsQuotesAndResolvesEscapes) {
  EXPECT_EQ(tokens_of(kCmd, "\"a\\tb\""), (V{"\"a\tb\""}));
  EXPECT_EQ(tokens_of(kCmd, "\"\\65\\066x\""), (V{"\"ABx\""}));
  EXPECT_EQ(tokens_of(kCmd, "\"q\\\"r\\\\s\\n\\r\""), (V{"\"q\"r\\s\n\r\""}));
  EXPECT_EQ(tokens_of(kCmd, "ab\"c d\"e"), (V{"ab", "\"c d\"", "e"}));
}

TEST(Tokenizer, UnclosedQuoteEndsAtEndOfInput) {
  Tokenizer t(kCmd);
  t.set_string_input("\"open text");
  EXPECT_STREQ(t.next_token(), "\"open text");
  EXPECT_FALSE(t.last_quote_closed());
  EXPECT_EQ(t.next_token(), nullptr);
  EXPECT_FALSE(t.has_input());
}

TEST(Tokenizer, CommaRules) {
  EXPECT_EQ(tokens_of(kCmd, "1,000"), (V{"1,000"}));
  EXPECT_EQ(tokens_of(kCmd, "a, b"), (V{"a", ",", " ", "b"}));
  EXPECT_EQ(tokens_of(kCmd, "a ,b"), (V{"a", " ", ",", "b"}));
  EXPECT_EQ(tokens_of(kCmd, "(a,)"), (V{"(", "a", ",", ")"}));
  EXPECT_EQ(tokens_of(kCmd, "a,,b"), (V{"a", ",", ",", "b"}));
  EXPECT_EQ(tokens_of(kCmd, "a,"), (V{"a", ","}));
}

TEST(Tokenizer, SentenceConfiguration) {
  EXPECT_EQ(significant(kSent, "I don't pay $5, (really)!"),
            (V{"I", "don", "'t", "pay", "$5", ",", "(", "really", ")", "!"}));
  EXPECT_EQ(significant(kSent, "at 10:30, see a@b or e-mail"),
            (V{"at", "10:30", ",", "see", "a@b", "or", "e", "-", "mail"}));
  EXPECT_EQ(significant(kSent, "x <b> y &amp; z"), (V{"x", "<b>", "y", "&amp;", "z"}));
  EXPECT_EQ(significant(kSent, "&c. d"), (V{"&c.", "d"}));
}

// An ampersand or angle bracket in running text is a word, not the start of
// an entity or tag: such quotes never hold white space.
TEST(Tokenizer, SentenceQuotesStopAtWhiteSpace) {
  EXPECT_EQ(significant(kSent, "Tom & Jerry came."), (V{"Tom", "&", "Jerry", "came."}));
  EXPECT_EQ(significant(kSent, "D&D 3.5 rules"), (V{"D", "&", "D", "3.5", "rules"}));
  EXPECT_EQ(significant(kSent, "if a < b then"), (V{"if", "a", "<", "b", "then"}));
  EXPECT_EQ(significant(kSent, "mail <x@y.com> now"), (V{"mail", "<x@y.com>", "now"}));
  EXPECT_EQ(significant(kSent, "R&amp;D works"), (V{"R", "&amp;", "D", "works"}));
  EXPECT_EQ(significant(kSent, "ends with &"), (V{"ends", "with", "&"}));
  // Other configurations keep quotes across white space.
  EXPECT_EQ(significant(kCmd, "(a \"b c\")"), (V{"(", "a", "\"b c\"", ")"}));
}

TEST(Tokenizer, LongQuotesExtendTokens) {
  Tokenizer t(kSent);
  t.add_long_quote("<!--", "-->");
  t.set_string_input("a <!-- a > b --> c");
  std::vector<std::string> out;
  while (const char* token = t.next_significant_token()) out.emplace_back(token);
  EXPECT_EQ(out, (V{"a", "<!-- a > b -->", "c"}));
}

TEST(Tokenizer, QuoteSpecificationWithCaretAndGroups) {
  TokenizerConfig config{" ", "", "", "<> [^ ]", 0, 0};
  EXPECT_EQ(tokens_of(config, "<a b>c"), (V{"<a b>", "c"}));
  // "^ " makes the blank a closing byte of "[".
  EXPECT_EQ(tokens_of(config, "[ab cd"), (V{"[ab ", "cd"}));
}

TEST(Tokenizer, DoubleByteModeKeepsPairsTogether) {
  Tokenizer t(kSent);
  t.set_double_byte(true);
  t.set_string_input(
      "\xB0\xA1"
      "abc");
  EXPECT_EQ(all_tokens(t), (V{"\xB0\xA1", "abc"}));
}

TEST(Tokenizer, DefaultDoubleByteFlagIsCopiedAtConstruction) {
  TokenizerBase::set_default_double_byte(true);
  Tokenizer on(kSent);
  TokenizerBase::set_default_double_byte(false);
  Tokenizer off(kSent);
  EXPECT_TRUE(on.double_byte());
  EXPECT_FALSE(off.double_byte());
}

TEST(Tokenizer, HighBytesAreOrdinaryWithoutDoubleByte) {
  EXPECT_EQ(tokens_of(kCmd, "caf\xE9 x"), (V{"caf\xE9", " ", "x"}));
}

TEST(Tokenizer, NulByteEndsInput) {
  Tokenizer t(kCmd);
  t.set_string_input(std::string_view("ab\0cd", 5));
  EXPECT_EQ(all_tokens(t), (V{"ab"}));
}

// The shell splits every input line with one tokenizer: a new string input
// starts it afresh, whatever the last one left (an unclosed quote, input
// cut at a NUL byte, a token longer than the buffer).
TEST(Tokenizer, NewStringInputSplitsAsAFreshTokenizer) {
  const std::string long_word(5000, 'w');
  const std::vector<std::string_view> lines = {
      "He said \"yes", std::string_view("ab\0cd ef", 9), long_word, "<x@y.com> and (a b)", "", "  two  blanks "};
  Tokenizer reused(kSent);
  for (std::string_view line : lines) {
    reused.set_string_input(line);
    EXPECT_EQ(all_tokens(reused), tokens_of(kSent, line)) << line;
  }
}

TEST(Tokenizer, LongTokensGrowTheBuffer) {
  const std::string word(10000, 'w');
  EXPECT_EQ(tokens_of(kCmd, word + " x"), (V{word, " ", "x"}));
  const std::string quoted = "\"" + std::string(9000, 'q') + "\"";
  EXPECT_EQ(tokens_of(kCmd, quoted), (V{quoted}));
}

TEST(Tokenizer, StreamInputDeliversLinesAcrossRefills) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "(word" + std::to_string(i) + " \"x y\")\n";
  std::istringstream in(text);
  Tokenizer t(kCmd, 4096, 16);  // tiny input buffer: many refills
  t.set_input(&in);
  int lists = 0;
  int quoted = 0;
  while (const char* token = t.next_significant_token()) {
    if (std::string(token) == "(") ++lists;
    if (std::string(token) == "\"x y\"") ++quoted;
  }
  EXPECT_EQ(lists, 300);
  EXPECT_EQ(quoted, 300);
}

// Runs of plain bytes are taken from the buffer a run at a time; read one
// byte per refill (no run longer than a byte) the same texts give the same
// tokens, in every configuration: words with middle bytes inside and at the
// end, quotes with escapes, white runs, high bytes and comments. (Sentences
// are left out: whether their quote closes before white space is looked up
// in what is buffered.)
TEST(Tokenizer, BufferedRunsGiveTheTokensOfByteByByteReading) {
  const std::string text =
      "(alpha-beta gamma, delta's \"quoted \\\"text\\\" here\" \t\n  caf\xc3\xa9 x-)\n"
      "; a comment line\n\"open quote stops at white\" Tom & Jerry, 'it's' a < b\n"
      "word1\tword2  end.\n";
  for (const TokenizerConfig* config :
       {&kCmd, &tokenizer_configs::kDictionaryEntries, &tokenizer_configs::kHashEntries,
        &tokenizer_configs::kTabRecords, &tokenizer_configs::kWhitespace}) {
    std::istringstream in(text);
    Tokenizer one_byte(*config, 4096, 1);
    one_byte.set_input(&in);
    EXPECT_EQ(tokens_of(*config, text), all_tokens(one_byte));
  }
}

TEST(Tokenizer, SocketTokenizerReadsDescriptor) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const std::string text = "(a \"b c\")";
  ASSERT_EQ(write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(fds[1]);
  SocketTokenizer t(kCmd, 512, 512);
  t.set_input(fds[0]);
  EXPECT_EQ(all_tokens(t), (V{"(", "a", " ", "\"b c\"", ")"}));
  close(fds[0]);
}

TEST(Tokenizer, SeparatorModeKeepsSeparatorAndSignalsEndWithNull) {
  Tokenizer t(std::string_view("%%"), 64, 8);
  t.set_string_input("one%%two%%three");
  EXPECT_EQ(all_tokens(t), (V{"one%%", "two%%", "three"}));
  t.set_string_input("");
  EXPECT_EQ(t.next_token(), nullptr);
}

TEST(Tokenizer, PendingTokensComeFirst) {
  Tokenizer t(kCmd);
  t.set_string_input("b");
  t.queue_token("a");
  EXPECT_EQ(all_tokens(t), (V{"a", "b"}));
}

TEST(Tokenizer, RollbackIsLastInFirstOut) {
  Tokenizer t(kCmd);
  t.set_string_input("c");
  t.rollback('b');
  t.rollback('a');
  EXPECT_EQ(all_tokens(t), (V{"abc"}));
}

TEST(TokenizerDeathTest, EleventhRollbackEndsTheProgram) {
  Tokenizer t(kCmd);
  t.set_string_input("x");
  for (int i = 0; i < 10; ++i) t.rollback('a');
  EXPECT_EXIT(t.rollback('a'), testing::ExitedWithCode(1), "^Tokenizer cannot rollback more than 10 characters\n$");
}

}  // namespace
}  // namespace velmo
