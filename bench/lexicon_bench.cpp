// The on-disk dictionary and the lexicon over it: building the index of a
// 150,000-entry dictionary (about 15 MB), lookups of cached, on-disk and
// absent words through a linked lexicon, and loading a 100,000-entry
// lexicon file into memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "lexicon/dictionary/dict_on_disk.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/meaning.h"
#include "lexicon/lexicon/str_meaning.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/obj_factory.h"

namespace {

namespace fs = std::filesystem;
using velmo::Lexicon;

constexpr int kDictionaryEntries = 150000;
constexpr int kLoadedEntries = 100000;

std::string word(int i) {
  std::string text = "word";
  text += std::to_string(i);
  return text;
}

// About 100 bytes an entry.
void append_entry(std::string& text, int i) {
  text += '(';
  text += word(i);
  text += "\n (gloss a generated entry number ";
  text += std::to_string(i);
  text += " with some padding text)\n (freq corpus ";
  text += std::to_string(i % 977);
  text += " web 2.5)\n )\n";
}

// Silences the progress lines while an index is built.
class QuietErrors {
 public:
  QuietErrors() : saved_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~QuietErrors() { std::cerr.rdbuf(saved_); }

 private:
  std::ostringstream sink_;
  std::streambuf* saved_;
};

class Scratch {
 public:
  static Scratch& instance() {
    static Scratch scratch;
    return scratch;
  }
  ~Scratch() { fs::remove_all(dir_); }
  const fs::path& dir() const { return dir_; }

 private:
  Scratch() : dir_(fs::temp_directory_path() / ("velmo_lexbench_" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
    std::string text;
    text.reserve(static_cast<std::size_t>(kDictionaryEntries) * 110);
    for (int i = 0; i < kDictionaryEntries; ++i) append_entry(text, i);
    std::ofstream(dir_ / "big.txt", std::ios::binary) << text;
    std::ofstream(dir_ / "big.hdr") << "big.txt 50021 big.idx ( )\n";
    velmo::Interpreter::instance().search_path().set(dir_.string(), ":");
    velmo::register_meaning_kinds();
    if (!velmo::ObjFactory::instance().find_prototype(velmo::kMeaningClass, "gloss"))
      velmo::register_meaning_prototype("gloss", std::make_unique<velmo::StrMeaning>("gloss"));
  }
  fs::path dir_;
};

std::unique_ptr<velmo::DictOnDisk> open_dictionary() {
  QuietErrors quiet;
  return std::make_unique<velmo::DictOnDisk>("big.hdr");
}

std::unique_ptr<Lexicon> linked_lexicon() {
  auto lexicon = std::make_unique<Lexicon>(20011);
  lexicon->link(open_dictionary());
  return lexicon;
}

void BM_BuildIndex(benchmark::State& state) {
  const Scratch& scratch = Scratch::instance();
  state.counters["dictionary_MB"] = static_cast<double>(fs::file_size(scratch.dir() / "big.txt")) / 1e6;
  for (auto _ : state) {
    fs::remove(scratch.dir() / "big.idx");
    std::unique_ptr<velmo::DictOnDisk> dictionary = open_dictionary();
    if (!dictionary->is_open()) state.SkipWithError("the dictionary did not open");
  }
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LookupCached(benchmark::State& state) {
  Scratch::instance();
  std::unique_ptr<Lexicon> lexicon = linked_lexicon();
  constexpr int kWords = 20000;
  std::vector<std::string> words;
  for (int i = 0; i < kWords; ++i) words.push_back(word(i * 7));
  for (const std::string& w : words) lexicon->lookup(w);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lexicon->lookup(words[i]));
    if (++i == words.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupCached);

void BM_LookupFromDisk(benchmark::State& state) {
  Scratch::instance();
  std::unique_ptr<Lexicon> lexicon = linked_lexicon();
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lexicon->lookup(word(i)));
    // Every word once from disk; then the cache starts again.
    if (++i == kDictionaryEntries) {
      i = 0;
      state.PauseTiming();
      lexicon->clear();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupFromDisk);

void BM_LookupAbsent(benchmark::State& state) {
  Scratch::instance();
  std::unique_ptr<Lexicon> lexicon = linked_lexicon();
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lexicon->lookup(std::to_string(i++) + "absent"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupAbsent);

void BM_LoadLex(benchmark::State& state) {
  Scratch::instance();
  std::string text;
  for (int i = 0; i < kLoadedEntries; ++i) append_entry(text, i);
  for (auto _ : state) {
    std::istringstream in(text);
    Lexicon lexicon(50021);
    lexicon.load(in, true);
    benchmark::DoNotOptimize(lexicon.size());
  }
  state.SetItemsProcessed(state.iterations() * kLoadedEntries);
}
BENCHMARK(BM_LoadLex)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
