#pragma once
// Shared set-up of the tree-rule tests: the expression language, the tree
// patterns, rules and functions, and trees read from the result format.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/lexp.h"
#include "shell/lib/commands.h"
#include "parser/forest/deps.h"
#include "shell/support/diagnostics.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/tree_patterns.h"
#include "treerules/rules/tree_rules.h"

namespace velmo {

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!NameSpaces::current()) NameSpaces::set_current("STD");
    Interpreter& interpreter = Interpreter::instance();
    interpreter.set_prompt(false);
    if (!interpreter.find_command("eval")) register_expression_commands(interpreter);
    if (!LExp::find_prototype("str=")) register_library_commands(interpreter);
    if (!LExp::find_prototype("tree")) register_tree_rule_commands(Interpreter::instance());
    if (!LExp::find_prototype("node2word")) register_tree_functions(Interpreter::instance());
  }

  // Reads a tree in the result format; the test keeps it alive.
  DepTree* read(std::string_view text) {
    deps_ = DepsRef(read_result_format(text));
    return deps_ ? deps_->root() : nullptr;
  }

  // The node at word position `position` of the current tree.
  DepTree* at(int position) {
    for (TPreIterator<DepTree> it(deps_->root()); !it.done(); it.advance())
      if (it.current()->position() == position) return it.current();
    return nullptr;
  }

  // Builds `text` as an expression and evaluates it with `node` as input.
  Word eval_on(std::string_view text, RSTree* node) {
    expressions_.push_back(LExp::from_text(text));
    LExp* exp = expressions_.back().get();
    return exp ? exp->eval(node_word(node), TreeTypes::get().node) : 0;
  }
  std::string text_on(std::string_view text, RSTree* node) {
    const char* result = from_word<const char>(eval_on(text, node));
    return result ? result : "(nil)";
  }
  // Runs command text; the messages it printed.
  std::string run(std::string_view commands) {
    std::ostringstream messages;
    ScopedDiagnostics capture(messages);
    Interpreter::instance().execute_string(commands);
    return messages.str();
  }
  // What was printed on standard output since CaptureStdout.
  static std::string captured() {
    std::cout.flush();
    return testing::internal::GetCapturedStdout();
  }
  TreeModifier* rule_set(const char* name) {
    return NameSpaces::lookup_as<TreeModifier>(name, TreeModifier::kTypeText, false);
  }
  // The tree written back in the result format, nodes only.
  std::string shape(RSTree* node) {
    DepTree* d = as_dep_tree(node);
    std::string out = d && d->position() > 0 ? std::string(d->deps().word(d->position())) : "*";
    if (node->has_children()) {
      out += "(";
      for (RSTree* child : node->children()) out += shape(child) + (child == node->last_child() ? "" : " ");
      out += ")";
    }
    return out;
  }

  DepsRef deps_;
  LExpList expressions_;
};

// "the big dog saw a cat": saw heads dog and cat; dog heads the and big.
inline constexpr const char* kSentence =
    "(\n"
    "1\t(the\t~ Det\t3\tdet)\n"
    "2\t(big\t~ A\t3\tmod)\n"
    "3\t(dog\t~ N\t4\tsubj)\n"
    "4\t(saw\tsee V_N\t*)\n"
    "5\t(a\t~ Det\t6\tdet)\n"
    "6\t(cat\t~ N_V\t4\tobj)\n"
    ")";

}  // namespace velmo
