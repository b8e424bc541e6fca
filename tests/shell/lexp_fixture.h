#pragma once
// Shared set-up of the expression tests: other tests of this program may
// destroy the factory's prototypes or the name spaces, so every test makes
// sure a current name space, the core expression kinds and the expression
// commands are in place.
#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/interpreter/name_space.h"

namespace velmo {

inline void ensure_expression_language() {
  if (!NameSpaces::current()) NameSpaces::set_current("STD");
  if (!LExp::find_prototype("prog")) {
    register_constants();
    register_control_forms();
    register_variable_forms();
    register_plumbing_forms();
  }
  if (!Interpreter::instance().find_command("eval")) register_expression_commands(Interpreter::instance());
}

}  // namespace velmo
