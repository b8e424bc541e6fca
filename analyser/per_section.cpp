#include "analyser/per_section.h"

#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

constexpr bool is_heading_digit(char c) { return c >= '1' && c <= '9'; }

// Writes the number of a heading that starts at pos and returns the position
// of the character that ended it. A "0" ends the number, so "10" reads as 1.
std::size_t copy_heading_number(std::string_view document, std::size_t pos, std::string& out) {
  out += document[pos++];
  while (pos < document.size() && (is_heading_digit(document[pos]) || document[pos] == '.')) out += document[pos++];
  out += ' ';
  out += kHeadingMarker;
  out += ' ';
  return pos;
}

void end_line(std::string& out, std::size_t section) {
  out += ' ';
  out += kSectionMarker;
  out += ' ';
  out += std::to_string(section);
}

std::size_t skip_line_ends(std::string_view document, std::size_t pos) {
  while (pos < document.size() && document[pos] == '\n') ++pos;
  return pos;
}

}  // namespace

SectionedDocument mark_sections(const std::optional<std::string>& document) {
  SectionedDocument marked;
  if (!document) return marked;
  const std::string_view text(*document);
  std::size_t pos = skip_line_ends(text, 0);
  bool line_start = true;
  while (pos < text.size()) {
    if (line_start && is_heading_digit(text[pos])) {
      ++marked.section_count;
      pos = copy_heading_number(text, pos, marked.text);
      line_start = false;
      continue;
    }
    line_start = false;
    if (text[pos] == '\n') {
      end_line(marked.text, marked.section_count);
      marked.text += '\n';
      pos = skip_line_ends(text, pos + 1);
      line_start = true;
      continue;
    }
    marked.text += text[pos++];
  }
  end_line(marked.text, marked.section_count);
  return marked;
}

std::vector<std::string> section_number_texts(std::string_view marked) {
  std::vector<std::string> numbers;
  WordScanner words(marked);
  std::string_view previous;
  while (auto word = words.next()) {
    if (*word == kHeadingMarker) numbers.emplace_back(previous);
    previous = *word;
  }
  return numbers;
}

std::string section_id_text(const std::vector<std::string>& numbers) {
  std::string text;
  for (std::size_t n = 0; n < numbers.size(); ++n) {
    text += std::to_string(n + 1);
    text += '\t';
    text += numbers[n];
    text += '\n';
  }
  return text;
}

std::optional<SectionLine> SectionLineReader::next() {
  SectionLine line;
  while (true) {
    auto word = words_.next();
    if (!word) return std::nullopt;  // no "[" left: no further line
    if (*word == kSectionMarker) break;
    line.words.push_back(*word);
  }
  line.section = words_.next().value_or(std::string_view());
  return line;
}

SectionTally::SectionTally(std::size_t section_count, std::vector<std::string> number_texts)
    : section_count_(section_count),
      number_texts_(std::move(number_texts)),
      hits_(section_count + 1, 0),
      sentences_(section_count + 1, 0) {}

std::optional<std::size_t> SectionTally::section_of(std::string_view word) const {
  if (word.empty() || word.size() > 18) return std::nullopt;
  std::size_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  if (value < 1 || value > section_count_) return std::nullopt;
  return value;
}

std::string_view SectionTally::number_text(std::size_t section) const {
  return section <= number_texts_.size() ? std::string_view(number_texts_[section - 1]) : std::string_view();
}

std::string_view SectionTally::label(std::string_view section_word) const {
  const auto section = section_of(section_word);
  return section ? number_text(*section) : section_word;
}

std::string SectionTally::table() const {
  std::string text;
  for (std::size_t n = 1; n <= section_count_; ++n) {
    text += number_text(n);
    text += '\t' + std::to_string(hits_[n]) + '\t' + std::to_string(sentences_[n]) + '\n';
  }
  return text;
}

void run_per_section(const Workspace& workspace, const std::filesystem::path& document,
                     const std::filesystem::path& dictionary) {
  const SectionedDocument marked = mark_sections(read_text_file(document));
  write_text_file(workspace.file(kSentencesFile), marked.text);
  const std::string entries = mark_entries(read_text_file(dictionary));
  write_text_file(workspace.file(kEntriesFile), entries);
  const PhraseMatcher matcher(read_entries(entries));
  std::vector<std::string> numbers = section_number_texts(marked.text);
  write_text_file(workspace.file(kSectionIdFile), section_id_text(numbers));

  AppendingFile log(workspace.file(derived_report_name(dictionary.string(), "log")));
  SectionTally tally(marked.section_count, std::move(numbers));
  SectionLineReader lines(marked.text);
  while (auto line = lines.next()) {
    const auto section = tally.section_of(line->section);
    if (section) tally.count_sentence(*section);
    if (!matcher.first_matching_entry(line->words)) continue;
    if (section) tally.count_hit(*section);
    log.append(std::string(tally.label(line->section)) + " " + join_with_trailing_spaces(line->words) + "\n");
  }
  write_text_file(workspace.file(derived_report_name(dictionary.string(), "xls")), tally.table());
}

}  // namespace zentra
