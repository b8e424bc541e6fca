#include "lexical/patterns/item_guard.h"

#include <algorithm>
#include <cstring>

#include "lexical/functions/att_functions.h"
#include "lexical/functions/item_functions.h"
#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "lexical/items/item_test_memo.h"
#include "lexical/items/item_text_filter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/constants.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/native.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/text_algorithms.h"
#include "shell/lib/text_equality.h"
#include "shell/lib/text_filter.h"
#include "shell/lib/word_list.h"
#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// Conditions are looked into no deeper than this; deeper ones are taken as
// they are.
constexpr int kMaxDepth = 64;

bool is_kind(const LExp& exp, const char* name) { return LExp::is_registered_kind(exp, name); }

// The item accessors whose value depends on the item and its sentence only.
bool is_item_accessor(const FnAdaptor& adaptor) {
  const char* name = adaptor.name();
  return std::strcmp(name, "att") == 0 || std::strcmp(name, "root") == 0 || std::strcmp(name, "surform") == 0;
}

// The constant text TEXT of a (str-prefix (str TEXT) (ident)), which holds
// on a text that begins with TEXT (ignoring case); null for anything else.
const char* constant_prefix(const LExp& exp) {
  if (!is_kind(exp, "str-prefix")) return nullptr;
  const auto* call = dynamic_cast<const MArgExp*>(&exp);
  if (!call || call->args().size() != 2 || !call->args()[0] || !call->args()[1]) return nullptr;
  const auto* text = dynamic_cast<const StrConst*>(call->args()[0].get());
  if (!text || !text->value() || !is_kind(*call->args()[1], "ident")) return nullptr;
  return text_of(text->value());
}

// Tests of a value that only read it. A prefix test of a constant on the
// value itself only reads too: a rule whose condition is one (a root that
// begins with "_") is then scanned in place, without a memo pause per item.
bool is_value_test(const LExp& exp, TypeId type) {
  if (!exp.accepts(type)) return false;
  if (dynamic_cast<const TextEqualityTest*>(&exp)) return true;
  if (is_att_read_test(exp)) return true;
  return is_kind(exp, "in") || is_kind(exp, "reg-match") || constant_prefix(exp);
}

bool reads_only_at(const LExp& exp, TypeId type, int depth);

bool all_read_only(const LExpList& operands, TypeId type, int depth) {
  for (const LExpPtr& operand : operands)
    if (!operand || !reads_only_at(*operand, type, depth + 1)) return false;
  return true;
}

// (ACCESSOR [TEST]) on an item.
bool is_accessor_form(const LExp& exp, TypeId type, int depth) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  if (!adaptor || type != lex_item_type() || !adaptor->accepts(type) || !is_item_accessor(*adaptor)) return false;
  const LExp* inner = adaptor->inner();
  return !inner || reads_only_at(*inner, adaptor->intermediate_type(), depth + 1);
}

// (comp (ACCESSOR) TEST) on an item: the accessor never records a result
// type of its own, so the type the test receives is known now.
bool is_comp_form(const LExp& exp, TypeId type, int depth) {
  if (!is_kind(exp, "comp")) return false;
  const LExpList& items = static_cast<const SequenceExp&>(exp).items();
  if (items.empty() || items.size() > 2 || !items[0] || !is_accessor_form(*items[0], type, depth)) return false;
  if (items.size() == 1) return true;
  return items[1] && reads_only_at(*items[1], items[0]->result_type(), depth + 1);
}

bool reads_only_at(const LExp& exp, TypeId type, int depth) {
  if (depth > kMaxDepth) return false;
  if (exp.connective() != LExp::Connective::kNone) return exp.operands() && all_read_only(*exp.operands(), type, depth);
  if (const LExp* body = exp.same_as()) return reads_only_at(*body, type, depth + 1);
  if (dynamic_cast<const LConst*>(&exp) || is_kind(exp, "t")) return true;
  if (const LExp* condition = nullptr; no_alternative_condition(exp, condition))
    return type == lex_item_type() && (!condition || reads_only_at(*condition, type, depth + 1));
  if (type == lex_item_type() && exp.accepts(type) && is_item_read_test(exp)) return true;
  return is_value_test(exp, type) || is_accessor_form(exp, type, depth) || is_comp_form(exp, type, depth);
}

}  // namespace

