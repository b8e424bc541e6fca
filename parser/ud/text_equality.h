#pragma once
// Equality of a std::string with a C string, for the conversion code, which
// tests relations, categories and words against literals ("obj", "N") tens
// of times per word. The standard library's operator counts the literal's
// bytes and compares them in two library calls; this one walks both texts
// once and mostly stops at the first byte. The answers are the same (a
// text holding a NUL byte is not equal to a C string).
//
// Being a function of this namespace that is not a template, it is chosen
// over the standard library's template for every such comparison written
// in this namespace (and, rewritten, for `!=` and for the literal on the
// left).
#include <string>
#include <string_view>

namespace velmo::ud {

// Equality of two texts, deciding by length and first byte before the
// bytes are compared in a library call: a word tested against a list of
// words mostly differs from every entry in one or the other.
inline bool same_word(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || (a.front() == b.front() && a == b));
}

// Relations and categories are read as views in many rules, words as
// strings: both come here.
inline bool operator==(std::string_view text, const char* literal) {
  for (const char c : text) {
    if (*literal == '\0' || *literal != c) return false;
    ++literal;
  }
  return *literal == '\0';
}

inline bool operator==(const std::string& text, const char* literal) { return std::string_view(text) == literal; }

}  // namespace velmo::ud
