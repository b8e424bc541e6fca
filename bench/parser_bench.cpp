// The chart parser on generated sentences of 10, 20, 40 and 80 words with a
// small grammar that has real ambiguity: prepositional phrases attach to
// the verb or to any noun before them, and noun phrases coordinate. Each
// run reports the parse items made per sentence ("items") and the time per
// word ("us_per_word", microseconds).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "lexical/items/item_lattice.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/attribute_commands.h"
#include "lexicon/lexicon/av_meaning.h"
#include "parser/chart/chart.h"
#include "parser/chart/sentence.h"
#include "parser/chart/sentence_view.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/grammar_commands.h"
#include "parser/grammar/korvel_parser.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/lexp.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

constexpr const char* kGrammar = R"(
(def-att-list syn
  (defattribute cat EnumAtt (allowable-values n v p j i d c a x))
  (defattribute num EnumAtt (allowable-values sg pl))
  (defattribute args ListAtt) (defattribute head_final BinAtt) (defattribute node StrAtt)
  (defattribute lexitem EntAtt) (defattribute last_conj BinAtt))
(init-attributes)
(def-korvel-parser bench :attribute-vector-type syn :lexical-attributes (cat num lexitem)
  :default-percolating-attributes (num))
(def-category Det) (def-category A) (def-category P) (def-category V (visible-atts (cat)))
(def-category N (visible-atts (cat num)))
(def-category PP (visible-atts (cat)))
(def-category NP (visible-atts (cat num last_conj)) (conj-atts (cat) ()))
(def-modifiers NP (? (Det (dep-type det))) (* (A (dep-type amod))) (:head (N)) (* (PP (dep-type pmod))))
(def-modifiers PP (:head (P)) ((NP (dep-type pobj))))
(def-category S (visible-atts (cat)))
(def-modifiers S ((NP (dep-type subj))) (:head (V)) (? (NP (dep-type obj))) (* (PP (dep-type vmod))))
(roots (S) (NP))
)";

// Noun compounds of any bracketing, told apart by their head word: a run of
// nouns has a number of items cubic in its length, and the pool caps it.
constexpr const char* kCompounds = R"(
(def-korvel-parser compounds :attribute-vector-type syn :lexical-attributes (cat num lexitem))
(def-category N (visible-atts (cat lexitem)))
(def-category CN (visible-atts (cat lexitem)))
(def-modifiers CN (* (CN (dep-type nn))) (:head (N)) (* (CN (dep-type nn))))
(roots (CN))
)";

struct Word {
  const char* text;
  const char* vector;
};

constexpr Word kSubject[] = {{"the", "((cat d))"},
                             {"dog", "((cat n) (num sg))"},
                             {"saw", "((cat v))"},
                             {"a", "((cat d))"},
                             {"man", "((cat n) (num sg))"}};
constexpr Word kPhrase[] = {{"with", "((cat p))"}, {"the", "((cat d))"}, {"telescope", "((cat n) (num sg))"}};
constexpr Word kConjunct[] = {{"and", nullptr}, {"a", "((cat d))"}, {"cat", "((cat n) (num sg))"}};
constexpr Word kFiller = {"big", "((cat a))"};

class Fixture {
 public:
  Fixture() {
    Interpreter& interpreter = Interpreter::instance();
    interpreter.set_prompt(false);
    if (!interpreter.find_command("def-att-list")) register_attribute_commands(interpreter);
    if (!interpreter.find_command("init-attributes")) register_builtin_attribute_commands(interpreter);
    if (!interpreter.find_command("defun")) register_expression_commands(interpreter);
    if (!interpreter.find_command("def-korvel-parser")) register_grammar_commands(interpreter);
    NameSpaces::set_current("STD");
    interpreter.execute_string(kGrammar);
    parser = current_parser();
    interpreter.execute_string(kCompounds);
    compounds = current_parser();
  }

  // `length` nouns.
  void build_nouns(int length) {
    lattice.reset();
    lattice.ensure_sentinel();
    last_conj = LBitSet();
    AVMeaning meaning(builtin_attributes().type);
    meaning.read_body(*IRSlist::parse("(((cat n) (num sg)))", store));
    for (int i = 0; i < length; ++i) {
      lattice.add_spacing(" ");
      const int p = lattice.add_word("stone");
      lattice.add_item(lattice.make_item("stone", &meaning, p, p), false);
    }
  }

  // "the dog saw a man", then prepositional phrases with a coordination
  // after every second one, up to `length` words (adjectives fill the rest).
  void build(int length) {
    lattice.reset();
    lattice.ensure_sentinel();
    last_conj = LBitSet();
    std::vector<Word> words(std::begin(kSubject), std::end(kSubject));
    for (int chunk = 0; static_cast<int>(words.size()) + 3 <= length; ++chunk) {
      const Word* part = chunk % 3 == 2 ? kConjunct : kPhrase;
      words.insert(words.end(), part, part + 3);
    }
    while (static_cast<int>(words.size()) < length) words.insert(words.end() - 1, kFiller);
    for (const Word& word : words) {
      lattice.add_spacing(" ");
      const int p = lattice.add_word(word.text);
      if (!word.vector) {
        last_conj.set(static_cast<std::size_t>(p));
        continue;
      }
      AVMeaning meaning(builtin_attributes().type);
      std::string body = "(";
      body.append(word.vector).append(")");
      meaning.read_body(*IRSlist::parse(body, store));
      lattice.add_item(lattice.make_item(word.text, &meaning, p, p), false);
    }
  }

  ChartResult parse(KorvelParser* with) {
    reset_parser(*with);
    return parse_chart(*with, SentenceView(lattice, nullptr, nullptr, &last_conj));
  }

  KorvelParser* parser = nullptr;
  KorvelParser* compounds = nullptr;
  ItemLattice lattice;
  LBitSet last_conj;
  StringPool store;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_ParseSentence(benchmark::State& state) {
  Fixture& f = fixture();
  const int length = static_cast<int>(state.range(0));
  f.build(length);
  std::size_t items = 0;
  for (auto _ : state) {
    ChartResult result = f.parse(f.parser);
    benchmark::DoNotOptimize(result.cover.data());
    items = f.parser->chart().stats.made;
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["packed"] = static_cast<double>(f.parser->chart().stats.packed);
  state.counters["pool_out"] = f.parser->chart().stats.pool_exhausted ? 1 : 0;
  state.counters["us_per_word"] = benchmark::Counter(
      static_cast<double>(length) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParseSentence)->Arg(10)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMicrosecond);

// The worst case: runs of nouns whose compounds exhaust the item pool.
void BM_PoolBound(benchmark::State& state) {
  Fixture& f = fixture();
  const int length = static_cast<int>(state.range(0));
  f.build_nouns(length);
  for (auto _ : state) {
    ChartResult result = f.parse(f.compounds);
    benchmark::DoNotOptimize(result.cover.data());
  }
  const ParseStats& stats = f.compounds->chart().stats;
  state.counters["items"] = static_cast<double>(stats.made);
  state.counters["pool_out"] = stats.pool_exhausted ? 1 : 0;
}
BENCHMARK(BM_PoolBound)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
