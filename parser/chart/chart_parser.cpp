#include "parser/chart/chart_parser.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "lexical/items/lex_item.h"
#include "lexicon/attributes/att_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/lexicon/freq_meaning.h"
#include "lexicon/lexicon/lex_entry.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/chart/chart.h"
#include "parser/chart/condition_memo.h"
#include "parser/chart/merged_condition.h"
#include "parser/chart/item_atts.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/chart/visible_equality.h"
#include "parser/grammar/category_names.h"
#include "parser/grammar/korvel_parser.h"

namespace velmo {
namespace {

// The links of a position whose scan needs to look at none.
const std::vector<GLink*> kNoLinks;

TypeId pitem_type() {
  static const TypeId id = type_id("PItem*");
  return id;
}

// Bit k of a position mask.
bool bit(std::uint32_t mask, int k) { return k >= 0 && k < 32 && ((mask >> k) & 1u); }

// Whether position k skips neither words nor adjuncts of its own: scans
// there pass only the analyzer's skipped words.
bool skips_only_skipped_words(const GCate& g, int k) { return !bit(g.skip_adjunct, k) && !g.skip_word_cond(k); }

// The positions lowest..highest of a scan.
ScanPositions scan_positions(int lowest, int highest) {
  return ScanPositions{static_cast<std::int16_t>(lowest), static_cast<std::int16_t>(highest)};
}

// The highest position from `top` down to `bottom` (both below 63) whose
// bit is set in `positions` (-1: none).
int highest_of(std::uint64_t positions, int bottom, int top) {
  const std::uint64_t below = (std::uint64_t{2} << top) - (std::uint64_t{1} << bottom);
  const std::uint64_t held = positions & below;
  return held ? 63 - std::countl_zero(held) : -1;
}

// The highest position from `top` down to `bottom` that was handed a bucket
// at `word` (-1: none).
int highest_filled_at(const CateChart& chart, int word, int bottom, int top) {
  return highest_of(chart.filled_positions(word), bottom, top);
}

// Keeps the propagation depth of one call chain.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

ChartParser::ChartParser(KorvelParser& parser, const SentenceView& sentence)
    : parser_(parser),
      sentence_(sentence),
      chart_(parser.chart()),
      b_(builtin_attributes()),
      skip_answers_(parser.skip_word_condition_count(), sentence.positions()) {}

bool ChartParser::accepts(LExp* cond, const PItem* item) const {
  return !cond || cond->eval(reinterpret_cast<Word>(item), pitem_type()) != 0;
}

bool ChartParser::accepts_planned(LExp* cond, const ConditionPlan* plan, PItem* item) const {
  if (plan) return plan->accepts(parser_.conditions(), *item, chart_.item_changes);
  return accepts(cond, item);
}

// Heads are tested for every modifier that reaches them, most of them for
// the same links again: the plan's answer is then in the head's bits (while
// no condition has changed an item).
inline bool ChartParser::modifiee_accepted(const GLink& link, PItem& head) const {
  const ConditionPlan* plan = link.modifiee_plan.get();
  if (plan && !parser_.conditions().any_changing()) {
    const ConditionPlan::AnswerPlace place = plan->answer_place();
    const ItemAnswers& answers = head.answers;
    if (answers.known[place.word] & place.bit) return (answers.accepted[place.word] & place.bit) != 0;
  }
  return accepts_planned(link.modifiee_cond.get(), plan, &head);
}

bool ChartParser::merged_accepted(const GLink& link, PItem& merged) const {
  if (link.merged_plan) return link.merged_plan->accepts(parser_.conditions(), merged, chart_.item_changes);
  return accepts(link.merged_cond.get(), &merged);
}

bool ChartParser::head_accepted(const GLink& link, PItem& projected) const {
  if (link.head_plan) return link.head_plan->accepts(parser_.conditions(), projected, chart_.item_changes);
  return accepts(link.head_cond.get(), &projected);
}

// Whether a plan's first part, which refuses alone (its item-bits place
// is word and bit), is false for the item (answers are the item's while
// no condition has changed an item): known false, or, when asking it
// changes nothing, asked alone as the plan's walk would ask it first, so
// that a refusal spares setting up the walk.
bool ChartParser::first_part_refuses(const ConditionPlan* plan, std::uint8_t word, std::uint64_t bit,
                                     bool asked_alone, PItem& item) {
  ConditionMemo& memo = parser_.conditions();
  if (memo.any_changing()) return false;
  const ItemAnswers& answers = item.answers;
  if (answers.known[word] & bit) return !(answers.accepted[word] & bit);
  return asked_alone && !plan->refusal_accepts(memo, item, chart_.item_changes);
}

bool ChartParser::modifier_refused(const GLink& link, PItem& modifier) {
  return first_part_refuses(link.modifier_plan.get(), link.modifier_refusal_word, link.modifier_refusal_bit,
                            link.modifier_refusal_asked_alone, modifier);
}

bool ChartParser::modifiee_refused(const GLink& link, PItem& head) {
  return first_part_refuses(link.modifiee_plan.get(), link.modifiee_refusal_word, link.modifiee_refusal_bit,
                            link.modifiee_refusal_asked_alone, head);
}

bool ChartParser::word_accepted(LExp* cond, int w) const {
  if (!cond) return false;
  const char* word = sentence_.word_at(w);
  return word && cond->eval(reinterpret_cast<Word>(word), ShellTypes::get().text) != 0;
}

// Most positions have no condition: that test stays at the call, the
// table is asked out of line.
inline bool ChartParser::skip_word_accepted(const GCate& g, int k, int w) {
  LExp* cond = g.skip_word_cond(k);
  return cond && skip_word_answer(cond, g.skip_word_id(k), w);
}

bool ChartParser::skip_word_answer(LExp* cond, int id, int w) {
  return skip_answers_.answer(id, w, [&] { return word_accepted(cond, w); });
}

bool ChartParser::is_word(int w, const char* text) const {
  const char* word = sentence_.word_at(w);
  return word && std::strcmp(word, text) == 0;
}

int ChartParser::head_word(const PItem& item) const {
  const PItem& lexical = item.lexical_head();
  if (lexical.lex_item) return lexical.lex_item->head;
  return lexical.start;
}

// ---- 1. Entering the lexical items.

// The reading's value in the word's "freq" record: the entry named by the
// item's category name ("V_N"), else by the short name of its "cat" ("V").
float ChartParser::word_weight(const PItem& item) const {
  const LexEntry* entry = item.lex_item ? item.lex_item->entry : nullptr;
  if (!entry) return kDefaultWordWeight;
  std::string full_name;
  std::string_view short_name;
  bool named = false;
  for (const auto& meaning : entry->meanings()) {
    if (meaning->type_name() != FreqMN::kTypeName) continue;
    if (!named) {
      const AttVec& vec = static_cast<const AVMeaning&>(*item.lex_item->meaning).vector();
      full_name = category_name(vec);
      short_name = cat_short_name(vec);
      named = true;
    }
    const std::string& packed = static_cast<const FreqMN&>(*meaning).packed();
    for (const std::string_view name : {std::string_view(full_name), short_name}) {
      if (name.empty()) continue;
      if (const std::optional<float> value = packed_freq_value(packed, name)) return *value;
    }
  }
  return kDefaultWordWeight;
}

bool ChartParser::enter_lexical_items() {
  const int move = b_.move, trace = b_.trace, role = b_.role;
  for (int p = 0; p <= sentence_.positions(); ++p) {
    for (LexItem* lex : sentence_.by_start(p)) {
      if (!lex->meaning || lex->meaning->type_name() != AVMeaning::kTypeName) continue;
      const AttVec& vec = static_cast<const AVMeaning&>(*lex->meaning).vector();
      GCate* cate = parser_.category_of(vec);
      if (!cate) continue;
      PItem* item = chart_.new_item();
      if (!item) {
        chart_.stats.stopped_in_entry = true;
        return false;
      }
      ++chart_.stats.lexical;
      item->start = static_cast<std::int16_t>(lex->low);
      item->end = static_cast<std::int16_t>(lex->high);
      item->av.unify(vec, &parser_.lexical_atts);
      item->cate = cate;
      item->lex_item = lex;
      item->note_relations(0);
      if (b_.lexitem >= 0 && !item->av.defined(b_.lexitem) && item->start <= item->end)
        item->av.set(b_.lexitem, reinterpret_cast<Word>(lex));
      if (item->start <= item->end) {
        lex->weight = static_cast<std::int16_t>(word_weight(*item));
        item->weight += lex->weight;
      }
      // Each moved element remembers its role and the item it moved from.
      const std::size_t moved = list_size(item->av, move);
      for (std::size_t i = 0; i < moved && trace >= 0; ++i) {
        AttVec* element = private_element(item->av, move, i);
        if (!element) continue;
        element->set(trace, make_trace(att_value(*element, role), item));
        element->remove(role);
      }
      chart_.start_list.push_back(item);
    }
  }
  return true;
}

bool ChartParser::run() {
  chart_.first_pass.clear();
  recording_ = !chart_.last_resort && parser_.last_resort_links > 0 && parser_.continue_second_pass;
  if (!enter_lexical_items()) {
    report_sentence(chart_);
    return false;
  }
  std::stable_sort(chart_.start_list.begin(), chart_.start_list.end(), [](const PItem* a, const PItem* b) {
    return a->start != b->start ? a->start < b->start : a->weight < b->weight;
  });
  for (PItem* item : chart_.start_list) propagate(*item->cate, item, nullptr);
  return true;
}

// ---- 4. Propagate.

void ChartParser::propagate(GCate& g, PItem* item, GLink* link) {
  if (depth_ >= kMaxDepth) return;
  DepthGuard guard(depth_);
  if (!link || link->position == g.head)
    extend_left(g, item, g.head);
  else if (link->position > g.head)
    attach_right(g, item, link);
  process_work(g);
}

// The right offers of the first pass whose link takes no guest mostly find
// no item of the owner ending at the word before the modifier: they only
// note their scan (the test is offer_accepted's own, asked before the
// call).
inline bool ChartParser::meets_no_head_right(const GLink& link, const PItem& item) const {
  const GCate& owner = *link.modifiee();
  if (link.subclass || link.position == owner.position_count() || link.position <= owner.head || item.start <= 0)
    return false;
  // A position that skips words is left to the call (which asks the word).
  if (owner.skip_word_cond(link.position)) return false;
  const int w = item.start - 1;
  return !sentence_.skipped(w) && !owner.chart().active_end(w);
}

inline void ChartParser::offer_in_first_pass(GLink* link, PItem* item) {
  if (link->no_guest && !link->last_resort && meets_no_head_right(*link, *item)) {
    if (recording_)
      chart_.first_pass.right_scans.push_back({link->modifiee(), item, link});
    else if (chart_.continuing)
      add_right_scan_places(*link->modifiee(), item, link);
    return;
  }
  offer_accepted(link, item);
}

void ChartParser::process_work(GCate& g) {
  // The last-resort links take part in the second pass only.
  if (chart_.last_resort) return process_work_with_all_links(g);
  ConditionMemo& memo = parser_.conditions();
  const std::vector<GCate::ModifierOffer>& offers = g.first_pass_offers();
  // The list stays put while the offers are made, as a range would.
  const GCate::ModifierOffer* const first = offers.data();
  const GCate::ModifierOffer* const last = first + offers.size();
  while (PItem* ready = g.chart().pop_work()) {
    for (const GCate::ModifierOffer* offer = first; offer != last;) {
      // Most offers end at the modifier condition, and most of these at
      // the item's bits (while no condition has changed an item, answers
      // are the item's): many links' conditions begin with the same part,
      // which refuses alone, and many share a plan. A refusal known here
      // refuses the following offers of the same first part as well.
      const ItemAnswers& answers = ready->answers;
      GLink* link = offer->link;
      if (!memo.any_changing()) {
        if (answers.known_false(offer->refusal_word, offer->refusal_bit)) {
          offer = first + offer->past_refusal_run;
          continue;
        }
        if (answers.known[offer->plan_word] & offer->plan_bit) {
          if (answers.accepted[offer->plan_word] & offer->plan_bit) offer_in_first_pass(link, ready);
          ++offer;
          continue;
        }
        // A refusing first part that only reads is asked alone: the walk
        // would ask it first, and a refusal spares setting up the walk.
        if (offer->refusal_asked_alone && !(answers.known[offer->refusal_word] & offer->refusal_bit) &&
            !link->modifier_plan->refusal_accepts(memo, *ready, chart_.item_changes)) {
          offer = first + offer->past_refusal_run;
          continue;
        }
        // The plan's place in the item's bits, read above, holds no answer.
        if (offer->plan_bit) {
          if (link->modifier_plan->accepts_unanswered(memo, *ready, chart_.item_changes)) offer_in_first_pass(link, ready);
          ++offer;
          continue;
        }
      }
      if (accepts_planned(link->modifier_cond.get(), link->modifier_plan.get(), ready)) offer_in_first_pass(link, ready);
      ++offer;
    }
  }
}

void ChartParser::process_work_with_all_links(GCate& g) {
  const std::vector<GLink*>& links = g.modifier_links();
  while (PItem* ready = g.chart().pop_work()) {
    for (std::size_t i = 0; i < links.size(); ++i) {
      GLink* link = links[i];
      if (modifier_refused(*link, *ready)) continue;
      if (accepts_planned(link->modifier_cond.get(), link->modifier_plan.get(), ready)) offer_accepted(link, ready);
    }
  }
}

// ---- 6. Skipping words to the left (the common case; the rest below).

// Most positions skip neither words nor adjuncts: there only the
// analyzer's skipped words are passed. Inline: both scans ask it at every
// word they pass.
inline int ChartParser::skip_left(GCate& g, int k, int w, const PItem& item) {
  if (w < 1) return -1;
  if (skips_only_skipped_words(g, k)) return sentence_.skipped(w) ? w - 1 : -1;
  return skip_at_position(g, k, w, item);
}

// ---- 5. Extend left.

void ChartParser::extend_left(GCate& g, PItem* item, int p) {
  if (p < 0 || depth_ >= kMaxDepth) return;
  DepthGuard guard(depth_);
  if (recording_) chart_.first_pass.left_scans.push_back({&g, item, p});
  bool minimal_found = false;
  const int top = g.is_repeatable(p) ? p : p - 1;
  const int w0 = item->start - 1;
  if (top >= 0 && top < CateChart::kFilledBits && w0 >= 0 && !chart_.continuing && !sentence_.skipped(w0)) {
    // The common case: the word before the item is not skipped, so a
    // position that skips no words of its own looks at that word alone,
    // and only where a modifier waits there. The positions that do are
    // scanned as before; the rest pass by at once. (Merges below add no
    // waiting modifiers: only offers do.)
    const std::uint64_t own = own_skip_positions(g);
    const int bottom = g.lowest_reach(top);
    for (int k = top; k >= bottom; --k) {
      k = highest_of(g.chart().waiting_positions(w0) | own, bottom, k);
      if (k < 0) break;
      scan_left_at(g, item, k, minimal_found);
    }
  } else {
    for (int k = top; k >= 0; --k) {
      scan_left_at(g, item, k, minimal_found);
      if (g.is_obligatory(k)) break;
    }
  }
  if (minimal_found || g.obligatory_in(0, p - 1)) return;
  store(g, item, g.head);
}

// The scan of a head item at position k: from the word before it leftward
// over the words the position skips, merging the modifiers waiting at each.
void ChartParser::scan_left_at(GCate& g, PItem* item, int k, bool& minimal_found) {
  const std::uint64_t position = CateChart::position_bit(k);
  for (int w = item->start - 1; w >= 0;) {
    // Most places hold no waiting modifier for any link of the position.
    for (GLink* link : (g.chart().waiting_positions(w) & position) ? g.links_at(k) : kNoLinks) {
      const std::vector<PItem*>* waiting = link->waiting_at(w);
      if (item->end - w > link->max_dist || !waiting || waiting->empty() || modifiee_refused(*link, *item) ||
          !modifiee_accepted(*link, *item))
        continue;
      // Merges below may add waiting lists to the link and move this one.
      for (std::size_t i = 0; i < link->waiting_at(w)->size(); ++i) {
        PItem* modifier = (*link->waiting_at(w))[i];
        PItem* merged = merge(link, k, modifier, item, k);
        if (!merged) continue;
        if (bit(g.minimal, k) && accepts(g.minimal_modifier_cond.get(), modifier)) minimal_found = true;
        extend_left(g, merged, k);
      }
    }
    // Noted once the place is done: what comes there later is offered.
    if (chart_.continuing) chart_.left_scan_places.add(&g, w, LeftScanValue{item, scan_positions(k, k)});
    w = skip_left(g, k, w, *item);
    if (w < 0) break;
  }
}

// The positions below CateChart::kFilledBits that skip words or adjuncts
// of their own, worked out once per sentence.
std::uint64_t ChartParser::own_skip_positions(GCate& g) {
  CateChart& chart = g.chart();
  if (!chart.knows_own_skip_positions()) {
    std::uint64_t positions = 0;
    const int n = std::min(g.position_count(), CateChart::kFilledBits);
    for (int k = 0; k < n; ++k)
      if (!skips_only_skipped_words(g, k)) positions |= std::uint64_t{1} << k;
    chart.set_own_skip_positions(positions);
  }
  return chart.own_skip_positions();
}

// ---- 6. Skipping words to the left: positions that skip words or adjuncts.

int ChartParser::skip_at_position(GCate& g, int k, int w, const PItem& item) {
  if (skip_word_accepted(g, k, w) || sentence_.skipped(w)) return w - 1;
  if (!bit(g.skip_adjunct, k)) return -1;
  return skip_adjunct(g, w, item);
}

// Passes over an adjunct (an item of a subclass of "Adjunct") that lies
// between the item and a modifier, with or without commas around it.
int ChartParser::skip_adjunct(GCate&, int w, const PItem& item) {
  GCate* adjunct = parser_.find("Adjunct");
  if (!adjunct) return -1;
  bool comma = false;
  int x = item.start - 1;
  while (x > 1) {
    if (sentence_.skipped(x)) {
      --x;
    } else if (is_word(x, ",")) {
      comma = true;
      --x;
    } else {
      break;
    }
  }
  const std::vector<PItem*>* bucket = adjunct->chart().find_bucket(x, adjunct->position_count());
  if (!bucket) return -1;
  for (const PItem* candidate : *bucket) {
    if (candidate->start > w || att_zero(candidate->av, b_.guest)) continue;
    if (candidate->length() >= item.length() || candidate->length() > 4) return -1;
    if (!comma) return candidate->start - 1;
    if (is_word(candidate->start - 1, ",")) return candidate->start - 2;
  }
  return -1;
}

// ---- 7. Store.

bool ChartParser::is_complete(GCate& g, const PItem& item, int p) const {
  const int n = g.position_count();
  if (g.subcategory && item.av.defined(b_.args)) {
    const AttList* args = list_of(item.av, b_.args);
    for (int j = p + 1; j <= n - 1; ++j) {
      const std::size_t a = static_cast<std::size_t>(j - 1);
      if (!args || a >= args->size() || !att_set(*args->at(a), b_.opt)) return false;
    }
    return true;
  }
  return !g.obligatory_in(p + 1, n - 1) && accepts(g.full_item_cond.get(), &item);
}

// Packs the item under an equal one (same span, same visible attributes)
// stored at the positions it could equally have reached. Inline: store
// asks it of every item, and many spans hold no stored item yet.
[[gnu::always_inline]] inline bool ChartParser::pack(GCate& g, PItem* item, int p) {
  // Many spans hold no stored item yet: then nothing else is set up.
  SpanIndex::Span span;
  if (!chart_.spans_moved) {
    span = chart_.stored_by_span.span(&g, item->end, item->start);
    if (span.empty()) return false;
  }
  int from = p, to = p;
  if (!(g.subcategory && item->av.defined(b_.args))) {
    // Items of one category are mostly packed in runs at one position.
    if (&g != reach_cate_ || p != reach_position_) {
      reach_cate_ = &g;
      reach_position_ = p;
      reach_from_ = g.lowest_reach(p);
      reach_to_ = g.highest_reach(p);
    }
    from = reach_from_;
    to = reach_to_;
  }
  // The lexical item's word slot, found once per vector type, and the
  // comparison, made once per category and type.
  const AttInterpreterList* type = item->av.type();
  if (type != packed_type_ || &g != packed_cate_) {
    if (type != packed_type_) packed_first_slot_ = VisibleEquality::word_slot_of(type, b_.lexitem);
    packed_type_ = type;
    packed_cate_ = &g;
    packed_equality_.emplace(g.visible_atts, type, b_.lexitem, packed_first_slot_);
  }
  const VisibleEquality& agrees = *packed_equality_;
  const auto absorb = [&](PItem* other) {
    item->next_alt = other->next_alt;
    other->next_alt = item;
    ++chart_.stats.packed;
    return true;
  };
  if (!chart_.spans_moved) {
    // The span's items all have the item's span.
    PItem* other = chart_.stored_by_span.find_first_in(
        span, from, to, [&](const PItem* stored) { return agrees(stored->av, item->av); });
    return other && absorb(other);
  }
  for (int q = from; q <= to; ++q) {
    const std::vector<PItem*>* bucket = g.chart().find_bucket(item->end, q);
    if (!bucket) continue;
    for (PItem* other : *bucket)
      if (other->start == item->start && other->end == item->end && agrees(other->av, item->av))
        return absorb(other);
  }
  return false;
}

void ChartParser::store(GCate& g, PItem* item, int p) {
  if (p < 0 || p > g.position_count()) return;
  // Without a full-item condition (which may change the item before
  // packing compares it) completeness only reads the item: most items
  // pack, and they need no test.
  const bool test_first = g.full_item_cond != nullptr;
  bool complete = test_first && is_complete(g, *item, p);
  if (pack(g, item, p)) return;
  if (!test_first) complete = is_complete(g, *item, p);
  if (complete) {
    g.chart().push_work(item);
    if (recording_) chart_.first_pass.completes.push_back({&g, item, chart_.stats.made});
    if (g.has_conj_constraints()) coordinate(g, item, p);
  } else if (!g.subcategory && !g.obligatory_in(p + 1, g.position_count() - 1)) {
    return;
  }
  g.chart().bucket(item->end, p).push_back(item);
  chart_.stored_by_span.add(&g, item->end, p, item->start, item);
  g.chart().add_active_end(item->end);
  if (chart_.continuing) offer_to_right_scans(g, item, p);
}

// ---- 8. Attach on the right.

void ChartParser::attach_right(GCate& g, PItem* m, GLink* link) {
  const int t = link->position;
  const int top = g.is_repeatable(t) ? t : t - 1;
  const int bottom = std::max({g.lowest_reach(top), g.head, 0});
  const int w0 = m->start - 1;
  // Where skipping leads from the word before the modifier (-1: nowhere);
  // the same at every position, so asked once.
  const bool asked = w0 >= 0 && top >= bottom;
  const int w1 = asked ? skip_left(g, t, w0, *m) : -1;
  // The common case: the heads end at the word before the modifier only,
  // and no right scan is noted. Most positions there were never handed a
  // bucket at that word: only those that were are looked at, from the top
  // down. (What merges store meanwhile ends after that word.)
  const bool filled_only = asked && w1 < 0 && top < CateChart::kFilledBits && !chart_.continuing;
  bool merged_any = false;
  for (int k = top; k >= std::max(g.head, 0); --k) {
    if (filled_only) {
      k = highest_filled_at(g.chart(), w0, bottom, k);
      if (k < 0) break;
    }
    for (int w = w0; w >= 0;) {
      if (const std::vector<PItem*>* bucket = g.chart().find_bucket(w, k)) {
        for (std::size_t i = 0; i < bucket->size(); ++i) {
          PItem* head = (*bucket)[i];
          if (m->start - head->start > link->max_dist || modifiee_refused(*link, *head) ||
              !modifiee_accepted(*link, *head))
            continue;
          if (PItem* merged = merge(link, t, m, head, k)) {
            merged_any = true;
            store(g, merged, t);
          }
          bucket = g.chart().find_bucket(w, k);  // storing may have added rows
        }
      }
      if (chart_.continuing) {
        chart_.right_scan_places.add(&g, w, RightScanValue{m, link, scan_positions(k, k)});
      }
      w = w == w0 ? w1 : skip_left(g, t, w, *m);
      if (w < 0) break;
    }
    if (g.is_obligatory(k)) break;
  }
  if (!merged_any && g.head == -1 && !g.obligatory_in(0, t - 2)) store(g, m, t);
}

// ---- 9. Offer.

void ChartParser::offer_accepted(GLink* link, PItem* item) {
  GCate& owner = *link->modifiee();
  const int n = owner.position_count();
  if (link->subclass || link->position == n) {
    PItem* used = item;
    if (link->weight > 1.0f) {
      used = chart_.new_item_to_overwrite();
      if (!used) return;
      used->start = item->start;
      used->end = item->end;
      used->av = item->av;
      used->head_child = item;
      used->link = link;
      used->note_relations(link->relation_bit());
      used->cate = &owner;
      used->weight = item->weight + link->weight;
    }
    std::vector<PItem*>& bucket = owner.chart().bucket(used->end, n);
    auto at = std::upper_bound(bucket.begin(), bucket.end(), used,
                               [](const PItem* a, const PItem* b) { return a->start < b->start; });
    bucket.insert(at, used);
    chart_.stored_by_span.add(&owner, used->end, n, used->start, used);
    owner.chart().push_work(used);
    if (recording_) chart_.first_pass.completes.push_back({&owner, used, chart_.stats.made});
    if (depth_ < kMaxDepth) {
      DepthGuard guard(depth_);
      process_work(owner);
    }
    return;
  }
  if (link->position == owner.head) {
    PItem* projected = chart_.new_item();
    if (!projected) return;
    projected->start = item->start;
    projected->end = item->end;
    projected->weight = item->weight;
    projected->av.unify(item->av, &link->percolated);
    projected->head_child = item;
    projected->link = link;
    projected->note_relations(link->relation_bit());
    projected->cate = &owner;
    if (!head_accepted(*link, *projected)) return;
    propagate(owner, projected, link);
    return;
  }
  if (link->position > owner.head && item->start > 0) {
    int w = item->start - 1;
    if (skip_word_accepted(owner, link->position, w) && !owner.chart().active_end(w)) w = item->start - 2;
    const bool may_join = !link->last_resort || may_join_pieces_right(owner, item, link);
    if (link->no_guest && !sentence_.skipped(w) && !owner.chart().active_end(w)) {
      // Heads that end there later (in the second pass) must still meet it.
      if (may_join) note_right_scan(owner, item, link);
      return;
    }
    if (!may_join) return keep_work_order(owner);
    if (recording_) note_right_scan(owner, item, link);
    propagate(owner, item, link);
    return;
  }
  link->add_waiting(item->end, item);
  owner.chart().note_waiting(item->end, link->position);
  if (!chart_.continuing) return;
  if (!link->last_resort || may_join_pieces_left(*link, *item))
    offer_to_left_scans(link, item);
  else
    keep_work_order(owner);
}

// A last-resort link joins two items only where the first pass's cover
// went from one piece to the next (merge refuses the rest). Offers that
// could only make merges it refuses are not scanned for partners; the
// tests hold for links whose merges change nothing before that refusal
// (no argument check) and whose head conditions only read the head.
bool ChartParser::merges_only_read(const GLink& link) const {
  if (link.check_arg >= 0) return false;
  if (!link.modifiee_cond) return true;
  return link.modifiee_plan && link.modifiee_plan->reads_only(parser_.conditions());
}

bool ChartParser::may_join_pieces_left(const GLink& link, const PItem& modifier) const {
  if (link.anywhere || !merges_only_read(link)) return true;
  // An empty modifier may start where its head does (then the head's end counts).
  return modifier.start > modifier.end || chart_.joins_pieces_after(modifier.end);
}

bool ChartParser::may_join_pieces_right(GCate& g, PItem* modifier, GLink* link) {
  if (g.head < 0 || link->anywhere || !merges_only_read(*link)) return true;
  // The words that the scans for heads pass, as attach_right walks them.
  for (int w = modifier->start - 1; w >= 0; w = skip_left(g, link->position, w, *modifier))
    if (chart_.joins_pieces_after(w)) return true;
  return false;
}

// What a scan of the offer would have done besides merging: the owner's
// work list is taken up at the same point.
void ChartParser::keep_work_order(GCate& g) {
  if (depth_ >= kMaxDepth) return;
  DepthGuard guard(depth_);
  process_work(g);
}

// ---- 10. Merge.

PItem* ChartParser::merge(GLink* link, int t, PItem* m, PItem* h, int k) {
  // 1. The head's argument list against the modifier.
  const AttVec* argument = nullptr;
  const int i = link->check_arg;
  if (i >= 0) {
    const AttList* args = list_of(h->av, b_.args);
    for (int j = t - 1; j >= k + 1; --j) {
      const std::size_t a = static_cast<std::size_t>(j - 1);
      if (!args || a >= args->size() || !att_set(*args->at(a), b_.opt)) return nullptr;
    }
    if (args && static_cast<std::size_t>(i) < args->size()) {
      argument = args->at(static_cast<std::size_t>(i));
      m->av.unify(*argument);
      m->vector_changed();
    }
  }
  // 2. The slash mask.
  std::uint32_t mask = link->slash_mask;
  if (b_.check >= 0 && m->av.defined(b_.check)) mask |= static_cast<std::uint32_t>(m->av.get(b_.check));
  // 3. A gap of the head that the modifier fills.
  const AttList* moved = list_of(h->av, b_.move);
  std::size_t gap = 0;
  bool has_gap = false;
  if (moved && mask && i < 0) {
    for (std::size_t e = 0; e < moved->size(); ++e) {
      if (!(static_cast<std::uint32_t>(att_value(*moved->at(e), b_.slash)) & mask)) continue;
      if (has_gap) return nullptr;
      has_gap = true;
      gap = e;
    }
    if (has_gap && !moved->at(gap)->unifiable(m->av)) return nullptr;
  }
  // 4. The span, which must not cross a bracket.
  const bool head_first = h->start <= m->start;
  const int start = head_first ? h->start : m->start;
  const int end = head_first ? m->end : h->end;
  if (chart_.crosses_bracket(start, end)) return nullptr;
  // A last-resort link joins only pieces the first pass could not join.
  if (link->last_resort && !chart_.joins_pieces_after(head_first ? h->end : m->end) &&
      !joins_inside_piece(link, t, m, h, k))
    return nullptr;
  // 5. The distance between the head words.
  const int d = head_first ? head_word(*m) - head_word(*h) : head_word(*h) - head_word(*m);
  // A link may reach further than the chart's first-pass limit (a long
  // fronted clause before its verb), never further than the second pass.
  const int first_pass_reach =
      link->head_reach > 0 ? std::min(link->head_reach, kMaxSecondPassHeadDistance) : kMaxHeadDistance;
  if (d > (chart_.last_resort ? kMaxSecondPassHeadDistance : first_pass_reach)) {
    if (recording_ && d <= kMaxSecondPassHeadDistance) note_far_merge(link, t, m, h, k);
    return nullptr;
  }
  const float distance = d > 0 ? static_cast<float>(d >> 1) : 0.0f;
  // 6. The new item.
  PItem* n = chart_.new_item_to_overwrite();
  if (!n) return nullptr;
  n->start = static_cast<std::int16_t>(start);
  n->end = static_cast<std::int16_t>(end);
  n->av = h->av;
  n->head_child = h;
  n->second = m;
  n->link = link;
  n->note_relations(link->relation_bit());
  n->cate = link->modifiee();
  n->weight = h->weight + m->weight + distance + link->weight;
  // 7. The filled gap leaves the moved elements.
  if (has_gap) fill_gap(n->av, gap, n->av);
  // 8. The modifier's attributes.
  if (!merge_attributes(link, n, m, h)) return nullptr;
  // 9. An argument that expects a moved element gets an empty category.
  if (argument && list_size(*argument, b_.move) > 0) {
    if (!n->av.defined(b_.move)) return nullptr;
    PItem* filled = empty_category_item(m);
    if (!filled) return nullptr;
    fill_gap(n->av, 0, filled->av);
    n->av.remove(b_.move);
    n->second = filled;
  }
  // 10. A moved modifier fills the first gap it brought.
  if (m->av.defined(b_.move) && mask && n->av.defined(b_.move)) fill_gap(n->av, 0, n->av);
  // 11. The merged condition; 12. case marks.
  if (!merged_accepted(*link, *n) || !case_marks_accept(n, m, h)) return nullptr;
  ++chart_.stats.merged;
  return n;
}

// Inline: most merges join items of which at most one has moved elements,
// and their attributes are one unification.
inline bool ChartParser::merge_attributes(GLink* link, PItem* n, PItem* m, PItem* h) {
  if (!(h->av.defined(b_.move) && m->av.defined(b_.move) && !att_set(m->av, b_.control)))
    return n->av.unify(m->av, &link->percolated);
  return merge_attributes_with_moves(link, n, m);
}

bool ChartParser::merge_attributes_with_moves(GLink* link, PItem* n, PItem* m) {
  LBitSet without_move = link->percolated;
  without_move.reset(static_cast<std::size_t>(b_.move));
  if (!n->av.unify(m->av, &without_move)) return false;
  return merge_moved(n, m);
}

// Adds the modifier's moved elements to the merged item's list: an element
// whose "slash" value is already there is unified with it when that value
// is "wh"; any other repeated value is turned into a "wh" element, which
// can happen once.
bool ChartParser::merge_moved(PItem* n, PItem* m) {
  const AttList* theirs = list_of(m->av, b_.move);
  if (!theirs) return true;
  auto holds_wh = [&](const AttList* list) {
    for (std::size_t e = 0; list && e < list->size(); ++e)
      if (att_value(*list->at(e), b_.slash) == b_.slash_wh) return true;
    return false;
  };
  if (!list_of(n->av, b_.move)) {  // the filled gap emptied the head's list
    LBitSet only_move;
    only_move.set(static_cast<std::size_t>(b_.move));
    return n->av.unify(m->av, &only_move);
  }
  for (std::size_t x = 0; x < theirs->size(); ++x) {
    AttVec* element = theirs->at(x);
    const Word slash = att_value(*element, b_.slash);
    AttList* mine = private_list_of(n->av, b_.move);
    std::size_t same = mine->size();
    for (std::size_t e = 0; e < mine->size(); ++e)
      if (att_value(*mine->at(e), b_.slash) == slash) {
        same = e;
        break;
      }
    if (same == mine->size()) {
      mine->append(element);
      continue;
    }
    if (slash == b_.slash_wh) {
      if (!mine->private_at(same)->unify(*element)) return false;
      continue;
    }
    if (holds_wh(mine) || holds_wh(theirs)) return false;
    auto* copy = new AttVec(*element);
    copy->set(b_.slash, b_.slash_wh);
    mine->append(copy);
  }
  return true;
}

// Inline: most merged items have no case mark of 0, and there is nothing
// to check.
inline bool ChartParser::case_marks_accept(PItem* n, PItem* m, PItem* h) {
  return !att_zero(n->av, b_.cm) || zero_case_mark_accepted(n, m, h);
}

bool ChartParser::zero_case_mark_accepted(PItem* n, PItem* m, PItem* h) {
  const int cm = b_.cm;
  if (att_value(h->av, b_.cat) == b_.cat_p && h->av.defined(b_.cat))
    n->av.remove(cm);
  else if (att_value(m->av, b_.cat) == b_.cat_p && m->av.defined(b_.cat))
    n->av.remove(cm);
  if (!att_zero(m->av, cm)) return true;
  if (att_zero(h->av, b_.govern)) return true;
  if (!h->av.defined(b_.move)) return att_set(h->av, cm);
  n->av.remove(cm);
  return true;
}

// The modifier M with an empty item of the empty category attached: it
// stands in for the argument that moved away.
PItem* ChartParser::empty_category_item(PItem* m) {
  GCate* ec = parser_.empty_category();
  PItem* empty = chart_.new_item();
  PItem* e = empty ? chart_.new_item() : nullptr;
  if (!e) return nullptr;
  empty->start = m->start;
  empty->end = static_cast<std::int16_t>(m->start - 1);
  empty->cate = ec;
  empty->note_relations(0);
  e->start = m->start;
  e->end = m->end;
  e->av = m->av;
  e->head_child = m;
  e->second = empty;
  e->link = parser_.empty_link();
  e->note_relations(e->link->relation_bit());
  e->cate = ec;
  e->weight = m->weight + empty->weight + parser_.empty_link()->weight;
  return e;
}

// ---- 11. Coordination.

void ChartParser::coordinate(GCate& g, PItem* r, int p) {
  if (sentence_.first_conjunction(r->start)) return;
  bool conjunction = false;
  int x = r->start - 1;
  while (x >= 1) {
    if (sentence_.last_conjunction(x)) {
      conjunction = true;
      while (x >= 1 && sentence_.last_conjunction(x)) --x;
    } else if (sentence_.skipped(x)) {
      --x;
    } else {
      break;
    }
  }
  if (!conjunction) {
    const std::vector<PItem*>* same = g.chart().find_bucket(x, p);
    if (!att_set(r->av, b_.last_conj) || !is_word(x, ",") || (same && !same->empty())) return;
    --x;
  }
  const int n = g.position_count();
  for (int q = n - 1; q >= 0; --q) {
    for (int e = x; e >= 1;) {
      if (const std::vector<PItem*>* bucket = g.chart().find_bucket(e, q)) {
        for (std::size_t i = 0; i < bucket->size(); ++i) {
          PItem* left = (*bucket)[i];
          if (PItem* c = coordination_item(g, left, r)) store(g, c, p);
          bucket = g.chart().find_bucket(e, q);
        }
      }
      if ((sentence_.skipped(e) && !g.chart().active_end(e)) || is_word(e, ","))
        --e;
      else
        break;
    }
    if (g.is_obligatory(q)) break;
  }
}

PItem* ChartParser::coordination_item(GCate& g, PItem* left, PItem* right) {
  if (att_set(left->av, b_.last_conj)) return nullptr;
  for (int att : g.conj_identical)
    if (left->av.defined(att) != right->av.defined(att)) return nullptr;
  if (!left->av.unifiable(right->av, &g.conj_consistent)) return nullptr;
  if (left->av.defined(b_.move) && right->av.defined(b_.move) &&
      list_size(left->av, b_.move) != list_size(right->av, b_.move))
    return nullptr;
  PItem* c = chart_.new_item();
  if (!c) return nullptr;
  c->start = left->start;
  c->end = right->end;
  c->head_child = left;
  // The merged condition is asked before the conj link is set: it sees the
  // relations of the left conjunct's chain.
  c->note_relations(0);
  c->second = right;
  c->cate = &g;
  c->weight = left->weight + right->weight;
  c->av = left->av;
  c->av.unify(right->av, &g.conj_consistent);
  if (!accepts(g.conj_link()->merged_cond.get(), c)) return nullptr;
  c->link = g.conj_link();
  c->note_relations(c->link->relation_bit());
  if (b_.last_conj >= 0) c->av.set(b_.last_conj, 1);
  if (c->start > 0 && sentence_.first_conjunction(c->start - 1)) --c->start;
  ++chart_.stats.coordinated;
  return c;
}

// ---- 12. Going on from the first pass.

FirstPassRecord::FarMerge ChartParser::recorded_merge(GLink* link, int t, PItem* m, PItem* h, int k) const {
  // A left link's merges are made by the head's scan (there t is k).
  const bool left = link->position < link->modifiee()->head;
  return {link, m, h, left ? t : k, left, chart_.stats.made};
}

void ChartParser::note_far_merge(GLink* link, int t, PItem* m, PItem* h, int k) {
  chart_.first_pass.far_merges.push_back(recorded_merge(link, t, m, h, k));
}

bool ChartParser::joins_inside_piece(GLink* link, int t, PItem* m, PItem* h, int k) {
  if (!link->anywhere) return false;
  if (chart_.inside_pieces) return true;
  // Kept for the third pass, which only a sentence still in pieces takes.
  if (chart_.continuing) chart_.inside_merges.push_back(recorded_merge(link, t, m, h, k));
  return false;
}

void ChartParser::note_right_scan(GCate& g, PItem* m, GLink* link) {
  if (recording_)
    chart_.first_pass.right_scans.push_back({&g, m, link});
  else if (chart_.continuing)
    add_right_scan_places(g, m, link);
}

// The positions from the scan's first down to the first obligatory one, in
// runs: a run of positions that skip no words of their own passes the same
// words, and one value per word stands for the whole run.
void ChartParser::add_left_scan_places(GCate& g, PItem* item, int p) {
  for (int k = g.is_repeatable(p) ? p : p - 1; k >= 0;) {
    int low = k;
    if (skips_only_skipped_words(g, k))
      while (low > 0 && !g.is_obligatory(low) && skips_only_skipped_words(g, low - 1)) --low;
    const LeftScanValue scan{item, scan_positions(low, k)};
    for (int w = item->start - 1; w >= 0;) {
      chart_.left_scan_places.add(&g, w, scan);
      w = skip_left(g, low, w, *item);
      if (w < 0) break;
    }
    if (g.is_obligatory(low)) break;
    k = low - 1;
  }
}

void ChartParser::add_right_scan_places(GCate& g, PItem* m, GLink* link) {
  const int t = link->position;
  const int highest = g.is_repeatable(t) ? t : t - 1;
  const int base = std::max(g.head, 0);
  if (highest < base) return;
  // Down to the highest obligatory position above the head's, else the
  // head's (positions from 32 on are never obligatory).
  int lowest = base;
  if (base < 31) {
    const int top = std::min(highest, 31);
    const std::uint32_t above = g.obligatory & (~std::uint32_t{0} >> (31 - top)) & (~std::uint32_t{1} << base);
    if (above) lowest = 31 - std::countl_zero(above);
  }
  const RightScanValue scan{m, link, scan_positions(lowest, highest)};
  for (int w = m->start - 1; w >= 0;) {
    chart_.right_scan_places.add(&g, w, scan);
    w = skip_left(g, t, w, *m);
    if (w < 0) break;
  }
}

void ChartParser::offer_to_left_scans(GLink* link, PItem* modifier) {
  if (depth_ >= kMaxDepth) return;
  DepthGuard guard(depth_);
  GCate& g = *link->modifiee();
  const int k = link->position;
  const int w = modifier->end;
  chart_.left_scan_places.for_each(&g, w, [&](const LeftScanValue& scan) {
    if (!scan.covers(k)) return;
    PItem* head = scan.head;
    if (head->end - w > link->max_dist ||
        !modifiee_accepted(*link, *head))
      return;
    if (PItem* merged = merge(link, k, modifier, head, k)) extend_left(g, merged, k);
  });
  process_work(g);
}

void ChartParser::offer_to_right_scans(GCate& g, PItem* head, int p) {
  if (depth_ >= kMaxDepth) return;
  DepthGuard guard(depth_);
  chart_.right_scan_places.for_each(&g, head->end, [&](const RightScanValue& scan) {
    GLink* link = scan.link;
    if (!scan.covers(p) || scan.modifier->start - head->start > link->max_dist ||
        !modifiee_accepted(*link, *head))
      return;
    if (PItem* merged = merge(link, link->position, scan.modifier, head, p)) store(g, merged, link->position);
  });
}

void ChartParser::offer_to_last_resort_links(GCate& g, PItem* item) {
  for (GLink* link : g.last_resort_links())
    if (accepts_planned(link->modifier_cond.get(), link->modifier_plan.get(), item)) offer_accepted(link, item);
}

void ChartParser::make_far_merge(const FirstPassRecord::FarMerge& step) {
  GCate& g = *step.link->modifiee();
  PItem* merged = merge(step.link, step.link->position, step.modifier, step.head, step.position);
  if (!merged) return;
  if (step.left)
    extend_left(g, merged, step.position);
  else
    store(g, merged, step.link->position);
  process_work(g);
}

void ChartParser::continue_run() {
  const FirstPassRecord& record = chart_.first_pass;
  chart_.continuing = true;
  for (const auto& scan : record.left_scans) add_left_scan_places(*scan.cate, scan.head, scan.position);
  for (const auto& scan : record.right_scans) add_right_scan_places(*scan.cate, scan.modifier, scan.link);
  // The first pass's steps in the order it met them.
  std::size_t c = 0;
  std::size_t f = 0;
  while (c < record.completes.size() || f < record.far_merges.size()) {
    if (f < record.far_merges.size() &&
        (c == record.completes.size() || record.far_merges[f].made <= record.completes[c].made))
      make_far_merge(record.far_merges[f++]);
    else {
      const auto& complete = record.completes[c++];
      offer_to_last_resort_links(*complete.cate, complete.item);
    }
  }
  // Items a cut-off propagation left on a work list are offered now.
  parser_.for_each_category([this](GCate& g) { process_work(g); });
  chart_.continuing = false;
}

void ChartParser::join_inside_pieces() {
  // The scans of both passes stay noted at their places.
  chart_.continuing = true;
  const std::vector<FirstPassRecord::FarMerge> merges = std::move(chart_.inside_merges);
  chart_.inside_merges.clear();
  for (const auto& step : merges) make_far_merge(step);
  parser_.for_each_category([this](GCate& g) { process_work(g); });
  chart_.continuing = false;
}

}  // namespace velmo
