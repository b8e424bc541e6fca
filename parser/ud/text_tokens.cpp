// Tokens of a parsed line, recovered from the line and the words of the
// tree's nodes: velmo prints no node for the words its grammar skips, so the
// text between two node words is split at blanks and around punctuation and
// handed to the positions between them.
#include <algorithm>
#include <array>
#include <cctype>

#include "parser/ud/convert.h"
#include "parser/ud/scheme.h"

namespace velmo::ud {

namespace {

struct Piece {
  std::string form;
  bool space_before = false;
};

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool is_punct_char(char c) { return std::ispunct(static_cast<unsigned char>(c)) != 0; }

// Splits a stretch of text at blanks, then peels punctuation off both ends
// of every chunk, one character (or run of one character) at a time.
std::vector<Piece> split_stretch(std::string_view text, bool space_before) {
  std::vector<Piece> pieces;
  size_t at = 0;
  while (at < text.size()) {
    if (is_space(text[at])) {
      space_before = true;
      ++at;
      continue;
    }
    size_t end = at;
    while (end < text.size() && !is_space(text[end])) ++end;
    std::string_view chunk = text.substr(at, end - at);
    size_t lead = 0, trail = chunk.size();
    while (lead < trail && is_punct_char(chunk[lead])) ++lead;
    while (trail > lead && is_punct_char(chunk[trail - 1])) --trail;
    auto add = [&](size_t from, size_t to) {
      pieces.push_back({std::string(chunk.substr(from, to - from)), space_before});
      space_before = false;
    };
    // A run of one punctuation character ("...", "!!") is one piece.
    auto add_runs = [&](size_t from, size_t to) {
      while (from < to) {
        size_t run = from + 1;
        while (run < to && chunk[run] == chunk[from]) ++run;
        add(from, run);
        from = run;
      }
    };
    add_runs(0, lead);
    if (trail > lead) add(lead, trail);
    add_runs(trail, chunk.size());
    at = end;
  }
  return pieces;
}

bool is_word_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

bool contraction_at(std::string_view text) {
  return text.substr(0, 3) == "n't" || text.substr(0, 3) == "N'T" || (!text.empty() && text.front() == '\'');
}

// True when `word` at `at` does not cut a run of letters or digits in two
// ("in" inside "taking"); a contraction may follow ("do" in "don't") or be
// the word ("n't").
bool whole_word_at(std::string_view text, size_t at, std::string_view word) {
  const bool starts_inside =
      at > 0 && is_word_char(text[at - 1]) && is_word_char(word.front()) && !contraction_at(word);
  const size_t end = at + word.size();
  const bool ends_inside =
      end < text.size() && is_word_char(text[end]) && is_word_char(word.back()) && !contraction_at(text.substr(end));
  return !starts_inside && !ends_inside;
}

// The first place from `from` where `word` stands as a word of its own
// (compared exactly, then ignoring case), else anywhere; npos when it is
// not there at all. `low_text` is `text` lower-cased, made once per line by
// the caller (a line is searched once per word); the word is lower-cased
// only when the exact search fails.
size_t find_word(std::string_view text, std::string_view low_text, std::string_view word, size_t from) {
  if (word.empty()) return std::string_view::npos;
  for (size_t at = text.find(word, from); at != std::string_view::npos; at = text.find(word, at + 1))
    if (whole_word_at(text, at, word)) return at;
  const std::string low_word = lower(word);
  for (size_t at = low_text.find(low_word, from); at != std::string_view::npos; at = low_text.find(low_word, at + 1))
    if (whole_word_at(text, at, word)) return at;
  return low_text.find(low_word, from);
}

// Splits the longest piece before a punctuation character inside it
// ("doesn't" -> "doesn" "'t"); false when no piece can be split.
bool split_inside(std::vector<Piece>& pieces) {
  size_t best = pieces.size(), at = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const std::string& form = pieces[i].form;
    for (size_t c = 1; c < form.size(); ++c)
      if (is_punct_char(form[c]) && !is_punct_char(form[c - 1]) &&
          (best == pieces.size() || form.size() > pieces[best].form.size())) {
        best = i;
        at = c;
        break;
      }
  }
  if (best == pieces.size()) return false;
  Piece tail{pieces[best].form.substr(at), false};
  pieces[best].form.resize(at);
  pieces.insert(pieces.begin() + static_cast<long>(best) + 1, tail);
  return true;
}

// Where the token found for `word` at `at` ends: a word of punctuation
// takes in the rest of a run of its last character ("." standing for
// "...").
size_t run_end(std::string_view line, size_t at, std::string_view word) {
  size_t end = at + word.size();
  const char last = word.back();
  if (!is_punct_char(last) || word.find_first_not_of(last) != std::string_view::npos) return end;
  while (end < line.size() && line[end] == last) ++end;
  return end;
}

PlainToken token_of(const Piece& piece) { return {piece.form, piece.space_before}; }

// Builds the tokens of a line position by position. Positions that hold a
// node keep their order; text the node words leave unexplained becomes the
// tokens of the positions between them, and tokens of new positions when
// there are more pieces than positions (a full stop the tokenizer dropped),
// so that the tokens always spell the line.
class TokenLayout {
 public:
  explicit TokenLayout(int positions) : new_position_(positions + 1, 0) {}

