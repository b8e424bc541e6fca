#pragma once
// A category of the grammar network: an ordered row of positions, each with
// the links through which items of other categories attach to an item of
// this one, and the per-sentence chart of its items.
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/attributes/lbitset.h"
#include "parser/grammar/glink.h"
#include "shell/lexp/lexp.h"
#include "shell/support/current.h"

namespace velmo {

class KorvelParser;
struct PItem;

// The items a category stored during the current sentence: buckets indexed
// by end word and position (slot n holds the complete items of
// subclasses), the work list of newly complete items and the set of end
// words at which items were stored.
class CateChart {
 public:
  // The bucket (end word, position); rows are added on demand. Inline for
  // a row the sentence already uses whole (most stores).
  std::vector<PItem*>& bucket(int end_word, int position) {
    const auto row = static_cast<std::size_t>(end_word < 0 ? 0 : end_word);
    if (row >= rows_used_ || rows_[row].size() < slots_) return bucket_in_new_row(end_word, position);
    filled_[row] |= position_bit(position);
    return rows_[row][static_cast<std::size_t>(position)];
  }
  // The bucket, or null when no row exists for that end word. Inline: the
  // chart asks it in its innermost loops.
  const std::vector<PItem*>* find_bucket(int end_word, int position) const {
    if (end_word < 0 || static_cast<std::size_t>(end_word) >= rows_.size()) return nullptr;
    const auto& buckets = rows_[static_cast<std::size_t>(end_word)];
    if (position < 0 || static_cast<std::size_t>(position) >= buckets.size()) return nullptr;
    return &buckets[static_cast<std::size_t>(position)];
  }
  int rows() const { return static_cast<int>(rows_.size()); }
  // The positions of the row of `end_word` whose buckets were handed out
  // (bucket()) since the chart was cleared: bit p for position p, bit 63
  // for every position from 63 on. A bucket outside it is empty.
  std::uint64_t filled_positions(int end_word) const {
    return end_word >= 0 && static_cast<std::size_t>(end_word) < filled_.size() ? filled_[end_word] : 0;
  }
  static constexpr int kFilledBits = 63;

  void push_work(PItem* item) { work_.push_back(item); }
  // The next item of the work list, or null when it is empty (the list is
  // then emptied).
  PItem* pop_work() { return work_head_ < work_.size() ? work_[work_head_++] : end_work(); }

  // The positions whose links hold modifiers waiting at `end_word`
  // (noted with GLink::add_waiting): bit p for position p, bit 63 for every
  // position from 63 on. The links of a position outside it have none
  // waiting there: a head's scan to the left passes them by at once.
  std::uint64_t waiting_positions(int end_word) const {
    return end_word >= 0 && static_cast<std::size_t>(end_word) < waiting_used_ ? waiting_[end_word] : 0;
  }
  static std::uint64_t position_bit(int position) {
    return std::uint64_t{1} << (position < 0 ? 0 : position < kFilledBits ? position : kFilledBits);
  }
  void note_waiting(int end_word, int position) {
    if (end_word < 0) return;
    const auto word = static_cast<std::size_t>(end_word);
    if (word >= waiting_used_) use_waiting_words(word + 1);
    waiting_[word] |= position_bit(position);
  }

  // The positions (below kFilledBits) whose scans to the left pass words
  // of their own (a skip-word condition or adjuncts): worked out by the
  // chart's parser from the category once per sentence, kept until clear().
  bool knows_own_skip_positions() const { return own_skip_known_; }
  std::uint64_t own_skip_positions() const { return own_skip_positions_; }
  void set_own_skip_positions(std::uint64_t positions) {
    own_skip_positions_ = positions;
    own_skip_known_ = true;
  }

  bool active_end(int end_word) const {
    return end_word >= 0 && static_cast<std::size_t>(end_word) < active_.size() && active_[end_word];
  }
  void add_active_end(int end_word) {
    if (end_word >= 0 && static_cast<std::size_t>(end_word) < active_used_)
      active_[static_cast<std::size_t>(end_word)] = true;
    else
      add_active_end_past_used(end_word);
  }

  // Empties everything of the sentence (the rows it touched); rows keep
  // their capacity.
  void clear();

 private:
  std::size_t slots_ = 0;
  // Rows and end words past these were not touched since the last clear
  // (they are empty): clear() empties only the rows a sentence used.
  std::size_t rows_used_ = 0;
  std::size_t active_used_ = 0;
  std::vector<std::vector<std::vector<PItem*>>> rows_;
  std::vector<std::uint64_t> filled_;  // filled_positions() of each row
  std::vector<PItem*> work_;
  std::size_t work_head_ = 0;
  std::vector<bool> active_;
  std::vector<std::uint64_t> waiting_;  // waiting_positions() of each end word
  std::size_t waiting_used_ = 0;         // end words past this have none
  std::uint64_t own_skip_positions_ = 0;
  bool own_skip_known_ = false;
  // Makes room for the first `words` end words' positions.
  void use_waiting_words(std::size_t words);
  std::vector<PItem*>& bucket_in_new_row(int end_word, int position);
  PItem* end_work();
  void add_active_end_past_used(int end_word);

  friend class GCate;
};

class GCate : public CanBeCurrent {
 public:
  static constexpr std::string_view kGuestRelation = "guest";
  static constexpr float kGuestWeight = 30.0f;  // 20.0 x 1.5

  GCate(KorvelParser* parser, std::string_view name);
  ~GCate();
  GCate(const GCate&) = delete;
  GCate& operator=(const GCate&) = delete;

  KorvelParser* parser() const { return parser_; }
  const std::string& name() const { return name_; }

