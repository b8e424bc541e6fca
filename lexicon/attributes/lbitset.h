#pragma once
// A growable bit set whose representation is shared between copies and
// copied on the first change of a shared one. Bit i lives in bit i % 32 of
// word i / 32.
#include <cstddef>
#include <cstdint>

namespace velmo {

class LBitSetRep {
 public:
  LBitSetRep(std::size_t word_count, bool fixed);
  ~LBitSetRep();
  LBitSetRep(const LBitSetRep&) = delete;
  LBitSetRep& operator=(const LBitSetRep&) = delete;

  // A private copy with room for at least `word_count` words.
  LBitSetRep* copy(std::size_t word_count) const;

  int refs = 1;
  std::size_t word_count;
  bool fixed;  // a fixed set ignores bits beyond its words instead of growing
  std::uint32_t* words;
};

class LBitSet {
 public:
  // Room for `bits` bits; more are added as bits beyond are set, unless fixed.
  explicit LBitSet(std::size_t bits = 0, bool fixed = false);
  LBitSet(const LBitSet& other);
  LBitSet& operator=(const LBitSet& other);
  ~LBitSet();

  bool test(std::size_t bit) const {
    const std::size_t w = bit / 32;
    return w < rep_->word_count && ((rep_->words[w] >> (bit % 32)) & 1u);
  }
  void set(std::size_t bit);
  void reset(std::size_t bit);
  void clear();

  // Word k of the set; 0 beyond the stored words.
  std::uint32_t word(std::size_t k) const { return k < rep_->word_count ? rep_->words[k] : 0; }
  std::size_t word_count() const { return rep_->word_count; }
  std::size_t count() const;
  bool none() const;
  bool shares_with(const LBitSet& other) const { return rep_ == other.rep_; }
  bool operator==(const LBitSet& other) const;

 private:
  // Makes the representation private with room for `word_count` words.
  void own(std::size_t word_count);

  LBitSetRep* rep_;
};

}  // namespace velmo
