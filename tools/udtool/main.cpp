// udtool: the bridge between treebanks in CoNLL-U and the English scheme.
//   udtool to-scheme [--features] [--no-empty] [--triples] FILE
//                                                     CoNLL-U -> dependency (or triples) format
//   udtool to-ud [--text LINES] [--empty E] [--no-misc] FILE
//                                                     dependency format -> CoNLL-U
//   udtool roundtrip [--out FILE] [--no-punct-nodes] FILE
//   udtool score [--worst N] [--seconds S] GOLD SYSTEM
//   udtool text FILE                                  one sentence text per line
//   udtool check FILE                                 report malformed lines
// FILE may be "-" for the standard input.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "parser/ud/conllu.h"
#include "parser/ud/convert.h"
#include "parser/ud/dep_format.h"
#include "parser/ud/scorer.h"

namespace {

using namespace velmo::ud;

const char* const kUsage =
    "usage: udtool to-scheme [--features] [--no-empty] [--triples] FILE\n"
    "       udtool to-ud [--text LINES] [--empty DESIGNATOR] [--no-misc] FILE\n"
    "       udtool roundtrip [--out FILE] [--no-punct-nodes] FILE\n"
    "       udtool score [--worst N] [--seconds S] GOLD SYSTEM\n"
    "       udtool text FILE\n"
    "       udtool check FILE\n";

// Command-line arguments after the subcommand: flags, options with values
// and the remaining file names.
struct Arguments {
  std::vector<std::string> flags;
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> files;

  bool flag(const std::string& name) const { return std::find(flags.begin(), flags.end(), name) != flags.end(); }
  std::string option(const std::string& name, const std::string& fallback = "") const {
    for (const auto& [key, value] : options)
      if (key == name) return value;
    return fallback;
  }
};

Arguments parse_arguments(int argc, char** argv, const std::vector<std::string>& valued) {
  Arguments arguments;
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      if (std::find(valued.begin(), valued.end(), arg) != valued.end() && i + 1 < argc)
        arguments.options.emplace_back(arg, argv[++i]);
      else
        arguments.flags.push_back(arg);
    } else {
      arguments.files.push_back(arg);
    }
  }
  return arguments;
}

// An input stream for a file name, or the standard input for "-".
class Input {
 public:
  explicit Input(const std::string& name) : name_(name) {
    if (name != "-") file_ = std::make_unique<std::ifstream>(name, std::ios::binary);
  }
  bool ok() const { return !file_ || file_->is_open(); }
  std::istream& stream() { return file_ ? *file_ : std::cin; }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::unique_ptr<std::ifstream> file_;
};

void report(const std::string& file, int line, const std::string& message) {
  std::cerr << file << ':' << line << ": " << message << '\n';
}

bool read_treebank(const std::string& name, std::vector<UdSentence>& sentences, int* problem_count = nullptr) {
  Input input(name);
  if (!input.ok()) {
    std::cerr << "udtool: cannot open " << name << '\n';
    return false;
  }
  std::vector<ConlluProblem> problems;
  sentences = read_conllu(input.stream(), &problems);
  for (const ConlluProblem& problem : problems) report(name, problem.line, problem.message);
  if (problem_count) *problem_count = static_cast<int>(problems.size());
  return true;
}

int to_scheme(const Arguments& arguments) {
  if (arguments.files.size() != 1) return std::cerr << kUsage, 2;
  std::vector<UdSentence> sentences;
  if (!read_treebank(arguments.files[0], sentences)) return 1;
  UdToSchemeOptions options;
  options.features = arguments.flag("--features");
  options.empty_nodes = !arguments.flag("--no-empty");
  bool triples = arguments.flag("--triples");
  for (const UdSentence& sentence : sentences) {
    PlainTree tree = ud_to_scheme(sentence, options);
    if (triples)
      write_triples_format(std::cout, tree);
    else
      write_dep_format(std::cout, tree);
    std::cout << '\n';
  }
  return 0;
}

int to_ud(const Arguments& arguments) {
  if (arguments.files.size() != 1) return std::cerr << kUsage, 2;
  Input input(arguments.files[0]);
  if (!input.ok()) return std::cerr << "udtool: cannot open " << input.name() << '\n', 1;
  std::unique_ptr<Input> lines;
  if (std::string text = arguments.option("--text"); !text.empty()) {
    lines = std::make_unique<Input>(text);
    if (!lines->ok()) return std::cerr << "udtool: cannot open " << text << '\n', 1;
  }
  SchemeToUdOptions options;
  options.scheme_in_misc = !arguments.flag("--no-misc");
  DepFormatReader reader(input.stream(), arguments.option("--empty", "()"));
  PlainTree tree;
  int count = 0;
  while (reader.next(tree)) {
    ++count;
    std::string line;
    if (lines && std::getline(lines->stream(), line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      attach_text(tree, line);
    }
    tree.sent_id = std::to_string(count);
    UdSentence sentence = scheme_to_ud(tree, options);
    if (!sentence.words.empty()) write_conllu(std::cout, sentence);  // an empty line has no sentence
  }
  // Lines velmo printed no tree for still get a sentence, so that the
  // output keeps step with the text.
  std::string line;
  int missing = 0;
  while (lines && std::getline(lines->stream(), line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    PlainTree empty;
    attach_text(empty, line);
    empty.sent_id = std::to_string(++count);
    UdSentence sentence = scheme_to_ud(empty, options);
    if (!sentence.words.empty()) write_conllu(std::cout, sentence);
    ++missing;
  }
  for (const DepFormatProblem& problem : reader.problems()) report(input.name(), problem.line, problem.message);
  if (missing) std::cerr << input.name() << ": no tree for the last " << missing << " lines\n";
  return 0;
}

void print_relations(const Scores& scores, bool by_loss, size_t limit) {
  std::vector<std::pair<std::string, RelationCounts>> rows(scores.relations.begin(), scores.relations.end());
  if (by_loss)
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
      return a.second.gold - a.second.correct > b.second.gold - b.second.correct;
    });
  std::cout << std::left << std::setw(12) << "relation" << std::right << std::setw(8) << "gold" << std::setw(8)
            << "system" << std::setw(8) << "correct" << std::setw(11) << "precision" << std::setw(8) << "recall"
            << '\n';
  for (size_t i = 0; i < rows.size() && i < limit; ++i) {
    const auto& [name, counts] = rows[i];
    std::cout << std::left << std::setw(12) << name << std::right << std::setw(8) << counts.gold << std::setw(8)
              << counts.system << std::setw(8) << counts.correct << std::fixed << std::setprecision(2) << std::setw(11)
              << counts.precision() << std::setw(8) << counts.recall() << '\n';
  }
}

