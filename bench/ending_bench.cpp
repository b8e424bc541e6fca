// Root finding through word endings: a 100,000-word lexicon with a table of
// 60 endings, looked up with inflected forms of its words (every candidate
// root of every matching ending is looked up, as the lexical analyzer does)
// and through the lexicon's root finding (get-root).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lexical/items/ending_commands.h"
#include "lexical/items/ending_lookup.h"
#include "lexical/items/ending_table.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/meaning.h"
#include "lexicon/lexicon/str_meaning.h"
#include "shell/reader/irslist.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/string_pool.h"

namespace {

constexpr int kLexiconWords = 100000;
constexpr std::size_t kBuckets = 100003;

// Sixty endings of the shapes an English table uses: the bare word, plain
// suffixes with and without replacements, doubled consonants and es forms.
const char* const kEndings[] = {
    "(p \"\" base)",
    "(p s s)",
    "(e es es \"\" xszh)",
    "(p ies ies y)",
    "(p ed ed)",
    "(p d d)",
    "(p ied ied y)",
    "(d ed ded)",
    "(p ing ing)",
    "(p ing ing-e e)",
    "(d ing ding)",
    "(p er er)",
    "(p r r)",
    "(d er der)",
    "(p ier ier y)",
    "(p est est)",
    "(p st st)",
    "(d est dest)",
    "(p iest iest y)",
    "(p ly ly)",
    "(p ily ily y)",
    "(p ness ness)",
    "(p iness iness y)",
    "(p ment ment)",
    "(p ments ments)",
    "(p ful ful)",
    "(p less less)",
    "(p able able)",
    "(p ible ible)",
    "(p ably ably able)",
    "(p ation ation ate)",
    "(p ations ations ate)",
    "(p ion ion)",
    "(p ions ions)",
    "(p ity ity)",
    "(p ities ities)",
    "(p ism ism)",
    "(p isms isms)",
    "(p ist ist)",
    "(p ists ists)",
    "(p ize ize)",
    "(p izes izes)",
    "(p ized ized)",
    "(p izing izing)",
    "(p ise ise)",
    "(p ises ises)",
    "(p ised ised)",
    "(p ising ising)",
    "(p ive ive)",
    "(p ives ives)",
    "(p ves ves f)",
    "(p ves ves-fe fe)",
    "(p men men man)",
    "(p ae ae a)",
    "(p i i us)",
    "(p ices ices ex)",
    "(p ous ous)",
    "(p al al)",
    "(p ally ally)",
    "(p 's poss)",
};
static_assert(std::size(kEndings) == 60);

// Lower-case letter words: "w" and the number in base 26.
std::string lexicon_word(int i) {
  std::string text = "w";
  do {
    text += static_cast<char>('a' + i % 26);
    i /= 26;
  } while (i > 0);
  return text;
}

class Setup {
 public:
  static Setup& instance() {
    static Setup setup;
    return setup;
  }
  velmo::Lexicon& lexicon() { return *lexicon_; }
  const std::vector<std::string>& inputs() const { return inputs_; }

 private:
  Setup() : lexicon_(std::make_unique<velmo::Lexicon>(kBuckets)) {
    velmo::register_meaning_kinds();
    velmo::install_ending_table_support();
    if (!velmo::ObjFactory::instance().find_prototype(velmo::kMeaningClass, "gloss"))
      velmo::register_meaning_prototype("gloss", std::make_unique<velmo::StrMeaning>("gloss"));
    velmo::StringPool store;
    for (int i = 0; i < kLexiconWords; ++i) {
      std::string text = "(";
      text += lexicon_word(i);
      text += " (gloss g))";
      std::unique_ptr<velmo::IRSlist> entry = velmo::IRSlist::parse(text, store);
      lexicon_->add(*entry, true);
      if (i % 1000 == 999) store.clear();
    }
    std::string list = "(";
    for (const char* ending : kEndings) list += ending;
    list += ")";
    std::unique_ptr<velmo::IRSlist> form = velmo::IRSlist::parse(list, store);
    auto table = std::make_unique<velmo::EndingTable>();
    table->add_from_list(*form);
    lexicon_->set_own_ending_table(std::move(table));
    // Every word once, inflected with a suffix chosen at random.
    const char* const suffixes[] = {"", "s", "es", "ed", "ing", "er", "est", "ly", "ness", "ment", "ation", "'s"};
    std::mt19937 random(7);
    for (int i = 0; i < kLexiconWords; ++i) {
      std::string input = lexicon_word(i);
      input += suffixes[random() % std::size(suffixes)];
      inputs_.push_back(std::move(input));
    }
  }

  std::unique_ptr<velmo::Lexicon> lexicon_;
  std::vector<std::string> inputs_;
};

void BM_ReadingsThroughEndings(benchmark::State& state) {
  Setup& setup = Setup::instance();
  std::vector<velmo::EntryReading> readings;
  std::size_t found = 0;
  for (auto _ : state) {
    for (const std::string& word : setup.inputs()) {
      readings.clear();
      velmo::lookup_readings(setup.lexicon(), word, readings);
      found += readings.size();
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(setup.inputs().size()));
}
BENCHMARK(BM_ReadingsThroughEndings)->Unit(benchmark::kMillisecond);

void BM_GetRoot(benchmark::State& state) {
  Setup& setup = Setup::instance();
  std::size_t length = 0;
  for (auto _ : state) {
    for (const std::string& word : setup.inputs()) length += setup.lexicon().root_of(word).size();
  }
  benchmark::DoNotOptimize(length);
  state.SetItemsProcessed(state.iterations() * static_cast<long>(setup.inputs().size()));
}
BENCHMARK(BM_GetRoot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