  // ---- Positions. Slot n (n = position_count()) holds subclass links.
  int position_count() const { return static_cast<int>(slots_.size()) - 1; }
  const std::vector<GLink*>& links_at(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
  // Replaces the positions by `n` obligatory ones without links.
  void reset_positions(int n);
  // Appends a link made here to `slot` and sets its position index.
  GLink* add_link(int slot, GCate* modifier);
  // Makes a link owned by this category that sits at no position.
  GLink* make_free_link(GCate* modifier);

  int head = 0;                  // -1 until a ":head" flag is seen
  std::uint32_t repeatable = 0;  // one bit per position
  std::uint32_t obligatory = 0;
  std::uint32_t minimal = 0;
  std::uint32_t skip_adjunct = 0;
  bool subcategory = false;

  bool is_repeatable(int k) const { return bit(repeatable, k); }
  bool is_obligatory(int k) const { return bit(obligatory, k); }
  // Whether an obligatory position lies in from..to (inclusive). Inline:
  // every store asks it.
  bool obligatory_in(int from, int to) const {
    if (from < 0) from = 0;
    if (to > 31) to = 31;
    if (from > to) return false;
    const std::uint32_t span = (~std::uint32_t{0} >> (31 - to)) & (~std::uint32_t{0} << from);
    return (obligatory & span) != 0;
  }
  // The lowest position an item stored at p could equally have reached
  // (down to the nearest obligatory position at or below p, else 0), and
  // the highest (up to the position before the nearest obligatory one
  // above p, else the last); p itself when it lies outside.
  int lowest_reach(int p) const {
    if (p <= 0) return p;
    const int top = p < 31 ? p : 31;
    const std::uint32_t below = obligatory & (~std::uint32_t{0} >> (31 - top)) & ~std::uint32_t{1};
    return below ? 31 - std::countl_zero(below) : 0;
  }
  int highest_reach(int p) const {
    const int last = position_count() - 1;
    if (p >= last) return p;
    const std::uint32_t above = p + 1 < 32 ? obligatory & (~std::uint32_t{0} << (p + 1)) : 0;
    if (!above) return last;  // positions from 32 on are never obligatory
    const int before_next = std::countr_zero(above) - 1;
    return before_next < last ? before_next : last;
  }

  // One condition per position, null where none was given.
  std::vector<LExpPtr> skip_word_conds;
  LExp* skip_word_cond(int position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= skip_word_conds.size()) return nullptr;
    return skip_word_conds[static_cast<std::size_t>(position)].get();
  }
  // The parser's number of each position's condition text (see
  // KorvelParser::skip_word_condition_id), -1 where none was given.
  std::vector<int> skip_word_ids;
  int skip_word_id(int position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= skip_word_ids.size()) return -1;
    return skip_word_ids[static_cast<std::size_t>(position)];
  }
  LExpPtr full_item_cond, minimal_modifier_cond;

  LBitSet visible_atts, subcat_atts;
  std::vector<int> conj_identical;
  LBitSet conj_consistent;
  bool has_conj_constraints() const { return conj_link_ && !conj_consistent.none(); }
  GLink* conj_link() const { return conj_link_; }
  // Makes a new conj link (from the category to itself).
  GLink* make_conj_link();
  GLink* guest_link() const { return guest_link_; }

  // Links in which this category is the modifier, by ascending weight
  // (ties keep insertion order).
  const std::vector<GLink*>& modifier_links() const { return modifier_links_; }
  // The last-resort links of that list, in its order.
  const std::vector<GLink*>& last_resort_links() const { return last_resort_links_; }
  void insert_modifier_link(GLink* link);
  // Moves a link of that list to its place after a change of weight.
  void reorder_modifier_link(GLink* link);
  void remove_modifier_link(GLink* link);
  // The same list without the last-resort links (the first pass over a
  // sentence offers its complete items to these alone; a sixth of the
  // nouns' and clauses' links are last-resort ones), as what the first
  // pass's work loop reads of each link, side by side: the link and the
  // item-bits places (answer word and bit; bit 0: none) of its modifier
  // plan's refusing first part and of the plan's own answer, so that a
  // link the item's bits answer costs no call.
  struct ModifierOffer {
    GLink* link = nullptr;
    std::uint64_t refusal_bit = 0;
    std::uint64_t plan_bit = 0;
    std::uint8_t refusal_word = 0;
    std::uint8_t plan_word = 0;
    bool refusal_asked_alone = false;  // the link's modifier_refusal_asked_alone
    // The index of the first later offer whose refusing part is another
    // (the list's size when none is). Links of one category often follow
    // each other with the same first part: when it refuses the item, the
    // offers up to there are passed in one step.
    std::uint32_t past_refusal_run = 0;
  };
  const std::vector<ModifierOffer>& first_pass_offers() const { return first_pass_offers_; }
  // Called when a link of the list became a last-resort one or got a new
  // modifier condition.
  void modifier_link_changed() { list_first_pass_links(); }

  CateChart& chart() { return chart_; }
  const CateChart& chart() const { return chart_; }

 private:
  static bool bit(std::uint32_t mask, int k) { return k >= 0 && k < 32 && ((mask >> k) & 1u); }

  KorvelParser* parser_;
  std::string name_;
  std::vector<std::vector<GLink*>> slots_;
  std::vector<std::unique_ptr<GLink>> owned_links_;
  void list_first_pass_links();
  // Sets the offers' past_refusal_run.
  void mark_refusal_runs();

  std::vector<GLink*> modifier_links_;
  std::vector<ModifierOffer> first_pass_offers_;
  std::vector<GLink*> last_resort_links_;
  GLink* conj_link_ = nullptr;
  GLink* guest_link_ = nullptr;
  CateChart chart_;
};

}  // namespace velmo
