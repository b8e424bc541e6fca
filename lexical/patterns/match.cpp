#include "lexical/patterns/match.h"

#include <algorithm>

#include "lexical/items/item_lattice.h"
#include "shell/support/kept_memory.h"

namespace velmo {

void* Match::operator new(std::size_t size) { return KeptMemory<Match>::take(size); }

void Match::operator delete(void* memory, std::size_t size) { KeptMemory<Match>::give(memory, size); }

MatchPtr Match::copy() const {
  auto copied = std::make_unique<Match>(lattice, low, high, item);
  copied->sub_matches.reserve(sub_matches.size());
  for (const MatchPtr& sub_match : sub_matches) copied->sub_matches.push_back(sub_match->copy());
  return copied;
}

LexAnalyzer* Match::analyzer() const { return lattice ? lattice->owner() : nullptr; }

void Match::print(std::ostream& out, int depth) const {
  if (is_empty()) {
    out << '[' << low << ',' << high << "] Epsilon\n";
  } else if (item) {
    item->print(out, 0);
  } else {
    out << '[' << low << ',' << high << "] " << (lattice ? lattice->span_text(low, high) : "") << '\n';
  }
  for (const MatchPtr& sub_match : sub_matches) {
    for (int i = 0; i < depth; ++i) out << "  ";
    sub_match->print(out, depth + 1);
  }
}

void insert_sorted(MatchList& list, MatchPtr match) {
  const Match* added = match.get();
  auto at = std::find_if(list.begin(), list.end(), [added](const MatchPtr& other) {
    if (added->is_empty()) return other->is_empty();
    return other->is_empty() || other->low >= added->low;
  });
  list.insert(at, std::move(match));
}

// In a list kept by insert_sorted, later insertions stand before earlier
// ones of the same rank, so inserting from the back keeps that order.
void move_matches(MatchList& found, MatchList& out, bool sorted) {
  if (sorted) {
    for (auto it = found.rbegin(); it != found.rend(); ++it) insert_sorted(out, std::move(*it));
  } else {
    for (MatchPtr& match : found) out.push_back(std::move(match));
  }
  found.clear();
}

}  // namespace velmo