bool ItemGuard::reads_only(const LExp& exp, TypeId type) { return reads_only_at(exp, type, 0); }

namespace {

// The words of the item's span, as (surform) gives them: none for an empty
// item or one outside a lattice.
const char* surface_of(LexItem& item) {
  if (item.is_empty() || !item.lattice) return nullptr;
  return item.lattice->span_text(item.low, item.high);
}

}  // namespace

ItemGuard ItemGuard::of(LExp& condition) {
  ItemGuard guard = of_test(condition);
  if (guard.kind_ != Kind::kNone) {
    guard.decides_ = true;
    return guard;
  }
  LExp* whole = &condition;
  for (int depth = 0; whole->same_as() && depth < kMaxDepth; ++depth) whole = whole->same_as();
  if (whole->connective() != LExp::Connective::kAnd || !whole->operands() || whole->operands()->empty()) return {};
  LExp* first = whole->operands()->front().get();
  if (!first) return {};
  guard = of_test(*first);
  if (guard.kind_ == Kind::kNone) return guard;
  guard.decides_ = whole->operands()->size() == 1;
  guard.conjuncts_ = whole->operands();
  for (std::size_t i = 1; i < guard.conjuncts_->size(); ++i) {
    LExp* operand = (*guard.conjuncts_)[i].get();
    guard.rest_.push_back(operand ? of_test(*operand) : ItemGuard());
  }
  return guard;
}

bool ItemGuard::rest_holds(LexItem& item, ItemTestMemo& memo) const {
  if (!conjuncts_) return true;
  for (std::size_t i = 1; i < conjuncts_->size(); ++i) {
    const ItemGuard& guard = rest_[i - 1];
    const bool holds = guard.kind_ != Kind::kNone ? guard.admits(item, memo)
                                                  : (*conjuncts_)[i]->eval(to_word(&item), lex_item_type()) != 0;
    if (!holds) return false;
  }
  return true;
}

ItemGuard ItemGuard::of_test(LExp& test, int depth) {
  ItemGuard guard;
  // The operands of a connective that reads only read only too: only the
  // outermost test is looked through.
  if (depth > kMaxDepth || (depth == 0 && !reads_only_at(test, lex_item_type(), 0))) return guard;
  // A call: answered once per item.
  if (LExp* body = test.same_as()) {
    // One test is cheaper than the memo's lookup; several are made only
    // for an answer the memo does not hold.
    if (ItemGuard vector = of_vector_call(*body); vector.kind_ != Kind::kNone) {
      if (vector.vector_condition_->single_test()) {
        vector.vector_call_ = body;
        return vector;
      }
      guard.vector_condition_ = std::move(vector.vector_condition_);
      guard.vector_call_ = body;
    }
    guard.kind_ = Kind::kCall;
    guard.body_ = body;
    return guard;
  }
  // (comp (att) TEST) written out: made on the vector, as the body of a
  // call is.
  if (ItemGuard vector = of_vector_call(test); vector.kind_ != Kind::kNone) return vector;
  // (ending NAME), whose test is made directly.
  if (const char* name = nullptr; ending_test(test, name) && test.accepts(lex_item_type())) {
    guard.kind_ = Kind::kEnding;
    guard.ending_ = name;
    if (name) guard.ending_bits_.push_back(ItemTextFilter::bit_of(name));
    return guard;
  }
  if (test.connective() != LExp::Connective::kNone) return of_connective(test, depth);
  return of_text_test(test);
}

