#include "shell/support/regex_automaton.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string_view>

namespace velmo {

namespace {

// The parsed pattern: a tree of sets, sequences, alternatives, repetitions
// and anchors.
struct Ast {
  enum class Kind { kSet, kSequence, kAlternatives, kStar, kPlus, kOptional, kDollar, kCaret };
  Kind kind = Kind::kSet;
  int set = -1;
  std::vector<Ast> parts;
};

constexpr std::string_view kQuotable = ".[]()*+?{}|^$\\/-";

}  // namespace

// Reads the pattern into an Ast and lays the Ast out as automaton nodes.
// Every doubt about how the POSIX engine would read a construct ends the
// parse: the pattern then goes to that engine.
//
// A builder that only checks reads the pattern by the same rules but keeps
// no more of the Ast than those rules look at (whether an atom is an
// anchor), so it accepts exactly the patterns the full builder accepts.
class RegexAutomatonBuilder {
 public:
  RegexAutomatonBuilder(std::string_view pattern, RegexAutomaton& automaton, bool check_only = false)
      : pattern_(pattern), automaton_(automaton), check_only_(check_only) {}

  bool run() {
    if (pattern_.starts_with('^')) {
      automaton_.anchored_ = true;
      pos_ = 1;
    }
    if (pos_ == pattern_.size()) return false;
    std::optional<Ast> tree = alternatives();
    if (!tree || pos_ != pattern_.size()) return false;
    automaton_.groups_ = groups_;
    if (check_only_) return true;
    const int match = add_node({RegexAutomaton::Node::Kind::kMatch, -1, -1, -1});
    automaton_.start_ = lay_out(*tree, match);
    return true;
  }

 private:
  using Kind = Ast::Kind;
  using ByteSet = RegexAutomaton::ByteSet;

  bool at_end() const { return pos_ >= pattern_.size(); }
  char peek(std::size_t ahead = 0) const { return pos_ + ahead < pattern_.size() ? pattern_[pos_ + ahead] : '\0'; }
  static bool plain(char c) { return c > 0 && static_cast<unsigned char>(c) < 0x80; }

  std::optional<Ast> alternatives() {
    std::optional<Ast> first = sequence();
    if (!first || peek() != '|') return first;
    Ast alternatives{Kind::kAlternatives, -1, {}};
    if (!check_only_) alternatives.parts.push_back(std::move(*first));
    while (!at_end() && peek() == '|') {
      ++pos_;
      std::optional<Ast> next = sequence();
      if (!next) return std::nullopt;
      if (!check_only_) alternatives.parts.push_back(std::move(*next));
    }
    return alternatives;
  }

  std::optional<Ast> sequence() {
    Ast sequence{Kind::kSequence, -1, {}};
    bool more = false;  // a check keeps the first part only
    while (!at_end() && peek() != '|' && peek() != ')') {
      std::optional<Ast> part = repeated();
      if (!part) return std::nullopt;
      if (check_only_ && !sequence.parts.empty()) {
        more = true;
        continue;
      }
      sequence.parts.push_back(std::move(*part));
    }
    if (sequence.parts.empty()) return std::nullopt;
    if (sequence.parts.size() == 1 && !more) return std::move(sequence.parts.front());
    return sequence;
  }

  std::optional<Ast> repeated() {
    const int carets_before = carets_;
    std::optional<Ast> atom = this->atom();
    if (!atom) return std::nullopt;
    const char c = peek();
    // A repeated anchor is left to the POSIX engine, and so is a repeated
    // group holding a "^": that engine lets such a "^" hold past the text's
    // start ("(^a|b)+c" matches "bac").
    const bool anchor =
        atom->kind == Kind::kDollar || atom->kind == Kind::kCaret || carets_ != carets_before;
    if (c == '{') {
      if (anchor) return std::nullopt;
      return interval(std::move(*atom));
    }
    if (c != '*' && c != '+' && c != '?') return atom;
    if (anchor) return std::nullopt;
    ++pos_;
    const char after = peek();
    if (after == '*' || after == '+' || after == '?' || after == '{') return std::nullopt;
    const Kind kind = c == '*' ? Kind::kStar : c == '+' ? Kind::kPlus : Kind::kOptional;
    Ast repetition{kind, -1, {}};
    if (!check_only_) repetition.parts.push_back(std::move(*atom));
    return repetition;
  }

