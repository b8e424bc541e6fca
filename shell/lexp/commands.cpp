// The expression commands (declare-var, defun, eval, foreach, defmacro,
// debug-macro) and the registration of every expression kind of the shell.
#include <iostream>

#include "shell/interpreter/interpreter.h"
#include "shell/lexp/lexp.h"
#include "shell/lexp/forms.h"
#include "shell/lexp/macro.h"
#include "shell/lexp/scope.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

// (declare-var NAME [TYPE] [LEXP]): a global variable, optionally typed and
// initialised with the value of LEXP on input 0.
Word declare_var_command(IRSlist& args) {
  const char* name = args.take_atom();
  if (!name) {
    diag() << "declare-var: the variable name is missing\n" << std::flush;
    return 0;
  }
  TypeId type = kAnyType;
  if (!args.is_nil()) type = type_id(args.take_atom());
  LExpPtr initial = args.is_nil() ? nullptr : LExp::build_first(args);
  VariablePtr variable = ScopeStack::instance().define_global(name, type);
  if (!variable) return 0;
  if (initial) {
    const Word value = initial->eval(0, kAnyType);
    variable->assign(value, initial->result_type());
  }
  return variable->value();
}

Word defun_command(IRSlist& args) { return define_function(args) ? 1 : 0; }

// (eval LEXP ...): each expression on input 0; the last result.
Word eval_command(IRSlist& args) {
  Word result = 0;
  while (std::unique_ptr<IRSlist> form = args.take_first()) {
    LExpPtr exp = LExp::get_exp(form.get());
    result = exp ? exp->eval(0, kAnyType) : 0;
  }
  return result;
}

// (foreach (TEXT ...) :eval LEXP): LEXP on each text of the list.
Word foreach_command(IRSlist& args) {
  std::unique_ptr<IRSlist> exp_form = args.take_value_node(":eval");
  LExpPtr exp = LExp::get_exp(exp_form.get());
  std::unique_ptr<IRSlist> list = args.take_first();
  if (!exp || !list) return 0;
  const TypeId text = ShellTypes::get().text;
  if (list->is_atom()) {
    if (list->atom()) exp->eval(to_word(list->atom()), text);
    return 0;
  }
  for (const IRSlist* element : list->children())
    if (element->is_atom() && element->atom()) exp->eval(to_word(element->atom()), text);
  return 0;
}

Word defmacro_command(IRSlist& args) { return define_macro(args) ? 1 : 0; }

Word debug_macro_command(IRSlist& args) {
  const char* name = args.is_nil() ? nullptr : args.take_atom();
  set_debug_macro(name ? std::optional<std::string>(name) : std::nullopt);
  return 0;
}

}  // namespace

void register_expression_commands(Interpreter& interpreter) {
  register_constants();
  register_control_forms();
  register_variable_forms();
  register_plumbing_forms();

  interpreter.add_command("declare-var", &declare_var_command, "(declare-var varname) declare a variable.");
  interpreter.add_command("defun", &defun_command, "(defun funcname ( [args] ) LExp LExp ...) define a function.");
  interpreter.add_command("eval", &eval_command, "(eval LExp) Evaluate LExp with 0 as input.");
  interpreter.add_command("foreach", &foreach_command,
                          "(foreach LIST :eval LEXP) Evaluate LExp with each of the string in the list.");
  interpreter.add_command("defmacro", &defmacro_command, "(defmacro name (parameters) LExp) define a macro.");
  interpreter.add_command("debug-macro", &debug_macro_command,
                          "(debug-macro [name]) print expanded instances of the macro");
}

}  // namespace velmo
