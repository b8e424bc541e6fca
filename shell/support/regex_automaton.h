#pragma once
// A fast yes/no answer for the common run of extended regular expressions:
// literals, bracket lists of characters and ASCII ranges, ".", groups,
// alternation, "*", "+", "?", intervals of small counts ("{2}", "{1,12}",
// "{3,}"), "^" and "$" anywhere. A leading "^" anchors the whole pattern; a
// "^" further in (as in "^(^|.* )was") holds only at the start of the text.
// The pattern becomes a small automaton of character sets whose states are
// combined lazily into a deterministic table, one step per byte of the text.
//
// It answers exactly what the POSIX engine answers in the C locale, where
// every byte is a character (a byte of 0x80 or more too): whether the
// pattern matches anywhere in the text (at its start only when the pattern
// begins with "^"). Anything outside the run above (larger counts, named
// classes, back references, escapes other than a quoted punctuation
// character, odd placements of operators) is left to the POSIX engine:
// build() then gives nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo {

class RegexAutomaton {
 public:
  // Nothing when the pattern is outside the run this automaton handles.
  static std::unique_ptr<RegexAutomaton> build(std::string_view pattern);
  // Whether build() gives an automaton for `pattern`, and then the number of
  // its parenthesised groups. Reads the pattern without building anything,
  // at a fraction of build()'s cost: a pattern can be accepted when it is
  // compiled and built at its first search.
  static std::optional<int> handled_groups(std::string_view pattern);

  // Whether the pattern matches somewhere in `text`. `not_bol`: the text
  // does not begin a line, so a leading "^" matches nowhere. Most texts a
  // filter asks about fail on their first byte: those are refused here,
  // before any state of the table is read.
  bool search(const char* text, bool not_bol = false) const {
    if (first_bytes_known_ && !has(first_bytes_, static_cast<unsigned char>(*text))) return false;
    return search_table(text, not_bol);
  }
  // Whether a text beginning with `byte` may match. False only for a
  // pattern anchored at the text's start (with no "^" further in) that
  // matches no empty text and none of whose first characters is `byte`.
  bool may_begin_with(unsigned char byte) const { return !first_bytes_known_ || has(first_bytes_, byte); }
  // Whether no text holding `byte` anywhere can match: true only for a
  // pattern anchored at the text's start whose every match ends at a "$"
  // (so it takes the whole text) and takes `byte` in none of its sets.
  // Worked out from the pattern's nodes; "^" and "$" are let through
  // wherever they stand, which can only make the answer false.
  bool matches_no_text_with(unsigned char byte) const;
  // The number of parenthesised groups.
  int group_count() const { return groups_; }
  // The number of classes of bytes that no set of the pattern tells apart.
  int byte_class_count() const {
    if (classes_ == 0) make_byte_classes();
    return classes_;
  }

  struct Node {
    enum class Kind : std::uint8_t { kSet, kSplit, kDollar, kCaret, kMatch };
    Kind kind = Kind::kMatch;
    int out = -1;
    int out2 = -1;
    int set = -1;  // index into sets_ (kSet)
  };

 private:
  using ByteSet = std::array<std::uint64_t, 4>;
  struct State {
    std::vector<int> nodes;       // the set, dollar and match nodes reached
    bool accepts = false;         // a match ends here
    bool accepts_at_end = false;  // a match ends here when the text ends
    bool dead = false;            // no match can go on from here
  };
  struct NodesHash {
    std::size_t operator()(const std::vector<int>& nodes) const;
  };
  // Above this many states the table is dropped and rebuilt as the text needs.
  static constexpr std::size_t kMaxStates = 2048;

