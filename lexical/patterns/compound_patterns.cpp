// The pattern kinds built from other patterns: seq, ! (or-pat), & (and-pat),
// ?, no, + and *.
#include <algorithm>

#include "lexical/items/item_lattice.h"
#include "lexical/patterns/lpattern.h"

namespace velmo {
namespace {

MatchPtr wrap(ItemLattice& lattice, MatchPtr part) {
  auto whole = std::make_unique<Match>(&lattice, part->low, part->high);
  whole->sub_matches.push_back(std::move(part));
  return whole;
}

}  // namespace

// ---------------------------------------------------------------- seq

void SeqPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  prefix_ending_at(lattice, parts().size() - 1, p, found);
  apply_constraint(found);
  move_matches(found, out, true);
}

void SeqPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  suffix_starting_at(lattice, 0, p, found);
  apply_constraint(found);
  move_matches(found, out, true);
}

bool SeqPat::may_start_at(ItemLattice& lattice, int p) const {
  return parts().empty() || parts().front()->may_start_at(lattice, p);
}

bool SeqPat::may_end_at(ItemLattice& lattice, int p) const {
  return parts().empty() || parts().back()->may_end_at(lattice, p);
}

bool SeqPat::may_start_anywhere(ItemLattice& lattice) const {
  return parts().empty() || parts().front()->may_start_anywhere(lattice);
}

bool SeqPat::may_end_anywhere(ItemLattice& lattice) const {
  return parts().empty() || parts().back()->may_end_anywhere(lattice);
}

// Each match of the last part, preceded by every match of the parts before
// it that ends right before it (an empty match takes no position).
void SeqPat::prefix_ending_at(ItemLattice& lattice, std::size_t last, int e, MatchList& out) {
  MatchList lasts;
  parts()[last]->matches_ending_at(lattice, e, lasts);
  for (MatchPtr& tail : lasts) {
    if (last == 0) {
      insert_sorted(out, wrap(lattice, std::move(tail)));
      continue;
    }
    MatchList heads;
    prefix_ending_at(lattice, last - 1, tail->low - 1, heads);
    for (MatchPtr& head : heads) {
      head->sub_matches.push_back(tail->copy());
      head->high = e;
      insert_sorted(out, std::move(head));
    }
  }
}

void SeqPat::suffix_starting_at(ItemLattice& lattice, std::size_t first, int s, MatchList& out) {
  MatchList firsts;
  parts()[first]->matches_starting_at(lattice, s, firsts);
  for (MatchPtr& head : firsts) {
    if (first + 1 == parts().size()) {
      insert_sorted(out, wrap(lattice, std::move(head)));
      continue;
    }
    MatchList tails;
    suffix_starting_at(lattice, first + 1, head->high + 1, tails);
    for (MatchPtr& tail : tails) {
      tail->sub_matches.insert(tail->sub_matches.begin(), head->copy());
      tail->low = s;
      insert_sorted(out, std::move(tail));
    }
  }
}

// ---------------------------------------------------------------- ! and &

template <class Find>
void OrPat::first_alternative(Find find, MatchList& out) {
  for (LPatternPtr& part : parts()) {
    MatchList found;
    find(*part, found);
    if (found.empty()) continue;
    move_matches(found, out, false);
    return;
  }
}

void OrPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  first_alternative([&](LPattern& part, MatchList& found) { part.matches_ending_at(lattice, p, found); }, out);
}

void OrPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  first_alternative([&](LPattern& part, MatchList& found) { part.matches_starting_at(lattice, p, found); }, out);
}

template <class Find>
void AndPat::all_parts(Find find, MatchList& out) {
  MatchList collected;
  find(*parts().front(), collected);
  for (std::size_t i = 1; i < parts().size() && !collected.empty(); ++i) {
    MatchList other;
    find(*parts()[i], other);
    std::erase_if(collected, [&other](const MatchPtr& match) {
      return std::none_of(other.begin(), other.end(), [&match](const MatchPtr& candidate) {
        return candidate->low == match->low && candidate->high == match->high;
      });
    });
  }
  move_matches(collected, out, false);
}

void AndPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  all_parts([&](LPattern& part, MatchList& found) { part.matches_ending_at(lattice, p, found); }, out);
}

void AndPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  all_parts([&](LPattern& part, MatchList& found) { part.matches_starting_at(lattice, p, found); }, out);
}

// ---------------------------------------------------------------- ? and no

void OptionalPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  part()->matches_ending_at(lattice, p, found);
  found.push_back(std::make_unique<Match>(&lattice, p + 1, p));
  apply_constraint(found);
  move_matches(found, out, false);
}

void OptionalPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  part()->matches_starting_at(lattice, p, found);
  found.push_back(std::make_unique<Match>(&lattice, p, p - 1));
  apply_constraint(found);
  move_matches(found, out, false);
}

void NoPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p < 1 || p > lattice.positions() - 1) return;
  MatchList found;
  part()->matches_ending_at(lattice, p, found);
  if (found.empty()) out.push_back(std::make_unique<Match>(&lattice, p, p));
}

void NoPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p < 1 || p > lattice.positions() - 1) return;
  MatchList found;
  part()->matches_starting_at(lattice, p, found);
  if (found.empty()) out.push_back(std::make_unique<Match>(&lattice, p, p));
}

// ---------------------------------------------------------------- + and *

// Only the first match at each step is used, and the chain is extended
// before it as long as the part matches: one match, the longest chain. An
// empty step ends the chain. Built in a loop, so long sentences cannot
// exhaust the stack.
void PlusPat::chain_ending_at(ItemLattice& lattice, int e, MatchList& out) {
  MatchList steps;  // from the last position backward
  for (int at = e; at >= 1;) {
    MatchList found;
    part()->matches_ending_at(lattice, at, found);
    if (found.empty()) break;
    steps.push_back(std::move(found.front()));
    const Match& step = *steps.back();
    if (step.is_empty() || step.low - 1 >= at) break;
    at = step.low - 1;
  }
  if (steps.empty()) return;
  MatchPtr chain = wrap(lattice, std::move(steps.back()));
  const std::size_t before = steps.size() - 1;
  steps.pop_back();
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) chain->sub_matches.push_back(std::move(*it));
  if (before > 0) chain->high = e;
  insert_sorted(out, std::move(chain));
}

// Forward chains stop at n, the position after the last word; a step that
// ends before its start is not extended.
void PlusPat::chain_starting_at(ItemLattice& lattice, int s, MatchList& out) {
  MatchList steps;  // from the first position forward
  for (int at = s; at <= lattice.positions();) {
    MatchList found;
    part()->matches_starting_at(lattice, at, found);
    if (found.empty()) break;
    steps.push_back(std::move(found.front()));
    const Match& step = *steps.back();
    if (step.high < at) break;
    at = step.high + 1;
  }
  if (steps.empty()) return;
  MatchPtr chain = wrap(lattice, std::move(steps.back()));
  const std::size_t before = steps.size() - 1;
  steps.pop_back();
  chain->sub_matches.insert(chain->sub_matches.begin(), std::make_move_iterator(steps.begin()),
                            std::make_move_iterator(steps.end()));
  if (before > 0) chain->low = s;
  insert_sorted(out, std::move(chain));
}

void PlusPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  chain_ending_at(lattice, p, found);
  apply_constraint(found);
  move_matches(found, out, true);
}

void PlusPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  chain_starting_at(lattice, p, found);
  apply_constraint(found);
  move_matches(found, out, true);
}

void StarPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  chain_ending_at(lattice, p, found);
  if (found.empty()) found.push_back(std::make_unique<Match>(&lattice, p + 1, p));
  apply_constraint(found);
  move_matches(found, out, true);
}

void StarPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  MatchList found;
  chain_starting_at(lattice, p, found);
  if (found.empty()) found.push_back(std::make_unique<Match>(&lattice, p, p - 1));
  apply_constraint(found);
  move_matches(found, out, true);
}

}  // namespace velmo
