#include "parser/output/output_commands.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "lexicon/attributes/lbitset.h"
#include "parser/chart/pitem.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/forest/deps.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"
#include "parser/grammar/korvel_parser.h"
#include "parser/output/item_printer.h"
#include "parser/output/print_tree.h"
#include "parser/output/result_format.h"
#include "parser/output/sentence_parse.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/regex.h"

namespace velmo {
namespace {

Word as_word(const void* object) { return reinterpret_cast<Word>(object); }

// The atoms of a form, in order (nested lists contribute their atoms).
void collect_atoms(const IRSlist& node, std::vector<std::string_view>& words) {
  if (node.is_atom()) {
    if (node.atom()) words.emplace_back(node.atom());
    return;
  }
  for (const IRSlist* child : node.children()) collect_atoms(*child, words);
}

const std::vector<int>* shown_attributes(const KorvelParser& parser) {
  return parser.show_atts ? &*parser.show_atts : nullptr;
}

// Enters the words, parses them under a timer and prints the two timing
// lines and, unless the output-tree flag is set, the result.
Word parse_and_print(const std::vector<std::string_view>& words) {
  KorvelParser* parser = current_parser();
  if (!parser || !enter_sentence_words(*parser, words)) return 0;
  std::cout << ";; length: " << std::max(parser->analyzer()->positions() - 1, 0) << '\n';
  const auto started = std::chrono::steady_clock::now();
  Deps* deps = nullptr;
  if (parser->output_tree)
    parse_chart(*parser, sentence_view_of(*parser->analyzer()));
  else
    deps = parse_analyzed_sentence(*parser);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  std::cout << ";; parse time: " << elapsed.count() << " sec. " << '\n';
  if (deps) {
    std::string out;
    print_result_format(out, *deps, shown_attributes(*parser));
    std::cout << out;
  }
  std::cout << std::flush;
  return as_word(deps);
}

Word parse_command(IRSlist& args) {
  std::vector<std::string_view> words;
  collect_atoms(args, words);
  return parse_and_print(words);
}

void print_nested(KorvelParser& parser, Deps* deps) {
  if (!deps) return;
  PrintTree tree;
  tree.copy_from(*deps, shown_attributes(parser));
  std::string out;
  print_nested_format(out, tree);
  std::cout << out << std::flush;
}

Word p2_command(IRSlist& args) {
  KorvelParser* parser = current_parser();
  std::vector<std::string_view> words;
  collect_atoms(args, words);
  if (!parser || !enter_sentence_words(*parser, words)) return 0;
  Deps* deps = parse_analyzed_sentence(*parser);
  print_nested(*parser, deps);
  return as_word(deps);
}

Word p3_command(IRSlist& args) {
  KorvelParser* parser = current_parser();
  std::vector<std::string_view> pieces;
  collect_atoms(args, pieces);
  if (!parser) return 0;
  std::string line;
  for (std::string_view piece : pieces) {
    if (!line.empty()) line += ' ';
    line += piece;
  }
  Deps* deps = parse_line(*parser, line);
  print_nested(*parser, deps);
  return as_word(deps);
}

// An entry of the result format: a position and a node list whose first
// element is the word.
bool is_node_entry(const IRSlist& entry) {
  if (!entry.is_list() || entry.length() < 2) return false;
  const IRSlist* position = entry.element_at(0);
  const IRSlist* node = entry.element_at(1);
  return position && position->is_atom() && node && node->is_list();
}

// The words of a tree in the result format, given as one list of entries
// or as the entries themselves.
Word reparse_command(IRSlist& args) {
  const IRSlist* tree = &args;
  if (const IRSlist* first = args.element_at(0); first && first->is_list() && !is_node_entry(*first)) tree = first;
  std::vector<std::string_view> words;
  for (const IRSlist* entry : tree->children()) {
    if (!is_node_entry(*entry)) continue;
    const IRSlist* word = entry->element_at(1)->element_at(0);
    if (word && word->is_atom() && word->atom()) words.emplace_back(word->atom());
  }
  for (std::size_t i = 0; i < words.size(); ++i) std::cout << (i ? " " : "") << words[i];
  std::cout << '\n' << std::flush;
  return parse_and_print(words);
}

// The chart of a category: per end word with items at the head position or
// after it, the non-empty buckets.
void dump_category_chart(std::ostream& out, GCate& cate, const LBitSet* shown) {
  const int n = cate.position_count();
  const int first = std::max(cate.head, 0);
  for (int w = 0; w < cate.chart().rows(); ++w) {
    bool any = false;
    for (int p = first; p <= n && !any; ++p) {
      const std::vector<PItem*>* bucket = cate.chart().find_bucket(w, p);
      any = bucket && !bucket->empty();
    }
    if (!any) continue;
    out << "\nBucket " << w << ":\n";
    for (int p = first; p <= n; ++p) {
      const std::vector<PItem*>* bucket = cate.chart().find_bucket(w, p);
      if (!bucket || bucket->empty()) continue;
      out << "Position: " << p << '\n';
      for (const PItem* item : *bucket) {
        print_item(out, item, shown);
        out << '\n';
      }
      out << '\n';
    }
  }
}

// The items waiting at the links of a category whose relation matches.
void dump_links(std::ostream& out, GCate& cate, const Regex& relation, const LBitSet* shown) {
  for (int slot = 0; slot <= cate.position_count(); ++slot)
    for (GLink* link : cate.links_at(slot)) {
      if (!relation.search(link->relation())) continue;
      out << "Link: " << link->relation() << '\n';
      for (int end = 0; const std::vector<PItem*>* waiting = link->waiting_at(end); ++end)
        for (const PItem* item : *waiting) {
          print_item(out, item, shown);
          out << '\n';
        }
    }
}

Word pn_command(IRSlist& args) {
  KorvelParser* parser = current_parser();
  const char* category_pattern = args.take_atom();
  const char* relation_pattern = args.take_atom();
  if (!parser || !category_pattern) return 0;
  Regex category_regex, relation_regex;
  if (!category_regex.compile(category_pattern) || (relation_pattern && !relation_regex.compile(relation_pattern))) {
    diag() << "pn: " << (category_regex.ok() ? relation_regex.error() : category_regex.error()) << '\n' << std::flush;
    return 0;
  }
  std::optional<LBitSet> filter;
  if (parser->show_atts && !parser->show_atts->empty()) {
    filter.emplace();
    for (int index : *parser->show_atts)
      if (index >= 0) filter->set(static_cast<std::size_t>(index));
  }
  const LBitSet* shown = filter ? &*filter : nullptr;
  parser->for_each_category([&](GCate& cate) {
    if (!category_regex.search(cate.name())) return;
    std::cout << "Node: " << cate.name() << '\n';
    if (relation_pattern)
      dump_links(std::cout, cate, relation_regex, shown);
    else
      dump_category_chart(std::cout, cate, shown);
  });
  std::cout << std::flush;
  return as_word(parser);
}

Word set_flag(IRSlist& args, bool& flag) {
  flag = !args.children().empty() && args.take_long() != 0;
  return flag ? 1 : 0;
}

Word print_governor_command(IRSlist& args) { return set_flag(args, result_format_flags().print_gov); }

Word print_deptree_weight_command(IRSlist& args) { return set_flag(args, result_format_flags().print_deptree_weight); }

}  // namespace

void register_output_commands(Interpreter& interpreter) {
  interpreter.add_command("parse", &parse_command,
                          "(parse word1 ... wordn) parse a sentence consisting of word1 ... wordn.");
  interpreter.add_command("p", &parse_command, "(p word1 ... wordn) parse a sentence consisting of word1 ... wordn.");
  interpreter.add_command("p2", &p2_command, "(p2 word1 ... wordn) parse a sentence consisting of word1 ... wordn.");
  interpreter.add_command("p3", &p3_command, "(p3 \"a sentence\") parse a sentence.");
  interpreter.add_command("reparse", &reparse_command,
                          "(reparse DEPTREE) extract the sentence from DEPTREE and parse it.");
  interpreter.add_command("rp", &reparse_command, "(rp DEPTREE) extract the sentence from DEPTREE and parse it.");
  interpreter.add_command("pn", &pn_command, "(pn category)");
  interpreter.add_command("print-governor", &print_governor_command, "(print-governor 0|1) set the PRINT_GOV flag");
  interpreter.add_command("print-deptree-weight", &print_deptree_weight_command,
                          "(print-deptree-weight 0|1) set the PRINT_DEPTREE_WEIGHT flag");
}

}  // namespace velmo