  RegexAutomaton() = default;
  static bool has(const ByteSet& set, unsigned char c) { return (set[c >> 6] >> (c & 63)) & 1; }
  // Starts a new round of node marks (no clearing between rounds).
  void new_marks() const;
  bool mark(int node) const {
    if (marks_[static_cast<std::size_t>(node)] == round_) return false;
    marks_[static_cast<std::size_t>(node)] = round_;
    return true;
  }
  // Adds the nodes reachable from `node` to `out` (in this round of marks);
  // a "^" node lets its successor through only at the start of the text.
  void close(int node, std::vector<int>& out, bool at_text_start = false) const;
  // The first state of a search (`at_line_start`: the text begins a line,
  // so a "^" inside the pattern holds before its first byte).
  int initial_state(bool at_line_start) const;
  // The search through the table (see search()).
  bool search_table(const char* text, bool not_bol) const;
  // Works out first_bytes_ when the pattern allows it (see may_begin_with).
  void find_first_bytes();
  // The search from `state` over `text` (see search()).
  bool search_from(int state, const char* text) const;
  // Whether the pattern matches the empty text; only asked of a pattern
  // with a "^" inside, whose first state does not tell it.
  bool matches_empty_text(bool at_line_start) const;
  // The state of the nodes `nodes`, made when new; sorts them and drops
  // repeats in place.
  int state_for(std::vector<int>& nodes) const;
  // The move from `state` on a byte of class `byte_class` (see next_),
  // worked out and kept in the table.
  int step(int state, int byte_class) const;
  // The table's entry for a move to `state`.
  int move_to(int state) const;
  // Sorts the bytes into classes (see class_of_), at the first search:
  // start-up compiles many patterns that a short text never asks.
  void make_byte_classes() const;

  friend class RegexAutomatonBuilder;
  std::vector<Node> nodes_;
  std::vector<ByteSet> sets_;
  int start_ = -1;
  bool anchored_ = false;
  bool inner_carets_ = false;  // a "^" node other than the leading anchor
  int groups_ = 0;
  // The bytes a match may begin with, when known (see may_begin_with).
  bool first_bytes_known_ = false;
  ByteSet first_bytes_{};
  // Bytes that every set of the pattern holds or lacks alike lead from
  // every state to the same state: the table has one column per class of
  // such bytes, so a state's move is worked out once for a whole class
  // (all lower-case letters, say) instead of once per byte.
  mutable std::array<std::uint8_t, 256> class_of_{};
  mutable std::vector<unsigned char> class_byte_;  // a byte of each class
  mutable int classes_ = 0;                        // 0: not yet sorted

  mutable std::vector<State> states_;
  // Per state, what search() needs of it: whether it accepts, is dead, or
  // accepts when the text ends there.
  static constexpr std::uint8_t kAccepts = 1;
  static constexpr std::uint8_t kDead = 2;
  static constexpr std::uint8_t kEnds = kAccepts | kDead;
  static constexpr std::uint8_t kAcceptsAtEnd = 4;
  mutable std::vector<std::uint8_t> flags_;
  // The moves, by state * classes_ + class; -1: not yet worked out. A
  // move is the target's row (state * classes_) shifted by kMoveFlagBits,
  // with the target's kAccepts and kDead bits below: the search reads
  // where it goes and whether it ends there from one entry.
  static constexpr int kMoveFlagBits = 2;
  mutable std::vector<int> next_;
  mutable std::unordered_map<std::vector<int>, int, NodesHash> state_ids_;
  // The closure of the start node at the start of the text, and past it
  // (where a match may begin too when the pattern is not anchored); the
  // same nodes unless a "^" inside the pattern tells them apart.
  mutable std::vector<int> start_nodes_;
  mutable std::vector<int> restart_nodes_;
  mutable int initial_ = -1;
  mutable int initial_not_bol_ = -1;  // the first state when the text does not begin a line
  mutable std::vector<std::uint32_t> marks_;
  mutable std::uint32_t round_ = 0;
  mutable std::vector<int> pending_;
  // The nodes a new move reaches, kept between moves: a move worked out
  // anew reuses the room instead of allocating it.
  mutable std::vector<int> next_nodes_;
};

}  // namespace velmo
