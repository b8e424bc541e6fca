#pragma once
// Packing asks whether a new item's vector agrees with a stored one's on
// the category's visible attributes (AttVec::equals under that set). Most
// stored items of the same span that differ are readings of other words:
// they differ in the lexical item, a visible attribute whose values are
// told apart by their words alone. That attribute, asked first, turns
// them away before the whole vectors are compared.
#include <typeinfo>

#include "lexicon/attributes/att_interpreter.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/ent_att.h"
#include "lexicon/attributes/lbitset.h"

namespace velmo {

class VisibleEquality {
 public:
  // `first` is the index of the attribute asked first (-1: none); it is
  // asked only when it is visible and not binary. `first_slot`, when not
  // -1, is word_slot_of(type, first): the values are then read from the
  // blocks without calls.
  VisibleEquality(const LBitSet& visible, const AttInterpreterList* type, int first, int first_slot = -1)
      : visible_(visible), type_(type) {
    if (type && first >= 0 && first < type->count() && visible.test(static_cast<std::size_t>(first)) &&
        !type->is_binary(first)) {
      first_ = &type->attribute(first);
      first_slot_ = first_slot;
    }
  }

  // The word slot of attribute `index` of `type` when its value is that
  // word and equal values are equal words (an entity or a long value of
  // the plain classes, whose comparison is identity); else -1. The callers
  // that pack many items ask it once per type.
  static int word_slot_of(const AttInterpreterList* type, int index) {
    if (!type || index < 0 || index >= type->count()) return -1;
    const AttInterpreter& att = type->attribute(index);
    const std::type_info& kind = typeid(att);
    return kind == typeid(LongVAtt) || kind == typeid(EntAtt) ? att.slot() : -1;
  }

  // Whether `stored` and `vec` agree on the visible attributes, as
  // stored.equals(vec, &visible) answers.
  bool operator()(const AttVec& stored, const AttVec& vec) const {
    return !differ_in_first(stored, vec) && stored.equals(vec, &visible_);
  }

 private:
  // Different words whose values the attribute compares as unequal: the
  // vectors cannot be equal (equal words would say nothing, nor would an
  // attribute defined in one vector only, which equals also refuses).
  bool differ_in_first(const AttVec& stored, const AttVec& vec) const {
    if (!first_ || stored.type() != type_ || vec.type() != type_) return false;
    const int index = first_->index();
    if (!stored.defined(index) || !vec.defined(index)) return false;
    if (first_slot_ >= 0) return stored.word_at(first_slot_) != vec.word_at(first_slot_);
    const Word a = first_->get(stored);
    const Word b = first_->get(vec);
    return a != b && first_->compare(a, b) != 0;
  }

  const LBitSet& visible_;
  const AttInterpreterList* type_;
  const AttInterpreter* first_ = nullptr;
  int first_slot_ = -1;
};

}  // namespace velmo
