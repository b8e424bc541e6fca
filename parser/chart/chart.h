#pragma once
// The per-sentence state of a parser that is not kept in its categories:
// the sentence, the item pool, the start list of lexical items, the bracket table, the
// case-marked position sets and the counts of what the sentence made.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "parser/chart/first_pass_record.h"
#include "parser/chart/item_pool.h"
#include "parser/chart/sentence_view.h"
#include "parser/chart/span_index.h"

namespace velmo {

// What one sentence made; `parse-stats` prints it.
struct ParseStats {
  std::size_t words = 0;    // analyzer positions minus the sentinel
  std::size_t lexical = 0;  // items entered from lexical items
  std::size_t made = 0;     // items taken from the pool
  std::size_t packed = 0;   // items absorbed by an equivalent one
  std::size_t merged = 0;   // successful merges
  std::size_t coordinated = 0;
  std::size_t roots = 0;  // root items found
  int passes = 0;         // 2 when no first-pass analysis covered the sentence
  bool pool_exhausted = false;
  bool stopped_in_entry = false;  // the pool ran out while words were entered
};

// The processor time the process has used, in seconds.
double process_cpu_seconds();

class Chart {
 public:
  static constexpr std::size_t kListCapacity = 200;
  // Word positions are 16-bit; brackets beyond are ignored.
  static constexpr int kMaxBracketWord = 32767;

  explicit Chart(const AttInterpreterList* type) : pool_(type) {
    start_list.reserve(kListCapacity);
    case_marked.reserve(kListCapacity);
    oblique_case_marked.reserve(kListCapacity);
  }

  // A new item counted in the statistics, or null when the pool is empty.
  PItem* new_item() { return counted(pool_.allocate()); }
  // As new_item, for a caller that assigns the item's vector at once: the
  // vector is not emptied first.
  PItem* new_item_to_overwrite() { return counted(pool_.allocate(/*clear_vector=*/false)); }
  // Frees every item and empties the lists and the bracket table (which
  // grows as brackets are marked).
  void reset(int words);
  // Frees every item and empties the per-pass lists for another pass over
  // the same sentence, whose brackets stay.
  void clear_items();
  // Forgets the first pass's record and the scanned places.
  void forget_passes();

  ItemPool& pool() { return pool_; }
  ParseStats stats;
  // Whether links marked last-resort take part (the second pass).
  bool last_resort = false;
  // Where they may join two items: after word e when e is marked, that is,
  // where the first pass's cover went from one piece to the next (empty:
  // anywhere).
  std::vector<bool> piece_ends;
  bool joins_pieces_after(int word) const {
    return piece_ends.empty() || (word >= 0 && static_cast<std::size_t>(word) < piece_ends.size() && piece_ends[word]);
  }
  // The third pass over a sentence that the second still left in pieces:
  // the last-resort links marked "anywhere" may then join inside a piece.
  bool inside_pieces = false;
  // The merges of those links that the second pass (going on from the
  // first's chart) refused only because they joined inside a piece: the
  // third pass makes them, in this order, and goes on from there.
  std::vector<FirstPassRecord::FarMerge> inside_merges;
  // What the first pass did that a second pass going on from its chart
  // takes up again (kept only while the parser has last-resort links).
  FirstPassRecord first_pass;
  // While the second pass goes on from the first pass's chart: the places
  // that head items and right modifiers scanned for partners to their left.
  bool continuing = false;
  ScanPlaces<LeftScanValue> left_scan_places;
  ScanPlaces<RightScanValue> right_scan_places;
  // Print the statistics on the error stream after every sentence.
  bool report_stats = false;
  // The processor time (process_cpu_seconds) when the sentence began.
  double sentence_started_cpu = 0.0;
  // The sentence being parsed, kept until the next reset.
  std::optional<SentenceView> sentence;
  std::vector<PItem*> start_list;
  std::vector<int> case_marked;
  std::vector<int> oblique_case_marked;
  // Counts the calls of expression functions that change items or the
  // chart (remembered condition answers must not skip them).
  std::uint64_t item_changes = 0;
  // The stored items by span, for packing; it holds while no function has
  // moved an item's span (`spans_moved`) in this pass.
  SpanIndex stored_by_span;
  bool spans_moved = false;
  // A number never handed out before by this chart for a collection of
  // root items (never 0, the mark of an item no collection took).
  std::uint32_t next_root_collection() {
    if (++root_collections_ == 0) ++root_collections_;
    return root_collections_;
  }
  // The most root items one collection of this chart has found: the next
  // collection's list starts with room for as many.
  std::size_t most_roots = 0;

  // ---- Brackets: spans of words that items may not cross.
  int bracket_low(int word) const;
  int bracket_high(int word) const;
  // Marks i..j (i < j) as a bracket.
  void isolate(int i, int j);
  // Whether a span start..end would cross a bracket. Most sentences have
  // none, and every merge asks: then no table is read.
  bool crosses_bracket(int start, int end) const { return bracketed_ && crosses_marked_bracket(start, end); }

 private:
  PItem* counted(PItem* item);
  bool crosses_marked_bracket(int start, int end) const;
  ItemPool pool_;
  std::vector<int> bracket_low_;
  std::vector<int> bracket_high_;
  bool bracketed_ = false;  // a bracket was marked since the last reset
  std::uint32_t root_collections_ = 0;
};

}  // namespace velmo
