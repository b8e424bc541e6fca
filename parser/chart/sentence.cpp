#include "parser/chart/sentence.h"

#include <bit>
#include <cctype>
#include <cstdint>

#include "shell/support/diagnostics.h"

#include "parser/chart/chart.h"
#include "parser/chart/chart_commands.h"
#include "parser/chart/chart_parser.h"
#include "parser/chart/sentence_view.h"
#include "parser/grammar/korvel_parser.h"

namespace velmo {

void reset_parser(KorvelParser& parser) {
  parser.chart().reset(0);
  parser.conditions().clear();
  parser.for_each_category([](GCate& cate) {
    cate.chart().clear();
    for (GLink* link : cate.modifier_links()) link->clear_waiting(-1);
  });
}

ChartResult parse_chart(KorvelParser& parser, const SentenceView& sentence) {
  ChartResult result;
  Chart& chart = parser.chart();
  chart.sentence = sentence;
  if (!parser.att_type()) return result;
  chart.stats.words = static_cast<std::size_t>(std::max(sentence.last_word(), 0));
  result.parsed = run_chart(parser, sentence, result.roots);
  if (result.parsed) result.cover = choose_cover(parser, result.roots);
  return result;
}

namespace {

// The positions whose items are roots: from slot n (the complete items of
// subclasses) down to the highest obligatory position below it, as bits of
// CateChart::filled_positions (n below CateChart::kFilledBits).
std::uint64_t root_positions(const GCate& cate) {
  const int n = cate.position_count();
  const std::uint32_t below = n >= 32 ? cate.obligatory : cate.obligatory & ((std::uint32_t{1} << n) - 1);
  const int lowest = below ? 31 - std::countl_zero(below) : 0;
  return (~std::uint64_t{0} >> (63 - n)) & (~std::uint64_t{0} << lowest);
}

// Empties the chart for another pass over the same sentence.
void clear_chart(KorvelParser& parser) {
  parser.chart().clear_items();
  parser.conditions().clear();
  parser.for_each_category([](GCate& cate) {
    cate.chart().clear();
    for (GLink* link : cate.modifier_links()) link->clear_waiting(-1);
  });
}

std::vector<RootItem> best_cover(KorvelParser& parser, const std::vector<RootItem>& roots, float* weight);
bool is_punctuation(const char* word);

// Whether one root item covers the sentence: the cover is then that item
// alone, and the cover's table need not be built to know it. The span to
// cover ends before final punctuation that no root item reaches.
bool one_root_covers(const SentenceView& sentence, const std::vector<RootItem>& roots) {
  int last = sentence.last_word();
  int largest_end = -1;
  for (const RootItem& root : roots)
    if (root.item->start >= 0 && root.item->start <= root.item->end && root.item->end <= last)
      largest_end = std::max<int>(largest_end, root.item->end);
  while (last > largest_end && last > 1 && is_punctuation(sentence.word_at(last))) --last;
  for (const RootItem& root : roots)
    if (root.item->start == 1 && root.item->end == last) return true;
  return false;
}

// Parses the sentence again from its words, in the pass the chart is set
// for.
bool parse_again(KorvelParser& parser, const SentenceView& sentence, std::vector<RootItem>& roots) {
  clear_chart(parser);
  const bool parsed = ChartParser(parser, sentence).run();
  roots = parsed ? collect_roots(parser) : std::vector<RootItem>{};
  return parsed;
}

// The words from the end of each piece to the word before the next one
// (punctuation the cover left out), where last-resort links may join.
void mark_piece_ends(Chart& chart, const SentenceView& sentence, const std::vector<RootItem>& pieces) {
  chart.piece_ends.assign(static_cast<std::size_t>(std::max(sentence.last_word(), 0)) + 1, false);
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i)
    for (int w = pieces[i].item->end; w < pieces[i + 1].item->start; ++w)
      if (w >= 0) chart.piece_ends[static_cast<std::size_t>(w)] = true;
}

// Whether the sentence is covered by one item; else its pieces in the cover
// go to `pieces`.
bool covered_whole(KorvelParser& parser, const SentenceView& sentence, const std::vector<RootItem>& roots,
                   std::vector<RootItem>& pieces) {
  if (one_root_covers(sentence, roots)) return true;
  pieces = best_cover(parser, roots, nullptr);
  return pieces.size() == 1;
}

// The third pass over a sentence the second left in pieces, with the
// last-resort links marked "anywhere" joining inside the first pass's
// pieces too: going on from the second pass's chart with the merges it
// kept for it, or parsing anew.
bool run_inside_pieces(KorvelParser& parser, const SentenceView& sentence, std::vector<RootItem>& roots) {
  Chart& chart = parser.chart();
  std::vector<RootItem> pieces;
  if (parser.anywhere_links == 0 || covered_whole(parser, sentence, roots, pieces)) return true;
  if (parser.continue_second_pass && chart.inside_merges.empty()) return true;
  chart.inside_pieces = true;
  chart.stats.passes = 3;
  if (parser.continue_second_pass) {
    chart.pool().keep_used();
    ChartParser(parser, sentence).join_inside_pieces();
    roots = collect_roots(parser);
    return true;
  }
  return parse_again(parser, sentence, roots);
}

}  // namespace

