#pragma once
// One sentence from its words to its dependency tree: the chart, the forest
// of the root items, the minimal-weight cover, and the tree read off the
// forest (rewritten by the parser's tree rules).
#include <string_view>
#include <vector>

namespace velmo {

class Deps;
class ItemLattice;
class KorvelParser;
class LexAnalyzer;
class SentenceView;

// What the chart reads of the analyzer's sentence.
SentenceView sentence_view_of(LexAnalyzer& analyzer);

// Parses a sentence: the chart of `sentence`, the forest of its root items,
// the cover, and the tree with the words of `words`. Null without an
// attribute type. When the item pool runs out while the lexical items are
// entered, the result is a tree without nodes.
Deps* parse_sentence(KorvelParser& parser, const SentenceView& sentence, const ItemLattice& words);

// Parses the sentence the parser's analyzer holds. Null when the parser
// has no analyzer or attribute type. When the item pool runs out while the
// lexical items are entered, the result is a tree without nodes (never the
// previous sentence's tree).
Deps* parse_analyzed_sentence(KorvelParser& parser);

// The shell's entry for an input line: the line is split by the sentence
// tokenizer (white runs become the spacing " ", every other token a word),
// analyzed and parsed.
Deps* parse_line(KorvelParser& parser, std::string_view line);

// Words given one by one (the `parse`, `p` and `p2` commands), each
// preceded by the spacing " ". False without an analyzer.
bool enter_sentence_words(KorvelParser& parser, const std::vector<std::string_view>& words);

}  // namespace velmo
