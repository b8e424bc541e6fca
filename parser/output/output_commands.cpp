#include "parser/output/output_commands.h"

#include <chrono>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "lexical/analyzer/lex_analyzer.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/forest/deps.h"
#include "parser/grammar/korvel_parser.h"
#include "parser/output/print_tree.h"
#include "parser/output/result_format.h"
#include "parser/output/sentence_parse.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"

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
  std::cout << ";; length: " << parser->analyzer()->positions() - 1 << '\n';
  const auto started = std::chrono::steady_clock::now();
  Deps* deps = nullptr;
  if (parser->output_tree) parse_chart(*parser, sentence_view_of(*parser->analyzer()));
  else deps = parse_analyzed_sentence(*parser);
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

// The words of a tree in the result format: each entry is a position and a
// node list whose first element is the word.
Word reparse_command(IRSlist& args) {
  std::vector<std::string_view> words;
  const IRSlist* tree = args.children().empty() ? nullptr : args.element_at(0);
  if (tree && tree->is_list()) {
    for (const IRSlist* entry : tree->children()) {
      if (!entry->is_list() || entry->length() < 2) continue;
      const IRSlist* node = entry->element_at(1);
      if (!node || !node->is_list()) continue;
      const IRSlist* word = node->element_at(0);
      if (word && word->is_atom() && word->atom()) words.emplace_back(word->atom());
    }
  }
  for (std::size_t i = 0; i < words.size(); ++i) std::cout << (i ? " " : "") << words[i];
  std::cout << '\n' << std::flush;
  return parse_and_print(words);
}

Word set_flag(IRSlist& args, bool& flag) {
  flag = !args.children().empty() && args.take_long() != 0;
  return flag ? 1 : 0;
}

Word print_governor_command(IRSlist& args) { return set_flag(args, result_format_flags().print_gov); }

Word print_deptree_weight_command(IRSlist& args) {
  return set_flag(args, result_format_flags().print_deptree_weight);
}

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
  interpreter.add_command("print-governor", &print_governor_command,
                          "(print-governor 0|1) set the PRINT_GOV flag");
  interpreter.add_command("print-deptree-weight", &print_deptree_weight_command,
                          "(print-deptree-weight 0|1) set the PRINT_DEPTREE_WEIGHT flag");
}

}  // namespace velmo
