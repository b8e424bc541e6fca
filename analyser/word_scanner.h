#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentra {

// The white space that separates words in every file the analyser reads.
constexpr bool is_word_separator(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Hands out the whitespace-separated words of a text one at a time. The views
// point into the text, which must outlive the scanner's results.
class WordScanner {
 public:
  explicit WordScanner(std::string_view text) : text_(text) {}

  std::optional<std::string_view> next();

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::vector<std::string> split_words(std::string_view text);

// The words, each followed by one space: the way sentences and dictionary
// phrases are written into the reports.
template <typename Words>
std::string join_with_trailing_spaces(const Words& words) {
  std::string text;
  for (const auto& word : words) {
    text += word;
    text += ' ';
  }
  return text;
}

}  // namespace zentra
