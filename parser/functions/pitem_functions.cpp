#include "parser/functions/pitem_functions.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_set>

#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "lexicon/lexicon/av_meaning.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart/chart.h"
#include "parser/chart/item_atts.h"
#include "parser/chart/pitem.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/category_names.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/native.h"
#include "shell/lib/text_filter.h"

namespace velmo {
namespace {

constexpr const char* kInt = "int";
constexpr const char* kText = "char*";
constexpr const char* kAttVec = "AttVec*";

PItem* as_item(Word value) { return reinterpret_cast<PItem*>(value); }
Word as_word(const void* pointer) { return reinterpret_cast<Word>(pointer); }
Word as_int(int value) { return static_cast<Word>(static_cast<std::intptr_t>(value)); }
int to_int(Word value) { return static_cast<int>(static_cast<std::intptr_t>(value)); }

// The sentence the item belongs to (its parser's current sentence).
const SentenceView* sentence_of(const PItem* item) {
  if (!item || !item->cate || !item->cate->parser()) return nullptr;
  const auto& sentence = item->cate->parser()->chart().sentence;
  return sentence ? &*sentence : nullptr;
}

// Tells the item's chart that an expression function changed an item or
// the chart (remembered condition answers then no longer stand).
void note_change(const PItem* item) {
  if (item && item->cate && item->cate->parser()) ++item->cate->parser()->chart().item_changes;
}

// Tells the item's chart that the item's span moved: the index of stored
// items by span no longer stands.
void note_span_moved(const PItem* item) {
  if (item && item->cate && item->cate->parser()) item->cate->parser()->chart().spans_moved = true;
}

void note_change(KorvelParser* parser) {
  if (parser) ++parser->chart().item_changes;
}

// ---- Adaptors.

Word pitem_low(Word input) { return input ? as_int(as_item(input)->start) : 0; }
Word pitem_high(Word input) { return input ? as_int(as_item(input)->end) : 0; }
Word pitem_length(Word input) { return input ? as_int(as_item(input)->length()) : 0; }
Word pitem_attvec(Word input) { return input ? as_word(&as_item(input)->av) : 0; }

Word pitem_modifier(Word input) {
  const PItem* item = as_item(input);
  return item && item->head_child ? as_word(item->second) : 0;
}

Word pitem_modifiee(Word input) {
  PItem* item = as_item(input);
  if (!item) return 0;
  return as_word(item->is_merge() ? item->head_child : item);
}

Word pitem_head_child(Word input) {
  PItem* item = as_item(input);
  return item ? as_word(&head_child_of(*item)) : 0;
}

Word pitem_deprel(Word input) { return input ? as_word(as_item(input)->link) : 0; }

Word pitem_head_word(Word input) {
  const PItem* item = as_item(input);
  return item ? as_word(span_words(*item)) : 0;
}

Word pitem_preceding_word(Word input) {
  const PItem* item = as_item(input);
  const SentenceView* sentence = sentence_of(item);
  if (!sentence || item->start < 2) return 0;
  int w = item->start - 1;
  while (w >= 1 && sentence->skipped(w)) --w;
  return w >= 1 ? as_word(sentence->word_at(w)) : 0;
}

// 1 when only words the analyzer skipped (an opening quote) stand before
// the item: it opens the sentence.
Word opens_sentence(Word input) {
  const PItem* item = as_item(input);
  if (!item) return 0;
  if (item->start <= 1) return 1;
  const SentenceView* sentence = sentence_of(item);
  if (!sentence) return 0;
  for (int w = item->start - 1; w >= 1; --w)
    if (!sentence->skipped(w)) return 0;
  return 1;
}

Word deprel_type(Word input) {
  const GLink* link = reinterpret_cast<const GLink*>(input);
  return link && link->has_relation() ? as_word(link->relation().c_str()) : 0;
}

// Category names of vectors that name no category of a parser live here.
const char* interned(const std::string& text) {
  static std::unordered_set<std::string> texts;
  return texts.insert(text).first->c_str();
}

Word node_name(Word input) {
  const AttVec* vec = reinterpret_cast<const AttVec*>(input);
  if (!vec) return 0;
  const std::string name = category_name(*vec);
  return name.empty() ? 0 : as_word(interned(name));
}

// ---- Functions with options and conditions.

// The word after the item's end: with `pass_skipped`, skipped positions
// are passed over. 0 after the last word.
int following_position(const SentenceView& sentence, const PItem& item, bool pass_skipped) {
  int w = item.end + 1;
  if (pass_skipped)
    while (w <= sentence.last_word() && sentence.skipped(w)) ++w;
  return w <= sentence.last_word() ? w : 0;
}

bool word_accepted(LExp* cond, const char* word) {
  return !cond || (word && cond->eval(as_word(word), ShellTypes::get().text) != 0);
}

// Base of the functions written (NAME [:no-skip] [CONDITION]).
class WordConditionExp : public LExp {
 public:
  void init(IRSlist& args) override {
    no_skip_ = args.take_flag(":no-skip");
    condition_ = build_first(args);
  }
  // Whether the condition, if any, only filters the word it is given.
  bool filters_words_only() const {
    const auto* filter = dynamic_cast<const TextFilter*>(condition_.get());
    return !condition_ || (filter && filter->passes(nullptr));
  }

