#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/word_scanner.h"

namespace zentra {

// "£££" in ISO 8859-1: three bytes 0xA3. It closes every sentence in
// sentences.txt.
inline constexpr std::string_view kSentenceMarker = "\xA3\xA3\xA3";

struct MarkedDocument {
  std::string text;                // the content of sentences.txt
  std::size_t sentence_count = 0;  // line ends plus one; 0 without a document
};

// Copies the document with " £££\n" for each line end and " £££" after the
// last character. A document that could not be read gives no sentences.
MarkedDocument mark_sentences(const std::optional<std::string>& document);

// Reads sentences back from the marked text: the words up to the next marker.
// Past the end every sentence is empty.
class SentenceReader {
 public:
  explicit SentenceReader(std::string_view marked) : words_(marked) {}

  std::vector<std::string_view> next();

 private:
  WordScanner words_;
};

}  // namespace zentra
