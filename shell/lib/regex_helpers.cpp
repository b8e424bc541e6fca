#include "shell/lib/regex_helpers.h"

#include <cstring>
#include <iostream>

#include "shell/support/diagnostics.h"

namespace velmo {

bool compile_reported(Regex& regex, std::string_view pattern, bool anchored) {
  if (anchored ? regex.compile_anchored(pattern) : regex.compile(pattern)) return true;
  diag() << "regexp(3): " << regex.error() << " in \"" << pattern << "\"\n" << std::flush;
  return false;
}

void RegexSubstitution::set_replacement(std::string_view replacement) {
  replacement_.clear();
  auto literal = [this]() -> std::string& {
    if (replacement_.empty() || replacement_.back().group >= 0) replacement_.push_back({-1, {}});
    return replacement_.back().text;
  };
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
    if (c == '&') {
      replacement_.push_back({0, {}});
    } else if (c == '\\' && next >= '1' && next <= '9') {
      replacement_.push_back({next - '0', {}});
      ++i;
    } else if (c == '\\' && (next == '&' || next == '\\')) {
      literal() += next;
      ++i;
    } else {
      literal() += c;
    }
  }
}

void RegexSubstitution::append_replacement(const char* base, const RegexMatch* groups, std::string& out) const {
  for (const Piece& piece : replacement_) {
    if (piece.group < 0) {
      out += piece.text;
      continue;
    }
    const RegexMatch& group = groups[piece.group];
    if (piece.group <= regex_.group_count() && group.start >= 0 && group.end >= group.start)
      out.append(base + group.start, static_cast<std::size_t>(group.end - group.start));
  }
}

void RegexSubstitution::substitute(const char* text, std::string& out) const {
  out.clear();
  const std::size_t length = std::strlen(text);
  std::size_t offset = 0;
  RegexMatch groups[kGroups];
  while (offset <= length && regex_.search(text + offset, groups, kGroups, offset > 0)) {
    const char* base = text + offset;
    const std::size_t start = offset + static_cast<std::size_t>(groups[0].start);
    const std::size_t end = offset + static_cast<std::size_t>(groups[0].end);
    out.append(base, start - offset);
    append_replacement(base, groups, out);
    if (end == start) {
      // An empty match: step over one byte so the next search moves on.
      if (start < length) out += text[start];
      offset = start + 1;
    } else {
      offset = end;
    }
    if (!global_) break;
  }
  if (offset < length) out.append(text + offset, length - offset);
}

}  // namespace velmo