 protected:
  bool no_skip_ = false;
  LExpPtr condition_;
};

// (pitem-following-word [:no-skip] [CONDITION]): the end word when the
// condition accepts it; else the next word (skipped positions passed with
// :no-skip), or the condition's result on it.
class FollowingWordExp final : public DefaultClone<FollowingWordExp, WordConditionExp> {
 public:
  FollowingWordExp() { set_types(kPItemType, nullptr); }
  const char* name() const override { return "pitem-following-word"; }
  Word eval(Word input, TypeId type) override {
    if (!input || !check_input(type)) return 0;
    const PItem* item = as_item(input);
    const SentenceView* sentence = sentence_of(item);
    if (!sentence) return 0;
    const TypeId text = ShellTypes::get().text;
    if (condition_ && item->end > 0) {
      const char* end_word = sentence->word_at(item->end);
      if (end_word && condition_->eval(as_word(end_word), text) != 0) return returning(as_word(end_word), text);
    }
    const int w = following_position(*sentence, *item, no_skip_);
    if (w == 0) return 0;
    const char* word = sentence->word_at(w);
    if (!condition_) return returning(as_word(word), text);
    const Word result = condition_->eval(as_word(word), text);
    return returning(result, condition_->result_type());
  }
};

// (pitem-followed-by-or-end-with-word [:no-skip] CONDITION): the item when
// the condition accepts its end word or the next word, or when it ends the
// sentence.
class FollowedByExp final : public DefaultClone<FollowedByExp, WordConditionExp> {
 public:
  FollowedByExp() { set_types(kPItemType, kPItemType); }
  const char* name() const override { return "pitem-followed-by-or-end-with-word"; }
  Word eval(Word input, TypeId type) override {
    if (!input || !check_input(type)) return 0;
    const PItem* item = as_item(input);
    const SentenceView* sentence = sentence_of(item);
    if (!sentence) return 0;
    if (item->end >= sentence->last_word()) return input;
    if (item->end > 0 && condition_ && word_accepted(condition_.get(), sentence->word_at(item->end))) return input;
    const int w = following_position(*sentence, *item, no_skip_);
    if (w > 0 && condition_ && word_accepted(condition_.get(), sentence->word_at(w))) return input;
    return 0;
  }
};

// (include-following-word [CONDITION]): the item's end moves to the next
// word that is not skipped, when the condition accepts that word.
class IncludeFollowingExp final : public DefaultClone<IncludeFollowingExp> {
 public:
  IncludeFollowingExp() { set_types(kPItemType, kPItemType); }
  const char* name() const override { return "include-following-word"; }
  void init(IRSlist& args) override { condition_ = build_first(args); }
  Word eval(Word input, TypeId type) override {
    if (!input || !check_input(type)) return 0;
    PItem* item = as_item(input);
    const SentenceView* sentence = sentence_of(item);
    if (!sentence) return input;
    const int w = following_position(*sentence, *item, true);
    if (w > 0 && word_accepted(condition_.get(), sentence->word_at(w))) {
      item->end = static_cast<std::int16_t>(w);
      note_span_moved(item);
      note_change(item);
    }
    return input;
  }

