#include "lexical/functions/item_functions.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <typeinfo>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "lexical/patterns/item_guard.h"
#include "lexicon/attributes/att_expressions.h"
#include "lexicon/lexicon/av_meaning.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/native.h"
#include "shell/lexp/adaptors.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

LexItem* item_of(Word input) { return from_word<LexItem>(input); }
Word yes_if(bool condition, Word input) { return condition ? input : 0; }

TypeId item_type() {
  static const TypeId id = type_id(kLexItemType);
  return id;
}

bool equal_nocase(const char* a, const char* b) {
  if (!a || !b) return a == b;
  for (; *a && *b; ++a, ++b) {
    const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if ((x >= 'A' && x <= 'Z' ? x | 0x20 : x) != (y >= 'A' && y <= 'Z' ? y | 0x20 : y)) return false;
  }
  return *a == *b;
}

// ---- Accessors (adaptors: an optional inner expression takes the result).

Word item_root(Word input) { return input ? to_word(item_of(input)->root) : 0; }

Word item_surform(Word input) {
  LexItem* item = item_of(input);
  if (!item || item->is_empty() || !item->lattice) return 0;
  return to_word(item->lattice->span_text(item->low, item->high));
}

Word item_meaning(Word input) { return input ? to_word(item_of(input)->meaning.get()) : 0; }

Word item_att(Word input) {
  const LexItem* item = item_of(input);
  return item ? to_word(item_vector(*item)) : 0;
}

Word item_length(Word input) {
  const LexItem* item = item_of(input);
  return item ? static_cast<Word>(static_cast<std::intptr_t>(item->length())) : 0;
}

Word item_relation(Word input) { return input ? to_word(item_of(input)->relation) : 0; }

Word item_is_deleted(Word input) { return input && item_of(input)->is_deleted() ? input : 0; }

// A capitalised phrase: words starting with a lower-case letter are few
// (less than half) and short (function words such as "of" in "Bank of
// England").
Word item_cap(Word input) {
  const LexItem* item = item_of(input);
  if (!item || item->is_empty() || !item->lattice) return 0;
  int words = 0;
  int lower = 0;
  for (int p = item->low; p <= item->high; ++p) {
    const char* word = item->lattice->word_at(p);
    if (!word) continue;
    ++words;
    if (word[0] >= 'a' && word[0] <= 'z') {
      if (std::strlen(word) > 3) return 0;
      ++lower;
    }
  }
  if (lower > 0 && item->length() < 3) return 0;
  return yes_if(words > 2 * lower, input);
}

// (ending NAME): one of the item's affixes equals NAME.
class EndingExp final : public DefaultClone<EndingExp> {
 public:
  EndingExp() { set_types(kLexItemType, kLexItemType); }
  const char* name() const override { return "ending"; }
  const char* doc() const override { return "(ending NAME) true when the item was found through the ending NAME"; }
  void init(IRSlist& args) override {
    const char* text = args.take_atom();
    if (text) ending_ = text;
  }
  const char* ending() const { return ending_.empty() ? nullptr : ending_.c_str(); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || ending_.empty()) return 0;
    return yes_if(item_of(input)->has_affix(ending_.c_str()), input);
  }

 private:
  std::string ending_;
};

// (no-alternative EXPR): no item over exactly the same span, the item
// itself included, satisfies EXPR.
class NoAlternativeExp final : public DefaultClone<NoAlternativeExp> {
 public:
  NoAlternativeExp() { set_types(kLexItemType, kLexItemType); }
  const char* name() const override { return "no-alternative"; }
  const char* doc() const override {
    return "(no-alternative LEXP) true when no item with the same span (the item included) satisfies LEXP";
  }
  void init(IRSlist& args) override {
    condition_ = build_first(args);
    guard_ = condition_ ? ItemGuard::of(*condition_) : ItemGuard();
  }
  const LExp* condition() const { return condition_.get(); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || !condition_) return 0;
    LexItem* item = item_of(input);
    if (holds_on(*item)) return 0;
    if (!item->lattice) return input;
    for (LexItem* other : item->lattice->by_end(item->high)) {
      if (other == item || other->low != item->low) continue;
      if (holds_on(*other)) return 0;
    }
    return input;
  }

 private:
  // While the lattice's item-test memo keeps answers, only expressions that
  // change nothing run (the lexical rules pause it for anything else), so
  // the condition's answer on an item is kept there: the items of one span
  // are asked again for each of them, and a call's answer is shared with
  // the guards of the rules, which keep it under the function's body.
  // A condition its guard decides is asked through the guard: the calls in
  // it, (or (aux-item) (cop-item)) and the like, keep their answers one by
  // one.
  bool holds_on(LexItem& item) const {
    ItemTestMemo* memo = item.lattice && item.lattice->test_memo().active() ? &item.lattice->test_memo() : nullptr;
    if (!memo) return condition_->eval(to_word(&item), item_type()) != 0;
    if (guard_.decides()) return guard_.admits(item, *memo);
    const LExp* key = condition_->same_as() ? condition_->same_as() : condition_.get();
    const int kept = memo->find(key, &item);
    if (kept >= 0) return kept != 0;
    const bool value = condition_->eval(to_word(&item), item_type()) != 0;
    memo->keep(key, &item, value);
    return value;
  }

  LExpPtr condition_;
  ItemGuard guard_;
};