bool run_chart(KorvelParser& parser, const SentenceView& sentence, std::vector<RootItem>& roots) {
  Chart& chart = parser.chart();
  chart.last_resort = false;
  chart.inside_pieces = false;
  chart.stats.passes = 1;
  if (!ChartParser(parser, sentence).run()) return false;
  roots = collect_roots(parser);
  chart.piece_ends.clear();
  std::vector<RootItem> pieces;
  if (parser.last_resort_links == 0 || covered_whole(parser, sentence, roots, pieces)) return true;
  if (pieces.size() > 1) mark_piece_ends(chart, sentence, pieces);
  chart.last_resort = true;
  chart.stats.passes = 2;
  if (parser.continue_second_pass) {
    chart.pool().keep_used();
    ChartParser(parser, sentence).continue_run();
    roots = collect_roots(parser);
    return run_inside_pieces(parser, sentence, roots);
  }
  return parse_again(parser, sentence, roots) && run_inside_pieces(parser, sentence, roots);
}

std::vector<RootItem> collect_roots(KorvelParser& parser) {
  // Room for as many roots as the most a collection found so far: the list
  // is not moved as it grows.
  std::vector<RootItem> roots;
  roots.reserve(parser.chart().most_roots);
  const std::uint32_t collection = parser.chart().next_root_collection();
  const TypeId pitem = type_id("PItem*");
  const int last = parser.chart().sentence ? parser.chart().sentence->last_word() : 0;
  for (RootEntry& entry : parser.roots) {
    GCate& cate = *entry.category;
    // Most entries take every item at a constant cost: neither is
    // evaluated item by item.
    const bool every = entry.takes_every;
    const bool cost_varies = entry.cost && !entry.cost_fixed;
    const int fixed_cost = entry.fixed_cost;
    const auto take = [&](const std::vector<PItem*>* bucket) {
      if (!bucket) return;
      for (PItem* item : *bucket) {
        const Word input = reinterpret_cast<Word>(item);
        if (!every && (entry.plan ? !entry.plan->accepts(parser.conditions(), *item, parser.chart().item_changes)
                                  : entry.condition && entry.condition->eval(input, pitem) == 0))
          continue;
        if (item->root_collection == collection) continue;
        item->root_collection = collection;
        const int cost = cost_varies ? static_cast<int>(entry.cost->eval(input, pitem)) : fixed_cost;
        roots.push_back({item, cost, item->weight});
      }
    };
    const int n = cate.position_count();
    if (n >= CateChart::kFilledBits) {  // one bit would stand for several positions
      for (int end = last; end >= 0; --end) {
        for (int q = n; q >= 0; --q) {
          take(cate.chart().find_bucket(end, q));
          if (q < n && cate.is_obligatory(q)) break;
        }
      }
      continue;
    }
    const std::uint64_t scanned = root_positions(cate);
    for (int end = last; end >= 0; --end) {
      // The positions from the highest down whose buckets may hold items.
      for (std::uint64_t left = cate.chart().filled_positions(end) & scanned; left;) {
        const int q = 63 - std::countl_zero(left);
        left &= ~(std::uint64_t{1} << q);
        take(cate.chart().find_bucket(end, q));
      }
    }
  }
  parser.chart().stats.roots = roots.size();
  parser.chart().most_roots = std::max(parser.chart().most_roots, roots.size());
  return roots;
}

namespace {

// The triangular table of spans i..j (0 <= i <= j <= last).
class SpanTable {
 public:
  struct Cell {
    int root = -1;         // index of the root item that covers the span alone
    int split = -1;        // the left part is i..split, the right split+1..j
    float weight = -1.0f;  // -1: unset
  };
  explicit SpanTable(int last) : cells_(static_cast<std::size_t>((last + 1) * (last + 2) / 2)) {}
  Cell& at(int i, int j) { return cells_[static_cast<std::size_t>(j * (j + 1) / 2 + i)]; }

 private:
  std::vector<Cell> cells_;
};

bool is_punctuation(const char* word) {
  return word && *word && !std::isalnum(static_cast<unsigned char>(*word)) && static_cast<unsigned char>(*word) < 128;
}

bool single_punctuation(const char* word) { return is_punctuation(word) && word[1] == '\0'; }

void collect_cover(SpanTable& table, int i, int j, const std::vector<RootItem>& roots, std::vector<RootItem>& out) {
  SpanTable::Cell& cell = table.at(i, j);
  if (cell.root >= 0) {
    out.push_back(roots[static_cast<std::size_t>(cell.root)]);
  } else if (cell.split >= 0) {
    collect_cover(table, i, cell.split, roots, out);
    collect_cover(table, cell.split + 1, j, roots, out);
  }
}

}  // namespace

