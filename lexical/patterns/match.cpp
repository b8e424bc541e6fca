#include "lexical/patterns/match.h"

#include <algorithm>
#include <new>

#include "lexical/items/item_lattice.h"

namespace velmo {

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define VELMO_MATCH_MEMORY_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMO_MATCH_MEMORY_CHECKED 1
#endif
#endif

#ifdef VELMO_MATCH_MEMORY_CHECKED
// Every match goes to the heap, so that the checker sees its whole life.
constexpr bool kKeepMemory = false;
#else
constexpr bool kKeepMemory = true;
#endif

// The memory of dropped matches, each holding the next one's address.
struct DroppedMatch {
  DroppedMatch* next;
};
static_assert(sizeof(DroppedMatch) <= sizeof(Match));
thread_local DroppedMatch* dropped_matches = nullptr;

}  // namespace

void* Match::operator new(std::size_t size) {
  if (kKeepMemory && size == sizeof(Match) && dropped_matches) {
    DroppedMatch* reused = dropped_matches;
    dropped_matches = reused->next;
    return reused;
  }
  return ::operator new(size);
}

void Match::operator delete(void* memory, std::size_t size) {
  if (!memory) return;
  if (kKeepMemory && size == sizeof(Match)) {
    dropped_matches = new (memory) DroppedMatch{dropped_matches};
    return;
  }
  ::operator delete(memory, size);
}

bool Match::memory_kept() { return kKeepMemory; }

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
