#include "analyser/underspecification.h"

#include "analyser/no_show.h"
#include "analyser/preparation.h"
#include "analyser/report.h"
#include "analyser/text_io.h"
#include "analyser/word_scanner.h"
#include "analyser/word_set.h"

namespace zentra {

namespace {

// Words followed by "N" anywhere in the rows read as one word sequence
// (row boundaries included, as the rows are read as plain words).
WordSet words_used_as_nouns(const std::vector<Row>& rows) {
  WordSet nouns;
  const std::string* previous = nullptr;
  for (const Row& row : rows) {
    for (const std::string& word : row) {
      if (previous && word == "N") nouns.insert(*previous);
      previous = &word;
    }
  }
  return nouns;
}

bool specifies(const Row& row) {
  const std::string_view category = row[1], relation = row[2];
  return (relation == "nn" && category == "N") || (relation == "mod" && (category == "Prep" || category == "A"));
}

// Governors of a noun-noun, prepositional or adjectival modifier.
WordSet specified_words(const std::vector<Row>& rows) {
  WordSet specified;
  for (const Row& row : rows) {
    if (specifies(row)) specified.insert(row[3]);
  }
  return specified;
}

}  // namespace

std::vector<std::string_view> unspecified_terms(const std::vector<Row>& rows, const std::vector<std::string>& terms) {
  std::vector<std::string_view> found;
  if (rows.empty()) return found;
  const WordSet nouns = words_used_as_nouns(rows);
  const WordSet specified = specified_words(rows);
  for (const std::string& term : terms) {
    if (nouns.contains(term) && !specified.contains(term)) found.push_back(term);
  }
  return found;
}

void run_underspecification(const Workspace& workspace, const std::filesystem::path& document,
                            const std::filesystem::path& dictionary) {
  const std::vector<std::string> terms = split_words(read_text_file(dictionary).value_or(std::string()));
  const MarkedDocument marked = mark_sentences(read_text_file(document));
  write_text_file(workspace.file(kSentencesFile), marked.text);
  AppendingFile report(workspace.file(kUnderspecificationReport));
  const NoShowList no_show = NoShowList::load(workspace.file(kNoShowFile));

  SentencePreparer preparer(workspace, marked, kAllParsedFile, RowLogStyle::NewlineThenRows);
  std::size_t findings = 0;
  for (std::size_t k = 1; k <= marked.sentence_count; ++k) {
    const PreparedSentence sentence = preparer.next();
    if (no_show.contains(sentence.number)) continue;
    for (std::string_view term : unspecified_terms(sentence.rows, terms)) {
      ++findings;
      report.append(record_header(sentence.number));
      report.append(sentence.text);
      report.append("\ncontains a unspecified sentence because the term:\n");
      report.append(term);
      report.append("\n\n");
    }
  }
  report.append(summary_text(marked.sentence_count, findings));
}

}  // namespace zentra
