#include "parser/chart/chart_commands.h"

#include <iomanip>
#include <iostream>
#include <string_view>

#include "lexical/analyzer/lex_analyzer.h"
#include "parser/chart/chart.h"
#include "parser/chart/condition_memo.h"
#include "parser/chart/pitem.h"
#include "parser/chart/place_answers.h"
#include "parser/chart/sentence.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/interpreter/interpreter.h"

namespace velmo {
namespace {

Word reset_parser_command(IRSlist&) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  reset_parser(*parser);
  return reinterpret_cast<Word>(parser);
}

// (parse-stats) prints the counts of the last sentence; (parse-stats 1)
// also prints them on the error stream after every sentence, (parse-stats 0)
// stops that. (parse-stats :time) prints the processor time spent since the
// last sentence began (its lexical analysis, chart, forest, tree and
// output when given right after it): the speed benchmark reads it.
Word parse_stats_command(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  Chart& chart = parser->chart();
  if (const char* first = args.peek_atom(); first && std::string_view(first) == ":time") {
    std::cout << ";; sentence cpu: " << std::fixed << std::setprecision(3)
              << 1000.0 * (process_cpu_seconds() - chart.sentence_started_cpu) << " ms" << std::defaultfloat << '\n'
              << std::flush;
    return reinterpret_cast<Word>(parser);
  }
  if (!args.children().empty()) {
    chart.report_stats = args.take_long() != 0;
    return chart.report_stats ? 1 : 0;
  }
  print_parse_stats(std::cout, chart.stats);
  std::cout << std::flush;
  return reinterpret_cast<Word>(parser);
}

// (continue-second-pass 1) lets the pass with the last-resort links go on
// from the first pass's chart; (continue-second-pass 0) parses such a
// sentence again from its words. Without an argument, tells which is set.
Word continue_second_pass_command(IRSlist& args) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  if (!args.children().empty()) parser->continue_second_pass = args.take_long() != 0;
  return parser->continue_second_pass ? 1 : 0;
}

Word print_lexical_items_command(IRSlist&) {
  KorvelParser* parser = current_parser();
  if (!parser || !parser->analyzer()) return 0;
  parser->analyzer()->print_items(std::cout);
  std::cout << std::flush;
  return reinterpret_cast<Word>(parser);
}

// (condition-room) tells whether the grammar's conditions, plans and tests
// of the words about an item all have places of their own in the items'
// answer bits and the place grid; the answers of those past them go to
// the condition memo's table, which costs a hash and a probe each.
Word condition_room_command(IRSlist&) {
  KorvelParser* parser = current_parser();
  if (!parser) return 0;
  const ConditionMemo& memo = parser->conditions();
  bool every = true;
  const auto tell = [&every](const char* what, std::size_t used, int room) {
    if (used <= static_cast<std::size_t>(room)) return;
    every = false;
    std::cout << ";; " << what << ": " << used << ", places for " << room << '\n';
  };
  tell("conditions", memo.condition_count(), ItemAnswers::kConditions);
  tell("plans", memo.plan_count(), ItemAnswers::kPlans);
  tell("word tests", memo.word_test_count(), PlaceAnswers::kSlots);
  if (every) std::cout << ";; every condition, plan and word test has a place of its own\n";
  std::cout << std::flush;
  return reinterpret_cast<Word>(parser);
}

}  // namespace

void print_parse_stats(std::ostream& out, const ParseStats& stats) {
  out << ";; words: " << stats.words << " lexical: " << stats.lexical << " items: " << stats.made
      << " packed: " << stats.packed << " merged: " << stats.merged << " coordinated: " << stats.coordinated
      << " roots: " << stats.roots << " passes: " << stats.passes << " pool: "
      << (stats.stopped_in_entry ? "exhausted in entry"
          : stats.pool_exhausted ? "exhausted"
                                 : "ok")
      << '\n';
}

void register_chart_commands(Interpreter& interpreter) {
  interpreter.add_command("reset-parser", &reset_parser_command, "(reset-parser) reset the parser.");
  // Grammar conditions run while the chart is in use: they may not empty it.
  interpreter.mark_freeing("reset-parser");
  interpreter.add_command("prlexitems", &print_lexical_items_command, "(prlexitems) print the lexical items.");
  interpreter.add_command("li", &print_lexical_items_command, "(li) print the lexical items.");
  interpreter.add_command("continue-second-pass", &continue_second_pass_command,
                          "(continue-second-pass [0|1]) whether the pass with the last-resort links goes on from the "
                          "first pass's chart instead of parsing the sentence again.");
  interpreter.add_command("condition-room", &condition_room_command,
                          "(condition-room) tell whether every condition, plan and word test of the grammar has a "
                          "place of its own among the answers kept per item and per place.");
  interpreter.add_command(
      "parse-stats", &parse_stats_command,
      "(parse-stats [0|1]) print the number of parse items made, packed and merged for the last "
      "sentence and whether the item pool ran out; with 1, print them after every sentence; with :time, print "
      "the processor time spent since the last sentence began.");
}

}  // namespace velmo
