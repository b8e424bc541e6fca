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
// of every chunk, one character at a time.
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
    for (size_t i = 0; i < lead; ++i) {
      pieces.push_back({std::string(1, chunk[i]), space_before});
      space_before = false;
    }
    if (trail > lead) {
      pieces.push_back({std::string(chunk.substr(lead, trail - lead)), space_before});
      space_before = false;
    }
    for (size_t i = trail; i < chunk.size(); ++i) {
      pieces.push_back({std::string(1, chunk[i]), space_before});
      space_before = false;
    }
    at = end;
  }
  return pieces;
}

size_t find_word(std::string_view text, std::string_view word, size_t from) {
  size_t found = text.find(word, from);
  if (found != std::string_view::npos) return found;
  std::string low_text = lower(text), low_word = lower(word);
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

// Hands `pieces` to the positions first..last; surplus pieces are joined to
// the last position; when pieces are missing, words are split at their inner
// punctuation, and positions still without a piece stay empty.
void assign(std::vector<PlainToken>& tokens, int first, int last, std::vector<Piece> pieces) {
  const int wanted = last - first + 1;
  if (wanted <= 0) return;
  while (static_cast<int>(pieces.size()) < wanted && split_inside(pieces)) {
  }
  while (static_cast<int>(pieces.size()) > wanted) {
    Piece extra = pieces.back();
    pieces.pop_back();
    pieces.back().form += (extra.space_before ? " " : "") + extra.form;
  }
  for (int i = 0; i < static_cast<int>(pieces.size()); ++i)
    tokens[first + i - 1] = {pieces[i].form, pieces[i].space_before};
}

}  // namespace

void attach_text(PlainTree& tree, std::string_view line) {
  tree.text = std::string(line);
  int count = 0;
  for (const PlainNode& node : tree.nodes) count = std::max(count, node.position);
  std::vector<std::string> anchor(count + 1);
  for (const PlainNode& node : tree.nodes)
    if (node.position > 0 && !node.word.empty() && node.word.find(' ') == std::string::npos)
      anchor[node.position] = node.word;
  std::vector<PlainToken> tokens(count);
  size_t cursor = 0;
  int last_anchored = 0;
  for (int p = 1; p <= count; ++p) {
    if (anchor[p].empty()) continue;
    size_t found = find_word(line, anchor[p], cursor);
    if (found == std::string_view::npos) continue;
    std::vector<Piece> gap = split_stretch(line.substr(cursor, found - cursor), false);
    assign(tokens, last_anchored + 1, p - 1, std::move(gap));
    tokens[p - 1] = {std::string(line.substr(found, anchor[p].size())), found > 0 && is_space(line[found - 1])};
    cursor = found + anchor[p].size();
    last_anchored = p;
  }
  std::vector<Piece> rest = split_stretch(line.substr(cursor), false);
  // The rest of the line fills the positions after the last anchor first.
  size_t used = 0;
  for (int p = last_anchored + 1; p <= count && used < rest.size(); ++p, ++used)
    tokens[p - 1] = {rest[used].form, rest[used].space_before};
  for (; used < rest.size(); ++used) tokens.push_back({rest[used].form, rest[used].space_before});
  // Positions nothing was found for keep the node's word, if any.
  for (const PlainNode& node : tree.nodes)
    if (node.position > 0 && tokens[node.position - 1].form.empty()) tokens[node.position - 1].form = node.word;
  if (!tokens.empty()) tokens.front().space_before = false;
  tree.tokens = std::move(tokens);
}

}  // namespace velmo::ud
