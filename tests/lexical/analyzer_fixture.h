#pragma once
// Set-up shared by the analyzer tests: the lexical fixture plus the
// analyzer's commands and functions, and helpers to feed sentences.
#include <sstream>
#include <string>
#include <vector>

#include "lexical/analyzer/analyzer_commands.h"
#include "lexical/analyzer/lex_analyzer.h"
#include "lexical_fixture.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

class AnalyzerTest : public LexicalTest {
 protected:
  void SetUp() override {
    LexicalTest::SetUp();
    Interpreter& interpreter = Interpreter::instance();
    if (!interpreter.find_command("make-lex-analyzer")) register_analyzer_commands(interpreter);
  }

  // A lexicon of that name (made with `options`) filled with `entries`, and
  // an analyzer over it; the analyzer is returned.
  LexAnalyzer* make_analyzer(const std::string& entries, const std::string& lexicon_options = "",
                             const std::string& analyzer_options = "") {
    lexicon_ = unique("lexicon");
    run("(make-lexicon " + lexicon_ + " 101 " + lexicon_options + ")");
    run("(lex " + lexicon_ + " " + entries + ")");
    const std::string name = unique("analyzer");
    run("(make-lex-analyzer " + name + " :lexicon " + lexicon_ + " " + analyzer_options + ")");
    return NameSpaces::lookup_as<LexAnalyzer>(name, LexAnalyzer::kTypeText);
  }

  // Resets the analyzer, enters the blank-separated words and analyses them.
  static void analyze(LexAnalyzer& analyzer, const std::string& sentence) {
    enter(analyzer, sentence);
    analyzer.analyze();
  }
  static void enter(LexAnalyzer& analyzer, const std::string& sentence) {
    analyzer.reset();
    std::istringstream words(sentence);
    std::string word;
    while (words >> word) {
      analyzer.add_spacing(" ");
      analyzer.add_word(word);
    }
  }
  static std::string items(LexAnalyzer& analyzer) {
    std::ostringstream out;
    analyzer.print_items(out);
    return out.str();
  }
  static std::string span_of(const LexItem& item) {
    std::ostringstream text;
    text << '[' << item.low << ',' << item.high << "] " << (item.root ? item.root : "");
    return text.str();
  }
  // "[low,high] root" for every live item, by end position.
  static std::vector<std::string> spans(const LexAnalyzer& analyzer) {
    std::vector<std::string> result;
    for (int p = 0; p < analyzer.positions(); ++p)
      for (const LexItem* item : analyzer.by_end(p)) result.push_back(span_of(*item));
    return result;
  }

  std::string lexicon_;
};

}  // namespace velmo
