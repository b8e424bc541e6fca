#include "parser/functions/item_test.h"

#include <string_view>

#include "lexical/functions/att_functions.h"
#include "lexicon/attributes/att_test.h"
#include "lexicon/attributes/att_vec.h"
#include "parser/chart/pitem.h"
#include "parser/functions/pitem_functions.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/native.h"
#include "shell/lib/text_equality.h"
#include "shell/lib/text_filter.h"
#include "shell/support/text.h"

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
  // (pitem-attvec TEST), (comp (pitem-attvec) TEST) or
  // (comp (pitem-attvec) (att-str-val ATT) FILTER).
  const LExp* vector_test = nullptr;
  if (!is_item_vector(exp, vector_test)) {
    const auto* sequence = dynamic_cast<const SequenceExp*>(&exp);
    if (!sequence || !named(exp, "comp")) return std::nullopt;
    const LExpList& items = sequence->items();
    if (items.size() != 2 && items.size() != 3) return std::nullopt;
    const LExp* inner = nullptr;
    if (!is_item_vector(*items[0], inner) || inner) return std::nullopt;
    if (items.size() == 3) return text_test(*items[1], *items[2]);
    vector_test = items[1].get();
  }
  if (!vector_test) return std::nullopt;
  const AttVec* other = nullptr;
  const AttTest* read_test = att_read_test(*vector_test, other);
  if (!read_test) return std::nullopt;
  ItemTest test(Kind::kVector);
  test.vector_test_.emplace(*read_test, other);
  return test;
}

std::optional<ItemTest> ItemTest::text_test(const LExp& value, const LExp& filter) {
  ItemTest test(Kind::kText);
  if (!att_text_reader(value, test.text_type_, test.text_index_)) return std::nullopt;
  if (const auto* equality = dynamic_cast<const TextEqualityTest*>(&filter)) {
    std::string_view lower;
    // Without a text of its own the test holds for no input.
    if (equality->lower_text(lower)) test.equal_lower_ = std::string(lower);
    test.text_equality_ = true;
    return test;
  }
  const auto* text_filter = dynamic_cast<const TextFilter*>(&filter);
  if (!text_filter || !text_filter->passes(nullptr)) return std::nullopt;
  test.text_filter_ = text_filter;
  return test;
}

// The attribute's text as (att-str-val ATT) gives it to the filter: null
// when the vector is of another type or lacks the attribute.
bool ItemTest::text_holds(const AttVec& vec) const {
  const char* text = nullptr;
  if (vec.type() == text_type_ && vec.defined(text_index_)) {
    const Word value = vec.get(text_index_);
    text = value ? reinterpret_cast<const char*>(value) : "";
  }
  if (text_equality_) {
    if (!text || !equal_lower_) return false;
    for (const char c : *equal_lower_)
      if (ascii_lower(*text++) != c) return false;
    return *text == '\0';
  }
  return *text_filter_->passes(text);
}

bool ItemTest::reads_holds(const PItem& item) const {
  switch (kind_) {
    case Kind::kModifierByType:
      return modifier_by_type(item, *relation_, relation_bit_) != nullptr;
    case Kind::kHeadFirst:
      return head_is_first(item);
    case Kind::kHeadLast:
      return head_is_last(item);
    case Kind::kVector:
      return vector_test_->holds(item.av);
    case Kind::kText:
      return text_holds(item.av);
  }
  __builtin_unreachable();  // of() gives every test one of the kinds above
}

std::optional<ItemUnify> ItemUnify::of(const LExp& exp) {
  const LExp* unify = nullptr;
  if (!is_item_vector(exp, unify)) {
    const auto* sequence = dynamic_cast<const SequenceExp*>(&exp);
    if (!sequence || !named(exp, "comp") || sequence->items().size() != 2) return std::nullopt;
    const LExp* inner = nullptr;
    if (!is_item_vector(*sequence->items()[0], inner) || inner) return std::nullopt;
    unify = sequence->items()[1].get();
  }
  const AttVec* vector = unify ? att_unify_constant(*unify) : nullptr;
  if (!vector) return std::nullopt;
  return ItemUnify(*vector);
}

// As the unify expression: nothing for an unusable vector or a constant of
// another type, else the vector unified with the constant.
bool ItemUnify::apply(PItem& item) const {
  AttVec& vec = item.av;
  if (!vec.usable() || vector_->type() != vec.type()) return false;
  return vec.unify(*vector_);
}

}  // namespace velmo
