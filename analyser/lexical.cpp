#include "analyser/lexical.h"

#include "analyser/no_show.h"
#include "analyser/report.h"
#include "analyser/sentences.h"
#include "analyser/text_io.h"

namespace zentra {

std::string lexical_record_text(const std::vector<std::string_view>& sentence, const Phrase& entry) {
  return join_with_trailing_spaces(sentence) + "\nis defective because it contains the wording:\n" +
         join_with_trailing_spaces(entry) + "\n\n";
}

void run_lexical(const Workspace& workspace, const std::filesystem::path& document,
                 const std::filesystem::path& dictionary) {
  // The inputs are read before the report is created, so that a report
  // name that happens to equal an input's name cannot empty that input
  // before it is read.
  const std::string entries = mark_entries(read_text_file(dictionary));
  write_text_file(workspace.file(kEntriesFile), entries);
  const PhraseMatcher matcher(read_entries(entries));
  const MarkedDocument marked = mark_sentences(read_text_file(document));
  write_text_file(workspace.file(kSentencesFile), marked.text);

  AppendingFile report(workspace.file(derived_report_name(dictionary.string(), "log")));
  const NoShowList no_show = NoShowList::load(workspace.file(kNoShowFile));
  SentenceReader sentences(marked.text);
  std::size_t defects = 0;
  for (std::size_t number = 1; number <= marked.sentence_count; ++number) {
    const auto words = sentences.next();
    if (no_show.contains(number)) continue;
    for (const PhraseMatch& match : matcher.matches(words)) {
      ++defects;
      report.append(record_header(number));
      report.append(lexical_record_text(words, matcher.entry(match.entry)));
    }
  }
  report.append(summary_text(marked.sentence_count, defects));
}

}  // namespace zentra
