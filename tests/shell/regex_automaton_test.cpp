#include "shell/support/regex_automaton.h"

#include <gtest/gtest.h>
#include <regex.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/support/regex.h"

namespace velmo {
namespace {

// The POSIX engine's answer, the reference the automaton must reproduce.
bool posix_search(const std::string& pattern, const std::string& text, bool not_bol) {
  regex_t re;
  EXPECT_EQ(regcomp(&re, pattern.c_str(), REG_EXTENDED), 0) << pattern;
  const bool found = regexec(&re, text.c_str(), 0, nullptr, not_bol ? REG_NOTBOL : 0) == 0;
  regfree(&re);
  return found;
}

const std::vector<std::string> kTexts = {
    "",         "a",         "an",       "the",     "The",     "them",        "athe",  "I",
    "it",       "say so",    "said",     "says",    "sayings", "believing",   "x-ray", "x-",
    "-x",       "12",        "$12.50",   "3rd",     "10am",    "1990s",       "e.g.",  "U.S.",
    "US",       "www.x.com", "http://a", "a@b.org", "Monday",  "next Monday", "days",  "the day",
    ", which",  ", etc.",    ", ect",    "--",      "- ",      "-- a",        ":",     "etc",
    "<tag>",    "<",         "?!?",      "!",       "a b",     "  ",          " ",     "ab ",
    "ing",      "thinking",  "rated",    "nice",    "bus",     "buses",       "café",  "na\xc3\xafve",
    "Whenever", "when I go", "CAPS.&",   "lot",     "a lot",   "quite",       "Such",  "aaa",
    "aa",       "aaaa",      "aaaaa",    "ab ab ",  "ab ab ab ab ", "\xe2\x80\x9d", "\xe2\x80\x9d a said",
    ", a b said", ", \" a said", ", \xe2\x80\x9d a b c said", ", a b c d e f g h i j k l m said", "na\xc3\xafve x",
    "was",      "it was",    "is not",   "it's",    "it is really not", "he said", "b",  "ba",
    "xa",       "xxa",       "ac",       "bac",     "abc",     "a-",          "-a",    ", a",
};

const std::vector<std::string> kPatterns = {
    "^(a|an|the)$",
    "^([Tt]he|[Aa])$",
    "^(say|said|believ|reali[sz])",
    "^(said|says|say)( |$)",
    "(.* )?([Tt]oday|day|week|Monday)s?$",
    "^(a|an|per|each) (day|week)$",
    "^[A-Za-z]+ (do|is|was)( |$)",
    ".*(tion|ness|ing|er)$",
    "[-+]?[$]?[0-9][-0-9.,:/]*(%|s|st|nd|rd|th|am|pm|k|m)?$",
    "(.*://|www[.]|.*@.*[.]|.*[.](com|org|net|edu|gov)$)",
    "^(, )?([Tt]hat|[Ww]hich)( |$)",
    "^, ([Ee]tc|[Ee]ct)\\.?$",
    "^([,;:]|--? )",
    ".*[^aeiouy]e$",
    ".*[^ ] *[^ ]",
    ".*[A-Za-z]-[A-Za-z]",
    "[A-Z][A-Z.&]+$",
    "U[.]?S[.]?$",
    "^[-=_~*#]+$",
    "^[.!?]+$",
    "^<.*>$",
    "[^A-Za-z]*$",
    "[([]",
    "[]a]",
    "[^]a]+$",
    "[a-]",
    "^(https?://|www[.])",
    "a$b",
    "(a|b$)c?",
    "(a*)*b",
    "(a|)",
    "^(x+|y*)+$",
    ".",
    "^.$",
    "\\$[0-9]",
    "\\(",
    "e\\.g\\.",
    "a{2}",
    "^a{2}$",
    "^a{2,}$",
    "^a{1,3}$",
    "^a{0,2}$",
    "^(ab ){2,3}",
    "^([^ ]+ ){1,3}said$",
    "^,( ?[\"'\xe2\x80\x9d\xe2\x80\x99])? ([^ ]+ ){1,12}(said|says)( .*)?$",
    "\xe2\x80\x9d",
    "^na\xc3\xafve",
    "[\xc3\xa9]",
    "[^\xe2]",
    // A "^" inside the pattern holds at the start of the text only (and
    // nowhere when the text does not begin a line).
    "^(^|.* )(is|was|'s)( [a-z]+ly| not)*$",
    "(^|.* )(said|says)$",
    "(^|, )a",
    "(a|^)(b|$)",
    "a|^b",
    "^a|^b",
    "a^b",
    "x*^a",
    "$^",
    "(^|a)$",
    "([a-z]|^)-",
};

TEST(RegexAutomatonTest, AnswersAsThePosixEngineDoes) {
  for (const std::string& pattern : kPatterns) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    if (!automaton) continue;
    for (const std::string& text : kTexts)
      for (const bool not_bol : {false, true})
        EXPECT_EQ(automaton->search(text.c_str(), not_bol), posix_search(pattern, text, not_bol))
            << "/" << pattern << "/ on \"" << text << "\"" << (not_bol ? " (not at line start)" : "");
  }
}

// Whether `text` holds `byte`.
bool holds(const std::string& text, char byte) { return text.find(byte) != std::string::npos; }

TEST(RegexAutomatonTest, ANoTextWithTheByteClaimHoldsForEveryText) {
  for (const std::string& pattern : kPatterns) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    if (!automaton || !automaton->matches_no_text_with(' ')) continue;
    for (const std::string& text : kTexts) {
      if (holds(text, ' ')) {
        EXPECT_FALSE(posix_search(pattern, text, false)) << "/" << pattern << "/ on \"" << text << "\"";
      }
    }
  }
}

