// The nine commands every interpreter has from its creation.
#include <cstdlib>
#include <iostream>

#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/lexp/types.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

Word load_command(IRSlist& args) {
  while (args.is_list()) {
    const char* name = args.take_atom();  // a list argument is reported and skipped
    if (name) Interpreter::instance().load_file(name);
  }
  return 0;
}

Word exit_command(IRSlist&) {
  std::cout << std::flush;
  NameSpaces::close_all_at_exit();
  std::cout << std::flush;
  std::exit(0);
}

Word quote_command(IRSlist& args) {
  if (args.length() != 1) {
    diag() << "quote must take one argument\n" << std::flush;
    return 0;
  }
  IRSlist* only = args.element_at(0);
  if (only->is_list()) return to_word(only);
  return to_word(only->atom());
}

Word echo_command(IRSlist& args) {
  std::string line;
  bool first = true;
  for (const IRSlist* arg : args.children()) {
    if (!first) line += ' ';
    first = false;
    if (arg->is_list())
      arg->append_text(line);  // a list is echoed in its text form
    else if (arg->atom())
      line += arg->atom();
  }
  std::cout << line << '\n' << std::flush;
  return 0;
}

Word help_command(IRSlist& args) {
  const char* regex = args.length() > 0 ? args.take_atom() : nullptr;
  Interpreter::instance().list_commands(std::cout, regex);
  return 0;
}

Word system_command(IRSlist& args) {
  const char* command = args.take_atom();  // a list argument is reported; nothing runs
  if (!command) return static_cast<Word>(-1);
  std::cout << std::flush;
  return static_cast<Word>(std::system(command));
}

Word show_commands_command(IRSlist& args) {
  Interpreter::instance().set_show_commands(args.take_long() != 0);
  return 0;
}

Word set_search_path_command(IRSlist& args) {
  const char* paths = args.take_atom();
  const char* delimiters = args.length() > 0 ? args.take_atom() : nullptr;
  Interpreter::instance().search_path().set(paths ? paths : "", delimiters ? delimiters : ":");
  return 0;
}

}  // namespace

void Interpreter::register_builtin_commands() {
  add_command("load", load_command, "(load file) execute the commands in file");
  add_command("exit", exit_command, "(exit) exit the interpreter");
  add_command("quote", quote_command, "(quote <list>) return <list> without evaluating it");
  add_command("echo", echo_command, "(echo <strings>) print the strings");
  add_command("help", help_command, "(help <regexp>) the comments of symbols matching the regular expression");
  add_command("?", help_command, "same as 'help'");
  add_command("system", system_command, "(system <command>) execute the shell command");
  add_command("show-commands", show_commands_command, "(show-commands 0|1) turn on/off showing commands");
  add_command("set-search-path", set_search_path_command,
              "(set-search-path <paths> <deliminator>) set the search path");
}

}  // namespace velmo
