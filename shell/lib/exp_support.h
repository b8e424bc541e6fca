#pragma once
// Pieces shared by the expressions of the function library: text values,
// positional argument expressions and the registration entry points of each
// group of expressions.
#include <cstddef>
#include <string>

#include "shell/lexp/adaptors.h"
#include "shell/lexp/lexp.h"

namespace velmo {

inline const char* text_of(Word value) { return reinterpret_cast<const char*>(value); }
inline Word word_of(const char* text) { return reinterpret_cast<Word>(text); }

// An expression with up to `max` argument expressions kept in their
// positions (one that fails to build stays null), like the native-function
// wrappers: more than `max` arguments are reported and none is built.
class PositionalArgs {
 public:
  void build(const char* owner, IRSlist& args, std::size_t max);
  // Whether the argument at `index` was given and built.
  bool has(std::size_t index) const { return index < args_.size() && args_[index]; }
  Word eval(std::size_t index, Word input, TypeId type) const {
    return has(index) ? args_[index]->eval(input, type) : 0;
  }

 private:
  LExpList args_;
};

// An adaptor from a text to a text: a null input gives 0; otherwise the
// conversion's result, usually held in the expression's buffer.
class TextAdaptor : public LAdaptor {
 public:
  TextAdaptor();
  Word apply(Word input) final { return input ? convert(text_of(input)) : 0; }

 protected:
  virtual Word convert(const char* text) = 0;
  Word buffered() const { return word_of(buffer_.c_str()); }
  std::string buffer_;
};

void register_integer_expressions();
void register_text_expressions();
void register_regex_expressions();
void register_word_expressions();
void register_output_expressions();

}  // namespace velmo
