#include "analyser/preparation.h"

namespace zentra {

SentencePreparer::SentencePreparer(const Workspace& workspace, const MarkedDocument& document,
                                   std::string_view allParsedName, RowLogStyle style)
    : workspace_(workspace),
      sentences_(document.text),
      stretches_(readTextFile(workspace.file(kParsedFile)).value_or(std::string())),
      allParsed_(workspace.file(allParsedName)),
      style_(style) {}

PreparedSentence SentencePreparer::next() {
    PreparedSentence sentence;
    sentence.number = ++number_;
    sentence.words = sentences_.next();
    sentence.text = joinWithTrailingSpaces(sentence.words);
    rewriteTextFile(workspace_.file(kSingleSentenceFile), sentence.text);

    ReducedOutput reduced = reduceParserOutput(stretches_.next());
    rewriteTextFile(workspace_.file(kSingleParsedFilteredFile), reduced.words);
    const std::string rows = rowsText(reduced.rows);
    rewriteTextFile(workspace_.file(kSingleParsedFile), rows);
    if (style_ == RowLogStyle::NewlineThenRows) {
        allParsed_.append("\n");
        allParsed_.append(rows);
    } else {
        allParsed_.append(rows);
        allParsed_.append("++++\n\n");
    }
    sentence.rows = std::move(reduced.rows);
    return sentence;
}

}  // namespace zentra