TEST(RegexAutomatonTest, MatchesNoTextWithABlankOnlyWhenEveryMatchTakesTheWholeTextWithoutOne) {
  auto no_blank_text = [](const char* pattern) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    EXPECT_NE(automaton, nullptr) << pattern;
    return automaton && automaton->matches_no_text_with(' ');
  };
  for (const char* pattern : {"^(a|an|the)$", "^([Tt]he|[Aa])$", "^[-=_~*#]+$", "^a{1,3}$", "^(a$|b$)", "^x*$"})
    EXPECT_TRUE(no_blank_text(pattern)) << pattern;
  // A match without a "$" lets any text follow; a set may take the blank;
  // an unanchored pattern may match after one.
  for (const char* pattern : {"^(say|said)", "^a$|^b", "^(a|an|per) (day|week)$", "^.$", "^[^a]$", "^<.*>$",
                              "^(said|says|say)( |$)", "(a|an)$", "^(^|.* )(is|was)$", "^a?"})
    EXPECT_FALSE(no_blank_text(pattern)) << pattern;
  const std::unique_ptr<RegexAutomaton> words = RegexAutomaton::build("^(a|an|the)$");
  EXPECT_FALSE(words->matches_no_text_with('a'));
  EXPECT_TRUE(words->matches_no_text_with('-'));
}

TEST(RegexAutomatonTest, TheWrapperClaimsNothingForPatternsLeftToThePosixEngine) {
  Regex words;
  ASSERT_TRUE(words.compile_anchored("(a|an|the)$"));
  EXPECT_TRUE(words.refuses_every_text_with(' '));
  Regex classes;
  ASSERT_TRUE(classes.compile_anchored("[[:alpha:]]+$"));
  EXPECT_FALSE(classes.refuses_every_text_with(' '));
}

TEST(RegexAutomatonTest, TakesTheGrammarsKindsOfPatterns) {
  for (const char* pattern : {"^(a|an|the)$", "^(say|said|reali[sz])", "(.* )?(day|week)s?$", "^, ([Ee]tc)\\.?$",
                              "[-+]?[$]?[0-9][-0-9.,:/]*(%|s)?$", "(.*://|.*[.](com|org)$)", "[]a]", "[a-]",
                              "^, ([^ ]+ ){1,12}said", "caf\xc3\xa9", "[\"\xe2\x80\x9d]"})
    EXPECT_NE(RegexAutomaton::build(pattern), nullptr) << pattern;
}

