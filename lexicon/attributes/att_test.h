#pragma once
// A test that reads an attribute vector and changes nothing: whether listed
// attributes are defined, or whether the vector unifies with or contains a
// second vector on them. The attribute names are resolved to indices and a
// mask when the test is built, so answering it only reads the vector's
// block.
#include <cstdint>
#include <utility>
#include <vector>

#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/lbitset.h"

namespace velmo {

class AttTest {
 public:
  enum class Kind : std::uint8_t {
    kDefined,          // every listed attribute is defined
    kDefinedOneOf,     // at least one listed attribute is defined
    kUnifiable,        // the vector unifies with the other on the listed attributes
    kStrictUnifiable,  // as kUnifiable, and a listed attribute is defined
    kContain,          // the listed attributes are defined and contain the other's values
  };

  AttTest(Kind kind, std::vector<int> indices, LBitSet mask)
      : kind_(kind), indices_(std::move(indices)), mask_(std::move(mask)) {}

  Kind kind() const { return kind_; }
  // Whether the test compares the vector with a second one.
  bool compares() const { return kind_ != Kind::kDefined && kind_ != Kind::kDefinedOneOf; }

  // The answer for `vec`; `other` is the second vector of a comparison
  // (none, or one of another type, answers false). An unusable vector
  // answers false.
  bool holds(const AttVec& vec, const AttVec* other) const;

 private:
  bool any_defined(const AttVec& vec) const;
  bool contains(const AttVec& vec, const AttVec& other) const;

  Kind kind_;
  std::vector<int> indices_;
  LBitSet mask_;
};

}  // namespace velmo
