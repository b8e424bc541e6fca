#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zentra {

// Ends every dictionary line in dict_instr.txt.
inline constexpr std::string_view kEntryMarker = "%%%";

// Copies the dictionary with " %%%\n" for each line end and " %%%" after the
// last character. A dictionary that could not be read gives an empty text.
std::string mark_entries(const std::optional<std::string>& dictionary);

using Phrase = std::vector<std::string>;

// Reads the entries back: each is its first word, whatever it is, followed by
// the words before the next "%%%". An empty dictionary line therefore gives
// an entry that starts with "%%%" and swallows the line after it.
std::vector<Phrase> read_entries(std::string_view marked);

struct PhraseMatch {
  std::size_t entry;     // index of the entry in dictionary order
  std::size_t position;  // 0-based index of the first matched word
};

// Finds dictionary entries as runs of consecutive, exactly equal words of a
// sentence. Entries are indexed by their first word so that a sentence costs
// one lookup per word rather than one comparison per entry and word.
class PhraseMatcher {
 public:
  explicit PhraseMatcher(std::vector<Phrase> entries);

  // Every match, ordered by entry (dictionary order), then by position.
  std::vector<PhraseMatch> matches(const std::vector<std::string_view>& sentence) const;

  // The first entry, in dictionary order, that matches anywhere.
  std::optional<std::size_t> first_matching_entry(const std::vector<std::string_view>& sentence) const;

  const Phrase& entry(std::size_t index) const { return entries_[index]; }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  bool matches_at(const Phrase& phrase, const std::vector<std::string_view>& sentence, std::size_t position) const;
  std::vector<PhraseMatch> unordered_matches(const std::vector<std::string_view>& sentence) const;

  std::vector<Phrase> entries_;
  std::unordered_map<std::string, std::vector<std::size_t>, Hash, std::equal_to<>> by_first_word_;
};

}  // namespace zentra
