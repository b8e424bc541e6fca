#include "parser/chart/chart.h"

#include <algorithm>
#include <ctime>

namespace velmo {

double process_cpu_seconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

PItem* Chart::counted(PItem* item) {
  if (item)
    ++stats.made;
  else
    stats.pool_exhausted = true;
  return item;
}

void Chart::reset(int words) {
  sentence_started_cpu = process_cpu_seconds();
  pool_.free_all();
  pool_.clear_exhausted();
  stats = ParseStats{};
  sentence.reset();
  last_resort = false;
  piece_ends.clear();
  inside_pieces = false;
  forget_passes();
  stored_by_span.clear();
  spans_moved = false;
  start_list.clear();
  case_marked.clear();
  oblique_case_marked.clear();
  const auto n = static_cast<std::size_t>(std::max(words, 0)) + 1;
  bracket_low_.assign(n, -1);
  bracket_high_.assign(n, INT_MAX);
  bracketed_ = false;
}

void Chart::forget_passes() {
  first_pass.clear();
  inside_merges.clear();
  continuing = false;
  left_scan_places.clear();
  right_scan_places.clear();
}

void Chart::clear_items() {
  pool_.free_all();
  forget_passes();
  stored_by_span.clear();
  spans_moved = false;
  pool_.clear_exhausted();
  start_list.clear();
  case_marked.clear();
  oblique_case_marked.clear();
}

int Chart::bracket_low(int word) const {
  return word >= 0 && static_cast<std::size_t>(word) < bracket_low_.size() ? bracket_low_[word] : -1;
}

int Chart::bracket_high(int word) const {
  return word >= 0 && static_cast<std::size_t>(word) < bracket_high_.size() ? bracket_high_[word] : INT_MAX;
}

void Chart::isolate(int i, int j) {
  if (i >= j || i < 0 || j > kMaxBracketWord) return;
  bracketed_ = true;
  if (static_cast<std::size_t>(j) >= bracket_low_.size()) {
    bracket_low_.resize(static_cast<std::size_t>(j) + 1, -1);
    bracket_high_.resize(static_cast<std::size_t>(j) + 1, INT_MAX);
  }
  for (int w = i; w < j; ++w) bracket_low_[w] = std::max(bracket_low_[w], i);
  for (int w = i + 1; w <= j; ++w) bracket_high_[w] = std::min(bracket_high_[w], j);
}

bool Chart::crosses_marked_bracket(int start, int end) const {
  return bracket_high(start) < end || bracket_low(end) > start;
}

}  // namespace velmo
