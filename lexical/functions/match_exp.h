#pragma once
// The frame of the expression functions that act on the sentence through a
// match (input "Match*"): their arguments are read once into slots of fixed
// kinds, evaluated on the match, and handed with the match's analyzer to a
// plain function.
#include <array>
#include <string>
#include <string_view>

#include "shell/lexp/lexp.h"

namespace velmo {

class LexAnalyzer;
class Match;

inline constexpr const char* kMatchType = "Match*";

// Argument kinds, one letter each in a signature:
//   i  integer: an expression evaluated on the match, or an integer atom;
//   s  text: an expression evaluated on the match, or an atom taken as it is;
//   l  item: an expression yielding a "LexItem*", evaluated on the match;
//   m  meaning: an expression yielding a "Meaning*", evaluated on the match;
//   c  condition: an expression kept for the function to evaluate on items
//      or words;
// an upper-case letter marks an optional argument. An argument expression
// whose result type is known and differs from the kind's is refused when
// the expression is built (values of another type must never be taken for
// items).
struct MatchCall {
  static constexpr std::size_t kMaxArgs = 4;
  Match* match = nullptr;
  LexAnalyzer* analyzer = nullptr;
  Word input = 0;
  std::array<Word, kMaxArgs> values{};
  std::array<bool, kMaxArgs> given{};
  LExp* condition = nullptr;

  long integer(std::size_t i) const { return static_cast<long>(static_cast<std::intptr_t>(values[i])); }
  template <class T>
  T* pointer(std::size_t i) const {
    return from_word<T>(values[i]);
  }
  const char* text(std::size_t i) const { return from_word<const char>(values[i]); }
  // Whether the condition holds for a value (true when there is none).
  bool holds(Word value, TypeId type) const { return !condition || condition->eval(value, type) != 0; }
};

// What a match function does to the sentence: changes it (the default), or
// only reads it, its condition ('c') being tested on items or on words.
enum class MatchEffect { kChanges, kReadsItems, kReadsWords };

class MatchExp : public LExp {
 public:
  using Fn = Word (*)(MatchCall& call);

  MatchExp(const char* name, const char* signature, const char* output_type, Fn fn, const char* doc,
           MatchEffect effect = MatchEffect::kChanges);
  const char* name() const override { return name_; }
  const char* doc() const override { return doc_; }
  LExpPtr clone() const override;
  void init(IRSlist& args) override;
  Word eval(Word input, TypeId type) override;
  // The expression of the condition argument ('c'), or null.
  const LExp* condition() const { return condition_.get(); }
  MatchEffect effect() const { return effect_; }
  // The expression of the i-th non-condition argument, or null (a constant
  // or a missing argument).
  const LExp* argument(std::size_t i) const { return i < slots_.size() ? slots_[i].exp.get() : nullptr; }

 private:
  struct Slot {
    LExpPtr exp;
    Word constant = 0;
    bool has_constant = false;
  };

  const char* name_;
  const char* signature_;
  const char* output_;
  Fn fn_;
  const char* doc_;
  MatchEffect effect_;
  std::array<Slot, MatchCall::kMaxArgs> slots_;
  std::array<std::string, MatchCall::kMaxArgs> texts_;
  LExpPtr condition_;
};

bool register_match_exp(const char* name, const char* signature, const char* output_type, MatchExp::Fn fn,
                        const char* doc, MatchEffect effect = MatchEffect::kChanges);

// The analyzer of a match: its own, else the current one.
LexAnalyzer* analyzer_of(const Match* match);

}  // namespace velmo