  // "{M}", "{M,}" or "{M,N}" after `atom` (at the "{"): the atom written
  // out M times, then N - M times optional (or once repeated at will). The
  // automaton only tells whether a text matches, so the written-out form,
  // which matches the same texts, serves. Large counts stay with the POSIX
  // engine.
  std::optional<Ast> interval(Ast atom) {
    ++pos_;
    const std::optional<int> least = count();
    if (!least) return std::nullopt;
    std::optional<int> most = least;
    if (peek() == ',') {
      ++pos_;
      most = peek() == '}' ? std::optional<int>(-1) : count();
      if (!most) return std::nullopt;
    }
    if (peek() != '}') return std::nullopt;
    ++pos_;
    const char after = peek();
    if (after == '*' || after == '+' || after == '?' || after == '{') return std::nullopt;
    if ((*most >= 0 && *most < *least) || *most == 0) return std::nullopt;
    if (check_only_) return atom;  // not an end anchor, like the written-out form
    Ast written{Kind::kSequence, -1, {}};
    for (int i = 0; i < *least; ++i) written.parts.push_back(atom);
    if (*most < 0) {
      written.parts.push_back(Ast{Kind::kStar, -1, {atom}});
    } else {
      for (int i = *least; i < *most; ++i) written.parts.push_back(Ast{Kind::kOptional, -1, {atom}});
    }
    if (written.parts.size() == 1) return std::move(written.parts.front());
    return written;
  }
  // A repetition count of at most kMaxCount.
  std::optional<int> count() {
    static constexpr int kMaxCount = 16;
    int value = 0;
    const std::size_t first = pos_;
    while (!at_end() && peek() >= '0' && peek() <= '9') {
      value = value * 10 + (pattern_[pos_++] - '0');
      if (value > kMaxCount) return std::nullopt;
    }
    if (pos_ == first) return std::nullopt;
    return value;
  }

  std::optional<Ast> atom() {
    const char c = pattern_[pos_++];
    switch (c) {
      case '(': {
        ++groups_;
        if (peek() == ')') return std::nullopt;
        std::optional<Ast> inside = alternatives();
        if (!inside || peek() != ')') return std::nullopt;
        ++pos_;
        return inside;
      }
      case '[':
        return bracket();
      case '.': {
        ByteSet any{};
        for (int b = 1; b < 256; ++b) add(any, static_cast<unsigned char>(b));
        return set_ast(any);
      }
      case '$':
        return Ast{Kind::kDollar, -1, {}};
      case '^':
        ++carets_;
        return Ast{Kind::kCaret, -1, {}};
      case '\\': {
        const char quoted = peek();
        if (at_end() || kQuotable.find(quoted) == std::string_view::npos) return std::nullopt;
        ++pos_;
        return literal(quoted);
      }
      case '*':
      case '+':
      case '?':
      case '{':
      case '}':
        return std::nullopt;
      default:
        if (c == '\0') return std::nullopt;
        return literal(c);  // a byte of 0x80 or more is a character of its own
    }
  }

