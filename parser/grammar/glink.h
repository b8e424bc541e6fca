#pragma once
// One attachment possibility of the grammar: an item of the modifier
// category may attach as a dependent to an item of the modifiee category at
// the link's position, when the link's conditions accept both.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lexicon/attributes/lbitset.h"
#include "shell/lexp/lexp.h"
#include "shell/support/current.h"

namespace velmo {

class ConditionPlan;
class GCate;
class MergedConditionPlan;
struct PItem;

class GLink : public CanBeCurrent {
 public:
  static constexpr float kDefaultWeight = 1.0f;
  static constexpr int kDefaultMaxDist = 64;

  GLink(GCate* modifiee, GCate* modifier) : modifiee_(modifiee), modifier_(modifier) {}
  GLink(const GLink&) = delete;
  GLink& operator=(const GLink&) = delete;

  GCate* modifiee() const { return modifiee_; }
  GCate* modifier() const { return modifier_; }

  // ---- Conditions; null accepts everything.
  LExpPtr modifier_cond, modifiee_cond;
  // Shared with their plans, whose parts the condition memo numbers by
  // address.
  std::shared_ptr<LExp> merged_cond, head_cond;
  // The modifier and modifiee conditions as plans whose parts the chart
  // answers once per item (null: evaluate the expression).
  std::shared_ptr<const ConditionPlan> modifier_plan, modifiee_plan;
  // The merged condition as a plan whose tests of the joined items the
  // chart answers once per item (null: evaluate the expression).
  std::shared_ptr<const MergedConditionPlan> merged_plan;
  // The head condition, asked of each item the link projects, as the same
  // kind of plan (null: evaluate the expression).
  std::shared_ptr<const MergedConditionPlan> head_plan;
  // The item-bits place (answer word and bit) of the modifier plan's first
  // part when its false answer alone refuses the modifier; bit 0 when the
  // plan has no such part.
  std::uint8_t modifier_refusal_word = 0;
  std::uint64_t modifier_refusal_bit = 0;
  // Whether that part is a direct test of the item or a test of the words
  // about it (asking it changes nothing): it is then asked alone before
  // the plan is walked, and a false answer costs no walk.
  bool modifier_refusal_asked_alone = false;
  // The same for the modifiee plan.
  std::uint8_t modifiee_refusal_word = 0;
  std::uint64_t modifiee_refusal_bit = 0;
  bool modifiee_refusal_asked_alone = false;

  std::uint32_t slash_mask = 0;
  float weight = kDefaultWeight;
  std::int16_t position = -1;
  std::int16_t subclass = 0;
  bool no_guest = true;
  // Tried only in a second pass over a sentence that no analysis covers
  // alone (`last-resort`).
  bool last_resort = false;
  // Other last-resort links join two items only where one piece of the
  // first pass's best cover ends and the next begins. One marked
  // `last-resort anywhere` joins them there too, and when the sentence is
  // still in pieces after that, anywhere: also inside a piece, where the
  // piece's own analysis took the words it needs.
  bool anywhere = false;
  int check_arg = -1;
  int max_dist = kDefaultMaxDist;
  // How far apart the head words may lie in the first pass (`head-reach`);
  // 0: the chart's own limit. Never beyond the second pass's limit.
  int head_reach = 0;
  // Attributes of the modifier that the merged item takes over.
  LBitSet percolated;

  // The relation name, or empty when none was given.
  const std::string& relation() const { return relation_; }
  bool has_relation() const { return has_relation_; }
  const std::string& distance_key() const { return distance_key_; }
  // relation_bit() of the relation, 0 when none was given.
  std::uint64_t relation_bit() const { return relation_bit_; }
  // Sets the relation name and derives the distance key from it.
  void set_relation(std::string_view name);

  // ---- Waiting lists of complete modifier items, one per end word.
  std::vector<PItem*>* waiting_at(int end_word) {
    return end_word >= 0 && static_cast<std::size_t>(end_word) < waiting_.size() ? &waiting_[end_word] : nullptr;
  }
  void add_waiting(int end_word, PItem* item);
  // Empties the lists of end words 0..words, all of them when `words` is
  // negative; they keep their capacity.
  void clear_waiting(int words);

 private:
  GCate* modifiee_;
  GCate* modifier_;
  std::string relation_;
  bool has_relation_ = false;
  std::uint64_t relation_bit_ = 0;
  std::string distance_key_;
  std::vector<std::vector<PItem*>> waiting_;
  // Lists past this one are empty (none was added to since they were
  // cleared).
  std::size_t waiting_used_ = 0;
};

// The part of a category name before its first "_".
std::string_view name_stem(std::string_view name);

}  // namespace velmo
