#pragma once
// The chart parsing algorithm: a bottom-up, head-driven chart parser that
// works from left to right. Every item grows outward from its head, first
// to the left and then to the right, by absorbing complete items of other
// categories through the links of its positions; a complete item is offered
// at once to every link in which its category can serve as modifier.
#include <cstdint>
#include <optional>

#include "parser/chart/first_pass_record.h"
#include "parser/chart/skip_word_answers.h"
#include "parser/chart/visible_equality.h"

namespace velmo {

class AttInterpreterList;
class ConditionPlan;
class GCate;
class GLink;
class KorvelParser;
class SentenceView;
class LExp;
class Chart;
struct BuiltinAttributes;
struct PItem;

class ChartParser {
 public:
  // Propagation deeper than this (a grammar whose projections form a cycle
  // that packing cannot stop) is cut off.
  static constexpr int kMaxDepth = 1000;
  // Weight of a lexical item whose word has no "freq" value for it.
  static constexpr float kDefaultWordWeight = 18.0f;
  // Distances (in head words) beyond which no merge is made.
  static constexpr int kMaxHeadDistance = 20;
  // The same in the second pass over a sentence that the first left in
  // pieces (the pass with the last-resort links): a long fronted clause or
  // quotation may lie between a verb and its subject or adjunct clause.
  static constexpr int kMaxSecondPassHeadDistance = 40;

  ChartParser(KorvelParser& parser, const SentenceView& sentence);

  // Builds the chart of the analyzer's sentence. False when the pool ran
  // out while the lexical items were entered (the chart is then unusable).
  bool run();
  // The second pass over a sentence the first left in pieces, going on from
  // the first pass's chart (which it keeps): the last-resort links are
  // offered the complete items, the merges refused only for their reach are
  // made, and what these make meets the first pass's items as in a pass
  // of its own. The chart's `last_resort` must be set.
  void continue_run();
  // The third pass over a sentence the second left in pieces, going on from
  // its chart: the merges of last-resort links marked "anywhere" that the
  // second pass refused inside the first pass's pieces are made, and what
  // they make meets the earlier items as before. The chart's `last_resort`
  // and `inside_pieces` must be set.
  void join_inside_pieces();

 private:
  bool enter_lexical_items();
  void propagate(GCate& g, PItem* item, GLink* link);
  void process_work(GCate& g);
  // The same in the second pass, with the last-resort links.
  void process_work_with_all_links(GCate& g);
  void extend_left(GCate& g, PItem* item, int p);
  void scan_left_at(GCate& g, PItem* item, int k, bool& minimal_found);
  std::uint64_t own_skip_positions(GCate& g);
  int skip_left(GCate& g, int k, int w, const PItem& item);
  int skip_at_position(GCate& g, int k, int w, const PItem& item);
  int skip_adjunct(GCate& g, int w, const PItem& item);
  void store(GCate& g, PItem* item, int p);
  bool is_complete(GCate& g, const PItem& item, int p) const;
  bool pack(GCate& g, PItem* item, int p);
  void attach_right(GCate& g, PItem* m, GLink* link);
  // Offers a complete item to a link whose modifier condition it met.
  void offer_accepted(GLink* link, PItem* item);
  // The same for the first pass's work loop, which makes most offers: an
  // offer that can only note its scan for a second pass is made in line.
  void offer_in_first_pass(GLink* link, PItem* item);
  // Whether an offer to a right link that takes no guest meets no head:
  // no item of the owner ends at the word before the modifier (the word it
  // skips), so that the offer only notes its scan.
  bool meets_no_head_right(const GLink& link, const PItem& item) const;
  PItem* merge(GLink* link, int t, PItem* m, PItem* h, int k);
  bool merge_attributes(GLink* link, PItem* n, PItem* m, PItem* h);
  // The same when both items have moved elements (and the modifier is no
  // control item): the moved elements are merged apart.
  bool merge_attributes_with_moves(GLink* link, PItem* n, PItem* m);
  bool merge_moved(PItem* n, PItem* m);
  bool case_marks_accept(PItem* n, PItem* m, PItem* h);
  // The same for a merged item whose case mark is 0.
  bool zero_case_mark_accepted(PItem* n, PItem* m, PItem* h);
  PItem* empty_category_item(PItem* m);
  void coordinate(GCate& g, PItem* r, int p);
  PItem* coordination_item(GCate& g, PItem* left, PItem* right);

