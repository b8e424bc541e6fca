#include "parser/ud/loose_tokens.h"

#include <algorithm>

#include "parser/ud/conllu.h"
#include "parser/ud/scheme.h"

namespace velmo::ud {

namespace {

bool is_opening(const std::string& form) {
  return form == "(" || form == "[" || form == "{" || form == "<" || form == "<<" || form == "``" ||
         form == "\u201c" || form == "\u2018";
}
bool is_closing(const std::string& form) {
  return form == ")" || form == "]" || form == "}" || form == ">" || form == ">>" || form == "''" ||
         form == "\u201d" || form == "\u2019";
}
bool closes(const std::string& opening, const std::string& closing) {
  return (opening == "(" && closing == ")") || (opening == "[" && closing == "]") ||
         (opening == "{" && closing == "}") || (opening == "<" && closing == ">") ||
         (opening == "<<" && closing == ">>") ||
         (opening == "``" && closing == "''") || (opening == "\u201c" && closing == "\u201d") ||
         (opening == "\u2018" && closing == "\u2019");
}

class LooseTokens {
 public:
  LooseTokens(const std::vector<PlainToken>& tokens, std::vector<int>& heads, std::vector<std::string>& relations)
      : tokens_(tokens), heads_(heads), relations_(relations), n_(static_cast<int>(tokens.size())) {}

  void run() {
    attached_.reserve(static_cast<std::size_t>(n_));
    for (int p = 1; p <= n_; ++p)
      if (heads_[p] >= 0) attached_.push_back(p);
    if (attached_.empty()) return;
    measure();
    pair_brackets();
    find_enclosing();
    std::vector<int> found(n_ + 1, -1);
    size_t next = 0;
    for (int p = 1; p <= n_; ++p) {
      if (heads_[p] >= 0) continue;
      while (next < attached_.size() && attached_[next] < p) ++next;
      int left = next > 0 ? attached_[next - 1] : 0;
      int right = next < attached_.size() ? attached_[next] : 0;
      found[p] = head_for(p, left, right);
    }
    for (int p = 1; p <= n_; ++p) {
      if (found[p] < 0) continue;
      heads_[p] = found[p];
      relations_[p] = is_punctuation(form(p)) ? "punct" : "dep";
    }
  }

 private:
  const std::string& form(int p) const { return tokens_[p - 1].form; }

  // Depth, leftmost and rightmost word of every attached word's subtree.
  void measure() {
    depth_.assign(n_ + 1, 0);
    left_edge_.assign(n_ + 1, 0);
    right_edge_.assign(n_ + 1, 0);
    for (int p : attached_) {
      left_edge_[p] = std::min(left_edge_[p] ? left_edge_[p] : p, p);
      right_edge_[p] = std::max(right_edge_[p], p);
      int steps = 0;
      for (int at = heads_[p]; at > 0 && steps <= n_; at = heads_[at], ++steps) {
        left_edge_[at] = left_edge_[at] ? std::min(left_edge_[at], p) : p;
        right_edge_[at] = std::max(right_edge_[at], p);
      }
      depth_[p] = steps + 1;
      if (heads_[p] == 0) root_ = p;
    }
  }

  // Brackets and quotes without node, paired with their partners: the pair
  // goes to the phrase between them.
  void pair_brackets() {
    partner_.assign(n_ + 1, 0);
    std::vector<int> open;
    int open_quote = 0;
    for (int p = 1; p <= n_; ++p) {
      if (heads_[p] >= 0) continue;
      const std::string& f = form(p);
      if (f == "\"" || f == "'") {
        // A single quote glued to the word before it closes (or is an
        // apostrophe); one after a blank and glued to the next word opens.
        bool glued_before = p > 1 && !tokens_[p - 1].space_before;
        bool glued_after = p < n_ && !tokens_[p].space_before;
        if (open_quote && form(open_quote) == f && (f == "\"" || glued_before)) {
          partner_[p] = open_quote;
          partner_[open_quote] = p;
          open_quote = 0;
        } else if (f == "\"" || (!glued_before && glued_after)) {
          open_quote = p;
        }
      } else if (is_opening(f)) {
        open.push_back(p);
      } else if (is_closing(f) && !open.empty() && closes(form(open.back()), f)) {
        partner_[p] = open.back();
        partner_[open.back()] = p;
        open.pop_back();
      }
    }
  }

