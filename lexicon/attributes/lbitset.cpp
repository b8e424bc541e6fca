#include "lexicon/attributes/lbitset.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace velmo {

namespace {
std::size_t words_for(std::size_t bits) { return (bits + 31) / 32; }
}  // namespace

LBitSetRep::LBitSetRep(std::size_t count, bool is_fixed)
    : word_count(count), fixed(is_fixed), words(new std::uint32_t[std::max<std::size_t>(count, 1)]()) {}

LBitSetRep::~LBitSetRep() { delete[] words; }

LBitSetRep* LBitSetRep::copy(std::size_t count) const {
  auto* rep = new LBitSetRep(std::max(count, word_count), fixed);
  std::memcpy(rep->words, words, word_count * sizeof(std::uint32_t));
  return rep;
}

LBitSet::LBitSet(std::size_t bits, bool fixed) : rep_(new LBitSetRep(words_for(bits), fixed)) {}

LBitSet::LBitSet(const LBitSet& other) : rep_(other.rep_) { ++rep_->refs; }

LBitSet& LBitSet::operator=(const LBitSet& other) {
  ++other.rep_->refs;
  if (--rep_->refs == 0) delete rep_;
  rep_ = other.rep_;
  return *this;
}

LBitSet::~LBitSet() {
  if (--rep_->refs == 0) delete rep_;
}

void LBitSet::own(std::size_t count) {
  if (rep_->refs == 1 && count <= rep_->word_count) return;
  // Grow by a quarter plus 4 words so that setting bits one by one stays linear.
  const std::size_t grown =
      count <= rep_->word_count ? rep_->word_count : std::max(count, rep_->word_count + rep_->word_count / 4 + 4);
  LBitSetRep* rep = rep_->copy(grown);
  if (--rep_->refs == 0) delete rep_;
  rep_ = rep;
}

void LBitSet::set(std::size_t bit) {
  const std::size_t w = bit / 32;
  if (w >= rep_->word_count && rep_->fixed) return;
  if (test(bit)) return;
  own(w + 1);
  rep_->words[w] |= 1u << (bit % 32);
}

void LBitSet::reset(std::size_t bit) {
  if (!test(bit)) return;
  own(0);
  rep_->words[bit / 32] &= ~(1u << (bit % 32));
}

void LBitSet::clear() {
  if (none()) return;
  own(0);
  std::memset(rep_->words, 0, rep_->word_count * sizeof(std::uint32_t));
}

std::size_t LBitSet::count() const {
  std::size_t n = 0;
  for (std::size_t k = 0; k < rep_->word_count; ++k) n += std::popcount(rep_->words[k]);
  return n;
}

bool LBitSet::none() const {
  for (std::size_t k = 0; k < rep_->word_count; ++k)
    if (rep_->words[k]) return false;
  return true;
}

bool LBitSet::operator==(const LBitSet& other) const {
  const std::size_t n = std::max(word_count(), other.word_count());
  for (std::size_t k = 0; k < n; ++k)
    if (word(k) != other.word(k)) return false;
  return true;
}

}  // namespace velmo
