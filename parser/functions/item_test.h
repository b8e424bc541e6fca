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
//   (comp (pitem-attvec) (att-str-val ATT) FILTER)
//                                FILTER (str= TEXT), or one that only filters
//                                texts (in, reg-match), of the text of a text
//                                attribute, read from the vector
//
// Each answers as the expression would: true when the expression gives a
// value other than 0.
#include <cstdint>
#include <optional>
#include <string>

#include "lexicon/attributes/att_test.h"
#include "parser/chart/pitem.h"

namespace velmo {

class AttInterpreterList;
class AttVec;
class LExp;
class TextFilter;

class ItemTest {
 public:
  // The test `exp` amounts to; none when its shape is not one of the above.
  static std::optional<ItemTest> of(const LExp& exp);

  // Most modifiers asked for are through relations that no link along the
  // item's head-child chain has: the item's relation bits refuse them
  // without a call.
  bool holds(const PItem& item) const {
    if (kind_ == Kind::kModifierByType && (item.relations & PItem::kRelationsKnown) && !(item.relations & relation_bit_))
      return false;
    return reads_holds(item);
  }
  // Whether the test is one of the item's vector; holds() of such a test,
  // without asking which kind it is.
  bool tests_vector() const { return kind_ == Kind::kVector; }
  bool vector_holds(const PItem& item) const { return vector_test_->holds(item.av); }

 private:
  // holds() past the relation bits: reads the item.
  bool reads_holds(const PItem& item) const;
  static std::optional<ItemTest> text_test(const LExp& value, const LExp& filter);
  bool text_holds(const AttVec& vec) const;

  enum class Kind : std::uint8_t { kModifierByType, kHeadFirst, kHeadLast, kVector, kText };
  explicit ItemTest(Kind kind) : kind_(kind) {}

  Kind kind_;
  const std::string* relation_ = nullptr;  // kModifierByType
  std::uint64_t relation_bit_ = 0;         // relation_bit(*relation_)
  std::optional<BoundAttTest> vector_test_;  // kVector, with its constant bound
  // kText: the attribute read, of vectors of this type,
  const AttInterpreterList* text_type_ = nullptr;
  int text_index_ = -1;
  // and the test of its text: with text_equality_, equality with the
  // lower-case text ignoring ASCII case (no text: false), else the filter.
  bool text_equality_ = false;
  std::optional<std::string> equal_lower_;
  const TextFilter* text_filter_ = nullptr;
};

// (comp (pitem-attvec) (unify VECTOR)) or (pitem-attvec (unify VECTOR)),
// the vector given as text: unifies the constant into the item's vector,
// without the calls through the expressions. It changes the item, so it is
// for conditions asked anew at every question (MergedConditionPlan), never
// for answers kept in a memo.
class ItemUnify {
 public:
  // The unification `exp` amounts to; none when its shape is not the above.
  static std::optional<ItemUnify> of(const LExp& exp);

  // Unifies as the expression would; true when it gives a value other
  // than 0.
  bool apply(PItem& item) const;

 private:
  explicit ItemUnify(const AttVec& vector) : vector_(&vector) {}
  const AttVec* vector_;
};

}  // namespace velmo
