#pragma once
// An attribute value vector: which attributes of its type are defined and
// their values, in one block of memory laid out by the type (word area, the
// defined and binary-value bit sets, byte area). Copying a vector of plain
// attributes copies the block; unifying plain attributes touches no heap.
#include <cstddef>
#include <bit>
#include <cstdint>
#include <ostream>
#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/lbitset.h"
#include "shell/support/ref_ptr.h"

namespace velmo {

class ByteCursor;
class IRSlist;
class StrBufs;

class AttVec : public RefCounted<AttVec> {
 public:
  // An empty vector; without a type it reports and stays unusable.
  explicit AttVec(const AttInterpreterList* type);
  // Reads the vector from a text list (attributes and aliases mixed).
  AttVec(const AttInterpreterList* type, IRSlist& text);
  AttVec(const AttVec& other);
  // A copy restricted to the attributes of `mask`.
  AttVec(const AttVec& other, const LBitSet* mask);
  AttVec& operator=(const AttVec& other);
  ~AttVec();

  // Sharing: holders of a shared vector count their references through
  // RefCounted (add_ref, drop_ref, drop_if_unclaimed) or hold a RefPtr.

  const AttInterpreterList* type() const { return type_; }
  bool usable() const { return block_ != nullptr; }
  int size() const { return type_ ? type_->count() : 0; }

  // ---- Single attributes (indices of the type).
  // Inline: the parser asks it millions of times per text.
  bool defined(int index) const { return test_bit(defined_bits(), index); }
  Word get(int index) const;
  void set(int index, Word value);
  void remove(int index);
  const char* att_name(int index) const;
  // Text of a defined value; empty when undefined.
  std::string str_val(int index) const;
  bool empty() const;
  std::size_t defined_count() const;
  LBitSet defined_set() const;
  void clear();

  // ---- Reading from text (into this vector, unifying).
  void read(IRSlist& text, int depth = 0);

  // ---- Whole-vector operations; a mask restricts them to its attributes.
  bool unify(const AttVec& other, const LBitSet* mask = nullptr, bool set_flag = true);
  bool unifiable(const AttVec& other, const LBitSet* mask = nullptr) const;
  void merge(const AttVec& other, const LBitSet* mask = nullptr);
  void overwrite(const AttVec& other, const LBitSet* mask = nullptr);
  void generalize(const AttVec& other, const LBitSet* mask = nullptr);
  void subtract(const AttVec& other, const LBitSet* mask = nullptr);
  int compare(const AttVec& other, const LBitSet* mask = nullptr) const;
  // Whether compare() gives 0 (same attributes, equal values), stopping at
  // the first difference.
  bool equals(const AttVec& other, const LBitSet* mask = nullptr) const;
  // Sum of the weights of the attributes on which the two disagree.
  float distance(const AttVec& other) const;
  // For an attribute (not binary) defined in both vectors: whether the
  // attribute's comparison of the two values gives 0 (same_value), or 0 or
  // -1, this value containing the other's (contains_value). Plain values are
  // compared in place, without the interpreter's virtual calls.
  bool same_value(int index, const AttVec& other) const;
  bool contains_value(int index, const AttVec& other) const;

  // ---- Binary form.
  void pack(StrBufs& out) const;
  // Defines what the form holds; false on a truncated or corrupt form.
  bool unpack(ByteCursor& in);

  // ---- Printing.
  void print(std::ostream& out, const LBitSet* filter = nullptr, bool abbreviate = false) const;
  std::string text(const LBitSet* filter = nullptr, bool abbreviate = false) const;

  // ---- Storage, for the attribute interpreters.
  Word word_at(int slot) const { return slot < layout_.words ? block_[slot] : 0; }
  void set_word(int slot, Word w);
  std::uint8_t byte_at(int slot) const { return slot < layout_.bytes ? bytes()[slot] : 0; }
  void set_byte(int slot, std::uint8_t b);
  bool binary_value(int index) const { return test_bit(binary_bits(), index); }
  // The attributes the block has room for (the type's count, unless the
  // type gained attributes after the block was laid out), and word k of
  // its defined set and of its binary values (k below (count + 31) / 32):
  // tests bound to a type read whole words of both sets.
  int laid_out_atts() const { return layout_.atts; }
  std::uint32_t defined_word_at(int k) const { return defined_bits()[k]; }
  std::uint32_t binary_word_at(int k) const { return binary_bits()[k]; }
  void set_binary_value(int index, bool on);
  void mark_defined(int index);
  void mark_undefined(int index);

 private:
  std::uint32_t* defined_bits() const { return reinterpret_cast<std::uint32_t*>(block_ + layout_.words); }
  std::uint32_t* binary_bits() const { return defined_bits() + layout_.bit_words(); }
  std::uint8_t* bytes() const { return reinterpret_cast<std::uint8_t*>(binary_bits() + layout_.bit_words()); }
  // False for an index outside [0, atts): one unsigned comparison tells
  // both ends, and the word and bit of an index known not to be negative
  // are a shift and a mask.
  bool test_bit(const std::uint32_t* bits, int index) const {
    const auto at = static_cast<unsigned>(index);
    return at < static_cast<unsigned>(layout_.atts) && ((bits[at / 32] >> (at % 32)) & 1u);
  }
  // Word k of the defined set restricted to a mask.
  std::uint32_t defined_word(int k, const LBitSet* mask) const {
    const std::uint32_t w = k < layout_.bit_words() ? defined_bits()[k] : 0;
    return mask ? w & mask->word(static_cast<std::size_t>(k)) : w;
  }
  void allocate_block();
  void free_block();
  // Re-lays the block when the type gained attributes after it was made.
  void grow_to_type();
  void ensure_index(int index) {
    if (index >= layout_.atts) grow_to_type();
  }
  // Takes references on the shared values copied with the block.
  void claim_shared_values();
  // Gives up the references of the shared values the vector holds.
  void release_shared_values();
  // Calls f(index) for every defined attribute whose value is shared.
  template <class F>
  void for_each_shared_value(F&& f) const;
  void copy_from(const AttVec& other);
  // operator= into this vector's own block, when the layouts agree (and
  // the type has at most 32 * kMaxInPlaceBitWords attributes).
  static constexpr int kMaxInPlaceBitWords = 8;
  bool assign_in_place(const AttVec& other);
  // Whether an attribute (not binary) defined in both vectors unifies.
  bool value_unifiable(int index, const AttVec& other) const;
  bool unify_binary(int index, const AttVec& other, bool set_flag);
  // Unifies one attribute of `other` into this vector, by the type's
  // shortcut for plain classes, else by the interpreter.
  bool unify_attribute(int index, const AttVec& other, bool set_flag);
  template <class T>
  static bool unify_plain(AttInterpreter::UnifyRule rule, bool defined, T& mine, T theirs, bool set_flag);
  int compare_defined_sets(const AttVec& other, const LBitSet* mask) const;
  void print_attributes(std::ostream& out, const LBitSet* filter, bool abbreviate) const;

  const AttInterpreterList* type_;
  Word* block_ = nullptr;
  AttLayout layout_;
};

// Iterates over the set bits of `word`, calling f(bit index) with `base` added.
template <class F>
inline void for_each_bit(std::uint32_t word, int base, F&& f) {
  while (word) {
    const int bit = std::countr_zero(word);
    f(base + bit);
    word &= word - 1;
  }
}

template <class F>
void AttVec::for_each_shared_value(F&& f) const {
  for (int k = 0; k < layout_.bit_words(); ++k)
    for_each_bit(defined_bits()[k] & type_->shared_word(static_cast<std::size_t>(k)), k * 32, f);
}

}  // namespace velmo
