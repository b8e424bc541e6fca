// Tokens of a parsed line, recovered from the line and the words of the
// tree's nodes: velmo prints no node for the words its grammar skips, so the
// text between two node words is split at blanks and around punctuation and
// handed to the positions between them.
#include <algorithm>
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
// not there at all.
size_t find_word(std::string_view text, std::string_view word, size_t from) {
  if (word.empty()) return std::string_view::npos;
  const std::string low_text = lower(text), low_word = lower(word);
  for (int pass = 0; pass < 2; ++pass) {
    const std::string_view haystack = pass ? std::string_view(low_text) : text;
    const std::string_view needle = pass ? std::string_view(low_word) : word;
    for (size_t at = haystack.find(needle, from); at != std::string_view::npos; at = haystack.find(needle, at + 1))
      if (whole_word_at(text, at, word)) return at;
  }
  return std::string_view(low_text).find(low_word, from);
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

}  // namespace

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
  for (std::size_t i = 0; i < tree.nodes.size(); ++i)
    if (tree.nodes[i].position > 0) anchor[tree.nodes[i].position] = word_at_position(tree.nodes[i], words_before[i]);
  TokenLayout layout(count);
  size_t cursor = 0;
  int last_anchored = 0;
  for (int p = 1; p <= count; ++p) {
    if (anchor[p].empty()) continue;
    const size_t found = find_word(line, anchor[p], cursor);
    if (found == std::string_view::npos) continue;
    layout.fill(last_anchored + 1, p - 1, split_stretch(line.substr(cursor, found - cursor), false));
    const size_t end = run_end(line, found, anchor[p]);
    layout.place(p, {std::string(line.substr(found, end - found)), found > 0 && is_space(line[found - 1])});
    cursor = end;
    last_anchored = p;
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
  if (!tokens.empty()) tokens.front().space_before = false;
  tree.tokens = std::move(tokens);
}

}  // namespace velmo::ud
