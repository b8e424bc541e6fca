#include "lexical/functions/abbrev.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/functions/match_exp.h"
#include "lexical/patterns/match.h"

namespace velmo {

namespace {

constexpr int kMaxDefinitionWords = 10;
constexpr int kMaxBracketWords = 16;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The letters and digits of an abbreviation, lower-cased.
std::string letters_of(const char* word) {
  std::string letters;
  for (const char* c = word; *c; ++c)
    if (std::isalnum(static_cast<unsigned char>(*c))) letters.push_back(lower(*c));
  return letters;
}

// The letters a word can stand for: its initial, then the capitals inside it.
std::string initials_of(const char* word) {
  std::string initials;
  if (!word || !std::isalnum(static_cast<unsigned char>(word[0]))) return initials;
  initials.push_back(lower(word[0]));
  for (const char* c = word + 1; *c; ++c)
    if (std::isupper(static_cast<unsigned char>(*c))) initials.push_back(lower(*c));
  return initials;
}

bool is_passable(const char* word) {
  static LExpPtr test = LExp::from_text("(in (about among as at but by for from in into of off on out to up with -))");
  return word && test && test->eval(to_word(word), ShellTypes::get().text) != 0;
}

bool is_open(const char* word) { return word && (!std::strcmp(word, "(") || !std::strcmp(word, "[")); }
bool is_close(const char* word) { return word && (!std::strcmp(word, ")") || !std::strcmp(word, "]")); }

// How many letters the word accounts for at the end (backward) or start
// (forward) of `wanted`: all its initials, else its first initial, else 0.
std::size_t letters_taken(const std::string& initials, std::string_view wanted, bool backward) {
  if (initials.empty() || wanted.empty()) return 0;
  const std::size_t k = initials.size();
  if (k <= wanted.size()) {
    const std::string_view part = backward ? wanted.substr(wanted.size() - k) : wanted.substr(0, k);
    if (part == initials) return k;
  }
  const char letter = backward ? wanted.back() : wanted.front();
  return initials[0] == letter ? 1 : 0;
}

// The first position of the spelled-out form that ends at `end`, or -1.
int definition_before(const LexAnalyzer& analyzer, int end, const std::string& letters) {
  std::string_view wanted = letters;
  for (int p = end; p >= 1 && p > end - kMaxDefinitionWords; --p) {
    const char* word = analyzer.word_at(p);
    const std::size_t taken = letters_taken(initials_of(word), wanted, true);
    if (taken) {
      wanted.remove_suffix(taken);
      if (wanted.empty()) return p;
      continue;
    }
    if (!is_passable(word)) return -1;
  }
  return -1;
}

// Whether the words first..last spell out `letters` completely.
bool definition_within(const LexAnalyzer& analyzer, int first, int last, const std::string& letters) {
  std::string_view wanted = letters;
  bool started = false;
  for (int p = first; p <= last; ++p) {
    const char* word = analyzer.word_at(p);
    const std::size_t taken = letters_taken(initials_of(word), wanted, false);
    if (taken) {
      wanted.remove_prefix(taken);
      started = true;
      continue;
    }
    if (!is_passable(word)) return false;
  }
  return started && wanted.empty();
}

struct AbbrevSpans {
  int whole_low, whole_high, abbrev, spelled_low, spelled_high;
};

LexItem* build(MatchCall& call, const AbbrevSpans& spans, bool definition_first) {
  LexAnalyzer& analyzer = *call.analyzer;
  const auto* meaning = call.pointer<Meaning>(0);
  const std::string spelled_text = analyzer.span_text(spans.spelled_low, spans.spelled_high);
  LexItem* whole = analyzer.make_item(spelled_text, meaning, spans.whole_low, spans.whole_high);
  LexItem* spelled = analyzer.make_item(spelled_text, meaning, spans.spelled_low, spans.spelled_high);
  LexItem* abbrev = analyzer.make_item(analyzer.word_at(spans.abbrev), meaning, spans.abbrev, spans.abbrev);
  analyzer.delete_items_inside(spans.whole_low, spans.whole_high);
  if (definition_first) {
    whole->sub_items.push_back(spelled);
    spelled->sub_items.push_back(abbrev);
    abbrev->relation = analyzer.intern("abbrev");
  } else {
    whole->sub_items.push_back(abbrev);
    abbrev->sub_items.push_back(spelled);
    spelled->relation = analyzer.intern("spellout");
  }
  return whole;
}

// (abbrev-def MEANING): the match covers an abbreviation in brackets, "(",
// ABBREVIATION, ")" or the abbreviation alone; its spelled-out form ends
// just before the bracket.
Word abbrev_def(MatchCall& call) {
  if (!call.match) return 0;
  const LexAnalyzer& analyzer = *call.analyzer;
  int a = call.match->low;
  if (is_open(analyzer.word_at(a))) ++a;
  const char* word = analyzer.word_at(a);
  if (!word || !is_open(analyzer.word_at(a - 1)) || !is_close(analyzer.word_at(a + 1))) return 0;
  const std::string letters = letters_of(word);
  if (letters.size() < 2) return 0;
  const int start = definition_before(analyzer, a - 2, letters);
  if (start < 1) return 0;
  return to_word(build(call, AbbrevSpans{start, a + 1, a, start, a - 2}, true));
}

// (abbrev-with-def MEANING): the match starts at an abbreviation followed by
// its spelled-out form in brackets.
Word abbrev_with_def(MatchCall& call) {
  if (!call.match) return 0;
  const LexAnalyzer& analyzer = *call.analyzer;
  const int a = call.match->low;
  const char* word = analyzer.word_at(a);
  if (!word || !is_open(analyzer.word_at(a + 1))) return 0;
  int close = a + 2;
  while (close < analyzer.positions() && close <= a + 1 + kMaxBracketWords && !is_close(analyzer.word_at(close)))
    ++close;
  if (!is_close(analyzer.word_at(close)) || close == a + 2) return 0;
  const std::string letters = letters_of(word);
  if (letters.size() < 2 || !definition_within(analyzer, a + 2, close - 1, letters)) return 0;
  return to_word(build(call, AbbrevSpans{a, close, a, a + 2, close - 1}, false));
}

}  // namespace

void register_abbrev_functions() {
  register_match_exp("abbrev-def", "m", kLexItemType, &abbrev_def,
                     "(abbrev-def MEANING) an item for a spelled-out form followed by its abbreviation in brackets");
  register_match_exp("abbrev-with-def", "m", kLexItemType, &abbrev_with_def,
                     "(abbrev-with-def MEANING) an item for an abbreviation followed by its spelled-out form in "
                     "brackets");
}

}  // namespace velmo