 private:
  LExpPtr condition_;
};

Word include_preceding_word(Word input) {
  PItem* item = as_item(input);
  const SentenceView* sentence = sentence_of(item);
  if (!sentence) return input;
  int w = item->start - 1;
  while (w >= 1 && sentence->skipped(w)) --w;
  if (w >= 1) {
    item->start = static_cast<std::int16_t>(w);
    note_span_moved(item);
    note_change(item);
  }
  return input;
}

// (pitem-add-weight NUMBER)
class AddWeightExp final : public DefaultClone<AddWeightExp> {
 public:
  AddWeightExp() { set_types(kPItemType, kPItemType); }
  const char* name() const override { return "pitem-add-weight"; }
  void init(IRSlist& args) override { amount_ = args.take_float(); }
  Word eval(Word input, TypeId type) override {
    if (!input || !check_input(type)) return 0;
    as_item(input)->weight += amount_;
    note_change(as_item(input));
    return input;
  }

 private:
  float amount_ = 0.0f;
};

// (get-modifier-by-type RELATION)
class ModifierByTypeExp final : public DefaultClone<ModifierByTypeExp> {
 public:
  ModifierByTypeExp() { set_types(kPItemType, kPItemType); }
  const char* name() const override { return "get-modifier-by-type"; }
  void init(IRSlist& args) override {
    if (const char* relation = args.take_atom()) relation_ = relation;
    bit_ = relation_bit(relation_);
  }
  Word eval(Word input, TypeId type) override {
    if (!input || !check_input(type)) return 0;
    return as_word(modifier_by_type(*as_item(input), relation_, bit_));
  }
  const std::string& relation() const { return relation_; }

 private:
  std::string relation_;
  std::uint64_t bit_ = relation_bit("");
};

Word head_last(Word input) { return input ? head_is_last(*as_item(input)) : 1; }
Word head_first(Word input) { return input ? head_is_first(*as_item(input)) : 1; }

// (case-mark-position PARSER) and its relatives: the input is a position.
class CaseMarkExp final : public LExp {
 public:
  enum class Op { kMark, kMarkOblique, kTest, kTestOblique };
  CaseMarkExp(const char* name, Op op) : name_(name), op_(op) { set_types(kInt, kInt); }
  const char* name() const override { return name_; }
  LExpPtr clone() const override { return std::make_unique<CaseMarkExp>(name_, op_); }
  void init(IRSlist& args) override {
    const char* parser = args.take_atom();
    if (parser) parser_ = NameSpaces::lookup_as<KorvelParser>(parser, KorvelParser::kTypeText);
  }
  Word eval(Word input, TypeId type) override {
    if (!parser_ || !check_input(type)) return 0;
    Chart& chart = parser_->chart();
    const int p = to_int(input);
    std::vector<int>& set = op_ == Op::kMark || op_ == Op::kTest ? chart.case_marked : chart.oblique_case_marked;
    if (op_ == Op::kMark || op_ == Op::kMarkOblique) {
      set.push_back(p + 1);
      note_change(parser_);
      return 0;
    }
    for (int marked : set)
      if (marked == p) return 1;
    return 0;
  }

