// Evaluation speed of built expressions: a nested condition with variables
// and a defined function, built once and evaluated on changing inputs.
#include <benchmark/benchmark.h>

#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/native.h"

namespace {

using velmo::Word;

Word less(Word, Word a, Word b) { return a < b ? 1 : 0; }

void set_up() {
  static bool done = false;
  if (done) return;
  done = true;
  velmo::NameSpaces::set_current("STD");
  velmo::Interpreter::instance().set_prompt(false);
  velmo::register_expression_commands(velmo::Interpreter::instance());
  velmo::register_native("bench-less", &less, nullptr, "int", nullptr);
  velmo::Interpreter::instance().execute_string(
      "(declare-var bench-limit int (int 20))"
      "(defun bench-in-range (x lo)"
      "  (and (not (bench-less (get-val x) (get-val lo))) (bench-less (get-val x) (get-val bench-limit))))");
}

void run(benchmark::State& state, const char* text) {
  set_up();
  velmo::LExpPtr exp = velmo::LExp::from_text(text);
  if (!exp) {
    state.SkipWithError("the expression did not build");
    return;
  }
  Word input = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(exp->eval(input, velmo::kAnyType));
    input = (input + 7) % 32;
  }
  state.SetItemsProcessed(state.iterations());
}

// Twelve nested forms: let, cond, clauses, a function call with its own
// parameters, boolean connectives and variable reads.
void BM_NestedConditionWithFunction(benchmark::State& state) {
  run(state,
      "(let (v)"
      "  (setq v (ident))"
      "  (cond ((bench-in-range (get-val v) (int 10)) (int 1))"
      "        ((or (eq (get-val v) (int 5)) (when (get-val v (is-nil)) (t))) (int 2))"
      "        ((t) (int 3))))");
}
BENCHMARK(BM_NestedConditionWithFunction)->Iterations(1000000);

// A dozen nodes of control forms and constants without calls.
void BM_DozenNodeCondition(benchmark::State& state) {
  run(state,
      "(if (and (or (is-nil) (eq (ident) (int 7))) (not (nil)))"
      "    (prog (int 1) (ident))"
      "    (xor (t) (ident)))");
}
BENCHMARK(BM_DozenNodeCondition)->Iterations(1000000);

}  // namespace

BENCHMARK_MAIN();
