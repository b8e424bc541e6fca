#include "analyser/per_section.h"

#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

constexpr bool isHeadingDigit(char c) { return c >= '1' && c <= '9'; }

// Writes the number of a heading that starts at pos and returns the position
// of the character that ended it. A "0" ends the number, so "10" reads as 1.
std::size_t copyHeadingNumber(std::string_view document, std::size_t pos, std::string& out) {
    out += document[pos++];
    while (pos < document.size() && (isHeadingDigit(document[pos]) || document[pos] == '.')) out += document[pos++];
    out += ' ';
    out += kHeadingMarker;
    out += ' ';
    return pos;
}

void endLine(std::string& out, std::size_t section) {
    out += ' ';
    out += kSectionMarker;
    out += ' ';
    out += std::to_string(section);
}

std::size_t skipLineEnds(std::string_view document, std::size_t pos) {
    while (pos < document.size() && document[pos] == '\n') ++pos;
    return pos;
}

}  // namespace

SectionedDocument markSections(const std::optional<std::string>& document) {
    SectionedDocument marked;
    if (!document) return marked;
    const std::string_view text(*document);
    std::size_t pos = skipLineEnds(text, 0);
    bool lineStart = true;
    while (pos < text.size()) {
        if (lineStart && isHeadingDigit(text[pos])) {
            ++marked.sectionCount;
            pos = copyHeadingNumber(text, pos, marked.text);
            lineStart = false;
            continue;
        }
        lineStart = false;
        if (text[pos] == '\n') {
            endLine(marked.text, marked.sectionCount);
            marked.text += '\n';
            pos = skipLineEnds(text, pos + 1);
            lineStart = true;
            continue;
        }
        marked.text += text[pos++];
    }
    endLine(marked.text, marked.sectionCount);
    return marked;
}

std::vector<std::string> sectionNumberTexts(std::string_view marked) {
    std::vector<std::string> numbers;
    WordScanner words(marked);
    std::string_view previous;
    while (auto word = words.next()) {
        if (*word == kHeadingMarker) numbers.emplace_back(previous);
        previous = *word;
    }
    return numbers;
}

std::string sectionIdText(const std::vector<std::string>& numbers) {
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

SectionTally::SectionTally(std::size_t sectionCount, std::vector<std::string> numberTexts)
    : sectionCount_(sectionCount),
      numberTexts_(std::move(numberTexts)),
      hits_(sectionCount + 1, 0),
      sentences_(sectionCount + 1, 0) {}

std::optional<std::size_t> SectionTally::sectionOf(std::string_view word) const {
    if (word.empty() || word.size() > 18) return std::nullopt;
    std::size_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    if (value < 1 || value > sectionCount_) return std::nullopt;
    return value;
}

std::string_view SectionTally::numberText(std::size_t section) const {
    return section <= numberTexts_.size() ? std::string_view(numberTexts_[section - 1]) : std::string_view();
}

std::string_view SectionTally::label(std::string_view sectionWord) const {
    const auto section = sectionOf(sectionWord);
    return section ? numberText(*section) : sectionWord;
}

std::string SectionTally::table() const {
    std::string text;
    for (std::size_t n = 1; n <= sectionCount_; ++n) {
        text += numberText(n);
        text += '\t' + std::to_string(hits_[n]) + '\t' + std::to_string(sentences_[n]) + '\n';
    }
    return text;
}

void runPerSection(const Workspace& workspace, const std::filesystem::path& document,
                   const std::filesystem::path& dictionary) {
    const SectionedDocument marked = markSections(readTextFile(document));
    writeTextFile(workspace.file(kSentencesFile), marked.text);
    const std::string entries = markEntries(readTextFile(dictionary));
    writeTextFile(workspace.file(kEntriesFile), entries);
    const PhraseMatcher matcher(readEntries(entries));
    std::vector<std::string> numbers = sectionNumberTexts(marked.text);
    writeTextFile(workspace.file(kSectionIdFile), sectionIdText(numbers));

    AppendingFile log(workspace.file(derivedReportName(dictionary.string(), "log")));
    SectionTally tally(marked.sectionCount, std::move(numbers));
    SectionLineReader lines(marked.text);
    while (auto line = lines.next()) {
        const auto section = tally.sectionOf(line->section);
        if (section) tally.countSentence(*section);
        if (!matcher.firstMatchingEntry(line->words)) continue;
        if (section) tally.countHit(*section);
        log.append(std::string(tally.label(line->section)) + " " + joinWithTrailingSpaces(line->words) + "\n");
    }
    writeTextFile(workspace.file(derivedReportName(dictionary.string(), "xls")), tally.table());
}

}  // namespace zentra
