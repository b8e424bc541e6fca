#pragma once
// Shared set-up of the lexical tests: the expression language with its
// library, the lexicon commands with a "note" meaning kind, and the lexical
// commands. Other tests of this program may delete the name spaces or the
// factory's prototypes, so every test makes sure all of it is in place.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "lexical/items/ending_commands.h"
#include "lexical/patterns/pattern_commands.h"
#include "lexicon/lexicon/lexicon_commands.h"
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/lib/commands.h"
#include "shell/interpreter/name_space.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/support/diagnostics.h"

namespace velmo {

inline void ensure_lexical_commands() {
  if (!NameSpaces::current()) NameSpaces::set_current("STD");
  Interpreter& interpreter = Interpreter::instance();
  if (!interpreter.find_command("eval")) {
    register_expression_commands(interpreter);
  } else if (!LExp::find_prototype("prog")) {
    register_constants();
    register_control_forms();
    register_variable_forms();
    register_plumbing_forms();
  }
  if (!interpreter.find_command("make-word-list")) register_library_commands(interpreter);
  if (!interpreter.find_command("make-lexicon")) register_lexicon_commands(interpreter);
  if (!interpreter.find_command("def-endings")) register_ending_commands(interpreter);
  register_pattern_commands(interpreter);
  interpreter.set_prompt(false);
  if (!ObjFactory::instance().find_prototype("Meaning", "note"))
    interpreter.execute_string("(make-str-meaning-proto note)");
}

class LexicalTest : public ::testing::Test {
 protected:
  void SetUp() override { ensure_lexical_commands(); }

  // A name unique to the running test, for the named objects it defines.
  static std::string unique(const std::string& stem) {
    return stem + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  static void run(const std::string& text) { Interpreter::instance().execute_string(text); }
  static std::string errors_of(const std::string& text) {
    return errors_during([&] { run(text); });
  }
  // The messages written while `action` runs.
  template <class F>
  static std::string errors_during(F&& action) {
    std::ostringstream messages;
    ScopedDiagnostics scope(messages);
    action();
    return messages.str();
  }
};

}  // namespace velmo
