#include "parser/chart/sentence_view.h"

#include "lexical/analyzer/lex_analyzer.h"

namespace velmo {

SentenceView SentenceView::of(LexAnalyzer& analyzer) {
  return SentenceView(analyzer.lattice(), &analyzer.skipped(), &analyzer.first_conjunctions(),
                      &analyzer.last_conjunctions());
}

}  // namespace velmo
