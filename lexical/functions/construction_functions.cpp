#include "lexical/functions/construction_functions.h"

#include <algorithm>
#include <string>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/functions/match_exp.h"
#include "lexical/patterns/match.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

TypeId match_type() {
  static const TypeId id = type_id(kMatchType);
  return id;
}

// Whether an argument expression may yield a value of `type`; reported
// when its known result type is another.
bool yields(const LExp& exp, const char* type) {
  if (exp.output_type() == kAnyType || exp.output_type() == type_id(type)) return true;
  diag() << "an argument yields " << type_name(exp.output_type()) << ", not " << type << '\n' << std::flush;
  return false;
}

long as_long(Word value) { return static_cast<long>(static_cast<std::intptr_t>(value)); }

// (make-lexitem LOW HIGH MEANING [:root ROOT]): a new item, not entered in
// the lattice. ROOT is an atom or an expression; without it the root is the
// text of the span.
class MakeLexItemExp final : public DefaultClone<MakeLexItemExp> {
 public:
  MakeLexItemExp() { set_types(kMatchType, kLexItemType); }
  const char* name() const override { return "make-lexitem"; }
  const char* doc() const override {
    return "(make-lexitem LOW HIGH MEANING [:root ROOT]) a new item over LOW..HIGH with MEANING, not entered in the "
           "lattice (use assert)";
  }
  void init(IRSlist& args) override {
    if (std::unique_ptr<IRSlist> root = args.take_value_node(":root", true)) {
      if (root->is_atom()) {
        if (root->atom()) root_text_ = root->atom(), has_root_text_ = true;
      } else {
        root_exp_ = get_exp(root.get());
      }
    }
    low_ = build_first(args);
    high_ = build_first(args);
    meaning_ = build_first(args);
    if (meaning_ && !yields(*meaning_, kMeaningType)) meaning_.reset();
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !low_ || !high_) return 0;
    auto* match = from_word<Match>(input);
    LexAnalyzer* analyzer = analyzer_of(match);
    if (!analyzer) return 0;
    const long low = as_long(low_->eval(input, match_type()));
    const long high = as_long(high_->eval(input, match_type()));
    if (low < 0 || high < 0 || low >= LexAnalyzer::kMaxPositions || high >= LexAnalyzer::kMaxPositions) return 0;
    // Values whose type shows only now (an `if` of two kinds) are checked too.
    Word meaning_value = 0;
    Word root_value = 0;
    if (!eval_expecting(*this, meaning_.get(), input, match_type(), type_id(kMeaningType), meaning_value) ||
        !eval_expecting(*this, root_exp_.get(), input, match_type(), ShellTypes::get().text, root_value))
      return 0;
    const auto* meaning = from_word<Meaning>(meaning_value);
    const char* root = has_root_text_ ? root_text_.c_str() : nullptr;
    if (root_exp_) root = from_word<const char>(root_value);
    if (!root) root = analyzer->span_text(static_cast<int>(low), static_cast<int>(high));
    return to_word(analyzer->make_item(root ? root : "", meaning, static_cast<int>(low), static_cast<int>(high)));
  }

 private:
  LExpPtr low_, high_, meaning_, root_exp_;
  std::string root_text_;
  bool has_root_text_ = false;
};

// (combine-lexitems [REL] EXPR ...): an item made of the items the
// expressions yield, its root, meaning and head taken from the first. A
// relation name belongs to the expression it precedes; when that expression
// yields nothing the name goes unused.
class CombineLexItemsExp final : public DefaultClone<CombineLexItemsExp> {
 public:
  CombineLexItemsExp() { set_types(kMatchType, kLexItemType); }
  const char* name() const override { return "combine-lexitems"; }
  const char* doc() const override {
    return "(combine-lexitems [RELATION] LEXP ...) an item combining the items the expressions yield, each with "
           "the relation named before it";
  }
  void init(IRSlist& args) override {
    std::string relation;
    bool has_relation = false;
    while (std::unique_ptr<IRSlist> arg = args.take_first()) {
      if (arg->is_atom()) {
        if (arg->atom()) relation = arg->atom(), has_relation = true;
        continue;
      }
      LExpPtr exp = get_exp(arg.get());
      if (exp && !yields(*exp, kLexItemType)) exp.reset();
      if (exp) parts_.push_back(Part{std::move(exp), relation, has_relation});
      has_relation = false;
      relation.clear();
    }
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    auto* match = from_word<Match>(input);
    LexAnalyzer* analyzer = analyzer_of(match);
    if (!analyzer) return 0;
    std::vector<std::pair<LexItem*, const Part*>> items;
    for (const Part& part : parts_)
      if (auto* item = from_word<LexItem>(part.exp->eval(input, match_type()))) items.emplace_back(item, &part);
    if (items.empty()) return 0;
    const LexItem& first = *items.front().first;
    std::vector<std::string_view> affixes;
    for (const char* affix : first.affixes) affixes.emplace_back(affix ? affix : std::string_view());
    LexItem* combined = analyzer->make_item(first.root ? first.root : std::string_view(), first.meaning.get(),
                                            first.low, first.high, affixes);
    if (!first.root) combined->root = nullptr;
    combined->head = first.head;
    combined->entry = first.entry;
    for (auto& [item, part] : items) {
      if (item->is_empty()) {
        combined->sub_items.push_back(item);
      } else {
        combined->low = std::min(combined->low, item->low);
        combined->high = std::max(combined->high, item->high);
        combined->sub_items.push_back(item);
      }
      if (part->has_relation) item->relation = analyzer->intern(part->relation);
    }
    std::stable_sort(combined->sub_items.begin(), combined->sub_items.end(),
                     [](const LexItem* a, const LexItem* b) { return a->low < b->low; });
    return to_word(analyzer->add_item(combined, true));
  }

 private:
  struct Part {
    LExpPtr exp;
    std::string relation;
    bool has_relation = false;
  };
  std::vector<Part> parts_;
};

}  // namespace

void register_construction_functions() {
  register_lexp(std::make_unique<MakeLexItemExp>());
  register_lexp(std::make_unique<CombineLexItemsExp>());
}

}  // namespace velmo
