#pragma once
// Regular-expression helpers of the expression library: compile-error
// reports and substitution with "&" and "\1".."\9" in the replacement.
#include <string>
#include <string_view>
#include <vector>

#include "shell/support/regex.h"

namespace velmo {

// Compiles `pattern` into `regex` (anchored at the start when `anchored`);
// a pattern that does not compile is reported as
//   regexp(3): <the library's message> in "<pattern>"
// and leaves `regex` matching nothing.
bool compile_reported(Regex& regex, std::string_view pattern, bool anchored = false);

// Replaces the first match of a pattern, or every match, by a replacement
// text in which "&" stands for the whole match and "\1".."\9" for the
// parenthesised parts ("\&" and "\\" give "&" and "\").
class RegexSubstitution {
 public:
  // False (reported) when the pattern does not compile; the substitution
  // then matches nothing and copies its input.
  bool compile(std::string_view pattern) { return compile_reported(regex_, pattern); }
  void set_replacement(std::string_view replacement);
  void set_global(bool global) { global_ = global; }

  // `text` with the substitution applied, into `out`. With "global" the
  // search goes on after each match; an empty match copies one byte before
  // the next search, so the loop always ends.
  void substitute(const char* text, std::string& out) const;

 private:
  static constexpr int kGroups = 10;
  struct Piece {
    int group;         // -1: literal text
    std::string text;  // the literal
  };
  void append_replacement(const char* base, const RegexMatch* groups, std::string& out) const;

  Regex regex_;
  std::vector<Piece> replacement_;
  bool global_ = false;
};

}  // namespace velmo