  // ---- Going on from the first pass.
  bool recording() const { return recording_; }
  void note_far_merge(GLink* link, int t, PItem* m, PItem* h, int k);
  // Whether a last-resort link may join two items inside one of the first
  // pass's pieces; notes the refused merges that a third pass may make.
  bool joins_inside_piece(GLink* link, int t, PItem* m, PItem* h, int k);
  // A merge as the first pass would have made it with a wider reach or
  // without the last-resort test (the step's head scan or modifier scan).
  FirstPassRecord::FarMerge recorded_merge(GLink* link, int t, PItem* m, PItem* h, int k) const;
  void note_right_scan(GCate& g, PItem* m, GLink* link);
  // The places a scan of `item` to its left passes (as extend_left and
  // attach_right walk them), for items that the second pass adds there.
  void add_left_scan_places(GCate& g, PItem* item, int p);
  void add_right_scan_places(GCate& g, PItem* m, GLink* link);
  // A new waiting modifier, or a new head stored at position p, meets the
  // scans that passed its end word before it was there.
  void offer_to_left_scans(GLink* link, PItem* modifier);
  void offer_to_right_scans(GCate& g, PItem* head, int p);
  void offer_to_last_resort_links(GCate& g, PItem* item);
  void make_far_merge(const FirstPassRecord::FarMerge& step);
  // Whether a last-resort link's offer can lead to a merge that joins the
  // first pass's pieces (true for other links, and for those marked
  // "anywhere": their other merges are kept for a third pass).
  bool may_join_pieces_left(const GLink& link, const PItem& modifier) const;
  bool may_join_pieces_right(GCate& g, PItem* modifier, GLink* link);
  void keep_work_order(GCate& g);
  // Whether the link's merges change nothing before the last-resort test
  // refuses them: no argument check, a head condition that only reads.
  bool merges_only_read(const GLink& link) const;

  float word_weight(const PItem& item) const;
  bool accepts(LExp* cond, const PItem* item) const;
  // A modifier or modifiee condition, by its plan when it has one.
  bool accepts_planned(LExp* cond, const ConditionPlan* plan, PItem* item) const;
  // Whether the first part of the link's modifier (modifiee) plan, which
  // refuses alone, is false for the item (a plan is asked only when the
  // part may be asked alone, so it may be null otherwise).
  bool first_part_refuses(const ConditionPlan* plan, std::uint8_t word, std::uint64_t bit, bool asked_alone,
                          PItem& item);
  bool modifier_refused(const GLink& link, PItem& modifier);
  bool modifiee_refused(const GLink& link, PItem& head);
  // The link's modifiee condition on a head, as accepts_planned answers
  // it; an answer the item's bits keep is read there without a call.
  bool modifiee_accepted(const GLink& link, PItem& head) const;
  // The link's merged condition on the item a merge made, by its plan
  // when it has one.
  bool merged_accepted(const GLink& link, PItem& merged) const;
  // The link's head condition on the item it projected, the same way.
  bool head_accepted(const GLink& link, PItem& projected) const;
  bool word_accepted(LExp* cond, int w) const;
  // Whether the skip-word condition of position k accepts the word at w
  // (false where the position has none), answered once per word.
  bool skip_word_accepted(const GCate& g, int k, int w);
  // The same for a position that has one: its condition and number.
  bool skip_word_answer(LExp* cond, int id, int w);
  bool is_word(int w, const char* text) const;
  int head_word(const PItem& item) const;

  KorvelParser& parser_;
  const SentenceView& sentence_;
  Chart& chart_;
  const BuiltinAttributes& b_;
  // The vector type of the last item packed and the word slot of its
  // lexical item (VisibleEquality::word_slot_of); its category and the
  // comparison made for the two (items of one category and type are
  // packed in long runs).
  const AttInterpreterList* packed_type_ = nullptr;
  int packed_first_slot_ = -1;
  const GCate* packed_cate_ = nullptr;
  std::optional<VisibleEquality> packed_equality_;
  // The reach (GCate::lowest_reach, highest_reach) of the last category
  // and position packing asked about.
  const GCate* reach_cate_ = nullptr;
  int reach_position_ = -1;
  int reach_from_ = 0;
  int reach_to_ = 0;
  int depth_ = 0;
  SkipWordAnswers skip_answers_;
  // Whether this pass records what a second pass would take up again.
  bool recording_ = false;
};

}  // namespace velmo
