#include "parser/functions/item_test.h"

#include <string_view>

#include "lexical/functions/att_functions.h"
#include "lexicon/attributes/att_test.h"
#include "parser/chart/pitem.h"
#include "parser/functions/pitem_functions.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/native.h"

namespace velmo {
namespace {

bool named(const LExp& exp, std::string_view name) { return std::string_view(exp.name()) == name; }

// (head-first) or (head-last) as written, without an argument (one would
// be evaluated for its effects).
bool is_plain_call(const LExp& exp, std::string_view name) {
  const auto* call = dynamic_cast<const MArgExp*>(&exp);
  return call && call->built_args() == 0 && named(exp, name);
}

// The item's vector, as (pitem-attvec) gives it; `inner` is set to the
// expression the adaptor hands the vector to, if any.
bool is_item_vector(const LExp& exp, const LExp*& inner) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  if (!adaptor || !named(exp, "pitem-attvec")) return false;
  inner = adaptor->inner();
  return true;
}

}  // namespace

std::optional<ItemTest> ItemTest::of(const LExp& exp) {
  if (const std::string* relation = modifier_relation_of(exp)) {
    ItemTest test(Kind::kModifierByType);
    test.relation_ = relation;
    test.relation_bit_ = relation_bit(*relation);
    return test;
  }
  if (is_plain_call(exp, "head-first")) return ItemTest(Kind::kHeadFirst);
  if (is_plain_call(exp, "head-last")) return ItemTest(Kind::kHeadLast);
  // (pitem-attvec TEST) or (comp (pitem-attvec) TEST).
  const LExp* vector_test = nullptr;
  if (!is_item_vector(exp, vector_test)) {
    const auto* sequence = dynamic_cast<const SequenceExp*>(&exp);
    if (!sequence || !named(exp, "comp") || sequence->items().size() != 2) return std::nullopt;
    const LExp* inner = nullptr;
    if (!is_item_vector(*sequence->items()[0], inner) || inner) return std::nullopt;
    vector_test = sequence->items()[1].get();
  }
  if (!vector_test) return std::nullopt;
  const AttVec* other = nullptr;
  const AttTest* read_test = att_read_test(*vector_test, other);
  if (!read_test) return std::nullopt;
  ItemTest test(Kind::kVector);
  test.vector_test_.emplace(*read_test, other);
  return test;
}

bool ItemTest::holds(const PItem& item) const {
  switch (kind_) {
    case Kind::kModifierByType:
      return modifier_by_type(item, *relation_, relation_bit_) != nullptr;
    case Kind::kHeadFirst:
      return head_is_first(item);
    case Kind::kHeadLast:
      return head_is_last(item);
    case Kind::kVector:
      return vector_test_->holds(item.av);
  }
  return false;
}

}  // namespace velmo
