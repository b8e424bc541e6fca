#include "lexicon/attributes/att_test.h"

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
