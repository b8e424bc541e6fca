// The pattern kinds of single positions and fixed places: word, lexitem,
// collect-lexitems, not-in-lexicon, ., ^, $, whole-sentence and word-seq.
#include <algorithm>
#include <vector>

#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "lexical/patterns/lpattern.h"
#include "shell/lib/text_filter.h"
#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

TypeId text_type() { return ShellTypes::get().text; }

void add_match(ItemLattice& lattice, MatchList& out, int low, int high) {
  out.push_back(std::make_unique<Match>(&lattice, low, high));
}

bool is_word_position(const ItemLattice& lattice, int p) { return p >= 1 && p <= lattice.positions() - 1; }

// The condition as a text filter, seen through calls of functions without
// parameters (each given the input as the condition is); null when it is
// none, or gives some other value than a filter's.
const TextFilter* text_filter_of(const LExp& condition, TypeId type) {
  constexpr int kMaxCalls = 64;
  const LExp* body = &condition;
  for (int depth = 0; body->same_as() && depth < kMaxCalls; ++depth) {
    if (!body->accepts(type)) return nullptr;
    body = body->same_as();
  }
  if (!body->accepts(type)) return nullptr;
  const auto* filter = dynamic_cast<const TextFilter*>(body);
  return filter && filter->passes(nullptr) ? filter : nullptr;
}

// Whether the item's (surform) is the word at its one position.
bool is_one_word(const ItemLattice& lattice, const LexItem& item) {
  return item.low == item.high && item.lattice == &lattice && is_word_position(lattice, item.low);
}

}  // namespace

// ---------------------------------------------------------------- word

bool WordPat::could_match_at(ItemLattice& lattice, int p) const {
  if (!text_test_.active() && !text_filter_) return true;
  if (p < 1 || (no_gap() && !lattice.tight(p))) return false;
  const char* word = lattice.word_at(p);
  if (!word) return false;
  if (!text_test_.active()) return *text_filter_->passes(word);
  // The word's filter bit, made once for the sentence, rules out most
  // words a list's first bytes let through.
  return text_test_.may_begin_with(static_cast<unsigned char>(ascii_lower(*word))) &&
         text_test_.may_have_bit(lattice.word_bit(p)) && text_test_.holds(word);
}

// could_match_at looks at the words 1..n-1 only, and none of them holds a
// text of a clear bit.
bool WordPat::could_match_anywhere(ItemLattice& lattice) const {
  return !text_test_.active() || text_test_.may_hold_in(lattice.word_texts());
}

void WordPat::match_at(ItemLattice& lattice, int p, MatchList& out) const {
  if (p < 1) return;
  if (no_gap() && !lattice.tight(p)) return;
  const char* word = lattice.word_at(p);
  if (!word) return;
  if (text_test_.active() ? !text_test_.holds(word) : !holds(lattice, to_word(word))) return;
  add_match(lattice, out, p, p);
}

void WordPat::condition_changed() {
  text_test_ = condition() ? ItemGuard::TextTest::of(*condition(), condition_type()) : ItemGuard::TextTest();
  text_filter_ = condition() && !text_test_.active() ? text_filter_of(*condition(), condition_type()) : nullptr;
}

TypeId WordPat::condition_type() const { return text_type(); }

void WordPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) { match_at(lattice, p, out); }
void WordPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) { match_at(lattice, p, out); }

// ---------------------------------------------------------------- lexitem

// The list is copied first: a condition may change the lattice.
// Most positions hold a few items: their copy stays on the stack.
void LexItemPat::match_items(ItemLattice& lattice, const std::vector<LexItem*>& items, MatchList& out) const {
  const std::size_t count = items.size();
  if (count == 0) return;
  // A condition that changes nothing leaves the list as it is: it is walked
  // in place. Any other may add or delete items while it is evaluated, so
  // the items are copied first.
  if (guard_.decides() || condition_reads_only()) {
    match_candidates(lattice, items.data(), count, out);
    return;
  }
  constexpr std::size_t kOnStack = 32;
  LexItem* on_stack[kOnStack];
  std::vector<LexItem*> on_heap;
  LexItem** candidates = on_stack;
  if (count > kOnStack) {
    on_heap = items;
    candidates = on_heap.data();
  } else {
    std::copy(items.begin(), items.end(), on_stack);
  }
  match_candidates(lattice, candidates, count, out);
}

