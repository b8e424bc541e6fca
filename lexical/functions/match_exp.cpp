#include "lexical/functions/match_exp.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/patterns/match.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

TypeId match_type() {
  static const TypeId id = type_id(kMatchType);
  return id;
}

bool is_integer_text(const char* text) {
  if (!text || !*text) return false;
  const char* p = text + ((*text == '-' || *text == '+') ? 1 : 0);
  if (!*p) return false;
  for (; *p; ++p)
    if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  return true;
}

// The result type an argument of that kind must have.
TypeId expected_type(char kind) {
  switch (kind) {
    case 'i':
      return ShellTypes::get().integer;
    case 's':
      return ShellTypes::get().text;
    case 'l':
      return type_id(kLexItemType);
    case 'm':
      return type_id(kMeaningType);
    default:
      return kAnyType;
  }
}

}  // namespace

LexAnalyzer* analyzer_of(const Match* match) {
  if (match)
    if (LexAnalyzer* analyzer = match->analyzer()) return analyzer;
  return current_lex_analyzer();
}

MatchExp::MatchExp(const char* name, const char* signature, const char* output_type, Fn fn, const char* doc,
                   MatchEffect effect)
    : name_(name), signature_(signature), output_(output_type), fn_(fn), doc_(doc), effect_(effect) {
  set_types(kMatchType, output_type);
}

LExpPtr MatchExp::clone() const { return std::make_unique<MatchExp>(name_, signature_, output_, fn_, doc_, effect_);
}

void MatchExp::init(IRSlist& args) {
  std::size_t slot = 0;
  for (const char* kind = signature_; *kind; ++kind) {
    std::unique_ptr<IRSlist> arg = args.take_first();
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(*kind)));
    if (!arg) {
      if (std::isupper(static_cast<unsigned char>(*kind))) break;
      diag() << name_ << ": missing argument\n" << std::flush;
      break;
    }
    if (lower == 'c') {
      condition_ = get_exp(arg.get());
      continue;
    }
    if (slot >= slots_.size()) break;
    Slot& target = slots_[slot];
    if (arg->is_atom() && arg->atom() && lower == 'i' && is_integer_text(arg->atom())) {
      target.constant = static_cast<Word>(static_cast<std::intptr_t>(std::strtol(arg->atom(), nullptr, 10)));
      target.has_constant = true;
    } else if (arg->is_atom() && arg->atom() && lower == 's') {
      texts_[slot] = arg->atom();
      target.constant = to_word(texts_[slot].c_str());
      target.has_constant = true;
    } else {
      target.exp = get_exp(arg.get());
      const TypeId expected = expected_type(lower);
      if (target.exp && expected != kAnyType && target.exp->output_type() != kAnyType &&
          target.exp->output_type() != expected) {
        diag() << name_ << ": argument " << slot + 1 << " yields " << type_name(target.exp->output_type()) << ", not "
               << type_name(expected) << '\n'
               << std::flush;
        target.exp.reset();
      }
    }
    ++slot;
  }
}

Word MatchExp::eval(Word input, TypeId type) {
  if (!check_input(type)) return 0;
  auto* match = from_word<Match>(input);
  MatchCall call;
  call.match = match;
  call.analyzer = analyzer_of(match);
  call.input = input;
  call.condition = condition_.get();
  if (!call.analyzer) return 0;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    Slot& slot = slots_[i];
    if (slot.has_constant) {
      call.values[i] = slot.constant;
      call.given[i] = true;
    } else if (slot.exp) {
      call.values[i] = slot.exp->eval(input, match_type());
      call.given[i] = true;
    }
  }
  return fn_(call);
}

bool register_match_exp(const char* name, const char* signature, const char* output_type, MatchExp::Fn fn,
                        const char* doc, MatchEffect effect) {
  return register_lexp(std::make_unique<MatchExp>(name, signature, output_type, fn, doc, effect));
}

}  // namespace velmo
