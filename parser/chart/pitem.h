#pragma once
// A parse item: a span of words analysed as an item of one category, with
// its attribute vector, the way it was made and its weight (lower is
// better). Items come from the parser's pool and live until the next
// sentence; nothing else owns or frees them.
//
// How an item was made, told by its fields:
//   lexical item      head_child null; lex_item set
//   projected item    head_child set, second null, link set (head position)
//   copied item       head_child set, second null, link set (slot n copy)
//   merged item       head_child = the head side, second = the modifier
//   coordination      head_child = left conjunct, second = right conjunct,
//                     link = the category's conj link
// Packed alternatives of an item hang on its next_alt chain.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "lexicon/attributes/att_vec.h"

namespace velmo {

class GCate;
class GLink;
class LexItem;
class TNode;

// Answers of the first numbered conditions (ConditionMemo) and whole plans
// (and, or and not over several conditions) for one item: bit k of word w
// of `known` tells whether the condition or plan at (w, k) was asked, the
// same bit of `accepted` its answer. The first words hold the conditions,
// the words after them the plans, so that a step of a plan that stands for
// a nested plan reads its answer like a condition's.
//
// The English grammar numbers about 345 conditions and 256 plans: the
// counts leave room for it to grow before answers go to the memo's table.
struct ItemAnswers {
  static constexpr int kConditions = 448;
  static constexpr int kPlans = 320;
  static constexpr int kConditionWords = kConditions / 64;
  static constexpr int kPlanWords = kPlans / 64;
  static constexpr int kWords = kConditionWords + kPlanWords;
  static_assert(kWords % 2 == 0, "forget() clears the known words in pairs");
  std::uint64_t known[kWords] = {};
  std::uint64_t accepted[kWords] = {};

  // The word that holds the answer of plan number `plan` (below kPlans).
  static constexpr int plan_word(int plan) { return kConditionWords + plan / 64; }

  // Whether the answer at (`word`, `bit`) is known to refuse.
  bool known_false(int word, std::uint64_t bit) const { return known[word] & ~accepted[word] & bit; }

  // Keeps `answer` at (`word`, `bit`).
  void keep(std::size_t word, std::uint64_t bit, bool answer) {
    known[word] |= bit;
    if (answer)
      accepted[word] |= bit;
    else
      accepted[word] &= ~bit;
  }

  // Clears the known words two at a time, one 16-byte store each: as a
  // loop over more than ten words the compiler would clear them with a
  // string instruction, slower to start than the few stores.
  void forget() {
    using WordPair = std::uint64_t __attribute__((vector_size(16)));
    for (int word = 0; word < kWords; word += 2) {
      const WordPair zero = {0, 0};
      std::memcpy(&known[word], &zero, sizeof zero);
    }
  }
};

// The bit that stands for a relation name in an item's `relations`: one of
// 63, chosen by a hash of the name, so names may share one (bit 63 marks a
// filled mask).
std::uint64_t relation_bit(std::string_view name);

struct PItem {
  static constexpr std::uint64_t kRelationsKnown = std::uint64_t{1} << 63;

  explicit PItem(const AttInterpreterList* type) : av(type) {}
  PItem(const PItem&) = delete;
  PItem& operator=(const PItem&) = delete;

  std::int16_t start = 0;  // first word of the span
  std::int16_t end = 0;    // last word (start > end: an empty item)
  AttVec av;
  // From here to the answers' known words the fields lie without gaps, in
  // an order reset() clears with a few wide stores.
  PItem* next_alt = nullptr;    // packed equivalents of this item
  PItem* head_child = nullptr;  // the item this one was made from
  PItem* second = nullptr;      // the attached modifier or right conjunct
  GCate* cate = nullptr;        // the category the item belongs to
  GLink* link = nullptr;        // the link through which it was made
  LexItem* lex_item = nullptr;  // for lexical items
  float weight = 0.0f;
  // Counts the changes of `av` after the item was complete (a head's
  // argument unified into a modifier): remembered answers of conditions
  // hold for one revision.
  std::uint32_t revision = 0;
  // The relation bits of the links along the head-child chain (this item's
  // own link included), with kRelationsKnown once the chart filled them:
  // a relation whose bit is missing is taken by no link of the chain, and
  // asking for its modifier needs no walk. 0 for an item made by hand.
  std::uint64_t relations = 0;
  // The lexical item at the bottom of the head-child chain, filled with
  // `relations` (null for an item made by hand: lexical_head() walks).
  const PItem* lexical_head_item = nullptr;
  // The item's node in the parse forest that made it, valid while the
  // forest's generation is `forest_generation` (the forest keeps its own
  // table of nodes; this spares the lookup).
  TNode* forest_node = nullptr;
  std::uint32_t forest_generation = 0;
  // The root collection (Chart::next_root_collection) that last took the
  // item as a root: an item stored under several root entries is taken
  // once.
  std::uint32_t root_collection = 0;
  ItemAnswers answers;

  int length() const { return end - start; }
  // Fills `relations` from the head child's and the link's bit `link_bit`
  // (0 for no link or none with a relation); call once head_child and link
  // are set.
  void note_relations(std::uint64_t link_bit) {
    relations = kRelationsKnown | link_bit | (head_child ? head_child->relations : 0);
    lexical_head_item = head_child ? head_child->lexical_head_item : this;
  }
  bool is_lexical() const { return head_child == nullptr; }
  bool is_merge() const { return head_child != nullptr && second != nullptr; }
  // The lexical item at the bottom of the head-child chain.
  const PItem& lexical_head() const {
    if (lexical_head_item) return *lexical_head_item;
    const PItem* item = this;
    while (item->head_child) item = item->head_child;
    return *item;
  }

  // Back to a fresh item (links cut; the vector emptied unless the caller
  // overwrites it at once). Inline: the pool resets every item it hands
  // out, and a caller's own stores then make many of these dead.
  void reset(bool clear_vector = true) {
    start = end = 0;
    if (clear_vector) av.clear();
    next_alt = head_child = second = nullptr;
    cate = nullptr;
    link = nullptr;
    lex_item = nullptr;
    weight = 0.0f;
    relations = 0;
    lexical_head_item = nullptr;
    revision = 0;
    answers.forget();
    forest_node = nullptr;
    forest_generation = 0;
    root_collection = 0;
  }
  // Called after `av` of a complete item changed: answers of conditions
  // no longer hold.
  void vector_changed() {
    ++revision;
    answers.forget();
  }
};

}  // namespace velmo