TEST(RegexAutomatonTest, LeavesOtherConstructsToThePosixEngine) {
  for (const char* pattern : {"a{17}", "a{2", "a{,2}", "a{2}*", "a{3,2}", "a{0}", "[[:alpha:]]", "[\\.]", "\\w",
                              "(a)\\1", "a**", "*a", "(|a)", "a|", "()", "^", "^*a", "(^)*a", "a^{2}", "(^)?a", "(^a|b)+c",
                              "(x(^|a))*b", "(^a){2}",
                              "[z-a]", "[a-c-e]", "[a-\xc3]", "(a", "a)", "", "[a"})
    EXPECT_EQ(RegexAutomaton::build(pattern), nullptr) << pattern;
}

TEST(RegexAutomatonTest, TheCheckAcceptsWhatTheBuildAccepts) {
  std::vector<std::string> patterns = kPatterns;
  for (const char* pattern : {"a{17}", "a{2", "a{,2}", "a{2}*", "a{3,2}", "a{0}", "[[:alpha:]]", "\\w", "(a)\\1", "a**",
                              "*a", "(|a)", "a|", "()", "^", "a^b", "[z-a]", "(a", "a)", "", "[a", "$*", "($)*",
                              "(($))+", "($){2}", "(a$)*", "($|a)?", "a$b", "a{2}$", "(a{1,3}){2}", "^(a|b|$)",
                              "(ab|cd){1,}", "x.", "[^a-z]+"})
    patterns.push_back(pattern);
  for (const std::string& pattern : patterns) {
    const std::unique_ptr<RegexAutomaton> built = RegexAutomaton::build(pattern);
    const std::optional<int> groups = RegexAutomaton::handled_groups(pattern);
    ASSERT_EQ(groups.has_value(), built != nullptr) << pattern;
    if (built) {
      EXPECT_EQ(*groups, built->group_count()) << pattern;
    }
  }
}

TEST(RegexAutomatonTest, CountsGroups) {
  EXPECT_EQ(RegexAutomaton::build("^(, )?(a|(b|c))$")->group_count(), 3);
  EXPECT_EQ(RegexAutomaton::build("abc")->group_count(), 0);
}

TEST(RegexAutomatonTest, ManyStatesStillAnswerRightly) {
  // (a|b)*a(a|b){8} needs hundreds of deterministic states; texts that visit
  // them all push the table past its bound, which is then rebuilt.
  const std::string pattern = "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)$";
  const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
  ASSERT_NE(automaton, nullptr);
  for (unsigned bits = 0; bits < 5000; bits += 3) {
    std::string text;
    for (unsigned i = bits * 2654435761u, n = 0; n < 14; ++n, i = i * 1103515245u + 12345u)
      text += (i >> 16) & 1 ? 'a' : 'b';
    ASSERT_EQ(automaton->search(text.c_str()), posix_search(pattern, text, false)) << text;
  }
}

// One long text visits more states than the table keeps: the table is
// dropped in the middle of the search, which goes on from the new table.
TEST(RegexAutomatonTest, ATableDroppedInTheMiddleOfASearchAnswersRightly) {
  const std::string pattern = "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)$";
  const std::string early = "^(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)c";
  for (const std::string& p : {pattern, early}) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(p);
    ASSERT_NE(automaton, nullptr);
    for (unsigned seed = 1; seed < 2; ++seed) {
      std::string text;
      for (unsigned i = seed * 2654435761u, n = 0; n < 3000; ++n, i = i * 1103515245u + 12345u)
        text += (i >> 16) & 1 ? 'a' : 'b';
      for (const std::string& ending : {std::string(), std::string("a"), std::string("abbbbbbbbbbb"),
                                        std::string("abbbbbbbbbbbc"), std::string("abbbbbbbbbbbcd")}) {
        const std::string whole = text + ending;
        EXPECT_EQ(automaton->search(whole.c_str()), posix_search(p, whole, false)) << seed << ending;
      }
    }
  }
}

// Each new move gathers its nodes in room kept from the move before: moves
// of many nodes followed by moves of few, worked out in either order, give
// the POSIX engine's answers.
TEST(RegexAutomatonTest, MovesWorkedOutOneAfterAnotherAnswerAsThePosixEngineDoes) {
  const std::string pattern = "^(a|ab|abc|abcd|b|bc|c)*(x|cy|bz)$";
  const std::vector<std::string> texts = {"abcdabx", "ax", "abcabccy", "abz", "ay", "cx", "abcdabcdbz",
                                          "bcx",     "dx", "",         "x",   "abcd", "aaaabbbbcy"};
  for (int order = 0; order < 2; ++order) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    ASSERT_NE(automaton, nullptr);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::string& text = order == 0 ? texts[i] : texts[texts.size() - 1 - i];
      EXPECT_EQ(automaton->search(text.c_str()), posix_search(pattern, text, false)) << text;
    }
  }
}

