// Unification, unifiability tests and copies of attribute value vectors of a
// 40-attribute type mixing binary, enumeration, disjunction, integer and
// nested attributes: the parser does these for every chart merge.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/complex_atts.h"
#include "lexicon/attributes/plain_atts.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace velmo {
namespace {

std::string numbered(const char* prefix, int i) { return std::string(prefix).append(std::to_string(i)); }

template <class Att>
void add(AttInterpreterList& type, const std::string& name, StringPool& store, const char* facets = nullptr) {
  auto att = std::make_unique<Att>(name);
  if (facets) att->set_facets(*IRSlist::parse(facets, store));
  type.add(std::move(att));
}

// 16 binary, 8 enumeration, 6 disjunction, 4 small disjunction, 2 small
// integer, 2 integer and 2 nested attributes.
class Fixture {
 public:
  Fixture() : type("bench") {
    for (int i = 0; i < 16; ++i) add<BinAtt>(type, numbered("b", i), store);
    for (int i = 0; i < 8; ++i) add<EnumAtt>(type, numbered("e", i), store, "((allowable-values p q r s))");
    for (int i = 0; i < 6; ++i) add<DisjAtt>(type, numbered("d", i), store, "((allowable-values p q r s t))");
    for (int i = 0; i < 4; ++i) add<Disj8Att>(type, numbered("s", i), store, "((allowable-values p q r))");
    for (int i = 0; i < 2; ++i) add<SmIntAtt>(type, numbered("m", i), store);
    for (int i = 0; i < 2; ++i) add<IntAtt>(type, numbered("i", i), store);
    for (int i = 0; i < 2; ++i) add<VecAtt>(type, numbered("v", i), store);
  }

  std::unique_ptr<AttVec> vec(const char* text) {
    return std::make_unique<AttVec>(&type, *IRSlist::parse(text, store));
  }

  StringPool store;
  AttInterpreterList type;
};

constexpr const char* kPlainA =
    "(+b0 -b1 +b2 +b3 -b5 +b7 +b8 -b9 +b11 +b13 (e0 p) (e1 q) (e2 r) (e4 s) (e6 p) (d0 p q) (d1 r s t) "
    "(d2 p) (d4 q r) (s0 p q) (s1 r) (s2 p r) (m0 3) (i0 12))";
constexpr const char* kPlainB =
    "(+b0 -b1 +b3 -b4 -b5 +b7 -b9 +b10 +b11 -b12 +b14 (e0 p) (e1 q) (e3 p) (e4 s) (e7 q) (d0 q) "
    "(d1 r s) (d3 p q) (d4 r) (d5 t) (s0 p) (s1 r q) (s3 p) (m0 4) (m1 2) (i0 12) (i1 -4))";
constexpr const char* kNested = " (v0 (+b0 (e0 p) (d0 p q))) (v1 (-b1 (e1 q))))";

std::string with_nested(const char* plain) {
  std::string text(plain);
  text.pop_back();
  return text.append(kNested);
}

void BM_UnifiablePlain(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(kPlainA);
  auto b = f.vec(kPlainB);
  if (!a->unifiable(*b)) state.SkipWithError("the vectors must unify");
  for (auto _ : state) benchmark::DoNotOptimize(a->unifiable(*b));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnifiablePlain);

void BM_UnifiableFailingEarly(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(kPlainA);
  auto b = f.vec("(-b0 (e0 p))");
  for (auto _ : state) benchmark::DoNotOptimize(a->unifiable(*b));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnifiableFailingEarly);

void BM_UnifiableNested(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(with_nested(kPlainA).c_str());
  auto b = f.vec(with_nested(kPlainB).c_str());
  if (!a->unifiable(*b)) state.SkipWithError("the vectors must unify");
  for (auto _ : state) benchmark::DoNotOptimize(a->unifiable(*b));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnifiableNested);

void BM_CopyPlain(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(kPlainA);
  for (auto _ : state) {
    AttVec copy(*a);
    benchmark::DoNotOptimize(copy.usable());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyPlain);

void BM_CopyNested(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(with_nested(kPlainA).c_str());
  for (auto _ : state) {
    AttVec copy(*a);
    benchmark::DoNotOptimize(copy.usable());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyNested);

// A merge as the parser does it: copy the head's vector, unify the other in.
void BM_CopyAndUnifyPlain(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(kPlainA);
  auto b = f.vec(kPlainB);
  for (auto _ : state) {
    AttVec copy(*a);
    benchmark::DoNotOptimize(copy.unify(*b));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyAndUnifyPlain);

void BM_CopyAndUnifyNested(benchmark::State& state) {
  Fixture f;
  auto a = f.vec(with_nested(kPlainA).c_str());
  auto b = f.vec(with_nested(kPlainB).c_str());
  for (auto _ : state) {
    AttVec copy(*a);
    benchmark::DoNotOptimize(copy.unify(*b));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyAndUnifyNested);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