// (not A ...) holds when none of A ... does, (or A ...) when one does, (and
// A ...) when all do; none of them is taken without operands.
ItemGuard ItemGuard::of_connective(LExp& test, int depth) {
  ItemGuard guard;
  const LExpList* operands = test.operands();
  if (!operands || operands->empty() || !test.accepts(lex_item_type())) return guard;
  std::vector<ItemGuard> parts;
  for (const LExpPtr& operand : *operands) {
    if (!operand) return guard;
    ItemGuard part = of_test(*operand, depth + 1);
    if (part.kind_ == Kind::kNone) return guard;
    parts.push_back(std::move(part));
  }
  const auto is_named_ending = [](const ItemGuard& part) { return part.kind_ == Kind::kEnding && part.ending_; };
  if (test.connective() == LExp::Connective::kOr && std::all_of(parts.begin(), parts.end(), is_named_ending)) {
    guard.kind_ = Kind::kEndings;
    for (const ItemGuard& part : parts) {
      guard.endings_.push_back(part.ending_);
      guard.ending_bits_.push_back(ItemTextFilter::bit_of(part.ending_));
    }
    return guard;
  }
  switch (test.connective()) {
    case LExp::Connective::kNot:
      guard.kind_ = Kind::kNot;
      break;
    case LExp::Connective::kOr:
      guard.kind_ = Kind::kOr;
      break;
    case LExp::Connective::kAnd:
      guard.kind_ = Kind::kAnd;
      break;
    case LExp::Connective::kNone:
      return guard;
  }
  guard.parts_ = std::move(parts);
  return guard;
}

ItemGuard ItemGuard::of_text_test(LExp& test) {
  ItemGuard guard;
  // (comp (ACCESSOR) TEST) or (ACCESSOR TEST).
  const LExp* accessor = &test;
  const LExp* text_test = nullptr;
  if (is_kind(test, "comp")) {
    const LExpList& items = static_cast<const SequenceExp&>(test).items();
    if (items.size() != 2) return guard;
    accessor = items[0].get();
    text_test = items[1].get();
  }
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(accessor);
  if (!adaptor) return guard;
  Kind kind = Kind::kNone;
  if (std::strcmp(adaptor->name(), "root") == 0)
    kind = Kind::kRoot;
  else if (std::strcmp(adaptor->name(), "surform") == 0)
    kind = Kind::kSurform;
  else
    return guard;
  if (text_test ? adaptor->inner() != nullptr : (text_test = adaptor->inner()) == nullptr) return guard;
  const TypeId text_type = is_kind(test, "comp") ? accessor->result_type() : adaptor->intermediate_type();
  guard.text_test_ = TextTest::of(*text_test, text_type);
  if (guard.text_test_.active()) guard.kind_ = kind;
  return guard;
}

ItemGuard ItemGuard::of_vector_call(const LExp& body) {
  ItemGuard guard;
  if (!is_kind(body, "comp")) return guard;
  const LExpList& items = static_cast<const SequenceExp&>(body).items();
  if (items.size() != 2 || !items[0] || !items[1]) return guard;
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(items[0].get());
  if (!adaptor || std::strcmp(adaptor->name(), "att") != 0 || adaptor->inner()) return guard;
  // The type comp hands the test: the accessor never records one of its own.
  if (!items[0]->accepts(lex_item_type())) return guard;
  guard.vector_condition_ = VectorCondition::of(*items[1], items[0]->result_type(), 0);
  if (guard.vector_condition_) guard.kind_ = Kind::kVector;
  return guard;
}

// The connectives hand their operands the input and type they are given.
std::optional<ItemGuard::VectorCondition> ItemGuard::VectorCondition::of(const LExp& exp, TypeId type, int depth) {
  if (depth > kMaxDepth || !exp.accepts(type)) return std::nullopt;
  VectorCondition condition;
  condition.connective_ = exp.connective();
  if (condition.connective_ == LExp::Connective::kNone) {
    const AttVec* other = nullptr;
    const AttTest* test = att_read_test(exp, other);
    if (!test) return std::nullopt;
    condition.test_.emplace(*test, other);
    return condition;
  }
  const LExpList* operands = exp.operands();
  if (!operands || operands->empty()) return std::nullopt;
  for (const LExpPtr& operand : *operands) {
    if (!operand) return std::nullopt;
    std::optional<VectorCondition> part = of(*operand, type, depth + 1);
    if (!part) return std::nullopt;
    condition.parts_.push_back(std::move(*part));
  }
  return condition;
}

