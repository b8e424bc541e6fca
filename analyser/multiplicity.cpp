#include "analyser/multiplicity.h"

#include <string>
#include <unordered_map>

#include "analyser/no_show.h"
#include "analyser/preparation.h"
#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

bool is_verb_category(std::string_view category) { return category == "V" || category == "VB"; }

}  // namespace

MultiplicityCounts count_multiplicity(const std::vector<Row>& rows) {
  MultiplicityCounts counts;
  // How often each word has been seen as a subject so far: a noun
  // conjoined to a subject counts once for every time that subject was seen.
  std::unordered_map<std::string_view, std::size_t> subjects;
  for (const Row& row : rows) {
    const std::string_view word = row[0], category = row[1], relation = row[2], governor = row[3];
    if (relation == "s") {
      ++counts.subjects;
      ++subjects[word];
    }
    if (category == "N" && relation == "conj") {
      if (const auto seen = subjects.find(governor); seen != subjects.end()) counts.subjects += seen->second;
    }
    if (is_verb_category(category) && relation == "conj") counts.main_verbs = 2;
    if (is_verb_category(category) && governor == "fin") ++counts.main_verbs;
  }
  return counts;
}

void run_multiplicity(const Workspace& workspace, const std::filesystem::path& document) {
  const MarkedDocument marked = mark_sentences(read_text_file(document));
  write_text_file(workspace.file(kSentencesFile), marked.text);
  AppendingFile report(workspace.file(kMultiplicityReport));
  const NoShowList no_show = NoShowList::load(workspace.file(kNoShowFile));

  SentencePreparer preparer(workspace, marked, kAllParsedHyphenFile, RowLogStyle::NewlineThenRows);
  std::size_t defective = 0;
  for (std::size_t k = 1; k <= marked.sentence_count; ++k) {
    const PreparedSentence sentence = preparer.next();
    if (no_show.contains(sentence.number)) continue;
    const MultiplicityCounts counts = count_multiplicity(sentence.rows);
    if (counts.subjects > 1) {
      report.append(record_header(sentence.number));
      report.append(sentence.text);
      report.append("\ncontains a multiple sentence:\nmore than one subject\n\n");
    }
    if (counts.main_verbs > 1) {
      report.append(record_header(sentence.number));
      report.append(sentence.text);
      report.append("\ncontains a multiple sentence:\nmore than one main verb\n\n");
    }
    if (counts.subjects > 1 || counts.main_verbs > 1) ++defective;
  }
  report.append(summary_text(marked.sentence_count, defective));
}

}  // namespace zentra
