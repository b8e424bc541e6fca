#include "parser/output/quoting.h"

namespace velmo {
namespace {

bool needs_quotes(std::string_view text, bool comma_is_special) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 128) return true;
    switch (c) {
      case '\t':
      case '\n':
      case '\r':
      case ' ':
      case '"':
      case '(':
      case ')':
      case ';':
      case '\\':
        return true;
      case ',':
        if (comma_is_special) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

}  // namespace

void append_tree_quoted(std::string& out, std::string_view text, bool comma_is_special) {
  if (!needs_quotes(text, comma_is_special)) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

void append_nested_word(std::string& out, std::string_view word) {
  out += ' ';
  if (word == "\"") {
    out += "\"\\\"\"";
    return;
  }
  if (word.find_first_of(" \t\n()") == std::string_view::npos) {
    out += word;
    return;
  }
  out += '"';
  out += word;
  out += '"';
}

}  // namespace velmo
