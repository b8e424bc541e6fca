#include "analyser/multiplicity.h"

#include <string>
#include <unordered_map>

#include "analyser/no_show.h"
#include "analyser/preparation.h"
#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

bool isVerbCategory(std::string_view category) { return category == "V" || category == "VB"; }

}  // namespace

MultiplicityCounts countMultiplicity(const std::vector<Row>& rows) {
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
        if (isVerbCategory(category) && relation == "conj") counts.mainVerbs = 2;
        if (isVerbCategory(category) && governor == "fin") ++counts.mainVerbs;
    }
    return counts;
}

void runMultiplicity(const Workspace& workspace, const std::filesystem::path& document) {
    const MarkedDocument marked = markSentences(readTextFile(document));
    writeTextFile(workspace.file(kSentencesFile), marked.text);
    AppendingFile report(workspace.file(kMultiplicityReport));
    const NoShowList noShow = NoShowList::load(workspace.file(kNoShowFile));

    SentencePreparer preparer(workspace, marked, kAllParsedHyphenFile, RowLogStyle::NewlineThenRows);
    std::size_t defective = 0;
    for (std::size_t k = 1; k <= marked.sentenceCount; ++k) {
        const PreparedSentence sentence = preparer.next();
        if (noShow.contains(sentence.number)) continue;
        const MultiplicityCounts counts = countMultiplicity(sentence.rows);
        if (counts.subjects > 1) {
            report.append(recordHeader(sentence.number));
            report.append(sentence.text);
            report.append("\ncontains a multiple sentence:\nmore than one subject\n\n");
        }
        if (counts.mainVerbs > 1) {
            report.append(recordHeader(sentence.number));
            report.append(sentence.text);
            report.append("\ncontains a multiple sentence:\nmore than one main verb\n\n");
        }
        if (counts.subjects > 1 || counts.mainVerbs > 1) ++defective;
    }
    report.append(summaryText(marked.sentenceCount, defective));
}

}  // namespace zentra