 private:
  const char* name_;
  Op op_;
  KorvelParser* parser_ = nullptr;
};

Word set_head_of_lexitem(Word input) {
  LexItem* item = reinterpret_cast<LexItem*>(input);
  if (!item) return 0;
  const BuiltinAttributes& b = builtin_attributes();
  Word cat = 0;
  bool has_cat = false;
  if (item->meaning && item->meaning->type_name() == AVMeaning::kTypeName && b.cat >= 0) {
    const AttVec& vec = static_cast<const AVMeaning&>(*item->meaning).vector();
    has_cat = vec.defined(b.cat);
    cat = vec.get(b.cat);
  }
  note_change(current_parser());
  item->head = static_cast<std::int16_t>(item->low);
  if (has_cat && (cat == b.cat_n || cat == b.cat_a) && item->lattice) {
    for (int w = item->high; w >= std::max<int>(item->low, 1); --w) {
      const char* word = item->lattice->word_at(w);
      if (word && std::strcmp(word, ",") != 0) {
        item->head = static_cast<std::int16_t>(w);
        break;
      }
    }
  }
  return input;
}

// The first moved element gets a trace of its own: the roles of its trace
// with this item as the item they moved from. An element that has no trace
// yet (put on the list by the grammar, not by the lexicon) gives its "role",
// which it then loses, as entering a lexical item does.
Word set_trace_att_of_pred(Word input) {
  PItem* item = as_item(input);
  const BuiltinAttributes& b = builtin_attributes();
  if (!item || b.move < 0 || b.trace < 0 || !item->av.defined(b.move)) return input;
  AttVec* element = private_element(item->av, b.move, 0);
  if (!element) return input;
  note_change(item);
  auto* fresh = new TraceList;
  if (const auto* old = reinterpret_cast<const TraceList*>(att_value(*element, b.trace)))
    for (const TraceRecord& record : old->records()) fresh->records().push_back({record.role, as_word(item)});
  if (fresh->records().empty()) {
    fresh->records().push_back({att_value(*element, b.role), as_word(item)});
    if (b.role >= 0) element->remove(b.role);
  }
  element->set(b.trace, as_word(fresh));
  return input;
}

Word isolate(Word, Word i, Word j) {
  if (KorvelParser* parser = current_parser()) {
    parser->chart().isolate(to_int(i), to_int(j));
    note_change(parser);
  }
  return 0;
}

// The lexicon entry of the item's lexical head.
Word ref_entry(Word input) {
  const PItem* item = as_item(input);
  if (!item) return 0;
  const PItem& lexical = item->lexical_head();
  return lexical.lex_item ? as_word(lexical.lex_item->entry) : 0;
}

}  // namespace

const PItem* modifier_by_type(const PItem& item, const std::string& relation, std::uint64_t bit) {
  if ((item.relations & PItem::kRelationsKnown) && !(item.relations & bit)) return nullptr;
  // A link's relation bit is that of its name (0 without one): a link
  // whose bit differs has another relation, and its name is not compared.
  for (const PItem* at = &item; at; at = at->head_child)
    if (at->link && (at->link->relation_bit() & bit) && at->link->relation() == relation) return at->second;
  return nullptr;
}

const char* span_words(const PItem& item) {
  const SentenceView* sentence = sentence_of(&item);
  return sentence ? sentence->span_text(item.start, item.end) : nullptr;
}

const char* span_words(const PItem& item, bool& lasting) {
  const SentenceView* sentence = sentence_of(&item);
  lasting = sentence && sentence->span_text_lasts(item.start, item.end);
  return sentence ? sentence->span_text(item.start, item.end) : nullptr;
}

bool reads_end_words_only(const LExp& exp) {
  if (!dynamic_cast<const FollowingWordExp*>(&exp) && !dynamic_cast<const FollowedByExp*>(&exp)) return false;
  return static_cast<const WordConditionExp&>(exp).filters_words_only();
}

bool is_preceding_word(const LExp& exp) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  return adaptor && !adaptor->inner() && std::string_view(exp.name()) == "pitem-preceding-word";
}

const PItem& head_child_of(const PItem& item) {
  const PItem* at = &item;
  while (at->is_merge()) at = at->head_child;
  return *at;
}

bool is_head_child(const LExp& exp) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  return adaptor && !adaptor->inner() && std::string_view(exp.name()) == "pitem-head-child";
}

const SentenceView* sentence_of_item(const PItem& item) { return sentence_of(&item); }

bool is_span_words(const LExp& exp) {
  const auto* adaptor = dynamic_cast<const FnAdaptor*>(&exp);
  return adaptor && !adaptor->inner() && std::string_view(exp.name()) == "pitem-head-word";
}

bool head_is_last(const PItem& item) {
  for (const PItem* at = &item; at->head_child; at = at->head_child)
    if (at->head_child->end < at->end) return false;
  return true;
}

bool head_is_first(const PItem& item) {
  for (const PItem* at = &item; at->head_child; at = at->head_child)
    if (at->head_child->start > at->start) return false;
  return true;
}

const std::string* modifier_relation_of(const LExp& exp) {
  const auto* by_type = dynamic_cast<const ModifierByTypeExp*>(&exp);
  return by_type ? &by_type->relation() : nullptr;
}