// A test of an unusable vector gives 0, which a not turns into a success,
// as the evaluation of the forms does.
bool ItemGuard::VectorCondition::holds(const AttVec& vec, bool usable) const {
  switch (connective_) {
    case LExp::Connective::kNone:
      return usable && test_->holds(vec);
    case LExp::Connective::kNot:
      for (const VectorCondition& part : parts_)
        if (part.holds(vec, usable)) return false;
      return true;
    case LExp::Connective::kOr:
      for (const VectorCondition& part : parts_)
        if (part.holds(vec, usable)) return true;
      return false;
    case LExp::Connective::kAnd:
      for (const VectorCondition& part : parts_)
        if (!part.holds(vec, usable)) return false;
      return true;
  }
  return false;
}

ItemGuard::TextTest ItemGuard::TextTest::of(const LExp& written, TypeId type) {
  TextTest test;
  if (!written.accepts(type)) return test;
  // A call of a function without parameters tests what its body tests.
  const LExp* body = &written;
  for (int depth = 0; body->same_as() && depth < kMaxDepth; ++depth) {
    body = body->same_as();
    if (!body->accepts(type)) return test;
  }
  const LExp& exp = *body;
  if (const char* prefix = constant_prefix(exp)) {
    test.kind_ = Kind::kPrefix;
    test.prefix_ = prefix;
    return test;
  }
  std::string_view text;
  if (const auto* equality = dynamic_cast<const TextEqualityTest*>(&exp)) {
    test.kind_ = equality->lower_text(text) ? Kind::kEquals : Kind::kNever;
    test.lower_text_ = text;
    if (test.kind_ == Kind::kEquals) {
      test.bits_.push_back(ItemTextFilter::bit_of(test.lower_text_));
      test.first_bytes_.set(test.lower_text_.empty() ? 0 : static_cast<unsigned char>(test.lower_text_[0]));
      test.first_byte_decides_ = true;
    }
    return test;
  }
  // The words' array answers as the expression does. The first bytes and
  // filter bits ignore case, so they serve an array that heeds it too.
  if (!is_kind(exp, "in")) return test;
  const auto* filter = dynamic_cast<const TextFilter*>(&exp);
  const SortedWordArray* words = filter ? filter->listed_words() : nullptr;
  if (!words) return test;
  test.kind_ = Kind::kIn;
  test.words_ = words;
  for (const std::string_view word : words->words()) {
    test.first_bytes_.set(word.empty() ? 0 : static_cast<unsigned char>(ascii_lower(word[0])));
    test.first_byte_decides_ = true;
    test.longest_ = std::max(test.longest_, word.size());
    test.bits_.push_back(ItemTextFilter::bit_of(word));
  }
  // A long list (a file of words) shares bits: each is asked once.
  std::sort(test.bits_.begin(), test.bits_.end());
  test.bits_.erase(std::unique(test.bits_.begin(), test.bits_.end()), test.bits_.end());
  if (test.bits_.size() > kFewBits) {
    test.bit_filter_.emplace();
    for (const std::uint16_t bit : test.bits_) test.bit_filter_->note_bit(bit);
  }
  return test;
}

bool ItemGuard::TextTest::holds_in_full(const char* text) const {
  switch (kind_) {
    case Kind::kNone:
    case Kind::kNever:
      return false;
    case Kind::kEquals:
      for (const char c : lower_text_)
        if (ascii_lower(*text++) != c) return false;
      return *text == '\0';
    case Kind::kIn:
      return in_words(text);
    case Kind::kPrefix:
      return starts_with_nocase(text, prefix_);
  }
  return false;
}

bool ItemGuard::TextTest::may_hold_in(const ItemTextFilter& texts) const {
  switch (kind_) {
    case Kind::kNone:
    case Kind::kPrefix:
      return true;
    case Kind::kNever:
      return false;
    case Kind::kEquals:
    case Kind::kIn:
      if (bit_filter_) return texts.shares_bit_with(*bit_filter_);
      return std::any_of(bits_.begin(), bits_.end(), [&texts](std::uint16_t bit) { return texts.may_hold(bit); });
  }
  return true;
}

