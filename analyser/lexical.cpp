#include "analyser/lexical.h"

#include "analyser/no_show.h"
#include "analyser/report.h"
#include "analyser/sentences.h"
#include "analyser/text_io.h"

namespace zentra {

std::string lexicalRecordText(const std::vector<std::string_view>& sentence, const Phrase& entry) {
    return joinWithTrailingSpaces(sentence) + "\nis defective because it contains the wording:\n" +
           joinWithTrailingSpaces(entry) + "\n\n";
}

void runLexical(const Workspace& workspace, const std::filesystem::path& document,
                const std::filesystem::path& dictionary) {
    // The inputs are read before the report is created, so that a report
    // name that happens to equal an input's name cannot empty that input
    // before it is read.
    const std::string entries = markEntries(readTextFile(dictionary));
    writeTextFile(workspace.file(kEntriesFile), entries);
    const PhraseMatcher matcher(readEntries(entries));
    const MarkedDocument marked = markSentences(readTextFile(document));
    writeTextFile(workspace.file(kSentencesFile), marked.text);

    AppendingFile report(workspace.file(derivedReportName(dictionary.string(), "log")));
    const NoShowList noShow = NoShowList::load(workspace.file(kNoShowFile));
    SentenceReader sentences(marked.text);
    std::size_t defects = 0;
    for (std::size_t number = 1; number <= marked.sentenceCount; ++number) {
        const auto words = sentences.next();
        if (noShow.contains(number)) continue;
        for (const PhraseMatch& match : matcher.matches(words)) {
            ++defects;
            report.append(recordHeader(number));
            report.append(lexicalRecordText(words, matcher.entry(match.entry)));
        }
    }
    report.append(summaryText(marked.sentenceCount, defects));
}

}  // namespace zentra
