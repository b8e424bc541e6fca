#include "analyser/no_show.h"

#include <optional>

#include "analyser/text_io.h"
#include "analyser/word_scanner.h"

namespace zentra {

namespace {

// Digits only, with leading zeros allowed; numbers too large to be a
// sentence number are refused rather than wrapped around.
std::optional<std::size_t> parse_sentence_number(std::string_view word) {
  constexpr std::size_t kLimit = std::size_t{1} << 60;
  std::size_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
    if (value > kLimit) return std::nullopt;
  }
  return value;
}

}  // namespace

NoShowList NoShowList::parse(std::string_view text) {
  NoShowList list;
  WordScanner words(text);
  while (auto word = words.next()) {
    if (auto number = parse_sentence_number(*word)) list.numbers_.insert(*number);
  }
  return list;
}

NoShowList NoShowList::load(const std::filesystem::path& path) {
  const auto text = read_text_file(path);
  return text ? parse(*text) : NoShowList{};
}

}  // namespace zentra
