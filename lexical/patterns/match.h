#pragma once
// A match of a lexical pattern: a span of token positions with the lexical
// item that produced it (if any) and the sub-matches of its parts. A match
// with low > high is empty: it covers no word (an empty match at p has
// low = p+1, high = p when found ending at p, and low = p, high = p-1 when
// found starting at p). Expressions see matches as values of type "Match*".
#include <cstddef>
#include <memory>
#include <ostream>
#include <vector>

namespace velmo {

class ItemLattice;
class LexAnalyzer;
class LexItem;
class Match;

using MatchPtr = std::unique_ptr<Match>;
using MatchList = std::vector<MatchPtr>;

class Match {
 public:
  static constexpr const char* kTypeText = "Match*";

  Match(ItemLattice* lattice, int low, int high, LexItem* item = nullptr)
      : item(item), low(low), high(high), lattice(lattice) {}
  Match(const Match&) = delete;
  Match& operator=(const Match&) = delete;

  // Patterns make and drop matches by the hundred for every rule and
  // sentence: the memory of a dropped match is kept, on its thread, for
  // the next one made there (see KeptMemory, which builds that check
  // memory leave out).
  static void* operator new(std::size_t size);
  static void operator delete(void* memory, std::size_t size);

  bool is_empty() const { return low > high; }
  // A deep copy: sub-matches copied recursively, item and lattice shared.
  MatchPtr copy() const;
  // The analyzer holding the lattice, or null.
  LexAnalyzer* analyzer() const;

  // An empty match: "[" low "," high "] Epsilon"; a match with an item: the
  // item (depth 0); any other: "[" low "," high "] " and the span text. Each
  // line ends with a line feed; then every sub-match is printed after depth
  // times two blanks, at depth + 1.
  void print(std::ostream& out, int depth = 0) const;

  MatchList sub_matches;  // owned
  LexItem* item;          // not owned
  int low;
  int high;
  ItemLattice* lattice;
};

// Inserts before the first match whose low is greater than or equal to the
// new one's; empty matches always go after the non-empty ones, and a new
// empty match goes before the existing empty ones.
void insert_sorted(MatchList& list, MatchPtr match);
// Moves every match of `found` into `out`: in order, or, when `sorted`, by
// insert_sorted as if each had been inserted into `out` directly in the
// order it was inserted into `found`.
void move_matches(MatchList& found, MatchList& out, bool sorted);

}  // namespace velmo
