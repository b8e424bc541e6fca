#pragma once
// A lexical item: one reading of one word, or of a contiguous run of words,
// of the current sentence. It records the span of token positions, the root
// under which the lexicon knows it, a private copy of one lexicon meaning and
// the endings through which it was found.
//
// Items are made, copied and owned by the sentence's `ItemLattice` (which the
// lexical analyzer holds); their strings live in the lattice's string pool
// and are never freed one by one. The fields are plain data: the expression
// functions on items set span, head, weight, category and root one by one.
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "shell/lexp/types.h"

namespace velmo {

class ItemLattice;
class LexAnalyzer;
class LexEntry;
class Meaning;

class LexItem {
 public:
  // Use ItemLattice::make_item or ItemLattice::copy_item: an item must be
  // registered in the lattice that owns it.
  LexItem() = default;
  LexItem(const LexItem&) = delete;
  LexItem& operator=(const LexItem&) = delete;
  // Destroys the meaning copy; the sub-items belong to the lattice.
  ~LexItem();

  // An empty item (an empty category) has low = high + 1: it covers no
  // word and stands in the gap after position high.
  bool is_empty() const { return low > high; }
  // Number of positions covered: high - low + 1 (0 for an empty item).
  int length() const { return int(high) - int(low) + 1; }
  bool is_deleted() const { return deleted != 0; }
  // The analyzer that owns the item's lattice (null for a lattice that no
  // analyzer holds, as in tests).
  LexAnalyzer* analyzer() const;

  // "[" low "," high "] ", the category and " " when set, the words of the
  // span and " ", the meaning, " (affixes a b)" when there are affixes,
  // " w=" weight, " hd=" head, " (root R)" when there is a root, a newline;
  // then every sub-item at depth + 1. Every line starts with depth times two
  // blanks.
  void print(std::ostream& out, int depth = 0) const;

  // Whether one of the affixes equals `name` (case-sensitive).
  bool has_affix(const char* name) const;

  // ---- Fields, in record order.
  std::uint16_t high = 0;    // last position of the span
  std::uint16_t low = 0;     // first position of the span
  std::int16_t head = 0;     // position of the head word; low when made
  std::int16_t deleted = 0;  // 1 while taken out of the lattice's lists
  std::int16_t weight = 0;   // printed as " w="
  std::int32_t reserved = 0;
  std::unique_ptr<Meaning> meaning;  // private copy, may be null
  std::vector<const char*> affixes;  // ending names, pooled
  std::vector<LexItem*> sub_items;   // components, owned by the lattice
  const char* root = nullptr;        // pooled; a new one is told to the lattice (root_changed)
  const char* relation = nullptr;    // relation to the item this is a component of; pooled
  const char* category = nullptr;    // pooled; null until set
  LexEntry* entry = nullptr;         // the lexicon entry the item was made from
  ItemLattice* lattice = nullptr;    // the sentence the item belongs to
};

// The expression type of lexical items ("LexItem*"), looked up once.
TypeId lex_item_type();

}  // namespace velmo
