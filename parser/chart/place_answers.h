#pragma once
// Answers of the conditions that read only the words about an item (the
// words of its span, the word before its start, the words from its end on),
// kept per place for one sentence. Items of many categories share a span
// and ask it the same few word tests, so most questions find their answer
// here: a grid of cells indexed by a first and a last word, each cell one
// bit per condition, answers a question with two loads where a hash table
// would hash and probe. A generation count empties the grid for the next
// sentence without wiping it, the kept words with the answers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace velmo {

class PlaceAnswers {
 public:
  // Conditions that get a bit of their own; later ones are kept elsewhere
  // (the English grammar has about 190 of them).
  static constexpr int kSlotWords = 4;
  static constexpr int kSlots = 64 * kSlotWords;
  // Places from -1 to kWords - 2 on either axis are kept.
  static constexpr int kWords = 128;

  // The answers of the conditions at one place: bit s of `known` tells
  // whether slot s was answered there, the same bit of `accepted` its answer.
  // A span's cell also keeps the span's words once a test of them needed
  // them (null until then): the other tests of the span read them there.
  struct Cell {
    std::uint64_t known[kSlotWords] = {};
    std::uint64_t accepted[kSlotWords] = {};
    const char* words = nullptr;
    std::uint32_t generation = 0;

    bool knows(int slot) const { return (known[slot / 64] >> (slot % 64)) & 1u; }
    bool answer(int slot) const { return (accepted[slot / 64] >> (slot % 64)) & 1u; }
    void keep(int slot, bool answer) {
      const std::uint64_t bit = std::uint64_t{1} << (slot % 64);
      known[slot / 64] |= bit;
      if (answer)
        accepted[slot / 64] |= bit;
      else
        accepted[slot / 64] &= ~bit;
    }
  };

  // A bit for another condition, or -1 when all are taken.
  int add_slot() { return slots_ < kSlots ? slots_++ : -1; }
  int slots() const { return slots_; }

  // The cell of place (first, last), empty when nothing was kept there in
  // this sentence; null when the place lies outside the grid. The cell
  // stays where it is while the grid lives.
  Cell* cell(int first, int last) {
    if (first < -1 || last < -1 || first > kWords - 2 || last > kWords - 2) return nullptr;
    if (!cells_) allocate();
    Cell& at = cells_[static_cast<std::size_t>(first + 1) * kWords + static_cast<std::size_t>(last + 1)];
    if (at.generation != generation_) {
      // An answer is read only where its bit is known: the answer bits
      // need no clearing.
      for (std::uint64_t& word : at.known) word = 0;
      at.words = nullptr;
      at.generation = generation_;
    }
    return &at;
  }

  // The cell of place (first, last) when something was kept there in this
  // sentence; else null (so is a place outside the grid).
  const Cell* kept_cell(int first, int last) const {
    if (!cells_ || first < -1 || last < -1 || first > kWords - 2 || last > kWords - 2) return nullptr;
    const Cell& at = cells_[static_cast<std::size_t>(first + 1) * kWords + static_cast<std::size_t>(last + 1)];
    return at.generation == generation_ ? &at : nullptr;
  }

  // Forgets every answer.
  void clear() {
    if (++generation_ == 0) {  // the counter wrapped: wipe once
      if (cells_)
        for (std::size_t i = 0; i < kCells; ++i) cells_[i].generation = 0;
      generation_ = 1;
    }
  }

 private:
  static constexpr std::size_t kCells = static_cast<std::size_t>(kWords) * kWords;
  struct FreeCells {
    void operator()(Cell* cells) const { std::free(cells); }
  };
  // The grid comes zeroed from the system (a cell of zeros belongs to no
  // generation, so it is empty): filling a megabyte with empty cells would
  // cost more than the first sentence's questions.
  void allocate() {
    cells_.reset(static_cast<Cell*>(std::calloc(kCells, sizeof(Cell))));
    if (!cells_) throw std::bad_alloc();
  }

  int slots_ = 0;
  std::uint32_t generation_ = 1;
  std::unique_ptr<Cell[], FreeCells> cells_;  // allocated at the first question
};

}  // namespace velmo
