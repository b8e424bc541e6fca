// Expression functions on matches (input type "Match*").
#include <cstdint>
#include <cstdlib>

#include "lexical/items/item_lattice.h"
#include "lexical/patterns/lpattern.h"
#include "lexical/patterns/pattern_commands.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/lexp/native.h"
#include "shell/reader/irslist.h"

namespace velmo {
namespace {

constexpr const char* kMatchType = Match::kTypeText;

TypeId match_type() {
  static const TypeId id = type_id(kMatchType);
  return id;
}

const Match* match_of(Word input) { return from_word<const Match>(input); }

Word item_of(Word input) { return input ? to_word(match_of(input)->item) : 0; }

Word meaning_of(Word input) {
  const LexItem* item = input ? match_of(input)->item : nullptr;
  return item ? to_word(item->meaning.get()) : 0;
}

Word low_of(Word input) { return input ? static_cast<Word>(static_cast<std::intptr_t>(match_of(input)->low)) : 0; }

Word high_of(Word input) { return input ? static_cast<Word>(static_cast<std::intptr_t>(match_of(input)->high)) : 0; }

// The word at low for a one-word match, the span text for a longer one,
// nothing for an empty one.
Word matching_word(Word input) {
  const Match* match = input ? match_of(input) : nullptr;
  if (!match || !match->lattice || match->high < match->low) return 0;
  if (match->low == match->high) return to_word(match->lattice->word_at(match->low));
  return to_word(match->lattice->span_text(match->low, match->high));
}

Word analyzer_of(Word input) { return input ? to_word(match_of(input)->analyzer()) : 0; }

// ($ N): the N-th sub-match (1-based), counted from the end for N < 0. N is
// an integer atom or an expression evaluated on the match.
class SubMatchExp final : public DefaultClone<SubMatchExp> {
 public:
  SubMatchExp() { set_types(kMatchType, kMatchType); }
  const char* name() const override { return "$"; }
  const char* doc() const override {
    return "($ N) the N-th sub-match of the match; N < 0 counts from the end (-1 is the last)";
  }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> first = args.take_first();
    if (!first) return;
    if (first->is_atom()) {
      if (first->atom()) index_ = std::strtol(first->atom(), nullptr, 10);
      return;
    }
    index_exp_ = get_exp(first.get());
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    const Match* match = match_of(input);
    long index = index_;
    if (index_exp_) index = static_cast<long>(static_cast<std::intptr_t>(index_exp_->eval(input, type)));
    const auto count = static_cast<long>(match->sub_matches.size());
    if (index < 0) index += count + 1;
    if (index < 1 || index > count) return 0;
    return to_word(match->sub_matches[static_cast<std::size_t>(index - 1)].get());
  }

 private:
  long index_ = 0;
  LExpPtr index_exp_;
};

// (foreach-match-component EXPR): EXPR on every sub-match in order; 0.
class ForeachComponentExp final : public DefaultClone<ForeachComponentExp> {
 public:
  ForeachComponentExp() { set_types(kMatchType, "int"); }
  const char* name() const override { return "foreach-match-component"; }
  const char* doc() const override {
    return "(foreach-match-component EXPR) evaluates EXPR on every sub-match of the match";
  }
  void init(IRSlist& args) override { body_ = build_first(args); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input || !body_) return 0;
    // The body may not change the match, but the list is walked by index
    // so that nothing is invalidated if it grows.
    const Match* match = match_of(input);
    for (std::size_t i = 0; i < match->sub_matches.size(); ++i)
      body_->eval(to_word(match->sub_matches[i].get()), match_type());
    return 0;
  }

 private:
  LExpPtr body_;
};

}  // namespace

void register_match_functions() {
  if (LExp::find_prototype("litem")) return;
  register_native("litem", &item_of, kMatchType, "LexItem*", "(litem) the lexical item of the match");
  register_native("meaning", &meaning_of, kMatchType, "Meaning*", "(meaning) the meaning of the match's lexical item");
  register_native("low", &low_of, kMatchType, "int", "(low) the first position of the match");
  register_native("high", &high_of, kMatchType, "int", "(high) the last position of the match");
  register_native("matching-word", &matching_word, kMatchType, "char*",
                  "(matching-word) the word or the words of the match");
  register_native("analyzer", &analyzer_of, kMatchType, "LexAnalyzer*", "(analyzer) the lexical analyzer of the match");
  register_lexp(std::make_unique<SubMatchExp>());
  register_lexp(std::make_unique<ForeachComponentExp>());
}

void register_pattern_commands(Interpreter&) {
  register_pattern_kinds();
  register_match_functions();
}

}  // namespace velmo
