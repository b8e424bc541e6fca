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
// of walking both vectors' defined sets. Binary attributes and the listed
// set are compared a word of the vector's bit sets at a time; each other
// attribute the constant defines is one check of its byte or word. Gives
// what test.holds(vec, other) gives; both the test and the constant must
// outlive it.
class BoundAttTest {
 public:
  BoundAttTest(const AttTest& test, const AttVec* other);

  bool holds(const AttVec& vec) const;

 private:
  // How the test is answered: by the test itself, or read from the
  // vector's bit words (definedness, whatever the vector's type; a
  // comparison, for a vector of the constant's type).
  enum class Mode : std::uint8_t {
    kGeneral,
    kDefined,
    kDefinedOneOf,
    kUnifiable,
    kStrictUnifiable,
    kContain,
  };
  // How one attribute (not binary) the constant defines is compared with
  // the vector's.
  enum class Compare : std::uint8_t {
    kEqualByte,    // the bytes are equal
    kEqualWord,    // the words are equal
    kMaskByte,     // byte masks: both empty, or sharing a bit
    kMaskWord,     // word masks: both empty, or sharing a bit
    kCoversMask,   // the vector's mask holds every bit of the constant's (none: empty too)
    kInterpreter,  // the attribute interpreter decides
  };
  struct Check {
    int index;
    Compare how;
    int slot;
    Word value;          // the constant's byte or word
    int word;            // index / 32: the word of the vector's defined set
    std::uint32_t bit;   // 1 << index % 32: the attribute's bit there
  };
  // Per word k of the bit sets: the binary attributes compared (the
  // constant defines them and the test looks at them), the constant's
  // values of those, and the attributes the test lists.
  struct BitWord {
    std::uint32_t binary = 0;
    std::uint32_t values = 0;
    std::uint32_t listed = 0;
    int word = 0;  // k
  };
  // The test's own answer, for the vectors the bit words do not serve.
  bool general(const AttVec& vec) const;
  // Whether the checks pass, those of attributes the vector leaves
  // undefined too (`all`) or only those it defines; for checks of which
  // some ask the interpreter.
  bool checks_pass(const AttVec& vec, bool all) const;
  bool passes(const Check& check, const AttVec& vec) const;
  // A check that needs no interpreter, read from the vector's block.
  static bool passes_plain(const Check& check, const AttVec& vec);
  // Notes one attribute the constant defines: a binary one in the bit
  // words, any other as a check (none when every value passes).
  void add_compared(int index);
  // Binds a test of definedness: every listed index is known not to be
  // negative (the bit words then tell a vector with room for them all).
  void bind_defined(const AttTest& test);

  // Kept as small as before the modes: plans hold many bound tests beside
  // the steps they walk.
  const AttTest* test_;
  const AttVec* other_;
  const AttInterpreterList* type_ = nullptr;  // the constant's type, with
  // this many attributes when bound; for a test of definedness, the
  // attributes a vector must have room for to be read by words (the
  // highest listed index and one).
  int type_count_ = 0;
  Mode mode_ = Mode::kGeneral;
  bool listed_outside_ = false;  // a listed index lies outside the type (never defined)
  bool plain_checks_ = true;     // no check asks the interpreter
  // The words with a compared binary attribute or a listed one, in order:
  // the others take part in no test (a test names a few attributes of the
  // many a type has), so the loops pass them by.
  std::vector<BitWord> bit_words_;
  std::vector<Check> checks_;
};

}  // namespace velmo