  // Hands `pieces` to the positions first..last: words are split at their
  // inner punctuation while pieces are missing ("doesn't" -> "doesn" "'t");
  // positions still without a piece stay empty, surplus pieces get
  // positions of their own after them.
  void fill(int first, int last, std::vector<Piece> pieces) {
    const int wanted = std::max(0, last - first + 1);
    while (static_cast<int>(pieces.size()) < wanted && split_inside(pieces)) {
    }
    const int count = std::max(wanted, static_cast<int>(pieces.size()));
    for (int i = 0; i < count; ++i) {
      if (i < wanted) new_position_[first + i] = static_cast<int>(tokens_.size()) + 1;
      tokens_.push_back(i < static_cast<int>(pieces.size()) ? token_of(pieces[i]) : PlainToken{"", false});
    }
  }
  void place(int position, PlainToken token) {
    new_position_[position] = static_cast<int>(tokens_.size()) + 1;
    tokens_.push_back(std::move(token));
  }
  int new_position(int position) const { return new_position_[position]; }
  std::vector<PlainToken>& tokens() { return tokens_; }

 private:
  std::vector<int> new_position_;
  std::vector<PlainToken> tokens_;
};

// The word of a node at its own position: a multi-word item's node carries
// all its words, and `before` of them (its "lex-mod" dependents left of it)
// precede the one at its position.
std::string word_at_position(const PlainNode& item, std::size_t before) {
  if (item.word.find(' ') == std::string::npos) return item.word;
  std::vector<std::string_view> pieces;
  std::string_view rest = item.word;
  while (!rest.empty()) {
    const size_t blank = rest.find(' ');
    if (blank != 0) pieces.push_back(rest.substr(0, blank));
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  return before < pieces.size() ? std::string(pieces[before]) : std::string();
}

// ---- Treebank spelling of the laid tokens. The sentence tokenizer keeps
// "maybe...", "$5" and "and/or" as one word and cuts "don't" as "don" "'t";
// the treebank writes "maybe" "...", "$" "5", "and" "/" "or" and "do"
// "n't". Words the parser read as one keep their node on their first piece
// of letters or digits; the other pieces become tokens without a node,
// which the converter attaches by its rules for such tokens.

bool is_alpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool has_word_char(std::string_view form) {
  return std::any_of(form.begin(), form.end(), [](char c) { return is_word_char(c); });
}

// A word of ASCII letters and digits only, the most common token: no rule
// below cuts or joins it but the fused words, and it spells itself.
bool plain_word(std::string_view form) {
  return !form.empty() && std::all_of(form.begin(), form.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && is_word_char(c);
  });
}

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";
constexpr std::string_view kPound = "\xC2\xA3";
constexpr std::string_view kEuro = "\xE2\x82\xAC";
constexpr std::string_view kCurlyApostrophe = "\xE2\x80\x99";

// The end of the run of letters and digits from `from`.
size_t next_break(std::string_view form, size_t from) {
  while (from < form.size() && is_word_char(form[from])) ++from;
  return from;
}

// A currency or number sign written against what follows ("$5", "#1").
size_t leading_sign(std::string_view form) {
  for (std::string_view sign : {std::string_view("$"), std::string_view("~"), kPound, kEuro})
    if (form.size() > sign.size() && form.substr(0, sign.size()) == sign && is_word_char(form[sign.size()]))
      return sign.size();
  if (form.size() > 1 && form[0] == '#' && std::isdigit(static_cast<unsigned char>(form[1]))) return 1;
  return 0;
}

// A quote in front of a word ("'proof"), told from the clitics that begin
// with an apostrophe ("'s", "'em").
size_t leading_quote(std::string_view form) {
  static constexpr std::array<std::string_view, 12> clitics = {"s", "m",  "re", "ve",    "ll",  "d",
                                                               "t", "em", "n",  "cause", "til", "nt"};
  if (form.size() < 2 || form[0] != '\'' || !is_alpha(form[1])) return 0;
  const std::string rest = lower(form.substr(1));
  return std::find(clitics.begin(), clitics.end(), rest) == clitics.end() ? 1 : 0;
}

bool single_letter_at(std::string_view form, size_t from, size_t to) { return to == from + 1 && is_alpha(form[from]); }

// An address keeps its characters, but not the brackets around it
// ("<ann@x.com>") nor a closing bracket it does not open.
std::vector<std::string> address_pieces(std::string_view form) {
  std::vector<std::string> pieces;
  if (form.size() > 1 && form.front() == '<') {
    pieces.emplace_back("<");
    form.remove_prefix(1);
  }
  std::string closing;
  while (form.size() > 1 && (form.back() == '>' || form.back() == ']' || form.back() == ')')) {
    const char open = form.back() == '>' ? '<' : form.back() == ']' ? '[' : '(';
    if (form.find(open) != std::string_view::npos) break;
    closing.insert(closing.begin(), form.back());
    form.remove_suffix(1);
  }
  pieces.emplace_back(form);
  for (char c : closing) pieces.emplace_back(1, c);
  return pieces;
}

// The pieces of one token: signs in front, runs of two or more full stops
// (or an ellipsis character), commas next to a letter and slashes between
// letters stand apart; "w/" keeps its slash.
std::vector<std::string> spelled_pieces(std::string_view form) {
  if (plain_word(form)) return {std::string(form)};
  if (!has_word_char(form)) return {std::string(form)};
  if (is_address(form)) return address_pieces(form);
  std::vector<std::string> pieces;
  std::string current;
  auto flush = [&] {
    if (!current.empty()) pieces.push_back(std::move(current));
    current.clear();
  };
  size_t at = leading_sign(form) + leading_quote(form);
  if (at > 0) pieces.emplace_back(form.substr(0, at));
  while (at < form.size()) {
    const char c = form[at];
    const bool inside = at > 0 && at + 1 < form.size();
    if (c == '.' && at + 1 < form.size() && form[at + 1] == '.') {
      size_t end = at;
      while (end < form.size() && form[end] == '.') ++end;
      flush();
      pieces.emplace_back(form.substr(at, end - at));
      at = end;
    } else if (form.substr(at, kEllipsis.size()) == kEllipsis) {
      flush();
      pieces.emplace_back(kEllipsis);
      at += kEllipsis.size();
    } else if (c == ',' && inside && !current.empty() && (is_alpha(form[at - 1]) || is_alpha(form[at + 1]))) {
      flush();
      pieces.emplace_back(",");
      ++at;
    } else if (form.substr(at, kCurlyApostrophe.size()) == kCurlyApostrophe && !current.empty() &&
               at + kCurlyApostrophe.size() < form.size() && is_alpha(form[at + kCurlyApostrophe.size()])) {
      // A clitic after a typographic apostrophe, as the tokenizer cuts "'s".
      flush();
      current = std::string(kCurlyApostrophe);
      at += kCurlyApostrophe.size();
    } else if (c == '/' && inside && is_alpha(form[at - 1]) && is_alpha(form[at + 1]) &&
               !(current.size() == 1 && single_letter_at(form, at + 1, next_break(form, at + 1)))) {
      if (current == "w" || current == "W") {
        current += c;
        flush();
      } else {
        flush();
        pieces.emplace_back("/");
      }
      ++at;
    } else {
      current += c;
      ++at;
    }
  }
  flush();
  return pieces;
}

// Words the treebank writes as two or three ("cannot": "can" "not").
std::vector<std::string> fused_word_parts(std::string_view form) {
  struct Fused {
    std::string_view word;
    std::array<std::size_t, 2> cuts;  // piece lengths; 0 ends the list
  };
  // Contractions written without their apostrophe (dont, im, thats) too.
  static constexpr std::array<Fused, 25> fused = {{{"cannot", {3, 0}},   {"gonna", {3, 0}},    {"wanna", {3, 0}},
                                                   {"gotta", {3, 0}},    {"outta", {3, 0}},    {"dunno", {2, 1}},
                                                   {"lemme", {3, 0}},    {"dont", {2, 0}},     {"cant", {2, 0}},
                                                   {"wont", {2, 0}},     {"didnt", {3, 0}},    {"doesnt", {4, 0}},
                                                   {"isnt", {2, 0}},     {"arent", {3, 0}},    {"wasnt", {3, 0}},
                                                   {"werent", {4, 0}},   {"havent", {4, 0}},   {"hasnt", {3, 0}},
                                                   {"hadnt", {3, 0}},    {"couldnt", {5, 0}},  {"wouldnt", {5, 0}},
                                                   {"shouldnt", {6, 0}}, {"im", {1, 0}},       {"ive", {1, 0}},
                                                   {"thats", {4, 0}}}};
  // Compared in place: nearly every word is none of them, and most differ
  // from an entry in length or first letter, which are looked at first.
  if (form.empty()) return {};
  const char first = form[0] >= 'A' && form[0] <= 'Z' ? static_cast<char>(form[0] - 'A' + 'a') : form[0];
  for (const Fused& entry : fused) {
    if (entry.word.size() != form.size() || entry.word[0] != first) continue;
    if (!equal_ignoring_case(form, entry.word)) continue;
    std::vector<std::string> parts;
    size_t at = 0;
    for (std::size_t cut : entry.cuts) {
      if (cut == 0) break;
      parts.emplace_back(form.substr(at, cut));
      at += cut;
    }
    parts.emplace_back(form.substr(at));
    return parts;
  }
  return {};
}

// A number written against its unit ("65k", "375mm"): the treebank writes
// the number and the unit apart (train: 121 such pairs, among them times
// of day, and 22 glued tokens, none of them with these units).
std::vector<std::string> number_and_unit_parts(std::string_view form) {
  static constexpr std::array<std::string_view, 11> units = {"k",   "m",  "mm", "cm", "km", "kg",
                                                             "ft",  "lbs", "lb", "gb", "mb"};
  const size_t digits = form.find_first_not_of("0123456789");
  if (digits == 0 || digits == std::string_view::npos) return {};
  const std::string unit = lower(form.substr(digits));
  if (std::find(units.begin(), units.end(), unit) == units.end()) return {};
  return {std::string(form.substr(0, digits)), std::string(form.substr(digits))};
}

// Whether fused_word_parts() cuts `form`.
bool fused_word(std::string_view form) { return !fused_word_parts(form).empty(); }

// Whether number_and_unit_parts() cuts `form`: only a form that begins with
// a digit and goes on with something else is asked further.
bool number_with_unit(std::string_view form) {
  if (form.empty() || form[0] < '0' || form[0] > '9') return false;
  return !number_and_unit_parts(form).empty();
}

bool is_t_clitic(std::string_view form) {
  const std::string low = lower(form);
  return low == "'t" || low == "\xE2\x80\x99t";
}

// "don" "'t" become "do" "n't": the n goes over to the negation.
void move_negation_n(std::vector<PlainToken>& tokens) {
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    std::string& word = tokens[i].form;
    if (tokens[i + 1].space_before || !is_t_clitic(tokens[i + 1].form) || word.size() < 2) continue;
    const char n = word.back();
    if (n != 'n' && n != 'N') continue;
    word.pop_back();
    tokens[i + 1].form.insert(tokens[i + 1].form.begin(), n);
  }
}