// (get-sub-lexitem [NAME]): the first sub-item with that relation (ignoring
// case), or the first sub-item.
class GetSubItemExp final : public DefaultClone<GetSubItemExp> {
 public:
  GetSubItemExp() { set_types(kLexItemType, kLexItemType); }
  const char* name() const override { return "get-sub-lexitem"; }
  const char* doc() const override {
    return "(get-sub-lexitem [NAME]) the first component of the item with the relation NAME, or the first one";
  }
  void init(IRSlist& args) override {
    const char* text = args.take_atom();
    if (text) {
      relation_ = text;
      has_relation_ = true;
    }
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const LexItem* item = item_of(input);
    if (item->sub_items.empty()) return 0;
    if (!has_relation_) return to_word(item->sub_items.front());
    for (LexItem* sub_item : item->sub_items)
      if (sub_item->relation && equal_nocase(sub_item->relation, relation_.c_str())) return to_word(sub_item);
    return 0;
  }

 private:
  std::string relation_;
  bool has_relation_ = false;
};

// (set-cate CATEGORY): the category of the item, an atom or the text an
// expression yields on the item.
class SetCateExp final : public DefaultClone<SetCateExp> {
 public:
  SetCateExp() { set_types(kLexItemType, kLexItemType); }
  const char* name() const override { return "set-cate"; }
  const char* doc() const override { return "(set-cate CATEGORY) set the category of the item"; }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> first = args.take_first();
    if (!first) return;
    if (first->is_atom()) {
      if (first->atom()) {
        category_ = first->atom();
        has_category_ = true;
      }
      return;
    }
    category_exp_ = get_exp(first.get());
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    LexItem* item = item_of(input);
    if (!item) {
      diag() << "Cannot set-cate a nil lexitem.\n" << std::flush;
      return 0;
    }
    const char* category = has_category_ ? category_.c_str() : nullptr;
    if (category_exp_) {
      Word text = 0;
      if (!eval_expecting(*this, category_exp_.get(), input, type, ShellTypes::get().text, text)) return input;
      category = from_word<const char>(text);
    }
    if (!category || !item->lattice) return input;
    item->category = item->lattice->intern(category);
    return input;
  }

 private:
  std::string category_;
  bool has_category_ = false;
  LExpPtr category_exp_;
};

// ---- Sentence flags.

// (set-mixed-case [0|1]): sets the flag (an argument beginning with "0"
// clears it), or yields it.
class SetMixedCaseExp final : public DefaultClone<SetMixedCaseExp> {
 public:
  SetMixedCaseExp() { set_types(kLexAnalyzerType, "int"); }
  const char* name() const override { return "set-mixed-case"; }
  const char* doc() const override {
    return "(set-mixed-case [0|1]) set the mixed-case flag of the sentence, or yield it";
  }
  void init(IRSlist& args) override {
    const char* text = args.take_atom();
    if (!text) return;
    has_value_ = true;
    value_ = text[0] == '0' ? 0 : 1;
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    auto* analyzer = from_word<LexAnalyzer>(input);
    if (has_value_) analyzer->set_mixed_case(value_);
    return static_cast<Word>(static_cast<std::intptr_t>(analyzer->mixed_case()));
  }

 private:
  bool has_value_ = false;
  int value_ = 1;
};

Word is_mixed_case(Word input) { return input && from_word<LexAnalyzer>(input)->mixed_case() > 0 ? input : 0; }

}  // namespace

bool no_alternative_condition(const LExp& exp, const LExp*& condition) {
  const auto* form = dynamic_cast<const NoAlternativeExp*>(&exp);
  if (!form) return false;
  condition = form->condition();
  return true;
}

bool is_item_read_test(const LExp& exp) { return dynamic_cast<const EndingExp*>(&exp) != nullptr; }

bool ending_test(const LExp& exp, const char*& name) {
  const auto* test = dynamic_cast<const EndingExp*>(&exp);
  if (!test) return false;
  name = test->ending();
  return true;
}

AttVec* item_vector(const LexItem& item) {
  const Meaning* meaning = item.meaning.get();
  // AVMeaning is final: comparing the dynamic type is enough, and cheaper
  // than a cast through the hierarchy on every rule test.
  if (!meaning || typeid(*meaning) != typeid(AVMeaning)) return nullptr;
  return &static_cast<const AVMeaning*>(meaning)->vector();
}

void register_item_functions() {
  register_adaptor("root", &item_root, kLexItemType, "char*", "(root [LEXP]) the root of the item");
  register_adaptor("surform", &item_surform, kLexItemType, "char*", "(surform [LEXP]) the words of the item's span");
  register_adaptor("lexitem-meaning", &item_meaning, kLexItemType, kMeaningType,
                   "(lexitem-meaning [LEXP]) the meaning of the item");
  register_adaptor("att", &item_att, kLexItemType, kAttVecType,
                   "(att [LEXP]) the attribute value vector of the item's meaning");
  register_adaptor("lexitem-length", &item_length, kLexItemType, "int",
                   "(lexitem-length [LEXP]) the number of positions the item covers");
  register_adaptor("lexitem-rel", &item_relation, kLexItemType, "char*",
                   "(lexitem-rel [LEXP]) the relation of the item to the item it is a component of");
  register_native("is-deleted", &item_is_deleted, kLexItemType, kLexItemType,
                  "(is-deleted) true when the item has been deleted");
  register_native("cap", &item_cap, kLexItemType, kLexItemType,
                  "(cap) true when the item's words form a capitalised phrase");
  register_lexp(std::make_unique<EndingExp>());
  register_lexp(std::make_unique<NoAlternativeExp>());
  register_lexp(std::make_unique<GetSubItemExp>());
  register_lexp(std::make_unique<SetCateExp>());
  register_lexp(std::make_unique<SetMixedCaseExp>());
  register_native("is-mixed-case", &is_mixed_case, kLexAnalyzerType, kLexAnalyzerType,
                  "(is-mixed-case) true when the sentence's mixed-case flag is set");
}

}  // namespace velmo
