#include "lexicon/attributes/att_test.h"

#include <algorithm>

namespace velmo {

bool AttTest::holds(const AttVec& vec, const AttVec* other) const {
  if (!vec.usable()) return false;
  switch (kind_) {
    case Kind::kDefined:
      for (int index : indices_)
        if (!vec.defined(index)) return false;
      return true;
    case Kind::kDefinedOneOf:
      return any_defined(vec);
    default:
      break;
  }
  if (!other || other->type() != vec.type()) return false;
  switch (kind_) {
    case Kind::kUnifiable:
      return vec.unifiable(*other, &mask_);
    case Kind::kStrictUnifiable:
      return any_defined(vec) && vec.unifiable(*other, &mask_);
    case Kind::kContain:
      return contains(vec, *other);
    default:
      return false;
  }
}

bool AttTest::any_defined(const AttVec& vec) const {
  for (int index : indices_)
    if (vec.defined(index)) return true;
  return false;
}

// Every listed attribute defined, and its value equal to the other's or
// (for complex values) containing it by the attribute's comparison.
bool AttTest::contains(const AttVec& vec, const AttVec& other) const {
  for (int index : indices_) {
    if (!vec.defined(index)) return false;
    if (!other.defined(index)) continue;
    if (vec.type()->is_binary(index)) {
      if (vec.binary_value(index) != other.binary_value(index)) return false;
      continue;
    }
    if (!vec.contains_value(index, other)) return false;
  }
  return true;
}

}  // namespace velmo

