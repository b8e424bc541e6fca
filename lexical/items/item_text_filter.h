#pragma once
// Which texts the items of a sentence may hold as roots or endings: a bit
// per hash of the text, ignoring ASCII case, set whenever an item enters the
// lattice's lists or gets a new root, and cleared only with the sentence. A
// bit may stand for a text no live item holds any more (a deleted item, a
// replaced root, another text of the same hash), never the other way round:
// a clear bit means that no item holds any text of that hash.
//
// Most lexical rules look for a few roots ("to", "be") or one ending, and
// most sentences hold none of them: such a rule then skips the sentence
// without looking at its items.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmo {

class LexItem;

class ItemTextFilter {
 public:
  static constexpr std::size_t kBits = 1024;

  // The bit of `text`; texts equal but for ASCII case share it.
  static std::uint16_t bit_of(std::string_view text);

  // Notes the item's root and endings.
  void note(const LexItem& item);
  void note_text(const char* text) {
    if (text) bits_.set(bit_of(text));
  }
  void note_bit(std::uint16_t bit) { bits_.set(bit); }
  // False when no item noted since the last clear holds a text of this bit.
  bool may_hold(std::uint16_t bit) const { return bits_.test(bit); }
  // Whether the two filters share a bit: false when no text noted in one
  // has the hash of a text noted in the other.
  bool shares_bit_with(const ItemTextFilter& other) const { return (bits_ & other.bits_).any(); }
  void clear() { bits_.reset(); }

 private:
  std::bitset<kBits> bits_;
};

}  // namespace velmo
