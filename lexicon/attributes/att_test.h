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
  const std::vector<int>& indices() const { return indices_; }
  const LBitSet& mask() const { return mask_; }
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

// An AttTest whose second vector is a constant known when the test is
// built: which listed attributes the constant defines, and its values
// there, are read once, so an answer reads the tested vector alone instead
// of walking both vectors' defined sets. Gives what test.holds(vec, other)
// gives; both the test and the constant must outlive it.
class BoundAttTest {
 public:
  BoundAttTest(const AttTest& test, const AttVec* other);

  bool holds(const AttVec& vec) const;

 private:
  // How one attribute the constant defines is compared with the vector's.
  enum class Compare : std::uint8_t {
    kBinary,       // the binary values are equal
    kEqualByte,    // the bytes are equal
    kEqualWord,    // the words are equal
    kMaskByte,     // byte masks: both empty, or sharing a bit
    kMaskWord,     // word masks: both empty, or sharing a bit
    kAlways,       // any value passes
    kCoversMask,   // the vector's mask holds every bit of the constant's (none: empty too)
    kInterpreter,  // the attribute interpreter decides
  };
  struct Check {
    int index;
    Compare how;
    int slot;
    Word value;  // the constant's byte or word
  };
  bool unifies(const AttVec& vec) const;
  bool contains(const AttVec& vec) const;
  bool any_listed_defined(const AttVec& vec) const;
  bool passes(const Check& check, const AttVec& vec) const;
  // The check of one attribute the constant defines.
  Check check_for(int index) const;

  const AttTest* test_;
  const AttVec* other_;
  const AttInterpreterList* type_ = nullptr;  // the constant's type, with
  int type_count_ = 0;                        // this many attributes when bound
  bool bound_ = false;                        // false: the test itself answers
  std::vector<Check> checks_;
};

}  // namespace velmo
