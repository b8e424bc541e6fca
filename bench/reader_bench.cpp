// Reads a generated command file of lexicon-style entries into parsed forms
// and frees them, reporting the throughput in bytes per second.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "shell/reader/tokenizer.h"
#include "shell/reader/irslist.h"

namespace {

std::string make_lexicon_file(int entries) {
  std::string text;
  text.reserve(static_cast<std::size_t>(entries) * 100);
  for (int i = 0; i < entries; ++i) {
    const std::string word = "word" + std::to_string(i);
    text += "(" + word + " ; entry " + std::to_string(i) + "\n";
    text += "  (" + word + " (cat n) (num sg) (agr \"3 sg\") :freq " + std::to_string(i % 977) + ")\n";
    text += "  (" + word + "s (cat v) (form pres) (subcat (np pp)) \"an, example\"))\n";
  }
  return text;
}

void BM_ReadLexiconFile(benchmark::State& state) {
  const std::string text = make_lexicon_file(static_cast<int>(state.range(0)));
  std::size_t forms = 0;
  for (auto _ : state) {
    std::istringstream in(text);
    velmo::Tokenizer tokenizer(velmo::tokenizer_configs::kCommands);
    tokenizer.set_input(&in);
    for (;;) {
      tokenizer.strings().clear();
      std::unique_ptr<velmo::IRSlist> form = velmo::IRSlist::read(tokenizer);
      if (form)
        ++forms;
      else if (!tokenizer.has_input())
        break;
    }
  }
  benchmark::DoNotOptimize(forms);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadLexiconFile)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
