// The expression commands and the registration of every expression kind of
// the shell.
#include "shell/interpreter.h"
#include "shell/lexp.h"
#include "shell/lexp_forms.h"

namespace velmo {

void register_expression_commands(Interpreter&) {
  register_constants();
  register_control_forms();
}

}  // namespace velmo
