#include "analyser/preparation.h"

namespace zentra {

SentencePreparer::SentencePreparer(const Workspace& workspace, const MarkedDocument& document,
                                   std::string_view all_parsed_name, RowLogStyle style)
    : workspace_(workspace),
      sentences_(document.text),
      stretches_(read_text_file(workspace.file(kParsedFile)).value_or(std::string())),
      all_parsed_(workspace.file(all_parsed_name)),
      style_(style) {}

PreparedSentence SentencePreparer::next() {
  PreparedSentence sentence;
  sentence.number = ++number_;
  sentence.words = sentences_.next();
  sentence.text = join_with_trailing_spaces(sentence.words);
  rewrite_text_file(workspace_.file(kSingleSentenceFile), sentence.text);

  ReducedOutput reduced = reduce_parser_output(stretches_.next());
  rewrite_text_file(workspace_.file(kSingleParsedFilteredFile), reduced.words);
  const std::string rows = rows_text(reduced.rows);
  rewrite_text_file(workspace_.file(kSingleParsedFile), rows);
  if (style_ == RowLogStyle::NewlineThenRows) {
    all_parsed_.append("\n");
    all_parsed_.append(rows);
  } else {
    all_parsed_.append(rows);
    all_parsed_.append("++++\n\n");
  }
  sentence.rows = std::move(reduced.rows);
  return sentence;
}

}  // namespace zentra
