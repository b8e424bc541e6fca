#include "analyser/word_scanner.h"

namespace zentra {

std::optional<std::string_view> WordScanner::next() {
  while (pos_ < text_.size() && is_word_separator(text_[pos_])) ++pos_;
  if (pos_ == text_.size()) return std::nullopt;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_word_separator(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

std::vector<std::string> split_words(std::string_view text) {
  std::vector<std::string> words;
  WordScanner scanner(text);
  while (auto word = scanner.next()) words.emplace_back(*word);
  return words;
}

}  // namespace zentra
