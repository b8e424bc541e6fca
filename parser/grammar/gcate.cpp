#include "parser/grammar/gcate.h"

#include <algorithm>
#include <bit>

#include "parser/chart/condition_memo.h"

namespace velmo {

// ---- CateChart

std::vector<PItem*>& CateChart::bucket_in_new_row(int end_word, int position) {
  const auto row = static_cast<std::size_t>(end_word < 0 ? 0 : end_word);
  if (row >= rows_.size()) {
    rows_.resize(row + 10);
    filled_.resize(row + 10, 0);
  }
  rows_used_ = std::max(rows_used_, row + 1);
  filled_[row] |= std::uint64_t{1} << (position < 0 ? 0 : position < kFilledBits ? position : kFilledBits);
  auto& buckets = rows_[row];
  if (buckets.size() < slots_) buckets.resize(slots_);
  return buckets[static_cast<std::size_t>(position)];
}

PItem* CateChart::end_work() {
  work_.clear();
  work_head_ = 0;
  return nullptr;
}

void CateChart::add_active_end_past_used(int end_word) {
  if (end_word < 0) return;
  if (static_cast<std::size_t>(end_word) >= active_.size()) active_.resize(static_cast<std::size_t>(end_word) + 10);
  active_[static_cast<std::size_t>(end_word)] = true;
  active_used_ = std::max(active_used_, static_cast<std::size_t>(end_word) + 1);
}

void CateChart::use_waiting_words(std::size_t words) {
  // The words past the used ones hold no positions (clear() empties the
  // used ones).
  if (words > waiting_.size()) waiting_.resize(words + 10, 0);
  waiting_used_ = words;
}

void CateChart::clear() {
  // Only the buckets a row handed out can hold items: a row's filled bits
  // name them (bit kFilledBits stands for every position from it on).
  for (std::size_t r = 0; r < rows_used_; ++r) {
    std::uint64_t filled = filled_[r];
    if (!filled) continue;
    filled_[r] = 0;
    auto& buckets = rows_[r];
    const std::size_t size = buckets.size();
    if (filled >> kFilledBits) {
      for (std::size_t q = kFilledBits; q < size; ++q) buckets[q].clear();
      filled &= ~(std::uint64_t{1} << kFilledBits);
    }
    for (; filled; filled &= filled - 1) {
      const auto q = static_cast<std::size_t>(std::countr_zero(filled));
      if (q < size) buckets[q].clear();
    }
  }
  rows_used_ = 0;
  work_.clear();
  work_head_ = 0;
  std::fill(active_.begin(), active_.begin() + static_cast<std::ptrdiff_t>(active_used_), false);
  active_used_ = 0;
  std::fill(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(waiting_used_), 0);
  waiting_used_ = 0;
  own_skip_known_ = false;
}

// ---- GCate

GCate::GCate(KorvelParser* parser, std::string_view name) : parser_(parser), name_(name) {
  reset_positions(1);
  head = 0;
  obligatory = 0;
  guest_link_ = make_free_link(this);
  guest_link_->set_relation(kGuestRelation);
  guest_link_->weight = kGuestWeight;
}

GCate::~GCate() = default;

void GCate::reset_positions(int n) {
  if (n < 0) n = 0;
  // Links of the old positions no longer attach anything.
  for (auto& slot : slots_)
    for (GLink* link : slot) link->modifier()->remove_modifier_link(link);
  slots_.assign(static_cast<std::size_t>(n) + 1, {});
  head = -1;
  repeatable = minimal = skip_adjunct = 0;
  obligatory = n >= 32 ? 0xffffffffu : ((1u << n) - 1u);
  skip_word_conds.clear();
  skip_word_ids.clear();
  chart_.slots_ = slots_.size();
}

GLink* GCate::make_free_link(GCate* modifier) {
  owned_links_.push_back(std::make_unique<GLink>(this, modifier));
  return owned_links_.back().get();
}

GLink* GCate::add_link(int slot, GCate* modifier) {
  if (slot < 0 || slot > position_count()) return nullptr;
  GLink* link = make_free_link(modifier);
  link->position = static_cast<std::int16_t>(slot);
  slots_[static_cast<std::size_t>(slot)].push_back(link);
  return link;
}

GLink* GCate::make_conj_link() {
  conj_link_ = make_free_link(this);
  conj_link_->set_relation("conj");
  return conj_link_;
}

void GCate::insert_modifier_link(GLink* link) {
  auto it = std::upper_bound(modifier_links_.begin(), modifier_links_.end(), link,
                             [](const GLink* a, const GLink* b) { return a->weight < b->weight; });
  modifier_links_.insert(it, link);
  list_first_pass_links();
}

void GCate::remove_modifier_link(GLink* link) {
  auto it = std::find(modifier_links_.begin(), modifier_links_.end(), link);
  if (it != modifier_links_.end()) modifier_links_.erase(it);
  list_first_pass_links();
}

void GCate::list_first_pass_links() {
  first_pass_offers_.clear();
  last_resort_links_.clear();
  for (GLink* link : modifier_links_) {
    if (link->last_resort) {
      last_resort_links_.push_back(link);
      continue;
    }
    ModifierOffer offer{.link = link, .refusal_bit = link->modifier_refusal_bit,
                        .refusal_word = link->modifier_refusal_word,
                        .refusal_asked_alone = link->modifier_refusal_asked_alone};
    if (link->modifier_plan) {
      const ConditionPlan::AnswerPlace place = link->modifier_plan->answer_place();
      offer.plan_bit = place.bit;
      offer.plan_word = place.word;
    }
    first_pass_offers_.push_back(offer);
  }
  mark_refusal_runs();
}

void GCate::mark_refusal_runs() {
  const auto count = static_cast<std::uint32_t>(first_pass_offers_.size());
  for (std::uint32_t i = count; i-- > 0;) {
    ModifierOffer& offer = first_pass_offers_[i];
    // An offer without a refusing part is never passed over in a run.
    const bool same_as_next = i + 1 < count && offer.refusal_bit != 0 &&
                              first_pass_offers_[i + 1].refusal_bit == offer.refusal_bit &&
                              first_pass_offers_[i + 1].refusal_word == offer.refusal_word;
    offer.past_refusal_run = same_as_next ? first_pass_offers_[i + 1].past_refusal_run : i + 1;
  }
}

void GCate::reorder_modifier_link(GLink* link) {
  auto it = std::find(modifier_links_.begin(), modifier_links_.end(), link);
  if (it == modifier_links_.end()) return;
  modifier_links_.erase(it);
  insert_modifier_link(link);
}

}  // namespace velmo