  // A bracket list after its "[": ASCII characters and ranges, "]" first and
  // "-" first or last taken literally; named classes, equivalence classes,
  // collating symbols and backslashes are left to the POSIX engine.
  std::optional<Ast> bracket() {
    ByteSet set{};
    const bool negated = peek() == '^';
    if (negated) ++pos_;
    bool first = true;
    for (;;) {
      if (at_end()) return std::nullopt;
      const char c = pattern_[pos_++];
      if (c == ']' && !first) break;
      first = false;
      if (c == '\0' || c == '\\' || (c == '[' && (peek() == ':' || peek() == '=' || peek() == '.')))
        return std::nullopt;
      if (peek() == '-' && pos_ + 1 < pattern_.size() && peek(1) != ']') {
        const char last = peek(1);
        // Ranges of ASCII characters only.
        if (!plain(c) || !plain(last) || last == '\\' || last == '[' || last < c) return std::nullopt;
        pos_ += 2;
        for (int b = static_cast<unsigned char>(c); b <= static_cast<unsigned char>(last); ++b)
          add(set, static_cast<unsigned char>(b));
        if (peek() == '-' && peek(1) != ']') return std::nullopt;
        continue;
      }
      add(set, static_cast<unsigned char>(c));
    }
    if (negated) {
      ByteSet complement{};
      for (int b = 1; b < 256; ++b)
        if (!RegexAutomaton::has(set, static_cast<unsigned char>(b))) add(complement, static_cast<unsigned char>(b));
      set = complement;
    }
    return set_ast(set);
  }

  static void add(ByteSet& set, unsigned char c) { set[c >> 6] |= std::uint64_t{1} << (c & 63); }
  Ast literal(char c) {
    ByteSet set{};
    add(set, static_cast<unsigned char>(c));
    return set_ast(set);
  }
  Ast set_ast(const ByteSet& set) {
    if (check_only_) return Ast{Kind::kSet, -1, {}};
    automaton_.sets_.push_back(set);
    return Ast{Kind::kSet, static_cast<int>(automaton_.sets_.size()) - 1, {}};
  }

  int add_node(RegexAutomaton::Node node) {
    automaton_.nodes_.push_back(node);
    return static_cast<int>(automaton_.nodes_.size()) - 1;
  }

  // The entry node of `tree` laid out so that it continues at `next`.
  int lay_out(const Ast& tree, int next) {
    using NodeKind = RegexAutomaton::Node::Kind;
    switch (tree.kind) {
      case Kind::kSet:
        return add_node({NodeKind::kSet, next, -1, tree.set});
      case Kind::kDollar:
        return add_node({NodeKind::kDollar, next, -1, -1});
      case Kind::kCaret:
        automaton_.inner_carets_ = true;
        return add_node({NodeKind::kCaret, next, -1, -1});
      case Kind::kSequence:
        for (auto part = tree.parts.rbegin(); part != tree.parts.rend(); ++part) next = lay_out(*part, next);
        return next;
      case Kind::kAlternatives: {
        int entry = lay_out(tree.parts.back(), next);
        for (auto part = tree.parts.rbegin() + 1; part != tree.parts.rend(); ++part) {
          const int first = lay_out(*part, next);
          entry = add_node({NodeKind::kSplit, first, entry, -1});
        }
        return entry;
      }
      case Kind::kStar: {
        const int loop = add_node({NodeKind::kSplit, -1, next, -1});
        automaton_.nodes_[loop].out = lay_out(tree.parts.front(), loop);
        return loop;
      }
      case Kind::kPlus: {
        const int loop = add_node({NodeKind::kSplit, -1, next, -1});
        const int body = lay_out(tree.parts.front(), loop);
        automaton_.nodes_[loop].out = body;
        return body;
      }
      case Kind::kOptional: {
        const int body = lay_out(tree.parts.front(), next);
        return add_node({NodeKind::kSplit, body, next, -1});
      }
    }
    return next;
  }