void print_summary(const Scores& scores) {
  std::cout << std::fixed << std::setprecision(2);
  std::cout << "words: gold " << scores.gold_words << ", system " << scores.system_words << ", aligned "
            << scores.aligned << " (F1 " << scores.words_f1() << ")\n";
  std::cout << "UAS: " << scores.uas() << "\nLAS: " << scores.las() << '\n';
  if (!scores.skipped.empty()) {
    std::cout << "skipped: " << scores.skipped.size()
              << " sentences whose text differs (first: " << scores.skipped.front() << ")\n";
  }
}

int roundtrip(const Arguments& arguments) {
  if (arguments.files.size() != 1) return std::cerr << kUsage, 2;
  std::vector<UdSentence> gold;
  if (!read_treebank(arguments.files[0], gold)) return 1;
  std::vector<UdSentence> back;
  for (const UdSentence& sentence : gold) {
    PlainTree tree = ud_to_scheme(sentence);
    if (arguments.flag("--no-punct-nodes")) {
      // Measures the attachment rules for tokens without nodes.
      std::vector<int> renumber(tree.nodes.size(), -1);
      PlainTree kept = tree;
      kept.nodes.clear();
      for (size_t i = 0; i < tree.nodes.size(); ++i)
        if (tree.nodes[i].relation != "punc") renumber[i] = kept.add(tree.nodes[i]);
      for (PlainNode& node : kept.nodes) {
        node.head = node.head >= 0 ? renumber[node.head] : kTop;
        node.antecedent = node.antecedent >= 0 ? renumber[node.antecedent] : -1;
      }
      tree = std::move(kept);
    }
    back.push_back(scheme_to_ud(tree));
    back.back().comments = sentence.comments;
  }
  if (std::string out = arguments.option("--out"); !out.empty()) {
    std::ofstream file(out, std::ios::binary);
    for (const UdSentence& sentence : back) write_conllu(file, sentence);
  }
  ScoreResult result = score(gold, back);
  if (!result.ok) return std::cerr << "udtool: " << result.error << '\n', 1;
  print_summary(result.scores);
  std::cout << "relations that lose most:\n";
  print_relations(result.scores, true, 12);
  return 0;
}

int score_files(const Arguments& arguments) {
  if (arguments.files.size() != 2) return std::cerr << kUsage, 2;
  std::vector<UdSentence> gold, system;
  if (!read_treebank(arguments.files[0], gold) || !read_treebank(arguments.files[1], system)) return 1;
  ScoreResult result = score(gold, system);
  if (!result.ok) return std::cerr << "udtool: " << result.error << '\n', 1;
  print_summary(result.scores);
  if (std::string seconds = arguments.option("--seconds"); !seconds.empty()) {
    double time = std::atof(seconds.c_str());
    if (time > 0) std::cout << "words per second: " << std::setprecision(0) << result.scores.gold_words / time << '\n';
  }
  std::cout << '\n';
  print_relations(result.scores, false, result.scores.relations.size());
  int worst = std::atoi(arguments.option("--worst", "10").c_str());
  if (worst > 0) {
    std::cout << "\nworst sentences (LAS, words, id, text):\n" << std::setprecision(2);
    for (const SentenceScore& sentence : worst_sentences(result.scores, worst))
      std::cout << std::setw(6) << sentence.las() << std::setw(5) << sentence.words << "  " << sentence.sent_id << "  "
                << sentence.text << '\n';
  }
  return 0;
}

int text(const Arguments& arguments) {
  if (arguments.files.size() != 1) return std::cerr << kUsage, 2;
  std::vector<UdSentence> sentences;
  if (!read_treebank(arguments.files[0], sentences)) return 1;
  for (const UdSentence& sentence : sentences) std::cout << sentence.text() << '\n';
  return 0;
}

int check(const Arguments& arguments) {
  if (arguments.files.size() != 1) return std::cerr << kUsage, 2;
  std::vector<UdSentence> sentences;
  int problems = 0;
  if (!read_treebank(arguments.files[0], sentences, &problems)) return 1;
  std::cout << sentences.size() << " sentences, " << problems << " problems\n";
  return problems ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2) return std::cerr << kUsage, 2;
  std::string command = argv[1];
  if (command == "to-scheme") return to_scheme(parse_arguments(argc, argv, {}));
  if (command == "to-ud") return to_ud(parse_arguments(argc, argv, {"--text", "--empty"}));
  if (command == "roundtrip") return roundtrip(parse_arguments(argc, argv, {"--out"}));
  if (command == "score") return score_files(parse_arguments(argc, argv, {"--worst", "--seconds"}));
  if (command == "text") return text(parse_arguments(argc, argv, {}));
  if (command == "check") return check(parse_arguments(argc, argv, {}));
  std::cerr << kUsage;
  return 2;
}