// holds() has looked at the first byte. A long list is searched only for
// a text whose filter bit one of its words has: most texts asked about are
// not listed, and their bit costs less than the search.
bool ItemGuard::TextTest::in_words(const char* text) const {
  std::size_t size = 0;
  for (const char* c = text; *c; ++c)
    if (++size > longest_) return false;
  const std::string_view word(text, size);
  if (bit_filter_ && !bit_filter_->may_hold(ItemTextFilter::bit_of(word))) return false;
  return words_->contains(word);
}

// Only roots and endings are looked up in the filter; every other test may
// admit an item.
bool ItemGuard::may_admit_some(const ItemTextFilter& texts) const {
  const auto may_hold = [&texts](std::uint16_t bit) { return texts.may_hold(bit); };
  switch (kind_) {
    case Kind::kRoot:
      return text_test_.may_hold_in(texts);
    case Kind::kEnding:
    case Kind::kEndings:
      return std::any_of(ending_bits_.begin(), ending_bits_.end(), may_hold);
    case Kind::kOr:
      return std::any_of(parts_.begin(), parts_.end(),
                         [&texts](const ItemGuard& part) { return part.may_admit_some(texts); });
    case Kind::kAnd:
      return std::all_of(parts_.begin(), parts_.end(),
                         [&texts](const ItemGuard& part) { return part.may_admit_some(texts); });
    case Kind::kNone:
    case Kind::kSurform:
    case Kind::kCall:
    case Kind::kVector:
    case Kind::kNot:
      return true;
  }
  return true;
}

bool ItemGuard::answer_call(LexItem& item, ItemTestMemo& memo) const {
  // A test of the item's vector alone is kept as an own answer: it
  // outlives the deletions of rule actions.
  if (vector_condition_) {
    const AttVec* vector = item_vector(item);
    const bool value = vector && vector_condition_->holds(*vector, vector->usable());
    memo.keep_own(body_, &item, value);
    return value;
  }
  const bool value = body_->eval(to_word(&item), lex_item_type()) != 0;
  memo.keep(body_, &item, value);
  return value;
}

bool ItemGuard::may_admit_a_word(const ItemTextFilter& words) const {
  switch (kind_) {
    case Kind::kSurform:
      return text_test_.may_hold_in(words);
    case Kind::kOr:
      return std::any_of(parts_.begin(), parts_.end(),
                         [&words](const ItemGuard& part) { return part.may_admit_a_word(words); });
    case Kind::kAnd:
      return std::all_of(parts_.begin(), parts_.end(),
                         [&words](const ItemGuard& part) { return part.may_admit_a_word(words); });
    case Kind::kNone:
    case Kind::kRoot:
    case Kind::kCall:
    case Kind::kVector:
    case Kind::kEnding:
    case Kind::kEndings:
    case Kind::kNot:
      return true;
  }
  return true;
}

bool ItemGuard::admits_otherwise(LexItem& item, ItemTestMemo& memo) const {
  switch (kind_) {
    case Kind::kNone:
      return true;
    case Kind::kRoot:
      return text_test_.holds(item.root);
    case Kind::kSurform:
      return text_test_.holds(surface_of(item));
    case Kind::kEnding:
      return ending_ && !item.affixes.empty() && item.has_affix(ending_);
    case Kind::kEndings:
      if (item.affixes.empty()) return false;
      for (const char* ending : endings_)
        if (item.has_affix(ending)) return true;
      return false;
    case Kind::kCall: {
      const int kept = memo.find(body_, &item);
      return kept >= 0 ? kept != 0 : answer_call(item, memo);
    }
    case Kind::kVector: {
      // As the read test answers in (comp (att) TEST): no vector, or one
      // not usable, is 0.
      const AttVec* vector = item_vector(item);
      return vector && vector_condition_->holds(*vector, vector->usable());
    }
    case Kind::kNot:
      for (const ItemGuard& part : parts_)
        if (part.admits(item, memo)) return false;
      return true;
    case Kind::kOr:
      for (const ItemGuard& part : parts_)
        if (part.admits(item, memo)) return true;
      return false;
    case Kind::kAnd:
      for (const ItemGuard& part : parts_)
        if (!part.admits(item, memo)) return false;
      return true;
  }
  return true;
}

}  // namespace velmo