TEST(RegexAutomatonTest, BytesNoSetTellsApartShareAClass) {
  // Lower-case letters and everything else.
  EXPECT_EQ(RegexAutomaton::build("^[a-z]+$")->byte_class_count(), 2);
  // "a", "b", "c", the other letters of a-k, and everything else.
  EXPECT_EQ(RegexAutomaton::build("^(a|[a-k]b|c)")->byte_class_count(), 5);
  // "x", every other byte that "." holds, and NUL, which ends a text.
  EXPECT_EQ(RegexAutomaton::build("x.")->byte_class_count(), 3);
}

TEST(RegexAutomatonTest, OverlappingSetsAnswerAsThePosixEngineDoes) {
  // Sets that overlap split the bytes into many classes; every text of up
  // to three bytes from an alphabet that visits each class is asked.
  const std::string alphabet = "acdfgkxyzZ0 \xc3\xa9\xe2";
  std::vector<std::string> texts = {""};
  for (std::size_t length = 0; length < 3; ++length) {
    const std::size_t known = texts.size();
    for (std::size_t i = 0; i < known; ++i)
      if (texts[i].size() == length)
        for (const char c : alphabet) texts.push_back(texts[i] + c);
  }
  for (const char* pattern : {"^([a-f]x|[d-k]y|[^a-z]z)+$", "[c-g][^d-x]$", "([^a-c]|a[xz])[\xc3\xe2]?$",
                              "^(.a|[ac]?d)*f"}) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    ASSERT_NE(automaton, nullptr) << pattern;
    for (const std::string& text : texts)
      ASSERT_EQ(automaton->search(text.c_str()), posix_search(pattern, text, false))
          << "/" << pattern << "/ on \"" << text << "\"";
  }
}

TEST(RegexAutomatonTest, InnerCaretsAnswerAsThePosixEngineDoes) {
  // Every text of up to four bytes over an alphabet that each pattern tells
  // apart, at a line's start and not.
  const std::string alphabet = "abx -";
  std::vector<std::string> texts = {""};
  for (std::size_t length = 0; length < 4; ++length) {
    const std::size_t known = texts.size();
    for (std::size_t i = 0; i < known; ++i)
      if (texts[i].size() == length)
        for (const char c : alphabet) texts.push_back(texts[i] + c);
  }
  for (const char* pattern : {"^(^|.* )(a|ab)( x| -)*$", "(^|.* )b$", "(^| )a", "(a|^)(b|$)", "a|^b", "^a|^b",
                              "a^b", "x*^a", "$^", "(^|a)$", "(^|x|(a|^)b)-", "^(a|^b) ", "(^ab|a)x", "(^)a"}) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    ASSERT_NE(automaton, nullptr) << pattern;
    for (const std::string& text : texts)
      for (const bool not_bol : {false, true})
        ASSERT_EQ(automaton->search(text.c_str(), not_bol), posix_search(pattern, text, not_bol))
            << "/" << pattern << "/ on \"" << text << "\"" << (not_bol ? " (not at line start)" : "");
  }
}