namespace velmo {

BoundAttTest::BoundAttTest(const AttTest& test, const AttVec* other) : test_(&test), other_(other) {
  if (!test.compares()) {
    bind_defined(test);
    return;
  }
  // A comparison with a missing or unusable vector keeps the test's own
  // rules.
  if (!other || !other->usable() || !other->type()) return;
  type_ = other->type();
  type_count_ = type_->count();
  bit_words_.resize(static_cast<std::size_t>((type_count_ + 31) / 32));
  for (int index : test.indices()) {
    if (index < 0 || index >= type_count_) {
      listed_outside_ = true;
      continue;
    }
    bit_words_[static_cast<std::size_t>(index / 32)].listed |= 1u << (index % 32);
  }
  if (test.kind() == AttTest::Kind::kContain) {
    for (int index : test.indices())
      if (other->defined(index)) add_compared(index);
  } else {
    for (int index = 0; index < type_count_; ++index)
      if (test.mask().test(static_cast<std::size_t>(index)) && other->defined(index)) add_compared(index);
  }
  for (std::size_t k = 0; k < bit_words_.size(); ++k) bit_words_[k].word = static_cast<int>(k);
  std::erase_if(bit_words_, [](const BitWord& bits) { return bits.binary == 0 && bits.listed == 0; });
  for (const Check& check : checks_)
    if (check.how == Compare::kInterpreter) plain_checks_ = false;
  switch (test.kind()) {
    case AttTest::Kind::kUnifiable:
      mode_ = Mode::kUnifiable;
      break;
    case AttTest::Kind::kStrictUnifiable:
      mode_ = Mode::kStrictUnifiable;
      break;
    case AttTest::Kind::kContain:
      mode_ = Mode::kContain;
      break;
    default:
      break;
  }
}

void BoundAttTest::bind_defined(const AttTest& test) {
  int highest = -1;
  for (int index : test.indices()) {
    // A negative index is never defined: left to the test itself.
    if (index < 0) return;
    highest = std::max(highest, index);
  }
  type_count_ = highest + 1;
  bit_words_.resize(static_cast<std::size_t>((type_count_ + 31) / 32));
  for (int index : test.indices()) bit_words_[static_cast<std::size_t>(index / 32)].listed |= 1u << (index % 32);
  for (std::size_t k = 0; k < bit_words_.size(); ++k) bit_words_[k].word = static_cast<int>(k);
  std::erase_if(bit_words_, [](const BitWord& bits) { return bits.listed == 0; });
  mode_ = test.kind() == AttTest::Kind::kDefined ? Mode::kDefined : Mode::kDefinedOneOf;
}

void BoundAttTest::add_compared(int index) {
  using Rule = AttInterpreter::UnifyRule;
  const int word = index / 32;
  const std::uint32_t bit = 1u << (index % 32);
  if (type_->is_binary(index)) {
    BitWord& bits = bit_words_[static_cast<std::size_t>(word)];
    bits.binary |= bit;
    if (other_->binary_value(index)) bits.values |= bit;
    return;
  }
  const AttInterpreterList::UnifyShortcut& cut = type_->shortcut(index);
  const Word byte = other_->byte_at(cut.slot);
  const Word value_word = other_->word_at(cut.slot);
  auto check = [&](Compare how, Word value) { checks_.push_back(Check{index, how, cut.slot, value, word, bit}); };
  if (test_->kind() == AttTest::Kind::kContain) {
    switch (cut.rule) {
      case Rule::kEqualByte:
      case Rule::kKeepByte:
        return check(Compare::kEqualByte, byte);
      case Rule::kMaskByte:
        return check(Compare::kCoversMask, byte);
      default:
        return check(Compare::kInterpreter, 0);
    }
  }
  switch (cut.rule) {
    case Rule::kKeepByte:
      return;  // any value unifies
    case Rule::kEqualByte:
      return check(Compare::kEqualByte, byte);
    case Rule::kEqualWord:
      return check(Compare::kEqualWord, value_word);
    case Rule::kMaskByte:
      return check(Compare::kMaskByte, byte);
    case Rule::kMaskWord:
      return check(Compare::kMaskWord, value_word);
    case Rule::kCallUnifyVal:
      break;
  }
  check(Compare::kInterpreter, 0);
}

inline bool BoundAttTest::passes_plain(const Check& check, const AttVec& vec) {
  switch (check.how) {
    case Compare::kEqualByte:
      return vec.byte_at(check.slot) == check.value;
    case Compare::kEqualWord:
      return vec.word_at(check.slot) == check.value;
    case Compare::kMaskByte: {
      const Word mine = vec.byte_at(check.slot);
      return (mine == 0 && check.value == 0) || (mine & check.value) != 0;
    }
    case Compare::kMaskWord: {
      const Word mine = vec.word_at(check.slot);
      return (mine == 0 && check.value == 0) || (mine & check.value) != 0;
    }
    case Compare::kCoversMask: {
      const Word mine = vec.byte_at(check.slot);
      return check.value == 0 ? mine == 0 : (mine & check.value) == check.value;
    }
    case Compare::kInterpreter:
      return false;
  }
  __builtin_unreachable();  // add_compared() gives every check one of the comparisons above
}

bool BoundAttTest::passes(const Check& check, const AttVec& vec) const {
  if (check.how != Compare::kInterpreter) return passes_plain(check, vec);
  if (test_->kind() == AttTest::Kind::kContain) return vec.contains_value(check.index, *other_);
  // The interpreter's unification without the set flag changes nothing.
  const AttInterpreter& att = type_->attribute(check.index);
  return att.unify_val(const_cast<AttVec&>(vec), att.get(*other_), false);
}

bool BoundAttTest::checks_pass(const AttVec& vec, bool all) const {
  for (const Check& check : checks_)
    if ((all || (vec.defined_word_at(check.word) & check.bit)) && !passes(check, vec)) return false;
  return true;
}

bool BoundAttTest::general(const AttVec& vec) const { return test_->holds(vec, other_); }

// The hot path reads the vector's bit words and plain values alone; what
// needs more (the test's own rules, the interpreter) is a call of its own,
// so that answering by words sets up no frame.
bool BoundAttTest::holds(const AttVec& vec) const {
  switch (mode_) {
    case Mode::kGeneral:
      return general(vec);
    case Mode::kDefined:
      if (!vec.usable() || vec.laid_out_atts() < type_count_) return general(vec);
      for (const BitWord& bits : bit_words_)
        if ((vec.defined_word_at(bits.word) & bits.listed) != bits.listed) return false;
      return true;
    case Mode::kDefinedOneOf:
      if (!vec.usable() || vec.laid_out_atts() < type_count_) return general(vec);
      for (const BitWord& bits : bit_words_)
        if (vec.defined_word_at(bits.word) & bits.listed) return true;
      return false;
    default:
      break;
  }
  // A vector of another type, or a type that gained attributes since the
  // test was bound (or since the vector's block was laid out), is left to
  // the test's general rules.
  if (vec.type() != type_ || type_->count() != type_count_) return general(vec);
  if (!vec.usable()) return false;
  if (vec.laid_out_atts() != type_count_) return general(vec);
  if (mode_ == Mode::kContain) {
    // Every listed attribute defined, a binary one with the constant's
    // value where the constant has one, any other containing the
    // constant's.
    if (listed_outside_) return false;
    for (const BitWord& bits : bit_words_) {
      const int at = bits.word;
      if ((vec.defined_word_at(at) & bits.listed) != bits.listed) return false;
      if (bits.binary & (vec.binary_word_at(at) ^ bits.values)) return false;
    }
    if (!plain_checks_) return checks_pass(vec, true);
    for (const Check& check : checks_)
      if (!passes_plain(check, vec)) return false;
    return true;
  }
  // An attribute the vector leaves undefined takes any value; a binary one
  // defined on both sides must have the constant's value. A strict test
  // wants a listed attribute defined as well.
  std::uint32_t listed_defined = 0;
  for (const BitWord& bits : bit_words_) {
    const int at = bits.word;
    const std::uint32_t defined = vec.defined_word_at(at);
    listed_defined |= defined & bits.listed;
    if (defined & bits.binary & (vec.binary_word_at(at) ^ bits.values)) return false;
  }
  if (mode_ == Mode::kStrictUnifiable && !listed_defined) return false;
  if (!plain_checks_) return checks_pass(vec, false);
  for (const Check& check : checks_)
    if ((vec.defined_word_at(check.word) & check.bit) && !passes_plain(check, vec)) return false;
  return true;
}

}  // namespace velmo
