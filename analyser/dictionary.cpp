#include "analyser/dictionary.h"

#include <algorithm>

#include "analyser/word_scanner.h"

namespace zentra {

std::string mark_entries(const std::optional<std::string>& dictionary) {
  std::string marked;
  if (!dictionary) return marked;
  for (char c : *dictionary) {
    if (c == '\n') {
      marked += ' ';
      marked += kEntryMarker;
      marked += '\n';
    } else {
      marked += c;
    }
  }
  marked += ' ';
  marked += kEntryMarker;
  return marked;
}

std::vector<Phrase> read_entries(std::string_view marked) {
  std::vector<Phrase> entries;
  WordScanner words(marked);
  while (auto first = words.next()) {
    Phrase entry{std::string(*first)};
    while (auto word = words.next()) {
      if (*word == kEntryMarker) break;
      entry.emplace_back(*word);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

PhraseMatcher::PhraseMatcher(std::vector<Phrase> entries) : entries_(std::move(entries)) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].empty()) by_first_word_[entries_[i].front()].push_back(i);
  }
}

bool PhraseMatcher::matches_at(const Phrase& phrase, const std::vector<std::string_view>& sentence,
                               std::size_t position) const {
  if (phrase.size() > sentence.size() - position) return false;
  for (std::size_t k = 0; k < phrase.size(); ++k) {
    if (sentence[position + k] != phrase[k]) return false;
  }
  return true;
}

std::vector<PhraseMatch> PhraseMatcher::unordered_matches(const std::vector<std::string_view>& sentence) const {
  std::vector<PhraseMatch> found;
  for (std::size_t position = 0; position < sentence.size(); ++position) {
    const auto candidates = by_first_word_.find(sentence[position]);
    if (candidates == by_first_word_.end()) continue;
    for (std::size_t entry : candidates->second) {
      if (matches_at(entries_[entry], sentence, position)) found.push_back({entry, position});
    }
  }
  return found;
}

std::vector<PhraseMatch> PhraseMatcher::matches(const std::vector<std::string_view>& sentence) const {
  auto found = unordered_matches(sentence);
  // Found position by position; the report wants them entry by entry.
  std::stable_sort(found.begin(), found.end(),
                   [](const PhraseMatch& a, const PhraseMatch& b) { return a.entry < b.entry; });
  return found;
}

std::optional<std::size_t> PhraseMatcher::first_matching_entry(const std::vector<std::string_view>& sentence) const {
  std::optional<std::size_t> first;
  for (const PhraseMatch& match : unordered_matches(sentence)) {
    if (!first || match.entry < *first) first = match.entry;
  }
  return first;
}

}  // namespace zentra
