#include "parser/output/sentence_parse.h"

#include <cctype>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexicon/lexicon/relation_source.h"
#include "shell/reader/tokenizer.h"
#include "parser/chart/chart.h"
#include "parser/chart/chart_parser.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/forest/sentence_result.h"
#include "parser/grammar/korvel_parser.h"

namespace velmo {
namespace {

// The weigher asks the parser's grammar files, the sentence's skipped
// positions and the relation database.
void set_weight_sources(KorvelParser& parser, const SentenceView& sentence) {
  DependencyWeigher& weigher = parser.result().weigher();
  if (weight_debugging()) weigher.clear_cache();
  DependencyWeigher::Sources sources;
  sources.distances = &parser.distances();
  sources.is_bad_triple = [&parser](std::string_view head, std::string_view relation, std::string_view modifier) {
    return parser.bad_triples().contains(head, relation, modifier);
  };
  sources.is_skipped = [sentence](int p) { return sentence.skipped(p); };
  if (RelationSource* db = parser.reldb) {
    sources.probability = [db](std::string_view head, std::string_view relation, std::string_view modifier) {
      return db->probability(head, relation, modifier);
    };
    sources.knows_word = [db](std::string_view word) { return db->knows_word(word); };
  }
  weigher.set_sources(std::move(sources));
}

// A root that spans every word of the sentence is a cover by itself, and
// the cover is then the lightest of those roots: the other roots' weights
// decide nothing, so their forest nodes need not be made.
bool spans_whole(const RootItem& root, int last_word) {
  return last_word >= 1 && root.item->start == 1 && root.item->end == last_word;
}

bool has_whole_root(const std::vector<RootItem>& roots, int last_word) {
  for (const RootItem& root : roots)
    if (spans_whole(root, last_word)) return true;
  return false;
}

// The tokenizer that splits input lines, made once: making one per line
// (its byte tables, token buffer and quote sets) cost more than splitting
// the line. A new string input starts it afresh; the default double-byte
// flag is copied as a new tokenizer would copy it. It is never deleted
// (objects are not freed after main).
Tokenizer& line_tokenizer() {
  static Tokenizer* const tokenizer =
      new Tokenizer(tokenizer_configs::kSentences, kDefaultTokenBufferSize, kDefaultInputBufferSize);
  tokenizer->set_double_byte(TokenizerBase::default_double_byte());
  return *tokenizer;
}

// The tokenizer cuts words at straight quotes and apostrophes (That's:
// That 's, isn't: isn 't, "Yes": " Yes "), not at typographic ones, whose
// bytes it does not know. They are cut here the same way, so that the
// lexicon's marks and clitics (“ ” ‘ ’ ’s n’t ’re) are found: an opening
// quote at the front of a word comes off, a closing double quote is cut
// off, and so is a right single quote or apostrophe after a letter or
// digit. An apostrophe opening a word (’73) or after a mark stays.
constexpr std::string_view kLeftDouble = "\xE2\x80\x9C";
constexpr std::string_view kRightDouble = "\xE2\x80\x9D";
constexpr std::string_view kLeftSingle = "\xE2\x80\x98";
constexpr std::string_view kRightSingle = "\xE2\x80\x99";

// Where the word's next piece after its first character begins, or npos.
std::size_t next_cut(std::string_view word) {
  for (std::size_t at = word.find('\xE2', 1); at != std::string_view::npos; at = word.find('\xE2', at + 1)) {
    const std::string_view mark = word.substr(at, 3);
    if (mark == kRightDouble) return at;
    if (mark == kRightSingle && std::isalnum(static_cast<unsigned char>(word[at - 1]))) return at;
  }
  return std::string_view::npos;
}

// A piece cut before a quote: the marks it ends with (Yes,” pilots:”)
// are words of their own, as the tokenizer makes them before a straight quote.
void add_piece_before_quote(LexAnalyzer& analyzer, std::string_view piece) {
  const std::string_view marks = tokenizer_configs::kSentences.middle;
  std::size_t end = piece.size();
  while (end > 1 && marks.find(piece[end - 1]) != std::string_view::npos) --end;
  analyzer.add_word(piece.substr(0, end));
  for (std::size_t at = end; at < piece.size(); ++at) analyzer.add_word(piece.substr(at, 1));
}

void add_word_cut_at_quotes(LexAnalyzer& analyzer, std::string_view word) {
  while (word.size() > 3 && (word.starts_with(kLeftDouble) || word.starts_with(kLeftSingle))) {
    analyzer.add_word(word.substr(0, 3));
    word.remove_prefix(3);
  }
  for (std::size_t at; (at = next_cut(word)) != std::string_view::npos;) {
    add_piece_before_quote(analyzer, word.substr(0, at));
    word.remove_prefix(at);
  }
  analyzer.add_word(word);
}

}  // namespace

SentenceView sentence_view_of(LexAnalyzer& analyzer) {
  return SentenceView(analyzer.lattice(), &analyzer.skipped(), &analyzer.first_conjunctions(),
                      &analyzer.last_conjunctions());
}

Deps* parse_sentence(KorvelParser& parser, const SentenceView& sentence, const ItemLattice& words) {
  if (!parser.att_type()) return nullptr;
  SentenceResult& result = parser.result();
  result.begin_sentence();
  set_weight_sources(parser, sentence);
  Chart& chart = parser.chart();
  chart.sentence = sentence;
  chart.stats.words = static_cast<std::size_t>(std::max(sentence.last_word(), 0));
  std::vector<RootItem> roots;
  if (!run_chart(parser, sentence, roots)) return &result.build_empty(&words);

  ParseForest& forest = result.forest();
  chart.stats.roots = roots.size();
  const bool whole_only = !weight_debugging() && has_whole_root(roots, sentence.last_word());
  for (RootItem& root : roots) {
    if (whole_only && !spans_whole(root, sentence.last_word())) continue;
    TNode* node = forest.node_for(root.item);
    if (!node) continue;
    node->set_extra_cost(root.extra_cost);
    root.weight = node->best_weight();
    forest.add_root(node);
  }
  std::vector<TNode*> cover;
  for (const RootItem& root : choose_cover(parser, roots))
    if (TNode* node = forest.node_for(root.item)) cover.push_back(node);
  forest.set_roots(std::move(cover));
  return &result.build(&words, parser.deps_modifier);
}

Deps* parse_analyzed_sentence(KorvelParser& parser) {
  LexAnalyzer* analyzer = parser.analyzer();
  if (!analyzer) return nullptr;
  return parse_sentence(parser, sentence_view_of(*analyzer), analyzer->lattice());
}

Deps* parse_line(KorvelParser& parser, std::string_view line) {
  LexAnalyzer* analyzer = parser.analyzer();
  if (!analyzer) return nullptr;
  reset_parser(parser);
  analyzer->reset();
  // Entering a word never parses another line: the shared tokenizer is
  // read to the end before anything else uses it.
  Tokenizer& tokenizer = line_tokenizer();
  tokenizer.set_string_input(line);
  while (const char* token = tokenizer.next_token()) {
    if (tokenizer.is_white(static_cast<unsigned char>(token[0])))
      analyzer->add_spacing(" ");
    else
      add_word_cut_at_quotes(*analyzer, std::string_view(token, tokenizer.token_length()));
  }
  analyzer->analyze();
  parser.output_tree = false;
  return parse_analyzed_sentence(parser);
}

bool enter_sentence_words(KorvelParser& parser, const std::vector<std::string_view>& words) {
  LexAnalyzer* analyzer = parser.analyzer();
  if (!analyzer) return false;
  reset_parser(parser);
  analyzer->reset();
  for (std::string_view word : words) {
    analyzer->add_spacing(" ");
    analyzer->add_word(word);
  }
  analyzer->analyze();
  return true;
}

}  // namespace velmo
