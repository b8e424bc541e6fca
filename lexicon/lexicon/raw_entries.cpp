#include "lexicon/lexicon/raw_entries.h"

#include <iostream>

#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Index just past the quoted stretch that starts at `open`.
std::size_t skip_quoted(std::string_view text, std::size_t open) {
  std::size_t i = open + 1;
  while (i < text.size() && text[i] != '"') i += text[i] == '\\' ? 2 : 1;
  return i < text.size() ? i + 1 : text.size();
}

// Index just past the parenthesised stretch that starts at `open`.
std::size_t skip_group(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size();) {
    const char c = text[i];
    if (c == '"') {
      i = skip_quoted(text, i);
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return i + 1;
    ++i;
  }
  return text.size();
}

// End of the key: the first parenthesis outside quotes after the opening one.
std::size_t key_end(std::string_view entry) {
  std::size_t i = 1;
  while (i < entry.size() && entry[i] != '(' && entry[i] != ')') i = entry[i] == '"' ? skip_quoted(entry, i) : i + 1;
  return std::min(i, entry.size());
}

}  // namespace

bool RawEntryReader::next(std::string& entry) {
  entry.clear();
  if (finished_) return false;
  char c;
  while (in_.get(c) && c != '(') {
  }
  if (!in_) return false;
  entry.push_back(c);
  int depth = 1;
  bool in_quotes = false;
  while (in_.get(c)) {
    entry.push_back(c);
    if (in_quotes) {
      if (c == '\\') {
        if (!in_.get(c)) break;
        entry.push_back(c);
      } else if (c == '"') {
        in_quotes = false;
      }
    } else if (c == '"') {
      in_quotes = true;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return true;
    }
  }
  diag() << "next_item: unmatched parenthesis\n" << std::flush;
  finished_ = true;
  entry.clear();
  return false;
}

std::string head_word(std::string_view entry) {
  std::string key;
  bool pending_blank = false;
  const std::size_t end = key_end(entry);
  for (std::size_t i = 1; i < end; ++i) {
    const char c = entry[i];
    if (is_white(c) || c == '|') {
      pending_blank = !key.empty();
      continue;
    }
    if (pending_blank) key += ' ';
    pending_blank = false;
    key += c;
  }
  return key;
}

std::vector<std::string_view> meaning_groups(std::string_view entry) {
  std::vector<std::string_view> groups;
  // The entry's own closing parenthesis is not part of any group.
  const std::size_t body_end = entry.ends_with(')') ? entry.size() - 1 : entry.size();
  std::size_t i = key_end(entry);
  while (i < body_end) {
    if (entry[i] == '"') {
      i = skip_quoted(entry, i);
      continue;
    }
    if (entry[i] != '(') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(skip_group(entry, i), body_end);
    groups.push_back(entry.substr(i, end - i));
    i = end;
  }
  return groups;
}

std::string squeezed(std::string_view entry) {
  std::string result;
  result.reserve(entry.size());
  for (char c : entry)
    if (!is_white(c)) result += c;
  return result;
}

}  // namespace velmo