void LexItemPat::match_candidates(ItemLattice& lattice, LexItem* const* candidates, std::size_t count,
                                  MatchList& out) const {
  MatchList found;
  ItemTestMemo& memo = lattice.test_memo();
  for (std::size_t i = 0; i < count; ++i) {
    LexItem* item = candidates[i];
    if (!holds_in_place(lattice, *item, memo)) continue;
    insert_sorted(found, std::make_unique<Match>(&lattice, item->low, item->high, item));
  }
  if (!found.empty()) move_matches(found, out, true);
}

// Most positions hold no item the condition accepts: the matches of a
// position are only collected once one is found, and then exactly as
// match_candidates collects them.
void LexItemPat::match_all(ItemLattice& lattice, MatchList& out) {
  if (!guard_.decides() && !condition_reads_only()) {
    LPattern::match_all(lattice, out);
    return;
  }
  // A sentence none of whose items can pass the guard is skipped at once.
  if (!guard_.may_admit_some(lattice.item_texts())) return;
  ItemTestMemo& memo = lattice.test_memo();
  if (guard_.vector_call() && memo.active() && !lattice.admitted_items().busy()) {
    match_admitted(lattice, out);
    return;
  }
  const int n = lattice.positions();
  // A guard that needs a (surform) no word of the sentence has rejects
  // every item over one word: only the others are asked.
  const bool words_fail = !guard_.may_admit_a_word(lattice.word_texts());
  // The loop over the items stays small: a position's matches are collected
  // apart, from its first match on.
  const auto scan = [&](const std::vector<LexItem*>& items) {
    const std::size_t count = items.size();
    for (std::size_t i = 0; i < count; ++i) {
      if ((!words_fail || !is_one_word(lattice, *items[i])) && holds_in_place(lattice, *items[i], memo)) {
        collect_from(lattice, items, i, words_fail, out);
        return;
      }
    }
  };
  if (front_to_back()) {
    for (int p = 1; p <= n - 1; ++p) scan(lattice.by_start(p));
  } else {
    for (int p = n - 1; p >= 1; --p) scan(lattice.by_end(p));
  }
}

// The guard's answers depend on the items' vectors alone: the items it
// admitted on an earlier scan still are the ones it admits, but for those
// deleted since, until the memo forgets its own answers or the lists gain
// an item (see AdmittedItems). The matches are those of the full scan:
// each position's admitted items in list order, the rest of the guard and
// of the condition asked of each.
void LexItemPat::match_admitted(ItemLattice& lattice, MatchList& out) const {
  AdmittedItems& kept = lattice.admitted_items();
  const AdmittedItems::Reading reading(kept);
  const AdmittedItems::Stamp stamp = lattice.admitted_stamp();
  ItemTestMemo& memo = lattice.test_memo();
  const bool forward = front_to_back();
  const AdmittedItems::List* admitted = kept.find(guard_.vector_call(), forward, stamp);
  if (!admitted) admitted = &admit(lattice, kept.start(guard_.vector_call(), forward, stamp));
  MatchList found;
  const std::size_t count = admitted->size();
  for (std::size_t i = 0; i < count;) {
    const int position = (*admitted)[i].position;
    for (; i < count && (*admitted)[i].position == position; ++i) {
      LexItem* item = (*admitted)[i].item;
      if (item->is_deleted() || !guard_.admits_after_leading(*item, memo) ||
          (!guard_.decides() && !holds_after_guard(lattice, *item)))
        continue;
      insert_sorted(found, std::make_unique<Match>(&lattice, item->low, item->high, item));
    }
    if (!found.empty()) move_matches(found, out, true);
  }
}

// Every item the guard's leading test admits, position by position in the
// scan's order.
AdmittedItems::List& LexItemPat::admit(ItemLattice& lattice, AdmittedItems::List& admitted) const {
  ItemTestMemo& memo = lattice.test_memo();
  const auto scan = [&](const std::vector<LexItem*>& items, int position) {
    for (LexItem* item : items)
      if (guard_.admits_leading(*item, memo)) admitted.push_back({item, position});
  };
  const int n = lattice.positions();
  if (front_to_back()) {
    for (int p = 1; p <= n - 1; ++p) scan(lattice.by_start(p), p);
  } else {
    for (int p = n - 1; p >= 1; --p) scan(lattice.by_end(p), p);
  }
  return admitted;
}

