#pragma once
// The one regular-expression wrapper of the system: POSIX extended syntax
// (egrep style), which matches the syntax the command language documents.
#include <regex.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "shell/support/regex_automaton.h"

namespace velmo {

struct RegexMatch {
  int start = -1;
  int end = -1;
};

class Regex {
 public:
  // The whole match and groups 1 to 9.
  static constexpr std::size_t kMaxGroups = 10;

  Regex() = default;
  ~Regex();
  Regex(const Regex&) = delete;
  Regex& operator=(const Regex&) = delete;

  // Compiles `pattern`; on failure error() holds the library's message.
  bool compile(std::string_view pattern);
  // Compiles `pattern` anchored at the start of the text: "^" is put in front
  // unless the pattern begins with one.
  bool compile_anchored(std::string_view pattern);
  // Whether the expression matches at the start of `text` with at least one
  // character.
  bool matches_prefix(const char* text) const;
  bool ok() const { return compiled_; }
  const std::string& error() const { return error_; }
  int group_count() const;

  // Searches `text` from `offset`; `groups` receives up to `max_groups`
  // entries (group 0 is the whole match). `not_bol` tells the engine that the
  // search does not start at the beginning of a line.
  // A yes/no search of a pattern the automaton handles goes straight to it:
  // filters ask that hundreds of thousands of times per text.
  bool search(const char* text, RegexMatch* groups = nullptr, int max_groups = 0, bool not_bol = false) const {
    if (uses_automaton_ && text && (max_groups <= 0 || !groups)) return automaton().search(text, not_bol);
    return search_with_library(text, groups, max_groups, not_bol);
  }
  bool search(const std::string& text) const { return search(text.c_str()); }
  // Adds to `bytes` (bit b of word b / 64) every first byte of a text that
  // search() without groups may find a match in; false, adding nothing,
  // when the automaton does not answer this expression.
  bool add_first_bytes(std::array<std::uint64_t, 4>& bytes) const;
  // Whether search() without groups finds a match in no text that holds
  // `byte` (false when the automaton does not answer this expression).
  bool refuses_every_text_with(unsigned char byte) const;

 private:
  // The search of the POSIX engine (and of an uncompiled expression).
  bool search_with_library(const char* text, RegexMatch* groups, int max_groups, bool not_bol) const;
  // The automaton, built at the first search that asks it: start-up
  // compiles hundreds of patterns that a short text never asks.
  const RegexAutomaton& automaton() const { return automaton_ ? *automaton_ : build_automaton(); }
  const RegexAutomaton& build_automaton() const;
  // The POSIX engine's compiled form, made when first needed.
  bool library_ready() const;
  void free_library();

  std::string pattern_;
  // Yes/no searches of the patterns it handles go to the automaton; the
  // POSIX engine compiles such a pattern only when a search asks for the
  // matched positions.
  bool uses_automaton_ = false;
  int automaton_groups_ = 0;
  mutable std::unique_ptr<RegexAutomaton> automaton_;
  mutable regex_t re_{};
  mutable bool library_compiled_ = false;
  bool compiled_ = false;
  std::string error_;
};

}  // namespace velmo
