#pragma once
// What the chart reads of the sentence: its words and lexical items (the
// item lattice) and the analyzer's position sets (skipped words, first and
// last conjunctions). Which words the sets hold is the grammar's business.
#include <cstddef>
#include <vector>

#include "lexical/items/item_lattice.h"
#include "lexicon/attributes/lbitset.h"

namespace velmo {

class SentenceView {
 public:
  // Sets may be null: no position is in them.
  SentenceView(ItemLattice& lattice, const LBitSet* skipped, const LBitSet* first_conj, const LBitSet* last_conj)
      : lattice_(&lattice), skipped_(skipped), first_conj_(first_conj), last_conj_(last_conj) {}

  // Positions, sentinel 0 included; words are at 1..positions()-1.
  int positions() const { return lattice_->positions(); }
  int last_word() const { return positions() - 1; }
  const char* word_at(int p) const { return lattice_->word_at(p); }
  const std::vector<LexItem*>& by_start(int p) const { return lattice_->by_start(p); }
  // The words low..high as the analyzer joins them; valid until the next call.
  const char* span_text(int low, int high) const { return lattice_->span_text(low, high); }
  bool span_text_lasts(int low, int high) const { return lattice_->span_text_lasts(low, high); }

  bool skipped(int p) const { return in(skipped_, p); }
  bool first_conjunction(int p) const { return in(first_conj_, p); }
  bool last_conjunction(int p) const { return in(last_conj_, p); }

 private:
  static bool in(const LBitSet* set, int p) { return set && p >= 0 && set->test(static_cast<std::size_t>(p)); }

  ItemLattice* lattice_;
  const LBitSet* skipped_;
  const LBitSet* first_conj_;
  const LBitSet* last_conj_;
};

}  // namespace velmo
