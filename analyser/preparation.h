#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/parser_output.h"
#include "analyser/sentences.h"
#include "analyser/text_io.h"
#include "analyser/workspace.h"

namespace zentra {

// How an indicator logs each sentence's rows in its all-parsed file.
enum class RowLogStyle {
  RowsThenSeparator,  // the rows, then "++++\n\n" (implicity)
  NewlineThenRows,    // "\n", then the rows (multiplicity, underspecification)
};

struct PreparedSentence {
  std::size_t number = 0;               // 1-based line number
  std::vector<std::string_view> words;  // views into the marked document
  std::string text;                     // the words, each followed by a space
  std::vector<Row> rows;
};

// Walks the sentences of a marked document together with their stretches of
// parser output, rewriting the per-sentence working files (single_sent.txt,
// single_parsed_f.txt, single_parsed.txt) for each and logging the rows in
// the all-parsed file. parsed.txt is read once, when the preparer is made.
class SentencePreparer {
 public:
  SentencePreparer(const Workspace& workspace, const MarkedDocument& document, std::string_view all_parsed_name,
                   RowLogStyle style);

  PreparedSentence next();

 private:
  const Workspace& workspace_;
  SentenceReader sentences_;
  StretchSplitter stretches_;
  AppendingFile all_parsed_;
  RowLogStyle style_;
  std::size_t number_ = 0;
};

}  // namespace zentra
