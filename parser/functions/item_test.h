#pragma once
// A condition on a parse item of one of the common shapes, compiled when
// the condition is built and answered by reading the item directly: no
// expression call, no allocation and no name lookup.
//
//   (get-modifier-by-type REL)   a modifier through REL down the head children
//   (head-first), (head-last)    no dependent left (right) of the head
//   (comp (pitem-attvec) TEST)   TEST a vector test that only reads: defined,
//   (pitem-attvec TEST)          defined-one-of, or unifiable, strict-unifiable,
//                                contain with a constant vector
//
// Each answers as the expression would: true when the expression gives a
// value other than 0.
#include <cstdint>
#include <optional>
#include <string>

#include "lexicon/attributes/att_test.h"

namespace velmo {

class AttVec;
class LExp;
struct PItem;

class ItemTest {
 public:
  // The test `exp` amounts to; none when its shape is not one of the above.
  static std::optional<ItemTest> of(const LExp& exp);

  bool holds(const PItem& item) const;

 private:
  enum class Kind : std::uint8_t { kModifierByType, kHeadFirst, kHeadLast, kVector };
  explicit ItemTest(Kind kind) : kind_(kind) {}

  Kind kind_;
  const std::string* relation_ = nullptr;  // kModifierByType
  std::uint64_t relation_bit_ = 0;         // relation_bit(*relation_)
  std::optional<BoundAttTest> vector_test_;  // kVector, with its constant bound
};

}  // namespace velmo
