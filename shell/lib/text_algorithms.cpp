#include "shell/lib/text_algorithms.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "shell/support/text.h"

namespace velmo {

namespace {

using Trigram = TrigramSimilarity::Trigram;

int compare_trigrams(const Trigram& a, const Trigram& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(ascii_lower(a[i]));
    const unsigned char y = static_cast<unsigned char>(ascii_lower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

// The sorted trigrams of the padded text, into `out` (reused between calls).
void sorted_trigrams(std::string_view text, std::vector<Trigram>& out) {
  out.clear();
  if (text.size() + 2 < 3) return;
  out.reserve(text.size());
  auto padded_at = [&](std::size_t i) { return (i == 0 || i == text.size() + 1) ? ' ' : text[i - 1]; };
  for (std::size_t i = 0; i + 3 <= text.size() + 2; ++i)
    out.push_back({padded_at(i), padded_at(i + 1), padded_at(i + 2)});
  std::sort(out.begin(), out.end(), [](const Trigram& a, const Trigram& b) { return compare_trigrams(a, b) < 0; });
}

bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

int TrigramSimilarity::operator()(std::string_view a, std::string_view b) {
  std::vector<Trigram>& left = left_;
  std::vector<Trigram>& right = right_;
  sorted_trigrams(a, left);
  sorted_trigrams(b, right);
  const std::size_t total = left.size() + right.size();
  if (total == 0) return 0;
  std::size_t matched = 0;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < left.size() && j < right.size()) {
    const int c = compare_trigrams(left[i], right[j]);
    if (c == 0) {
      matched += 2;
      ++i;
      ++j;
    } else if (c < 0) {
      ++i;
    } else {
      ++j;
    }
  }
  return static_cast<int>(1000 * matched / total);
}

void remove_punctuation(std::string_view text, std::string& out) {
  out.clear();
  for (char c : text) {
    if (c == '\'' && !out.empty()) break;
    if (c != '-' && std::ispunct(static_cast<unsigned char>(c))) continue;
    out.push_back(c);
  }
}

void remove_chars(std::string_view text, std::string_view chars, std::string& out) {
  out.clear();
  for (char c : text)
    if (chars.find(c) == std::string_view::npos) out.push_back(c);
}

std::string_view last_word(std::string_view text) {
  for (std::size_t i = text.size(); i > 0; --i)
    if (is_white(text[i - 1])) return text.substr(i);
  return text;
}

void reverse_text(std::string_view text, std::string& out) { out.assign(text.rbegin(), text.rend()); }

bool contains_nocase(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return false;
  for (std::size_t start = 0; start + needle.size() <= haystack.size(); ++start)
    if (equal_nocase(haystack.substr(start, needle.size()), needle)) return true;
  return false;
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() && equal_nocase(text.substr(0, prefix.size()), prefix);
}

}  // namespace velmo
