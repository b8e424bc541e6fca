#include "shell/interpreter/shell_commands.h"

#include <iostream>

#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/interpreter/obj_factory.h"
#include "shell/lexp/types.h"

namespace velmo {
namespace {

// The optional regular-expression argument at the front of `args`.
const char* optional_atom(IRSlist& args) { return args.length() > 0 ? args.take_atom() : nullptr; }

Word set_current_name_space_command(IRSlist& args) {
  const char* name = optional_atom(args);
  return to_word(NameSpaces::set_current(name ? name : "STD"));
}

Word delete_name_space_command(IRSlist&) {
  ObjFactory::instance().destroy_prototypes();
  NameSpaces::delete_all();
  return 0;
}

Word classes_command(IRSlist& args) {
  ObjFactory::instance().list_classes(std::cout, optional_atom(args));
  return 0;
}

Word objects_command(IRSlist& args) {
  const char* object_regex = optional_atom(args);
  const char* class_regex = optional_atom(args);
  ObjFactory::instance().list_objects(std::cout, object_regex, class_regex);
  return 0;
}

}  // namespace

void register_shell_commands(Interpreter& interpreter) {
  interpreter.add_command("set-current-name-space", set_current_name_space_command, "(set-current-name-space <NAME>)");
  interpreter.add_command("delete-name-space", delete_name_space_command, "(delete-name-space <NAME>)");
  interpreter.mark_freeing("delete-name-space");
  interpreter.add_command("classes", classes_command, "(classes cl) list the classes in the Object Factory");
  interpreter.add_command("objects", objects_command,
                          "(objects obj cl) list the objects belonging to cl in the Object Factory");
}

}  // namespace velmo
