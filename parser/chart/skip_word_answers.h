#pragma once
// Answers of the grammar's skip-word conditions for the words of one
// sentence. A skip-word condition reads only the word's text, and the
// same few punctuation lists are asked about the same words many times
// while a chart grows, so each (condition, word) pair is evaluated once
// and its answer kept here.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmo {

class SkipWordAnswers {
 public:
  // `conditions` distinct condition ids (0..conditions-1), words at
  // positions 0..positions-1.
  SkipWordAnswers(int conditions, int positions)
      : conditions_(conditions > 0 ? conditions : 0), positions_(positions > 0 ? positions : 0) {}

  // The answer of condition `id` for the word at `w`, computed by
  // `compute()` the first time it is asked. Pairs outside the table are
  // computed every time.
  template <typename Compute>
  bool answer(int id, int w, Compute&& compute) {
    if (id < 0 || id >= conditions_ || w < 0 || w >= positions_) return compute();
    if (answers_.empty()) answers_.assign(static_cast<std::size_t>(conditions_) * positions_, kUnknown);
    std::int8_t& kept = answers_[static_cast<std::size_t>(id) * positions_ + static_cast<std::size_t>(w)];
    if (kept == kUnknown) kept = compute() ? 1 : 0;
    return kept != 0;
  }

 private:
  static constexpr std::int8_t kUnknown = -1;

  int conditions_;
  int positions_;
  std::vector<std::int8_t> answers_;  // allocated at the first question
};

}  // namespace velmo
