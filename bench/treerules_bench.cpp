// Tree rules on every sentence's tree: a set of 50 rules (down, up, root and
// flat, with patterns and conditions) applied to 10,000 generated trees of
// 20 to 40 nodes. Reports trees per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "parser/forest/deps.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/lexp.h"
#include "shell/lib/commands.h"
#include "shell/support/diagnostics.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/rules/tree_rules.h"

namespace velmo {
namespace {

constexpr const char* kCategories[] = {"N", "V", "Det", "A", "Prep", "Adv", "C"};
constexpr const char* kRelations[] = {"subj", "obj", "det", "mod", "pcomp", "conj", "aux"};

// A random tree of `size` word nodes under the top node: each node hangs
// from an earlier one, so heads come first and the tree is never a cycle.
void build_tree(Deps& deps, int size, std::mt19937& random) {
  deps.reset();
  deps.add_word("", "");
  DepTree* top = deps.new_node(-1, -1, -1);
  deps.set_root(top);
  std::vector<DepTree*> nodes;
  for (int p = 1; p <= size; ++p) {
    std::string word = "w";
    word += std::to_string(p);
    deps.add_word(word, " ");
    DepTree* node = deps.new_node(p, p, p);
    node->set_category(kCategories[random() % 7]);
    if (nodes.empty())
      top->add_child_in_order(node);
    else {
      node->set_relation(kRelations[random() % 7]);
      nodes[random() % nodes.size()]->add_child_in_order(node);
    }
    nodes.push_back(node);
  }
}

// 50 rules: 20 down, 20 up, 5 flat and 5 root rules. Actions mark nodes
// with properties, so every application does the same work.
std::string rule_set_text() {
  std::ostringstream rules;
  rules << "(def-tree-rules BENCH\n";
  for (int i = 0; i < 20; ++i) {
    const char* cat = kCategories[i % 7];
    const char* rel = kRelations[(i + 3) % 7];
    rules << " (down (tree X (cat (str= " << cat << ")) (node Y (rel (str= " << rel << "))))"
          << " (comp (get-val Y) (set-prop d" << i << " yes)))\n";
    rules << " (up (node (and (cat (str= " << cat << ")) (exist-child (rel (str= " << rel << ")))))"
          << " (comp (match) (set-prop u" << i << " yes)))\n";
  }
  for (int i = 0; i < 5; ++i)
    rules << " (flat ((node (cat (str= " << kCategories[i] << "))) (node (rel (str= " << kRelations[i]
          << ")))) (comp (match 1) (set-prop f" << i << " yes)))\n";
  for (int i = 0; i < 5; ++i) rules << " (root (comp (num-children) (int-gt (int " << i << "))))\n";
  rules << ")";
  return rules.str();
}

void BM_TreeRules(benchmark::State& state) {
  if (!NameSpaces::current()) NameSpaces::set_current("STD");
  Interpreter& interpreter = Interpreter::instance();
  interpreter.set_prompt(false);
  if (!interpreter.find_command("eval")) register_expression_commands(interpreter);
  if (!LExp::find_prototype("str=")) register_library_commands(interpreter);
  if (!interpreter.find_command("def-tree-rules")) {
    register_tree_rule_commands(interpreter);
    register_tree_functions(interpreter);
  }
  interpreter.execute_string("(clear-tree-rules BENCH)");  // the benchmark may run more than once
  interpreter.execute_string(rule_set_text());
  TreeModifier* rules = NameSpaces::lookup_as<TreeModifier>("BENCH", TreeModifier::kTypeText);
  if (!rules || rules->size() != 50) {
    state.SkipWithError("the rule set did not build");
    return;
  }
  // The actions only set properties, so the trees can be used again.
  constexpr int kTrees = 10000;
  std::mt19937 random(7);
  std::vector<std::unique_ptr<Deps>> trees;
  for (int i = 0; i < kTrees; ++i) {
    trees.push_back(std::make_unique<Deps>());
    build_tree(*trees.back(), 20 + static_cast<int>(random() % 21), random);
  }
  for (auto _ : state)
    for (const auto& deps : trees) rules->apply(deps->root());
  state.counters["trees/s"] = benchmark::Counter(static_cast<double>(kTrees) * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
  // What the rules did, for comparing builds: the properties they set, and
  // a checksum of which nodes got which.
  std::size_t properties = 0, checksum = 0;
  for (const auto& deps : trees)
    for (TPreIterator<DepTree> it(deps->root()); !it.done(); it.advance())
      for (const DepProperty& property : it.current()->properties()) {
        ++properties;
        checksum = checksum * 31 + std::hash<std::string_view>()(property.name) +
                   static_cast<std::size_t>(it.current()->position());
      }
  state.counters["properties"] = static_cast<double>(properties);
  state.counters["checksum"] = static_cast<double>(checksum % 1000000007u);
}
BENCHMARK(BM_TreeRules)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmo

BENCHMARK_MAIN();
