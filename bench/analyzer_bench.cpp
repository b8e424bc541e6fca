// Lexical analysis of the EWT development sentences: a 100,000-word lexicon
// (the forms and lemmas of the EWT training data, filled up with made-up
// words) reached through an English ending table, 400 multi-word entries,
// and 50 lexical rules of the usual kinds (word tests, item tests,
// sequences, deletions, combinations). Reports words per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lexical/analyzer/analyzer_commands.h"
#include "lexical/analyzer/lex_analyzer.h"
#include "lexical/items/ending_commands.h"
#include "lexical/patterns/pattern_commands.h"
#include "lexicon/attributes/attribute_commands.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "shell/interpreter/interpreter.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/lib/commands.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/string_pool.h"

namespace {

// The treebank folder: $EWT_DIR when set, else the one CMake found above the
// checkout.
std::string treebank_dir() {
  const char* dir = std::getenv("EWT_DIR");
  return dir != nullptr ? std::string(dir) + "/" : std::string(VELMO_EWT_DIR);
}
constexpr std::size_t kLexiconWords = 100000;
constexpr std::size_t kPhrases = 400;

const char* const kEndings =
    "((p \"\" base) (p s s) (e es es \"\" xszh) (p ies ies y) (p ed ed) (p d d) (p ied ied y) (d ed ded) "
    "(p ing ing) (p ing ing-e e) (d ing ding) (p er er) (p r r) (p est est) (p ly ly) (p ily ily y) "
    "(p \"'s\" poss) (p \"n't\" neg) (p ves ves f) (p men men man))";

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool plain_word(const std::string& word) {
  if (word.empty()) return false;
  return std::all_of(word.begin(), word.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '\''; });
}

// Words split at blanks, with punctuation cut into tokens of its own.
std::vector<std::string> tokens_of(const std::string& text) {
  std::vector<std::string> tokens;
  std::string current;
  auto flush = [&] {
    if (!current.empty()) tokens.push_back(current);
    current.clear();
  };
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isspace(byte)) {
      flush();
    } else if (std::ispunct(byte) && c != '\'' && c != '-' && c != '.') {
      flush();
      tokens.push_back(std::string(1, c));
    } else {
      current.push_back(c);
    }
  }
  flush();
  return tokens;
}

class Setup {
 public:
  static Setup& instance() {
    static Setup setup;
    return setup;
  }
  velmo::LexAnalyzer* analyzer() const { return analyzer_; }
  velmo::LexAnalyzer* plain() const { return plain_; }
  const std::vector<std::vector<std::string>>& sentences() const { return sentences_; }
  std::size_t word_count() const { return words_; }

 private:
  Setup() {
    using namespace velmo;
    NameSpaces::set_current("STD");
    Interpreter& interpreter = Interpreter::instance();
    interpreter.set_prompt(false);
    register_expression_commands(interpreter);
    register_library_commands(interpreter);
    register_attribute_commands(interpreter);
    register_lexicon_commands(interpreter);
    register_ending_commands(interpreter);
    register_pattern_commands(interpreter);
    register_analyzer_commands(interpreter);
    interpreter.execute_string(
        "(def-att-list bsyn (defattribute cat EnumAtt (allowable-values n v adj adv p d pron conj num x)) "
        "(defattribute sg BinAtt) (defattribute past BinAtt))");
    interpreter.execute_string("(make-avmeaning-proto bsyn avm)");
    interpreter.execute_string(std::string("(make-lexicon blex 100003 :ending-table ") + kEndings + ")");
    lexicon_ = NameSpaces::lookup_as<Lexicon>("blex", Lexicon::kTypeText);
    fill_lexicon();
    define_rules();
    interpreter.execute_string("(make-lex-analyzer bana :lexicon blex :lexical-rules brules)");
    analyzer_ = NameSpaces::lookup_as<LexAnalyzer>("bana", LexAnalyzer::kTypeText);
    interpreter.execute_string("(make-lex-analyzer bana0 :lexicon blex)");
    plain_ = NameSpaces::lookup_as<LexAnalyzer>("bana0", LexAnalyzer::kTypeText);
    read_sentences();
  }

  static const char* category(const std::string& upos) {
    static const std::map<std::string, const char*> map = {
        {"NOUN", "n"}, {"PROPN", "n"}, {"VERB", "v"},    {"AUX", "v"},      {"ADJ", "adj"},    {"ADV", "adv"},
        {"ADP", "p"},  {"DET", "d"},   {"PRON", "pron"}, {"CCONJ", "conj"}, {"SCONJ", "conj"}, {"NUM", "num"}};
    auto at = map.find(upos);
    return at == map.end() ? "x" : at->second;
  }

  void add_entry(const std::string& key, const char* cat) {
    std::string text = "(";
    velmo::append_quoted(text, key);
    text += " (avm ((cat ";
    text += cat;
    text += "))))";
    std::unique_ptr<velmo::IRSlist> entry = velmo::IRSlist::parse(text, store_);
    lexicon_->add(*entry, false);
  }

