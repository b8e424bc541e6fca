#include "analyser/implicity.h"

#include <optional>

#include "analyser/dictionary.h"
#include "analyser/no_show.h"
#include "analyser/preparation.h"
#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

std::optional<Implicitness> implicitness_of(std::string_view relation) {
  if (relation == "subj") return Implicitness::Subject;
  if (relation == "obj") return Implicitness::Object;
  if (relation == "det") return Implicitness::Determiner;
  return std::nullopt;
}

}  // namespace

std::vector<Implicitness> implicit_findings(const std::vector<Row>& rows, const WordSet& dictionary) {
  std::vector<Implicitness> findings;
  for (const Row& row : rows) {
    const auto kind = implicitness_of(row[2]);
    if (kind && dictionary.contains(row[0])) findings.push_back(*kind);
  }
  return findings;
}

std::string_view implicity_record_text(Implicitness kind) {
  switch (kind) {
    case Implicitness::Subject:
      return "\ncontains an implicit sentence: \nimplicit subject\n\n";
    case Implicitness::Object:
      return "\ncontains an implicit sentence: \nimplicit object\n\n";
    case Implicitness::Determiner:
      return "\ncontains an implicit sentence:\nimplicit determiner.\n\n";
  }
  return {};
}

void run_implicity(const Workspace& workspace, const std::filesystem::path& document,
                   const std::filesystem::path& dictionary) {
  const auto dictionary_text = read_text_file(dictionary);
  write_text_file(workspace.file(kEntriesFile), mark_entries(dictionary_text));
  const WordSet words(split_words(dictionary_text.value_or(std::string())));

  const MarkedDocument marked = mark_sentences(read_text_file(document));
  write_text_file(workspace.file(kSentencesFile), marked.text);
  AppendingFile report(workspace.file(kImplicityReport));
  const NoShowList no_show = NoShowList::load(workspace.file(kNoShowFile));

  SentencePreparer preparer(workspace, marked, kAllParsedFile, RowLogStyle::RowsThenSeparator);
  std::size_t defective = 0;
  for (std::size_t k = 1; k <= marked.sentence_count; ++k) {
    const PreparedSentence sentence = preparer.next();
    if (no_show.contains(sentence.number)) continue;
    const auto findings = implicit_findings(sentence.rows, words);
    for (Implicitness kind : findings) {
      report.append(record_header(sentence.number));
      report.append(sentence.text);
      report.append(implicity_record_text(kind));
    }
    if (!findings.empty()) ++defective;
  }
  report.append(summary_text(marked.sentence_count, defective));
}

}  // namespace zentra
