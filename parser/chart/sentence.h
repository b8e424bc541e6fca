#pragma once
// One sentence through the parser: reset, words into the lexical analyzer,
// the chart, and the root items with the minimal-weight cover of the
// sentence by them.
//
// The forest of the chosen items weighs root items by their best analysis;
// it calls collect_roots, sets each RootItem::weight to its node's best
// weight and then calls choose_cover. parse_chart does both steps with the
// items' own weights.
#include <vector>

namespace velmo {

class Chart;
class KorvelParser;
class SentenceView;
struct PItem;

struct RootItem {
  PItem* item = nullptr;
  int extra_cost = 0;   // from the root entry's cost expression
  float weight = 0.0f;  // the item's weight until the forest sets its own
};

struct ChartResult {
  // False without an attribute type, and when the pool ran out while the
  // lexical items were entered: the cover is then empty, that is, the
  // sentence is covered by its single words (its result must be built from
  // that, never left at the previous sentence's).
  bool parsed = false;
  std::vector<RootItem> roots;  // every distinct root item
  std::vector<RootItem> cover;  // the chosen roots, left to right
};

// Gap costs of the cover between two parts, and next to punctuation.
inline constexpr float kCoverGap = 35.0f;
inline constexpr float kCoverPunctuationGap = 10.0f;

// The per-sentence reset (`reset-parser`): pool, charts, waiting lists,
// the per-sentence lists and the bracket table.
void reset_parser(KorvelParser& parser);
// Builds the chart of the sentence (which the parser keeps as its current
// sentence until the next reset) and finds its roots and cover.
ChartResult parse_chart(KorvelParser& parser, const SentenceView& sentence);

// Builds the chart of the sentence and collects its roots (false when the
// pool ran out while the words were entered). When the grammar has links
// marked last-resort and the roots cover the sentence only in pieces, the
// chart is built again with those links, so that they join only what
// nothing else joins and never change a sentence that parses without them;
// with the parser's `continue_second_pass`, that pass goes on from the
// first pass's chart instead. A sentence still in pieces then takes a third
// pass, in which the last-resort links marked "anywhere" may also join
// inside the first pass's pieces (going on from the second pass's chart in
// the same way).
bool run_chart(KorvelParser& parser, const SentenceView& sentence, std::vector<RootItem>& roots);
// Every distinct item that a root entry accepts, with its extra cost (their
// number goes to the sentence's statistics).
std::vector<RootItem> collect_roots(KorvelParser& parser);
// The minimal-weight cover of words 1..last by root items (weight plus
// extra cost), with a gap cost between parts; items in word order. The
// cover's total weight goes to `weight` when given. This is the last step
// of a sentence's chart: with `parse-stats 1` its statistics are printed.
std::vector<RootItem> choose_cover(KorvelParser& parser, const std::vector<RootItem>& roots, float* weight = nullptr);
// Prints the statistics when `parse-stats 1` asked for them.
void report_sentence(const Chart& chart);

}  // namespace velmo