  std::string_view pattern_;
  RegexAutomaton& automaton_;
  const bool check_only_;
  std::size_t pos_ = 0;
  int groups_ = 0;
  int carets_ = 0;  // "^" atoms read so far (not the leading anchor)
};

std::unique_ptr<RegexAutomaton> RegexAutomaton::build(std::string_view pattern) {
  std::unique_ptr<RegexAutomaton> automaton(new RegexAutomaton());
  if (!RegexAutomatonBuilder(pattern, *automaton).run()) return nullptr;
  automaton->marks_.assign(automaton->nodes_.size(), 0);
  automaton->find_first_bytes();
  return automaton;
}

// A match of an anchored pattern begins with a byte of one of the sets
// that the start node reaches through splits. When a "$" or the match
// node is reached first, the empty text or any text may match, and a "^"
// further in tells the text's start apart: no byte is refused then.
void RegexAutomaton::find_first_bytes() {
  first_bytes_known_ = false;
  if (!anchored_ || inner_carets_) return;
  std::vector<int> reached;
  new_marks();
  close(start_, reached);
  ByteSet bytes{};
  for (const int node : reached) {
    const Node& n = nodes_[static_cast<std::size_t>(node)];
    if (n.kind != Node::Kind::kSet) return;
    for (std::size_t w = 0; w < bytes.size(); ++w) bytes[w] |= sets_[static_cast<std::size_t>(n.set)][w];
  }
  first_bytes_ = bytes;
  first_bytes_known_ = true;
}

bool RegexAutomaton::matches_no_text_with(unsigned char byte) const {
  if (!anchored_ || start_ < 0) return false;
  // A walk over (node, whether `byte` was taken, whether a "$" was passed):
  // a match reached after taking the byte, or without a "$" (any text may
  // follow the match, the byte too), refutes the claim.
  constexpr int kTookByte = 2;
  constexpr int kPassedDollar = 1;
  std::vector<std::uint8_t> seen(nodes_.size() * 4, 0);
  std::vector<int> pending;
  auto reach = [&](int node, int flags) {
    if (node < 0) return;
    const int state = node * 4 + flags;
    if (seen[static_cast<std::size_t>(state)]) return;
    seen[static_cast<std::size_t>(state)] = 1;
    pending.push_back(state);
  };
  reach(start_, 0);
  while (!pending.empty()) {
    const int state = pending.back();
    pending.pop_back();
    const int flags = state & 3;
    const Node& n = nodes_[static_cast<std::size_t>(state / 4)];
    switch (n.kind) {
      case Node::Kind::kMatch:
        if ((flags & kTookByte) || !(flags & kPassedDollar)) return false;
        break;
      case Node::Kind::kSet:
        reach(n.out, has(sets_[static_cast<std::size_t>(n.set)], byte) ? flags | kTookByte : flags);
        break;
      case Node::Kind::kSplit:
        reach(n.out, flags);
        reach(n.out2, flags);
        break;
      case Node::Kind::kDollar:
        reach(n.out, flags | kPassedDollar);
        break;
      case Node::Kind::kCaret:
        reach(n.out, flags);
        break;
    }
  }
  return true;
}

std::optional<int> RegexAutomaton::handled_groups(std::string_view pattern) {
  RegexAutomaton scratch;
  if (!RegexAutomatonBuilder(pattern, scratch, /*check_only=*/true).run()) return std::nullopt;
  return scratch.groups_;
}

// Starts with every byte in one class and splits the classes by each set in
// turn: two bytes end in one class only when no set tells them apart. Most
// sets hold one byte (the letters of a word), which splits off one class at
// most; only the other sets are compared with every class. Start-up compiles
// hundreds of patterns, so no set walks all 256 bytes.
void RegexAutomaton::make_byte_classes() const {
  class_of_.fill(0);
  std::vector<ByteSet> members(1);
  members[0].fill(~std::uint64_t{0});
  auto count = [](const ByteSet& set) {
    int bytes = 0;
    for (const std::uint64_t word : set) bytes += std::popcount(word);
    return bytes;
  };
  auto move_to_new_class = [&](const ByteSet& moved) {
    const auto id = static_cast<std::uint8_t>(members.size());
    for (std::size_t w = 0; w < moved.size(); ++w)
      for (std::uint64_t bits = moved[w]; bits; bits &= bits - 1)
        class_of_[w * 64 + static_cast<std::size_t>(std::countr_zero(bits))] = id;
    members.push_back(moved);
  };
  for (const ByteSet& set : sets_) {
    if (count(set) == 1) {
      std::size_t w = 0;
      while (set[w] == 0) ++w;
      const auto byte = static_cast<unsigned char>(w * 64 + static_cast<std::size_t>(std::countr_zero(set[w])));
      ByteSet& home = members[class_of_[byte]];
      if (count(home) == 1) continue;
      home[w] &= ~set[w];
      move_to_new_class(set);
      continue;
    }
    const std::size_t known = members.size();
    for (std::size_t k = 0; k < known; ++k) {
      ByteSet inside{};
      bool any_inside = false;
      bool any_outside = false;
      for (std::size_t w = 0; w < set.size(); ++w) {
        inside[w] = members[k][w] & set[w];
        any_inside = any_inside || inside[w] != 0;
        any_outside = any_outside || (members[k][w] & ~set[w]) != 0;
      }
      if (!any_inside || !any_outside) continue;
      for (std::size_t w = 0; w < set.size(); ++w) members[k][w] &= ~set[w];
      move_to_new_class(inside);
    }
  }
  classes_ = static_cast<int>(members.size());
  class_byte_.assign(members.size(), 0);
  for (int c = 255; c >= 0; --c) class_byte_[class_of_[static_cast<std::size_t>(c)]] = static_cast<unsigned char>(c);
}

std::size_t RegexAutomaton::NodesHash::operator()(const std::vector<int>& nodes) const {
  std::size_t hash = 14695981039346656037ull;
  for (const int node : nodes) hash = (hash ^ static_cast<std::size_t>(node)) * 1099511628211ull;
  return hash;
}

void RegexAutomaton::new_marks() const {
  if (++round_ == 0) {
    std::fill(marks_.begin(), marks_.end(), 0);
    round_ = 1;
  }
}

// Adds the set, dollar and match nodes reachable from `node` through splits
// (and through "^" nodes at the start of the text; elsewhere they end the
// path).
void RegexAutomaton::close(int node, std::vector<int>& out, bool at_text_start) const {
  pending_.assign(1, node);
  while (!pending_.empty()) {
    const int current = pending_.back();
    pending_.pop_back();
    if (!mark(current)) continue;
    const Node& n = nodes_[current];
    if (n.kind == Node::Kind::kSplit) {
      pending_.push_back(n.out2);
      pending_.push_back(n.out);
    } else if (n.kind == Node::Kind::kCaret) {
      if (at_text_start) pending_.push_back(n.out);
    } else {
      out.push_back(current);
    }
  }
}

int RegexAutomaton::state_for(std::vector<int>& nodes) const {
  std::sort(nodes.begin(), nodes.end());
  nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
  if (auto found = state_ids_.find(nodes); found != state_ids_.end()) return found->second;
  State state;
  // At the end of the text a dollar node lets its successors through.
  new_marks();
  std::vector<int>& pending = pending_;
  pending.assign(nodes.begin(), nodes.end());
  while (!pending.empty()) {
    const int current = pending.back();
    pending.pop_back();
    if (!mark(current)) continue;
    const Node& n = nodes_[current];
    if (n.kind == Node::Kind::kMatch) {
      state.accepts_at_end = true;
      if (std::binary_search(nodes.begin(), nodes.end(), current)) state.accepts = true;
    } else if (n.kind == Node::Kind::kSplit) {
      pending.push_back(n.out);
      pending.push_back(n.out2);
    } else if (n.kind == Node::Kind::kDollar) {
      pending.push_back(n.out);
    }
  }
  state.dead = nodes.empty();
  state.nodes = nodes;
  const int id = static_cast<int>(states_.size());
  flags_.push_back(static_cast<std::uint8_t>((state.accepts ? kAccepts : 0) | (state.dead ? kDead : 0) |
                                             (state.accepts_at_end ? kAcceptsAtEnd : 0)));
  states_.push_back(std::move(state));
  next_.resize(states_.size() * static_cast<std::size_t>(classes_), -1);
  state_ids_.emplace(nodes, id);
  return id;
}

int RegexAutomaton::step(int state, int byte_class) const {
  const unsigned char c = class_byte_[static_cast<std::size_t>(byte_class)];
  std::vector<int>& next = next_nodes_;
  next.clear();
  new_marks();
  for (const int node : states_[state].nodes) {
    const Node& n = nodes_[node];
    if (n.kind == Node::Kind::kSet && has(sets_[n.set], c)) close(n.out, next);
  }
  // Without a leading "^" a match may begin at every position.
  if (!anchored_) next.insert(next.end(), restart_nodes_.begin(), restart_nodes_.end());
  if (states_.size() >= kMaxStates) {
    states_.clear();
    flags_.clear();
    next_.clear();
    state_ids_.clear();
    initial_ = -1;
    initial_not_bol_ = -1;
    return move_to(state_for(next));
  }
  const int move = move_to(state_for(next));
  next_[static_cast<std::size_t>(state) * static_cast<std::size_t>(classes_) + static_cast<std::size_t>(byte_class)] = move;
  return move;
}

// The hot loop reads one flag byte per state (see flags_): a state that
// accepts or is dead ends the search as soon as it is entered.
bool RegexAutomaton::search_table(const char* text, bool not_bol) const {
  if (anchored_ && not_bol) return false;
  if (inner_carets_) {
    // Only the empty text ends where a "^" inside the pattern may still hold.
    if (!*text) return matches_empty_text(!not_bol);
    if (not_bol) return search_from(initial_state(false), text);
  }
  return search_from(initial_ >= 0 ? initial_ : initial_state(true), text);
}

bool RegexAutomaton::search_from(int state, const char* text) const {
  const std::uint8_t flags = flags_[static_cast<std::size_t>(state)];
  if (flags & kEnds) return (flags & kAccepts) != 0;
  // The table is read through a local pointer, taken again only after a
  // step, which may add states (and move the table).
  const int* table = next_.data();
  const std::uint8_t* class_of = class_of_.data();
  const auto classes = static_cast<std::size_t>(classes_);
  std::size_t row = static_cast<std::size_t>(state) * classes;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const std::size_t byte_class = class_of[*p];
    int move = table[row + byte_class];
    if (move < 0) [[unlikely]] {
      move = step(static_cast<int>(row / classes), static_cast<int>(byte_class));
      table = next_.data();
    }
    if (move & kEnds) return (move & kAccepts) != 0;
    row = static_cast<std::size_t>(move) >> kMoveFlagBits;
  }
  return (flags_[row / classes] & kAcceptsAtEnd) != 0;
}

