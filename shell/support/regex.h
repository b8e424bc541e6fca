#pragma once
// The one regular-expression wrapper of the system: POSIX extended syntax
// (egrep style), which matches the syntax the command language documents.
#include <regex.h>

#include <cstddef>
#include <string>
#include <string_view>

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
  int group_count() const { return compiled_ ? static_cast<int>(re_.re_nsub) : 0; }

  // Searches `text` from `offset`; `groups` receives up to `max_groups`
  // entries (group 0 is the whole match). `not_bol` tells the engine that the
  // search does not start at the beginning of a line.
  bool search(const char* text, RegexMatch* groups = nullptr, int max_groups = 0, bool not_bol = false) const;
  bool search(const std::string& text) const { return search(text.c_str()); }

 private:
  regex_t re_{};
  bool compiled_ = false;
  std::string error_;
};

}  // namespace velmo
