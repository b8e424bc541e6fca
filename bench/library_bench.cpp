// Speed of the expression library's hot paths: word-list membership over a
// 100,000-word list (sorted array, hash table, and the `in` expression),
// Porter stemming, trigram similarity and global regex substitution.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "shell/lexp/lexp.h"
#include "shell/lib/exp_support.h"
#include "shell/lib/regex_helpers.h"
#include "shell/lib/stemmer.h"
#include "shell/lib/text_algorithms.h"
#include "shell/lib/word_list.h"

namespace {

constexpr int kListWords = 100000;

// Pronounceable pseudo-words: every number maps to a distinct word.
std::string pseudo_word(int n) {
  static const char* const kSyllables[] = {"ba", "ko",  "ri",  "mel", "tan", "sor", "ul",  "dre",
                                           "fi", "gon", "pla", "ve",  "ist", "run", "hop", "cat"};
  std::string word;
  do {
    word += kSyllables[n % 16];
    n /= 16;
  } while (n > 0);
  return word;
}

std::vector<std::string> list_words() {
  std::vector<std::string> words;
  words.reserve(kListWords);
  for (int i = 0; i < kListWords; ++i) words.push_back(pseudo_word(i));
  return words;
}

// Queries: half present (in another letter case), half absent.
std::vector<std::string> queries() {
  std::vector<std::string> out;
  for (int i = 0; i < 1024; ++i) {
    std::string word = pseudo_word(i % 2 ? (i * 97) % kListWords : kListWords + i);
    if (i % 4 == 1) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    out.push_back(word);
  }
  return out;
}

void BM_SortedWordArrayContains(benchmark::State& state) {
  velmo::SortedWordArray words(false);
  for (const std::string& w : list_words()) words.add(w);
  words.seal();
  const std::vector<std::string> qs = queries();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(words.contains(qs[i++ & 1023]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SortedWordArrayContains);

void BM_WordListLookup(benchmark::State& state) {
  velmo::WordList list(static_cast<std::size_t>(state.range(0)), false);
  for (const std::string& w : list_words()) list.add(w);
  const std::vector<std::string> qs = queries();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(list.lookup(qs[i++ & 1023].c_str()));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WordListLookup)->Arg(1009)->Arg(19997);

// The whole expression: (in (w1 w2 ... w100000)) evaluated on a text.
void BM_InExpression(benchmark::State& state) {
  if (!velmo::LExp::find_prototype("in")) velmo::register_word_expressions();
  std::string form = "(in (";
  for (const std::string& w : list_words()) {
    form += w;
    form += ' ';
  }
  form += "))";
  velmo::LExpPtr in = velmo::LExp::from_text(form);
  const std::vector<std::string> qs = queries();
  const velmo::TypeId text = velmo::ShellTypes::get().text;
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(in->eval(velmo::word_of(qs[i++ & 1023].c_str()), text));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InExpression);

std::vector<std::string> inflected_words() {
  static const char* const kEndings[] = {"",      "s",  "ing",   "ed",  "ness",    "ational", "fulness", "ization",
                                         "ement", "ly", "ities", "ies", "iveness", "ations",  "izer",    "ousli"};
  std::vector<std::string> words;
  for (int i = 0; i < 4096; ++i) words.push_back(pseudo_word(i * 31 % kListWords) + kEndings[i % 16]);
  return words;
}

void BM_StemWord(benchmark::State& state) {
  const std::vector<std::string> words = inflected_words();
  velmo::PorterStemmer stemmer;
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(stemmer.stem_word(words[i++ & 4095], out));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StemWord);

void BM_TrigramSimilarity(benchmark::State& state) {
  const std::vector<std::string> words = inflected_words();
  velmo::TrigramSimilarity similarity;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(similarity(words[i & 4095], words[(i + 1) & 4095]));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrigramSimilarity);

void BM_RegexSubstituteGlobal(benchmark::State& state) {
  velmo::RegexSubstitution substitution;
  substitution.compile("[aeiou]+");
  substitution.set_replacement("<&>");
  substitution.set_global(true);
  const std::string text = "the quick brown fox jumps over the lazy dog and keeps running along";
  std::string out;
  for (auto _ : state) {
    substitution.substitute(text.c_str(), out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_RegexSubstituteGlobal);

}  // namespace

BENCHMARK_MAIN();