int RegexAutomaton::move_to(int state) const {
  const int row = state * classes_;
  return (row << kMoveFlagBits) | (flags_[static_cast<std::size_t>(state)] & kEnds);
}

// The first state of each kind is kept until the table is dropped.
int RegexAutomaton::initial_state(bool at_line_start) const {
  if (classes_ == 0) make_byte_classes();
  if (restart_nodes_.empty() && start_nodes_.empty()) {
    new_marks();
    close(start_, restart_nodes_);
    if (inner_carets_) {
      new_marks();
      close(start_, start_nodes_, /*at_text_start=*/true);
    } else {
      start_nodes_ = restart_nodes_;
    }
  }
  // Without a "^" inside, the text's start is like any other place.
  if (at_line_start || !inner_carets_) {
    if (initial_ < 0) {
      std::vector<int> nodes = start_nodes_;
      initial_ = state_for(nodes);
    }
    return initial_;
  }
  if (initial_not_bol_ < 0) {
    std::vector<int> nodes = restart_nodes_;
    initial_not_bol_ = state_for(nodes);
  }
  return initial_not_bol_;
}

bool RegexAutomaton::matches_empty_text(bool at_line_start) const {
  // Before and after the text's only place: splits, "$" nodes and, when the
  // text begins a line, "^" nodes lead on.
  new_marks();
  std::vector<int> pending(1, start_);
  while (!pending.empty()) {
    const int current = pending.back();
    pending.pop_back();
    if (!mark(current)) continue;
    const Node& n = nodes_[current];
    switch (n.kind) {
      case Node::Kind::kMatch:
        return true;
      case Node::Kind::kSplit:
        pending.push_back(n.out);
        pending.push_back(n.out2);
        break;
      case Node::Kind::kDollar:
        pending.push_back(n.out);
        break;
      case Node::Kind::kCaret:
        if (at_line_start) pending.push_back(n.out);
        break;
      case Node::Kind::kSet:
        break;
    }
  }
  return false;
}

}  // namespace velmo