  void fill_lexicon() {
    std::ifstream train(treebank_dir() + "en_ewt-ud-train.conllu");
    std::set<std::pair<std::string, std::string>> readings;
    std::map<std::string, int> bigrams;
    std::string line;
    std::string previous;
    while (std::getline(train, line)) {
      if (line.empty() || line[0] == '#') {
        previous.clear();
        continue;
      }
      std::istringstream fields(line);
      std::string id, form, lemma, upos;
      fields >> id >> form >> lemma >> upos;
      if (id.find_first_of("-.") != std::string::npos) continue;
      form = lower(form);
      lemma = lower(lemma);
      if (plain_word(lemma)) readings.emplace(lemma, category(upos));
      if (plain_word(form) && form != lemma) readings.emplace(form, category(upos));
      if (!previous.empty() && plain_word(form)) ++bigrams[previous + " " + form];
      previous = plain_word(form) ? form : "";
    }
    std::set<std::string> keys;
    for (const auto& [key, cat] : readings) {
      add_entry(key, cat.c_str());
      keys.insert(key);
    }
    for (std::size_t i = 0; keys.size() < kLexiconWords; ++i) {
      std::string word = "zq" + std::to_string(i);
      add_entry(word, "n");
      keys.insert(word);
    }
    // The most frequent word pairs become multi-word entries.
    std::vector<std::pair<int, std::string>> ranked;
    for (const auto& [pair, count] : bigrams) ranked.emplace_back(count, pair);
    std::sort(ranked.rbegin(), ranked.rend());
    for (std::size_t i = 0; i < ranked.size() && i < kPhrases; ++i) {
      std::string text = "(" + ranked[i].second + " (avm ((cat x))))";
      std::unique_ptr<velmo::IRSlist> entry = velmo::IRSlist::parse(text, store_);
      lexicon_->add(*entry, false);
    }
    store_.clear();
  }

  void define_rules() {
    std::string rules = "(def-rules brules";
    const char* const words[] = {"the", "a", "of", "to", "and", "in", "is", "that", "for", "it"};
    for (int i = 0; i < 10; ++i)
      rules += std::string(" (w") + std::to_string(i) + " (word (str= " + words[i] + ")) (skip (low)))";
    const char* const cats[] = {"n", "v", "adj", "adv", "p", "d", "pron", "conj", "num", "x"};
    for (int i = 0; i < 10; ++i)
      rules += std::string(" (c") + std::to_string(i) + " (lexitem (att (unifiable (cat) ((cat " + cats[i] +
               "))))) (comp (litem) (set-cate " + cats[i] + ")))";
    for (int i = 0; i < 10; ++i)
      rules += std::string(" (s") + std::to_string(i) + " (seq (lexitem (att (unifiable (cat) ((cat d))))) " +
               "(lexitem (att (unifiable (cat) ((cat " + cats[i] + ")))))) (add-weight (comp ($ 2) (litem)) (int 1)))";
    for (int i = 0; i < 10; ++i)
      rules += std::string(" (u") + std::to_string(i) + " (not-in-lexicon) (make-lexitem (low) (high) (nil)))";
    for (int i = 0; i < 5; ++i)
      rules += std::string(" (k") + std::to_string(i) + " (seq (word (str= " + words[i] +
               ")) (lexitem (t))) (exist-lexitem (low) (high)))";
    for (int i = 0; i < 5; ++i)
      rules += std::string(" (e") + std::to_string(i) + " (+ (lexitem (att (unifiable (cat) ((cat n)))))) " +
               "(delete-if (low) (high) (att (unifiable (cat) ((cat v))))))";
    rules += ")";
    velmo::Interpreter::instance().execute_string(rules);
  }

  void read_sentences() {
    std::ifstream dev(treebank_dir() + "en_ewt-ud-dev.conllu");
    std::string line;
    const std::string prefix = "# text = ";
    while (std::getline(dev, line)) {
      if (line.compare(0, prefix.size(), prefix) != 0) continue;
      sentences_.push_back(tokens_of(line.substr(prefix.size())));
      words_ += sentences_.back().size();
    }
  }

  velmo::Lexicon* lexicon_ = nullptr;
  velmo::LexAnalyzer* analyzer_ = nullptr;
  velmo::LexAnalyzer* plain_ = nullptr;
  velmo::StringPool store_;
  std::vector<std::vector<std::string>> sentences_;
  std::size_t words_ = 0;
};

void analyze_all(benchmark::State& state, velmo::LexAnalyzer& analyzer) {
  Setup& setup = Setup::instance();
  std::size_t items = 0;
  for (auto _ : state) {
    for (const std::vector<std::string>& sentence : setup.sentences()) {
      analyzer.reset();
      for (const std::string& word : sentence) {
        analyzer.add_spacing(" ");
        analyzer.add_word(word);
      }
      analyzer.analyze();
      items += analyzer.lattice().item_count();
    }
  }
  benchmark::DoNotOptimize(items);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(setup.word_count()));
  state.counters["items_per_word"] =
      static_cast<double>(items) / static_cast<double>(state.iterations() * setup.word_count());
}

// Lookup through the endings, phrases and the 50 rules.
void BM_AnalyzeDevSentences(benchmark::State& state) { analyze_all(state, *Setup::instance().analyzer()); }
BENCHMARK(BM_AnalyzeDevSentences)->Unit(benchmark::kMillisecond);

// The same without rules: lookup and phrases alone.
void BM_LookUpDevSentences(benchmark::State& state) { analyze_all(state, *Setup::instance().plain()); }
BENCHMARK(BM_LookUpDevSentences)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
