#include "analyser/implicity.h"

#include <optional>

#include "analyser/dictionary.h"
#include "analyser/no_show.h"
#include "analyser/preparation.h"
#include "analyser/report.h"
#include "analyser/text_io.h"

namespace zentra {

namespace {

std::optional<Implicitness> implicitnessOf(std::string_view relation) {
    if (relation == "subj") return Implicitness::Subject;
    if (relation == "obj") return Implicitness::Object;
    if (relation == "det") return Implicitness::Determiner;
    return std::nullopt;
}

}  // namespace

std::vector<Implicitness> implicitFindings(const std::vector<Row>& rows, const WordSet& dictionary) {
    std::vector<Implicitness> findings;
    for (const Row& row : rows) {
        const auto kind = implicitnessOf(row[2]);
        if (kind && dictionary.contains(row[0])) findings.push_back(*kind);
    }
    return findings;
}

std::string_view implicityRecordText(Implicitness kind) {
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

void runImplicity(const Workspace& workspace, const std::filesystem::path& document,
                  const std::filesystem::path& dictionary) {
    const auto dictionaryText = readTextFile(dictionary);
    writeTextFile(workspace.file(kEntriesFile), markEntries(dictionaryText));
    const WordSet words(splitWords(dictionaryText.value_or(std::string())));

    const MarkedDocument marked = markSentences(readTextFile(document));
    writeTextFile(workspace.file(kSentencesFile), marked.text);
    AppendingFile report(workspace.file(kImplicityReport));
    const NoShowList noShow = NoShowList::load(workspace.file(kNoShowFile));

    SentencePreparer preparer(workspace, marked, kAllParsedFile, RowLogStyle::RowsThenSeparator);
    std::size_t defective = 0;
    for (std::size_t k = 1; k <= marked.sentenceCount; ++k) {
        const PreparedSentence sentence = preparer.next();
        if (noShow.contains(sentence.number)) continue;
        const auto findings = implicitFindings(sentence.rows, words);
        for (Implicitness kind : findings) {
            report.append(recordHeader(sentence.number));
            report.append(sentence.text);
            report.append(implicityRecordText(kind));
        }
        if (!findings.empty()) ++defective;
    }
    report.append(summaryText(marked.sentenceCount, defective));
}

}  // namespace zentra