TEST(RegexAutomatonTest, RefusesOnTheFirstByteOnlyTextsNoMatchCanBeginWith) {
  // The bytes an anchored pattern's matches begin with, and some they don't.
  const auto expect_first_bytes = [](const char* pattern, std::string_view begins, std::string_view never) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    ASSERT_NE(automaton, nullptr) << pattern;
    for (const char c : begins) EXPECT_TRUE(automaton->may_begin_with(static_cast<unsigned char>(c))) << pattern << " " << c;
    for (const char c : never) EXPECT_FALSE(automaton->may_begin_with(static_cast<unsigned char>(c))) << pattern << " " << c;
  };
  expect_first_bytes("^([,;:]|--? )", ",;:-", std::string_view("a .T\xc3\0", 6));  // \0: the empty text
  expect_first_bytes("^(, )?([Tt]hat|[Ww]hich)( |$)", ",TtWw", "a h");
  // Patterns that match the empty text, hold anywhere, or have a "^"
  // further in refuse no byte.
  for (const char* pattern : {"^(a|b)?$", "^[a-z]*", "(.* )?day$", "^(^|.* )was$", "^$", "^(x|$)"}) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    ASSERT_NE(automaton, nullptr) << pattern;
    for (int byte = 0; byte < 256; ++byte)
      EXPECT_TRUE(automaton->may_begin_with(static_cast<unsigned char>(byte))) << pattern << " " << byte;
  }
  // A refused byte is one the POSIX engine matches no text beginning with.
  std::vector<std::string> patterns = kPatterns;
  for (const char* pattern : {"^(, )?([Tt]hat|[Ww]hich)( |$)", "^[A-Z][A-Za-z.]*$", "^(:|--? )", "^[Tt]here$",
                              "^<.*>$", "^(of|with) .*", "^[$][0-9].*"})
    patterns.push_back(pattern);
  for (const std::string& pattern : patterns) {
    const std::unique_ptr<RegexAutomaton> automaton = RegexAutomaton::build(pattern);
    if (!automaton) continue;
    for (int byte = 0; byte < 256; ++byte) {
      if (automaton->may_begin_with(static_cast<unsigned char>(byte))) continue;
      const std::string first = byte == 0 ? std::string() : std::string(1, static_cast<char>(byte));
      for (const std::string& rest : {std::string(), std::string("a"), std::string(" x>"), std::string("hat which"),
                                      std::string("-- "), std::string("12.50")}) {
        if (byte == 0 && !rest.empty()) continue;
        EXPECT_FALSE(posix_search(pattern, first + rest, false)) << "/" << pattern << "/ " << byte << rest;
        EXPECT_FALSE(automaton->search((first + rest).c_str())) << "/" << pattern << "/ " << byte << rest;
      }
    }
  }
}

TEST(RegexTest, PositionsStillComeFromThePosixEngine) {
  Regex regex;
  ASSERT_TRUE(regex.compile("(b+)(a)"));
  EXPECT_EQ(regex.group_count(), 2);
  RegexMatch groups[3];
  ASSERT_TRUE(regex.search("aabbad", groups, 3));
  EXPECT_EQ(groups[0].start, 2);
  EXPECT_EQ(groups[0].end, 5);
  EXPECT_EQ(groups[1].end, 4);
  EXPECT_TRUE(regex.search("xba"));
  EXPECT_FALSE(regex.search("xab"));
  EXPECT_TRUE(regex.matches_prefix("bad"));
  EXPECT_FALSE(regex.matches_prefix("abad"));
}

TEST(RegexTest, ErrorsStillComeFromThePosixEngine) {
  Regex regex;
  EXPECT_FALSE(regex.compile("[z-a]"));
  EXPECT_FALSE(regex.error().empty());
  EXPECT_FALSE(regex.search("z"));
  EXPECT_TRUE(regex.compile("^(a|an)$"));
  EXPECT_TRUE(regex.error().empty());
  EXPECT_TRUE(regex.search("an"));
}

// The automaton is built at the first search; compiling another pattern
// must drop the one built for the last, searched or not.
TEST(RegexTest, ACompiledPatternReplacesTheLastOnesAutomaton) {
  Regex regex;
  ASSERT_TRUE(regex.compile("^(ab)+$"));
  EXPECT_EQ(regex.group_count(), 1);  // known before any search
  EXPECT_TRUE(regex.search("abab"));
  ASSERT_TRUE(regex.compile("x(y)(z)?"));
  EXPECT_EQ(regex.group_count(), 2);
  EXPECT_FALSE(regex.search("abab"));
  EXPECT_TRUE(regex.search("axy"));
  ASSERT_TRUE(regex.compile("^b"));  // never searched before the next compile
  ASSERT_FALSE(regex.compile("(a"));
  EXPECT_FALSE(regex.search("b"));
  EXPECT_EQ(regex.group_count(), 0);
}

}  // namespace
}  // namespace velmo
