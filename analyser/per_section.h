#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/dictionary.h"
#include "analyser/word_scanner.h"
#include "analyser/workspace.h"

namespace zentra {

// Follows a section number in the marked document.
inline constexpr std::string_view kHeadingMarker = "$$$";
// Precedes the section number at the end of every line.
inline constexpr std::string_view kSectionMarker = "[";

struct SectionedDocument {
  std::string text;               // the content of sentences.txt in this mode
  std::size_t section_count = 0;  // number of headings
};

// Copies the document, marking headings (lines that start with a digit 1 to
// 9) with " $$$ " after their number and ending each line with " [ " and
// its section number; blank lines vanish.
SectionedDocument mark_sections(const std::optional<std::string>& document);

// The number text of each heading, in order: the word before each "$$$".
std::vector<std::string> section_number_texts(std::string_view marked);

// The content of Sect_Id.txt: ordinal, tab, number text, line end.
std::string section_id_text(const std::vector<std::string>& numbers);

struct SectionLine {
  std::vector<std::string_view> words;  // the words before "["
  std::string_view section;             // the word after "[" (may be empty)
};

// Reads the lines of the marked document back.
class SectionLineReader {
 public:
  explicit SectionLineReader(std::string_view marked) : words_(marked) {}

  std::optional<SectionLine> next();

 private:
  WordScanner words_;
};

// Hit and sentence counters per section, 1 to the number of headings.
// Lines whose section word is not such a number (text before the first
// heading, section 0) are counted nowhere.
class SectionTally {
 public:
  SectionTally(std::size_t section_count, std::vector<std::string> number_texts);

  std::optional<std::size_t> section_of(std::string_view word) const;
  void count_sentence(std::size_t section) { ++sentences_[section]; }
  void count_hit(std::size_t section) { ++hits_[section]; }
  // The name under which a line's hit is reported: the number text of its
  // section, or the section word itself where there is none.
  std::string_view label(std::string_view section_word) const;
  // The xls table: number text, tab, hits, tab, sentences, per section.
  std::string table() const;

 private:
  std::string_view number_text(std::size_t section) const;

  std::size_t section_count_;
  std::vector<std::string> number_texts_;
  std::vector<std::size_t> hits_;
  std::vector<std::size_t> sentences_;
};

// Mode v: dictionary hits and sentences per numbered section, in a log named
// after the dictionary and a tab-separated table with the extension "xls".
void run_per_section(const Workspace& workspace, const std::filesystem::path& document,
                     const std::filesystem::path& dictionary);

}  // namespace zentra
