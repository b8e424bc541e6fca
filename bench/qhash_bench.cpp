// Hash-file throughput: one million keyed entries inserted into a file of
// 262139 buckets, the file closed and reopened, every key looked up.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "corpus/qhash.h"
#include "shell/interpreter/name_space.h"

namespace {

constexpr int kEntries = 1000000;
constexpr std::uint32_t kBuckets = 262139;
constexpr std::uint32_t kBlockSize = 32;

std::string bench_file() {
  return (std::filesystem::temp_directory_path() / ("velmo_qhash_bench_" + std::to_string(::getpid()) + ".qh"))
      .string();
}

std::string key_of(int i) {
  std::string key("word");
  key += std::to_string(i);
  return key;
}

std::string entry_of(int i) {
  std::string entry = key_of(i);
  entry.push_back('\0');
  entry += "payload";
  return entry;
}

void fill(velmo::QHash& hash) {
  for (int i = 0; i < kEntries; ++i) hash.insert(entry_of(i));
}

void BM_InsertMillion(benchmark::State& state) {
  velmo::NameSpaces::set_current("STD");
  const std::string path = bench_file();
  for (auto _ : state) {
    std::filesystem::remove(path);
    velmo::QHash hash;
    hash.open(path, kBuckets, kBlockSize, "strcasecmp");
    fill(hash);
    hash.close();
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
  std::filesystem::remove(path);
}
BENCHMARK(BM_InsertMillion)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_LookupMillionAfterReopen(benchmark::State& state) {
  velmo::NameSpaces::set_current("STD");
  const std::string path = bench_file();
  std::filesystem::remove(path);
  {
    velmo::QHash hash;
    hash.open(path, kBuckets, kBlockSize, "strcasecmp");
    fill(hash);
  }
  int found = 0;
  for (auto _ : state) {
    velmo::QHash hash;
    hash.open(path, kBuckets, kBlockSize, "strcasecmp");
    for (int i = 0; i < kEntries; ++i) found += hash.find(key_of(i)).has_value() ? 1 : 0;
  }
  if (found != kEntries * state.iterations()) state.SkipWithError("a key was not found");
  state.SetItemsProcessed(state.iterations() * kEntries);
  std::filesystem::remove(path);
}
BENCHMARK(BM_LookupMillionAfterReopen)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
