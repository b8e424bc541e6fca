#include "analyser/sentences.h"

namespace zentra {

MarkedDocument mark_sentences(const std::optional<std::string>& document) {
  MarkedDocument marked;
  if (!document) return marked;
  marked.text.reserve(document->size() + document->size() / 8 + 8);
  marked.sentence_count = 1;
  for (char c : *document) {
    if (c == '\n') {
      marked.text += ' ';
      marked.text += kSentenceMarker;
      marked.text += '\n';
      ++marked.sentence_count;
    } else {
      marked.text += c;
    }
  }
  marked.text += ' ';
  marked.text += kSentenceMarker;
  return marked;
}

std::vector<std::string_view> SentenceReader::next() {
  std::vector<std::string_view> words;
  while (auto word = words_.next()) {
    if (*word == kSentenceMarker) break;
    words.push_back(*word);
  }
  return words;
}

}  // namespace zentra