void report_sentence(const Chart& chart) {
  if (chart.report_stats) print_parse_stats(diag(), chart.stats);
}

namespace {

// Whether the root item's span lies inside words 1..last.
bool inside_sentence(const PItem& item, int last) {
  return item.start >= 0 && item.start <= item.end && item.end <= last;
}

// A root item's weight in the cover.
float cover_value(const RootItem& root) { return root.weight + static_cast<float>(root.extra_cost); }

// Whether the span's best root replaces the one kept so far.
bool better_root(float value, float kept) { return kept < 0.0f || value < kept; }

std::vector<RootItem> best_cover(KorvelParser& parser, const std::vector<RootItem>& roots, float* weight) {
  std::vector<RootItem> cover;
  if (weight) *weight = 0.0f;
  if (!parser.chart().sentence) return cover;
  const SentenceView& sentence = *parser.chart().sentence;
  const int words = sentence.last_word();
  if (words < 1) return cover;
  int largest_end = -1;
  for (const RootItem& root : roots)
    if (inside_sentence(*root.item, words)) largest_end = std::max<int>(largest_end, root.item->end);
  int last = words;
  while (last > largest_end && last > 1 && is_punctuation(sentence.word_at(last))) --last;
  // A span with a root item of its own is covered by its best root alone:
  // when one spans words 1..last, no split of the sentence is weighed.
  int whole = -1;
  float whole_value = -1.0f;
  for (std::size_t r = 0; r < roots.size(); ++r) {
    const PItem& item = *roots[r].item;
    if (item.start != 1 || item.end != last || !inside_sentence(item, words)) continue;
    const float value = cover_value(roots[r]);
    if (whole < 0 || better_root(value, whole_value)) {
      whole = static_cast<int>(r);
      whole_value = value;
    }
  }
  if (whole >= 0) {
    cover.push_back(roots[static_cast<std::size_t>(whole)]);
    if (weight) *weight = whole_value;
    return cover;
  }
  SpanTable table(words);
  for (std::size_t r = 0; r < roots.size(); ++r) {
    const PItem& item = *roots[r].item;
    if (!inside_sentence(item, words)) continue;
    const float value = cover_value(roots[r]);
    SpanTable::Cell& cell = table.at(item.start, item.end);
    if (better_root(value, cell.weight)) {
      cell.root = static_cast<int>(r);
      cell.weight = value;
    }
  }
  const TypeId text = ShellTypes::get().text;
  for (int w = 1; w <= last; ++w) {
    SpanTable::Cell& cell = table.at(w, w);
    if (cell.root >= 0) continue;
    const Word word = reinterpret_cast<Word>(sentence.word_at(w));
    cell.weight = parser.weights_of_words
                      ? static_cast<float>(static_cast<int>(parser.weights_of_words->eval(word, text)))
                      : 0.0f;
  }
  // The gap cost of a split after word m depends on words m and m + 1 only.
  std::vector<float> gap(static_cast<std::size_t>(last) + 1, kCoverGap);
  for (int m = 1; m < last; ++m)
    if (single_punctuation(sentence.word_at(m)) || single_punctuation(sentence.word_at(m + 1)))
      gap[static_cast<std::size_t>(m)] = kCoverPunctuationGap;
  // The weights again by start word, so that the left parts i..m of a span
  // lie side by side as its right parts m+1..j do in the table.
  const auto width = static_cast<std::size_t>(last) + 1;
  std::vector<float> by_start(width * width, -1.0f);
  const auto left_of = [&](int i) { return by_start.data() + static_cast<std::size_t>(i) * width; };
  for (int w = 1; w <= last; ++w) left_of(w)[w] = table.at(w, w).weight;
  for (int length = 2; length <= last; ++length) {
    for (int i = 1; i + length - 1 <= last; ++i) {
      const int j = i + length - 1;
      SpanTable::Cell& cell = table.at(i, j);
      if (cell.root < 0) {
        const float* left = left_of(i);
        const SpanTable::Cell* right = &table.at(0, j);  // right[k]: span k..j
        float best = cell.weight;
        int split = cell.split;
        for (int m = i; m < j; ++m) {
          const float sum = left[m] + right[m + 1].weight + gap[static_cast<std::size_t>(m)];
          if (best < 0.0f || sum < best) {
            best = sum;
            split = m;
          }
        }
        cell.weight = best;
        cell.split = split;
      }
      left_of(i)[j] = cell.weight;
    }
  }
  collect_cover(table, 1, last, roots, cover);
  if (weight) *weight = table.at(1, last).weight;
  return cover;
}

}  // namespace

std::vector<RootItem> choose_cover(KorvelParser& parser, const std::vector<RootItem>& roots, float* weight) {
  std::vector<RootItem> cover = best_cover(parser, roots, weight);
  report_sentence(parser.chart());
  return cover;
}

}  // namespace velmo
