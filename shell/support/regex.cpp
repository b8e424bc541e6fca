#include "shell/support/regex.h"

#include <algorithm>
#include <array>

#include "shell/support/regex_cost.h"

namespace velmo {

Regex::~Regex() { free_library(); }

void Regex::free_library() {
  if (library_compiled_) regfree(&re_);
  library_compiled_ = false;
}

bool Regex::compile(std::string_view pattern) {
  free_library();
  automaton_.reset();
  uses_automaton_ = false;
  compiled_ = false;
  error_.clear();
  // Measured first: some patterns would take minutes and gigabytes to compile.
  if (const std::optional<std::string> problem = regex_cost_problem(pattern)) {
    error_ = "pattern refused: " + *problem;
    return false;
  }
  pattern_ = pattern;
  if (const std::optional<int> groups = RegexAutomaton::handled_groups(pattern)) {
    uses_automaton_ = true;
    automaton_groups_ = *groups;
    compiled_ = true;
    return true;
  }
  const int rc = regcomp(&re_, pattern_.c_str(), REG_EXTENDED);
  if (rc != 0) {
    char buffer[256];
    regerror(rc, &re_, buffer, sizeof buffer);
    error_ = buffer;
    return false;
  }
  library_compiled_ = true;
  compiled_ = true;
  return true;
}

const RegexAutomaton& Regex::build_automaton() const {
  // The pattern was checked when it was compiled: the build succeeds.
  automaton_ = RegexAutomaton::build(pattern_);
  return *automaton_;
}

bool Regex::add_first_bytes(std::array<std::uint64_t, 4>& bytes) const {
  if (!uses_automaton_) return false;
  const RegexAutomaton& answering = automaton();
  for (int byte = 0; byte < 256; ++byte)
    if (answering.may_begin_with(static_cast<unsigned char>(byte)))
      bytes[static_cast<std::size_t>(byte / 64)] |= std::uint64_t{1} << (byte % 64);
  return true;
}

bool Regex::refuses_every_text_with(unsigned char byte) const {
  return uses_automaton_ && automaton().matches_no_text_with(byte);
}

bool Regex::library_ready() const {
  if (library_compiled_) return true;
  if (!compiled_) return false;
  library_compiled_ = regcomp(&re_, pattern_.c_str(), REG_EXTENDED) == 0;
  return library_compiled_;
}

int Regex::group_count() const {
  if (!compiled_) return 0;
  if (uses_automaton_) return automaton_groups_;
  return static_cast<int>(re_.re_nsub);
}

bool Regex::compile_anchored(std::string_view pattern) {
  if (pattern.starts_with('^')) return compile(pattern);
  std::string anchored;
  anchored.reserve(pattern.size() + 1);
  anchored += '^';
  anchored += pattern;
  return compile(anchored);
}

bool Regex::matches_prefix(const char* text) const {
  RegexMatch match;
  return search(text, &match, 1) && match.start == 0 && match.end > 0;
}

bool Regex::search_with_library(const char* text, RegexMatch* groups, int max_groups, bool not_bol) const {
  if (!compiled_ || !text) return false;
  if (!library_ready()) return false;
  const int flags = not_bol ? REG_NOTBOL : 0;
  if (max_groups <= 0 || !groups) return regexec(&re_, text, 0, nullptr, flags) == 0;
  // Searches run on hot paths (substitutions, filters): the group array
  // lives on the stack; more than ten groups are never reported.
  std::array<regmatch_t, kMaxGroups> found{};
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(max_groups), kMaxGroups);
  if (regexec(&re_, text, count, found.data(), flags) != 0) return false;
  for (std::size_t i = 0; i < count; ++i) {
    groups[i].start = static_cast<int>(found[i].rm_so);
    groups[i].end = static_cast<int>(found[i].rm_eo);
  }
  for (std::size_t i = count; i < static_cast<std::size_t>(max_groups); ++i) groups[i] = RegexMatch{};
  return true;
}

}  // namespace velmo