void register_pitem_functions() {
  if (LExp::find_prototype("pitem-low")) return;
  register_adaptor("pitem-low", &pitem_low, kPItemType, kInt, "(pitem-low) the start word of a parse item.");
  register_adaptor("pitem-high", &pitem_high, kPItemType, kInt, "(pitem-high) the end word of a parse item.");
  register_adaptor("pitem-length", &pitem_length, kPItemType, kInt,
                   "(pitem-length) the end word minus the start word of a parse item.");
  register_adaptor("pitem-attvec", &pitem_attvec, kPItemType, kAttVec,
                   "(pitem-attvec) the attribute vector of a parse item.");
  register_adaptor("pitem-modifier", &pitem_modifier, kPItemType, kPItemType,
                   "(pitem-modifier) the modifier (or right conjunct) attached to a parse item.");
  register_adaptor("pitem-modifiee", &pitem_modifiee, kPItemType, kPItemType,
                   "(pitem-modifiee) the head side of a merged parse item, else the item.");
  register_adaptor("pitem-head-child", &pitem_head_child, kPItemType, kPItemType,
                   "(pitem-head-child) the first item down the head children that is not a merge.");
  register_adaptor("pitem-deprel", &pitem_deprel, kPItemType, kDepRelType,
                   "(pitem-deprel) the link through which a parse item was made.");
  register_adaptor("pitem-head-word", &pitem_head_word, kPItemType, kText,
                   "(pitem-head-word) the words of a parse item's span.");
  register_adaptor("pitem-preceding-word", &pitem_preceding_word, kPItemType, kText,
                   "(pitem-preceding-word) the word before a parse item, skipped words passed.");
  register_native("opens-sentence", &opens_sentence, kPItemType, kInt,
                  "(opens-sentence) 1 when no word but skipped ones stands before a parse item.");
  register_adaptor("deprel-type", &deprel_type, kDepRelType, kText, "(deprel-type) the relation name of a link.");
  register_adaptor("node-name", &node_name, kAttVec, kText,
                   "(node-name) the category name that an attribute vector implies.");
  register_lexp(std::make_unique<FollowingWordExp>(), nullptr,
                "(pitem-following-word [:no-skip] [CONDITION]) the word after a parse item.");
  register_lexp(std::make_unique<FollowedByExp>(), nullptr,
                "(pitem-followed-by-or-end-with-word [:no-skip] CONDITION) the item when its end word or the "
                "next word satisfies CONDITION, or when it ends the sentence.");
  register_lexp(std::make_unique<IncludeFollowingExp>(), nullptr,
                "(include-following-word [CONDITION]) extend a parse item to the next word.");
  register_adaptor("include-preceding-word", &include_preceding_word, kPItemType, kPItemType,
                   "(include-preceding-word) extend a parse item to the previous word.");
  register_lexp(std::make_unique<AddWeightExp>(), nullptr,
                "(pitem-add-weight NUMBER) add NUMBER to the weight of a parse item.");
  register_lexp(std::make_unique<ModifierByTypeExp>(), nullptr,
                "(get-modifier-by-type RELATION) the modifier attached to a parse item through RELATION.");
  register_native("head-last", &head_last, kPItemType, kInt,
                  "(head-last) 1 when a parse item has no dependent right of its head.");
  register_native("head-first", &head_first, kPItemType, kInt,
                  "(head-first) 1 when a parse item has no dependent left of its head.");
  register_lexp(std::make_unique<CaseMarkExp>("case-mark-position", CaseMarkExp::Op::kMark), nullptr,
                "(case-mark-position PARSER) mark the position after the input position as case-marked.");
  register_lexp(std::make_unique<CaseMarkExp>("oblique-case-mark", CaseMarkExp::Op::kMarkOblique), nullptr,
                "(oblique-case-mark PARSER) mark the position after the input position as oblique case-marked.");
  register_lexp(std::make_unique<CaseMarkExp>("is-case-marked", CaseMarkExp::Op::kTest), nullptr,
                "(is-case-marked PARSER) 1 when the input position is case-marked.");
  register_lexp(std::make_unique<CaseMarkExp>("is-oblique-case-marked", CaseMarkExp::Op::kTestOblique), nullptr,
                "(is-oblique-case-marked PARSER) 1 when the input position is oblique case-marked.");
  register_native("set-head-of-lexitem", &set_head_of_lexitem, "LexItem*", "LexItem*",
                  "(set-head-of-lexitem) set the head position of a lexical item.");
  register_native("set-trace-att-of-pred", &set_trace_att_of_pred, kPItemType, kPItemType,
                  "(set-trace-att-of-pred) give the first moved element of a parse item a trace of its own.");
  register_native("isolate", &isolate, nullptr, kInt,
                  "(isolate I J) words I to J form a bracket that no parse item crosses.", {kInt, kInt});
  register_native("ref-entry", &ref_entry, kPItemType, "LexEntry*",
                  "(ref-entry) the lexicon entry of the lexical item at the head of a parse item.");
}

}  // namespace velmo
