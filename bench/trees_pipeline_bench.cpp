// velmo's per-line path, stage by stage, on generated sentences: reading
// the line, lexical analysis (tokenizer and analyzer), the chart (items,
// roots and cover), the forest and tree, and the output (the shell's copy
// and the dependency format). Run it on a folder written by
// trees_generate.py:
//   trees_pipeline_bench DIR
// It prints the words per second and each stage's share, overall and per
// sentence length, so a stage that grows faster than the sentence shows.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "app/command_groups.h"
#include "lexical/analyzer/lex_analyzer.h"
#include "parser/chart/chart.h"
#include "parser/chart/chart_parser.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/forest/sentence_result.h"
#include "parser/grammar/korvel_parser.h"
#include "parser/output/print_tree.h"
#include "parser/output/sentence_parse.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/reader/tokenizer.h"

namespace velmo {
namespace {

// Processor time of the process: the machine may be shared, and waiting for
// a processor is no part of any stage.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
  }
};
constexpr const char* kStages[] = {"read", "analysis", "chart", "forest+tree", "output"};
constexpr int kStageCount = 5;

struct Totals {
  double seconds[kStageCount] = {};
  long words = 0;
  long sentences = 0;
};

double since(Clock::time_point& mark) {
  const Clock::time_point now = Clock::now();
  const double s = now - mark;
  mark = now;
  return s;
}

void analyse_line(KorvelParser& parser, LexAnalyzer& analyzer, const std::string& line) {
  reset_parser(parser);
  analyzer.reset();
  Tokenizer tokenizer(tokenizer_configs::kSentences, kDefaultTokenBufferSize, kDefaultInputBufferSize);
  tokenizer.set_string_input(line);
  while (const char* token = tokenizer.next_token()) {
    if (tokenizer.is_white(static_cast<unsigned char>(token[0])))
      analyzer.add_spacing(" ");
    else
      analyzer.add_word(std::string_view(token, tokenizer.token_length()));
  }
  analyzer.analyze();
}

int run(const std::string& dir) {
  Interpreter& interpreter = Interpreter::instance();
  interpreter.search_path().add(dir);
  interpreter.search_path().add("");
  NameSpaces::set_current("STD");
  register_command_groups(interpreter);
  interpreter.set_prompt(false);
  interpreter.load_file("korvel.lsp");
  KorvelParser* parser = current_parser();
  if (!parser || !parser->analyzer()) {
    std::cerr << "no parser in " << dir << "/korvel.lsp\n";
    return 1;
  }
  LexAnalyzer& analyzer = *parser->analyzer();
  std::ifstream in(dir + "/sentences.txt");
  Totals all;
  std::map<int, Totals> by_length;  // by words, in steps of 10
  std::string line, out;
  PrintTree tree;
  Clock::time_point mark = Clock::now();
  while (std::getline(in, line)) {
    double t[kStageCount];
    t[0] = since(mark);
    analyse_line(*parser, analyzer, line);
    t[1] = since(mark);
    SentenceResult& result = parser->result();
    result.begin_sentence();
    const SentenceView sentence = sentence_view_of(analyzer);
    parser->chart().sentence = sentence;
    const bool parsed = ChartParser(*parser, sentence).run();
    std::vector<RootItem> roots;
    if (parsed) roots = collect_roots(*parser);
    t[2] = since(mark);
    std::vector<TNode*> nodes;
    for (RootItem& root : roots)
      if (TNode* node = result.forest().node_for(root.item)) {
        node->set_extra_cost(root.extra_cost);
        root.weight = node->best_weight();
      }
    t[3] = since(mark);
    for (const RootItem& root : choose_cover(*parser, roots)) nodes.push_back(result.forest().node_for(root.item));
    t[2] += since(mark);
    result.forest().set_roots(nodes);
    Deps& deps = result.build(&analyzer.lattice(), parser->deps_modifier);
    t[3] += since(mark);
    tree.copy_from(deps, nullptr);
    out.clear();
    print_dependency_format(out, tree, "()");
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
    t[4] = since(mark);
    const int words = std::max(analyzer.positions() - 1, 0);
    Totals& bucket = by_length[words / 10 * 10];
    for (Totals* totals : {&all, &bucket}) {
      for (int i = 0; i < kStageCount; ++i) totals->seconds[i] += t[i];
      totals->words += words;
      ++totals->sentences;
    }
  }
  double total = 0.0;
  for (double s : all.seconds) total += s;
  std::cerr << all.sentences << " sentences, " << all.words << " words, " << total << " s of processor time, "
            << static_cast<long>(all.words / total) << " words/s\n";
  for (int i = 0; i < kStageCount; ++i)
    std::cerr << "  " << kStages[i] << ": " << 100.0 * all.seconds[i] / total << " %\n";
  std::cerr << "microseconds per word by sentence length (words):\n  length";
  for (const char* stage : kStages) std::cerr << '\t' << stage;
  std::cerr << '\n';
  for (const auto& [length, totals] : by_length) {
    std::cerr << "  " << length << '-' << length + 9 << " (" << totals.sentences << ")";
    for (double s : totals.seconds) std::cerr << '\t' << 1e6 * s / std::max(totals.words, 1L);
    std::cerr << '\n';
  }
  return 0;
}

}  // namespace
}  // namespace velmo

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: trees_pipeline_bench DIR (made by bench/trees_generate.py)\n";
    return 2;
  }
  return velmo::run(argv[1]);
}