  // The opening partner of the innermost pair around every token, 0 when
  // none.
  void find_enclosing() {
    enclosing_.assign(n_ + 1, 0);
    std::vector<int> open;
    for (int p = 1; p <= n_; ++p) {
      if (partner_[p] && partner_[p] < p && !open.empty() && open.back() == partner_[p]) open.pop_back();
      enclosing_[p] = open.empty() ? 0 : open.back();
      if (partner_[p] > p) open.push_back(p);
    }
  }

  // The word of first..last whose head lies outside it, -1 when none or
  // several: the top of the first word's chain inside the range, when its
  // subtree holds the range's last word.
  int phrase_head(int first, int last) const {
    auto begin = std::lower_bound(attached_.begin(), attached_.end(), first);
    auto end = std::upper_bound(attached_.begin(), attached_.end(), last);
    if (begin == end) return -1;
    int top = *begin;
    while (heads_[top] >= first && heads_[top] <= last) top = heads_[top];
    return right_edge_[top] >= *(end - 1) ? top : -1;
  }

  // The word of first..last nearest the root (the leftmost of the nearest),
  // -1 when the range holds no word.
  int highest_word(int first, int last) const {
    auto begin = std::lower_bound(attached_.begin(), attached_.end(), first);
    auto end = std::upper_bound(attached_.begin(), attached_.end(), last);
    int highest = -1;
    for (auto at = begin; at != end; ++at)
      if (highest < 0 || depth_[*at] < depth_[highest]) highest = *at;
    return highest;
  }

  // The head of what a pair of brackets or quotes encloses (the words of
  // first..last): the head of their phrase or, when they form several
  // pieces, the word nearest the root; -1 when they hold no word.
  int enclosed_head(int first, int last) const {
    const int head = phrase_head(first, last);
    return head > 0 ? head : highest_word(first, last);
  }

  int head_for(int p, int left, int right) const {
    if (partner_[p]) {
      int first = std::min(p, partner_[p]), last = std::max(p, partner_[p]);
      if (int head = enclosed_head(first + 1, last - 1); head > 0) return head;
    }
    // The last mark inside brackets or quotes (the full stop of a quoted
    // sentence) goes to what they enclose.
    if (int open = enclosing_[p]; open > 0 && (right == 0 || right > partner_[open])) {
      if (int head = enclosed_head(open + 1, partner_[open] - 1); head > 0) return head;
    }
    if (right == 0) return root_;  // final punctuation
    const std::string& f = form(p);
    // Anything before the first word, and an unpaired opening bracket, goes
    // with the phrase that begins after it.
    if (left == 0 || (is_opening(f) && !partner_[p])) {
      int at = right;
      while (heads_[at] > 0 && left_edge_[heads_[at]] >= right) at = heads_[at];
      return at;
    }
    if (is_closing(f) && !partner_[p]) {
      int at = left;
      while (heads_[at] > 0 && right_edge_[heads_[at]] <= left) at = heads_[at];
      return at;
    }
    // A hyphen or slash inside a word goes with the dependent of the two
    // parts it joins.
    bool joined = !tokens_[p - 1].space_before && p < n_ && !tokens_[p].space_before;
    if (joined && (f == "-" || f == "/")) {
      if (heads_[left] == right) return left;
      if (heads_[right] == left) return right;
    }
    // The lowest word above both neighbours, and its children on either side.
    int a = left, b = right, child_left = 0, child_right = 0;
    while (a != b) {
      if (a <= 0 || b <= 0) return root_;
      if (depth_[a] >= depth_[b]) {
        child_left = a;
        a = heads_[a];
      } else {
        child_right = b;
        b = heads_[b];
      }
    }
    // A phrase in front of its head takes the mark that closes it (the comma
    // after a fronted clause); otherwise the phrase that the mark opens does
    // (the comma before a conjunct, an apposition or an adjunct).
    if (child_left > 0 && child_left < a) return child_left;
    if (child_right > 0) return child_right;
    return a;
  }

  const std::vector<PlainToken>& tokens_;
  std::vector<int>& heads_;
  std::vector<std::string>& relations_;
  const int n_;
  std::vector<int> attached_;
  std::vector<int> depth_, left_edge_, right_edge_, partner_, enclosing_;
  int root_ = 0;
};

}  // namespace

void attach_loose_tokens(const std::vector<PlainToken>& tokens, std::vector<int>& heads,
                         std::vector<std::string>& relations) {
  LooseTokens(tokens, heads, relations).run();
}

}  // namespace velmo::ud