// Splits the tokens into the treebank's pieces; `position_of[p]` becomes
// the new position of the piece that keeps position p's node.
bool is_sentence_marks(std::string_view form) {
  return !form.empty() && form.find_first_not_of(".?!") == std::string_view::npos;
}

// How many tokens from `first` the treebank writes as one: a smiley cut by
// the tokenizer (":" ")"), or a run of full stops, question and exclamation
// marks with at least one of the latter (".?", "!?").
bool is_digits(std::string_view form) {
  return !form.empty() &&
         std::all_of(form.begin(), form.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Numbers joined by hyphens without blanks that the treebank writes as one
// token: telephone numbers and codes (713-853-3989, 646-8420, 3-5213), not
// ranges (1969-1970, 400-500). The count of tokens, or 1.
size_t hyphenated_number_count(const std::vector<PlainToken>& tokens, size_t first) {
  size_t count = 1;
  while (first + count + 1 < tokens.size() && tokens[first + count].form == "-" &&
         !tokens[first + count].space_before && !tokens[first + count + 1].space_before &&
         is_digits(tokens[first + count + 1].form))
    count += 2;
  if (count == 1 || !is_digits(tokens[first].form)) return 1;
  const std::string& last = tokens[first + count - 1].form;
  const bool code = count > 3 || (tokens[first].form.size() <= 3 && last.size() == 4);
  return code ? count : 1;
}

// Marks that draw lines and arrows ("----==", "==>", "*~*~*"): glued
// together they are one token of the treebank.
bool is_ruler(std::string_view form) {
  return !form.empty() && form.find_first_not_of("-=_~*+|^") == std::string_view::npos;
}

size_t ruler_count(const std::vector<PlainToken>& tokens, size_t first) {
  size_t count = 1;
  if (!is_ruler(tokens[first].form)) return count;
  while (first + count < tokens.size() && !tokens[first + count].space_before && is_ruler(tokens[first + count].form))
    ++count;
  return count;
}

// A surname written with an apostrophe after its initial ("O" "'Neill"):
// the treebank keeps the name whole.
bool apostrophe_surname(const std::vector<PlainToken>& tokens, size_t first) {
  if (first + 1 >= tokens.size() || tokens[first + 1].space_before) return false;
  const std::string& initial = tokens[first].form;
  const std::string& rest = tokens[first + 1].form;
  if (initial.size() != 1 || !std::isupper(static_cast<unsigned char>(initial[0]))) return false;
  return rest.size() >= 3 && rest[0] == '\'' && std::isupper(static_cast<unsigned char>(rest[1])) &&
         std::all_of(rest.begin() + 2, rest.end(), [](char c) { return std::islower(static_cast<unsigned char>(c)); });
}

size_t joined_count(const std::vector<PlainToken>& tokens, size_t first) {
  if (apostrophe_surname(tokens, first)) return 2;
  // Every other join begins with a digit or a mark: a token that begins
  // with a letter stands alone.
  if (const std::string& form = tokens[first].form; !form.empty() && is_alpha(form.front())) return 1;
  if (size_t numbers = hyphenated_number_count(tokens, first); numbers > 1) return numbers;
  if (size_t ruler = ruler_count(tokens, first); ruler > 1) return ruler;
  static constexpr std::array<std::string_view, 8> smileys = {":)", ":(", ";)", ":-)", ":-(", ";-)", "=)", ":-/"};
  std::string joined = tokens[first].form;
  for (size_t count = 2; count <= 3 && first + count <= tokens.size(); ++count) {
    if (tokens[first + count - 1].space_before) break;
    joined += tokens[first + count - 1].form;
    if (std::find(smileys.begin(), smileys.end(), joined) != smileys.end()) return count;
  }
  size_t count = 1;
  joined = tokens[first].form;
  while (first + count < tokens.size() && !tokens[first + count].space_before && is_sentence_marks(joined) &&
         is_sentence_marks(tokens[first + count].form)) {
    joined += tokens[first + count].form;
    ++count;
  }
  return joined.find_first_of("?!") != std::string::npos ? count : 1;
}

// A prefix joined by a hyphen to a word ("e-mail", "non-Microsoft",
// "re-wording"): the treebank keeps such words whole.
bool prefixed_word(const std::vector<PlainToken>& tokens, size_t first) {
  static constexpr std::array<std::string_view, 20> prefixes = {
      "e",     "non",   "re",  "co",  "pre",  "mid",     "anti", "over",  "post",  "pro",
      "multi", "ex",    "sub", "semi", "counter", "neo", "cross", "micro", "socio", "intra"};
  if (first + 2 >= tokens.size() || tokens[first + 1].form != "-") return false;
  if (tokens[first + 1].space_before || tokens[first + 2].space_before) return false;
  const std::string& word = tokens[first + 2].form;
  if (!std::all_of(word.begin(), word.end(), [](char c) { return is_alpha(c); })) return false;
  return std::find(prefixes.begin(), prefixes.end(), lower(tokens[first].form)) != prefixes.end();
}

// `its_contracted[p]` tells that the "its" at position p stands for "it's";
// `prefix_heads[p]` that the prefix at p heads the lexicon's item for the
// whole prefixed word ("e-mail" read as one word).
std::vector<PlainToken> treebank_tokens(const std::vector<PlainToken>& given, std::vector<int>& position_of,
                                        const std::vector<bool>& its_contracted,
                                        const std::vector<bool>& prefix_heads) {
  // Tokens written as one keep the first one's position; the positions
  // they take in stand for no token (their nodes become empty).
  std::vector<PlainToken> tokens;
  std::vector<int> joined_position(given.size() + 1, 0);
  std::vector<bool> contracted;
  for (size_t i = 0; i < given.size();) {
    if (prefixed_word(given, i)) {
      // The word after the prefix keeps its position, as it heads the pair,
      // unless the parse read the whole as one item headed by the prefix.
      contracted.push_back(false);
      tokens.push_back(given[i]);
      tokens.back().form += given[i + 1].form + given[i + 2].form;
      joined_position[prefix_heads[i + 1] ? i + 1 : i + 3] = static_cast<int>(tokens.size());
      i += 3;
      continue;
    }
    const size_t count = joined_count(given, i);
    contracted.push_back(its_contracted[i + 1]);
    tokens.push_back(given[i]);
    joined_position[i + 1] = static_cast<int>(tokens.size());
    for (size_t k = 1; k < count; ++k) tokens.back().form += given[i + k].form;
    i += count;
  }
  std::vector<PlainToken> result;
  result.reserve(tokens.size());
  std::vector<int> piece_position(tokens.size() + 1, 0);
  for (size_t i = 0; i < tokens.size(); ++i) {
    // Most tokens are words of letters and digits that no rule below cuts:
    // they are their own single piece, moved over without a list of pieces.
    if (!contracted[i] && plain_word(tokens[i].form) && !fused_word(tokens[i].form) &&
        !number_with_unit(tokens[i].form)) {
      piece_position[i + 1] = static_cast<int>(result.size()) + 1;
      result.push_back({std::move(tokens[i].form), tokens[i].space_before});
      continue;
    }
    std::vector<std::string> pieces = fused_word_parts(tokens[i].form);
    if (contracted[i] && lower(tokens[i].form) == "its")
      pieces = {tokens[i].form.substr(0, 2), tokens[i].form.substr(2)};
    if (pieces.empty()) pieces = number_and_unit_parts(tokens[i].form);
    if (pieces.empty()) pieces = spelled_pieces(tokens[i].form);
    bool space = tokens[i].space_before;
    for (std::string& piece : pieces) {
      if (piece_position[i + 1] == 0 && has_word_char(piece))
        piece_position[i + 1] = static_cast<int>(result.size()) + 1;
      result.push_back({std::move(piece), space});
      space = false;
    }
    if (piece_position[i + 1] == 0) piece_position[i + 1] = static_cast<int>(result.size());
  }
  // The full stop of an abbreviation that ends the sentence ("U.S.",
  // "etc.") is the sentence's own.
  if (!result.empty()) {
    const std::string& last = result.back().form;
    if (last.size() >= 2 && last.back() == '.' && is_alpha(last[last.size() - 2]) && !is_address(last)) {
      result.back().form.pop_back();
      result.push_back({".", false});
    }
  }
  position_of.assign(given.size() + 1, 0);
  for (size_t p = 1; p <= given.size(); ++p) position_of[p] = piece_position[joined_position[p]];
  move_negation_n(result);
  return result;
}

// A piece of a run of marks that the lexicon read as one word ("----=="
// from "-" "-" "-" "-" "=="): the item's word, written without blanks,
// already holds the piece's text, so the piece stands for no token.
// The word of such a run is its root when the node holds only the first
// piece.
const std::string& run_of_marks(const PlainNode& node) {
  const bool whole = node.root.size() > node.word.size() && is_punctuation(node.root) &&
                     node.root.find(' ') == std::string::npos;
  return whole ? node.root : node.word;
}

bool inside_item_word(const PlainTree& tree, const PlainNode& node) {
  if (node.relation != "lex-mod" || node.head < 0) return false;
  const std::string& item = run_of_marks(tree.nodes[node.head]);
  return item.find(' ') == std::string::npos && is_punctuation(item) && is_punctuation(node.word);
}

// "its" standing for "it's": the parse did not read it as a possessor, or
// a determiner or preposition follows it (its a shame, its for you).
std::vector<bool> contracted_its(const PlainTree& tree, std::size_t count) {
  std::vector<bool> contracted(count + 1, false);
  std::vector<int> node_at(count + 2, -1);
  for (std::size_t i = 0; i < tree.nodes.size(); ++i)
    if (tree.nodes[i].position > 0 && static_cast<std::size_t>(tree.nodes[i].position) <= count)
      node_at[tree.nodes[i].position] = static_cast<int>(i);
  for (std::size_t p = 1; p <= count; ++p) {
    if (node_at[p] < 0 || !equal_ignoring_case(tree.nodes[node_at[p]].word, "its")) continue;
    const std::string& relation = tree.nodes[node_at[p]].relation;
    const int next = node_at[p + 1];
    const std::string next_category = next >= 0 ? tree.nodes[next].category : "";
    if (relation == "gen")
      contracted[p] = next_category == "Det" || next_category == "Prep";
    else
      contracted[p] = relation != "pcomp";
  }
  return contracted;
}

// Positions whose node heads an item of the lexicon that takes in the two
// words after it as lex-mod ("e-mail": the item's words "-" and "mail").
std::vector<bool> heads_three_word_item(const PlainTree& tree, std::size_t count) {
  std::vector<bool> heads(count + 1, false);
  for (const PlainNode& node : tree.nodes) {
    if (node.relation != "lex-mod" || node.head < 0 || node.position <= 2) continue;
    const int head_position = tree.nodes[node.head].position;
    if (head_position == node.position - 2 && static_cast<std::size_t>(node.position) <= count)
      heads[head_position] = true;
  }
  return heads;
}

}  // namespace

// Addresses and links keep every character.
bool is_address(std::string_view form) {
  return form.find('@') != std::string_view::npos || form.find("://") != std::string_view::npos ||
         lower(form).find("www.") != std::string_view::npos;
}

void attach_text(PlainTree& tree, std::string_view line) {
  tree.text = std::string(line);
  int count = 0;
  for (const PlainNode& node : tree.nodes) count = std::max(count, node.position);
  std::vector<std::size_t> words_before(tree.nodes.size(), 0);
  for (const PlainNode& node : tree.nodes)
    if (node.relation == "lex-mod" && node.head >= 0 && node.position > 0 &&
        node.position < tree.nodes[node.head].position)
      ++words_before[node.head];
  std::vector<std::string> anchor(count + 1);
  std::vector<bool> inside_item(count + 1, false);
  for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
    if (tree.nodes[i].position <= 0) continue;
    if (inside_item_word(tree, tree.nodes[i]))
      inside_item[tree.nodes[i].position] = true;
    else
      anchor[tree.nodes[i].position] = is_punctuation(tree.nodes[i].word)
                                           ? run_of_marks(tree.nodes[i])
                                           : word_at_position(tree.nodes[i], words_before[i]);
  }
  TokenLayout layout(count);
  const std::string low_line = lower(line);
  size_t cursor = 0;
  int last_anchored = 0;
  for (int p = 1; p <= count; ++p) {
    if (anchor[p].empty()) continue;
    const size_t found = find_word(line, low_line, anchor[p], cursor);
    if (found == std::string_view::npos) continue;
    layout.fill(last_anchored + 1, p - 1, split_stretch(line.substr(cursor, found - cursor), false));
    const size_t end = run_end(line, found, anchor[p]);
    layout.place(p, {std::string(line.substr(found, end - found)), found > 0 && is_space(line[found - 1])});
    cursor = end;
    last_anchored = p;
    // The other pieces of a run of marks read as one item are in its token
    // already: they take none of the text after it ("$$$." leaves "." to
    // the full stop, not to the second "$").
    while (last_anchored < count && inside_item[last_anchored + 1]) layout.place(++last_anchored, {"", false});
  }
  layout.fill(last_anchored + 1, count, split_stretch(line.substr(cursor), false));
  // A node whose word the line does not have (a second "-" of "--" taken
  // in by the first) stands for no token: it becomes an empty node, so the
  // tokens still spell the line. Positions left without text are dropped.
  const std::vector<PlainToken>& laid = layout.tokens();
  std::vector<int> kept_position(laid.size() + 1, 0);
  std::vector<PlainToken> tokens;
  for (std::size_t i = 0; i < laid.size(); ++i) {
    if (laid[i].form.empty()) continue;
    tokens.push_back(laid[i]);
    kept_position[i + 1] = static_cast<int>(tokens.size());
  }
  for (PlainNode& node : tree.nodes)
    if (node.position > 0) node.position = kept_position[layout.new_position(node.position)];
  std::vector<int> position_of;
  tokens = treebank_tokens(tokens, position_of, contracted_its(tree, tokens.size()),
                           heads_three_word_item(tree, tokens.size()));
  for (PlainNode& node : tree.nodes)
    if (node.position > 0) node.position = position_of[node.position];
  if (!tokens.empty()) tokens.front().space_before = false;
  tree.tokens = std::move(tokens);
}

}  // namespace velmo::ud