// The rest of the list is asked as the per-position search asks it.
void LexItemPat::collect_from(ItemLattice& lattice, const std::vector<LexItem*>& items, std::size_t first,
                              bool words_fail, MatchList& out) const {
  ItemTestMemo& memo = lattice.test_memo();
  MatchList found;
  found.push_back(std::make_unique<Match>(&lattice, items[first]->low, items[first]->high, items[first]));
  for (std::size_t j = first + 1; j < items.size(); ++j) {
    LexItem* item = items[j];
    if ((!words_fail || !is_one_word(lattice, *item)) && holds_in_place(lattice, *item, memo))
      insert_sorted(found, std::make_unique<Match>(&lattice, item->low, item->high, item));
  }
  move_matches(found, out, true);
}

// The guard's test came true and changed nothing: (and A B ...) holds when
// B ... do, evaluated as the and form would.
bool LexItemPat::holds_after_guard(ItemLattice& lattice, LexItem& item) const {
  if (!guard_.conjuncts()) return holds(lattice, to_word(&item));
  ItemTestMemo& memo = lattice.test_memo();
  if (condition_reads_only()) return guard_.rest_holds(item, memo);
  ItemTestPause pause(memo);
  return guard_.rest_holds(item, memo);
}

TypeId LexItemPat::condition_type() const { return lex_item_type(); }

void LexItemPat::condition_changed() { guard_ = condition() ? ItemGuard::of(*condition()) : ItemGuard(); }

void LexItemPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p >= 1) match_items(lattice, lattice.by_end(p), out);
}

void LexItemPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p >= 1) match_items(lattice, lattice.by_start(p), out);
}

// ---------------------------------------------------------------- collect-lexitems

// From the last word backward: the first item ending at e that satisfies
// the condition becomes a sub-match, and the scan goes on before it. An
// empty item (low = e + 1) does not move the scan forward again.
void CollectLexItems::match_all(ItemLattice& lattice, MatchList& out) {
  const int n = lattice.positions();
  auto collected = std::make_unique<Match>(&lattice, 1, n - 1);
  ItemTestPause pause(lattice.test_memo());
  for (int e = n - 1; e >= 1; --e) {
    const std::vector<LexItem*> candidates = lattice.by_end(e);
    for (LexItem* item : candidates) {
      if (condition_ && condition_->eval(to_word(item), lex_item_type()) == 0) continue;
      insert_sorted(collected->sub_matches, std::make_unique<Match>(&lattice, item->low, item->high, item));
      if (item->low < e) e = item->low;
      break;
    }
  }
  out.push_back(std::move(collected));
}

// ---------------------------------------------------------------- not-in-lexicon

// Only a word can be missing from the lexicon: positions outside 1..n-1
// never match.
void NotInLexPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (is_word_position(lattice, p) && lattice.by_end(p).empty()) add_match(lattice, out, p, p);
}

void NotInLexPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (is_word_position(lattice, p) && lattice.by_start(p).empty()) add_match(lattice, out, p, p);
}

// ---------------------------------------------------------------- . ^ $ whole-sentence

void DotPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) { add_match(lattice, out, p, p); }
void DotPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) { add_match(lattice, out, p, p); }

void BeginPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p <= 0) add_match(lattice, out, p, p);
}

void BeginPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p < 2) add_match(lattice, out, p, p - 1);
}

void EndPat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p == lattice.positions()) add_match(lattice, out, p, p);
}

void EndPat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p == lattice.positions()) add_match(lattice, out, p, p);
}

void WholeSentencePat::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p == lattice.positions() - 1) add_match(lattice, out, 0, p);
}

void WholeSentencePat::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  if (p == 0) add_match(lattice, out, 0, lattice.positions() - 1);
}

// ---------------------------------------------------------------- word-seq

bool WordSeq::words_at(const ItemLattice& lattice, int first) const {
  for (std::size_t i = 0; i < words_.size(); ++i) {
    const char* word = lattice.word_at(first + static_cast<int>(i));
    if (!word || !equal_nocase(word, words_[i])) return false;
  }
  return true;
}

void WordSeq::matches_ending_at(ItemLattice& lattice, int p, MatchList& out) {
  const int k = static_cast<int>(words_.size());
  if (p >= k && words_at(lattice, p - k + 1)) add_match(lattice, out, p - k + 1, p);
}

void WordSeq::matches_starting_at(ItemLattice& lattice, int p, MatchList& out) {
  const int k = static_cast<int>(words_.size());
  if (p >= 1 && words_at(lattice, p)) add_match(lattice, out, p, p + k - 1);
}

}  // namespace velmo
