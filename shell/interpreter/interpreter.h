#pragma once
// The command interpreter: reads parenthesised forms from files, strings and
// streams and dispatches them to the handlers of the command table. One per
// process.
#include <cstddef>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/reader/irslist.h"
#include "shell/support/name_table.h"
#include "shell/support/slist.h"

namespace velmo {

class TokenizerBase;

// A command handler takes the arguments of its form (the form without the
// command name), consumes what it needs and returns a machine word.
using CommandHandler = Word (*)(IRSlist& args);

struct CommandEntry {
  CommandHandler handler = nullptr;
  const char* doc = nullptr;  // null: no documentation
  // Frees or empties objects (name spaces, lexicons, databases): refused
  // while an expression runs commands, since the expression may hold them.
  bool frees_objects = false;
};

// Prints the help listing: entries whose names match `regex` (anchored at
// the start; null: all) sorted case-insensitively, each as name, newline, doc
// string or "No documentation provided", newline, empty line.
void print_help_listing(std::ostream& out, std::vector<std::pair<std::string, const char*>> entries, const char* regex);

// Directories searched for command and data files. "" stands for the name as
// written.
class SearchPath {
 public:
  // Clears the path and adds each non-empty piece between delimiter bytes.
  void set(std::string_view paths, std::string_view delimiters);
  void add(std::string_view directory);
  void add_raw(std::string_view directory) { directories_.emplace_back(directory); }
  void clear() { directories_.clear(); }
  const std::vector<std::string>& directories() const { return directories_; }

  // The full name of an existing file, or nothing (after reporting a syntax
  // error in an environment reference).
  std::optional<std::string> find(std::string_view name);
  // Opens a file found on the path, with the interpreter's messages.
  std::unique_ptr<std::ifstream> open(std::string_view name);
  // The directory in which the last file was found, with a trailing "/".
  const std::string& last_found_directory() const { return last_found_; }

 private:
  std::vector<std::string> directories_;
  std::string last_found_;
};

// Expands "$(VAR)" references; nothing on a syntax error (reported).
std::optional<std::string> expand_environment(std::string_view name);

class Interpreter {
 public:
  static constexpr std::size_t kCommandBuckets = 1997;
  // Runs of command text nested within one another (loads, macro
  // expansions, strings): a file that loads itself or a macro that expands
  // into itself stops here instead of exhausting the stack.
  static constexpr int kMaxRunDepth = 200;
  // The work one top-level command may do: macro expansions count 1, file
  // loads kLoadWork. The depth bound above does not bound the width: a
  // macro that expands into two calls of itself, or a file that loads itself
  // twice, would run 2^200 times. Beyond the bound the command is stopped
  // (a hundred thousand expansions take well under a second, even in a
  // sanitizer build).
  static constexpr unsigned long kMaxCommandWork = 100'000;
  static constexpr unsigned long kLoadWork = 100;
  static Interpreter& instance();

  // Registration.
  void add_command(std::string_view name, CommandHandler handler, const char* doc);
  void add_or_replace_command(std::string_view name, CommandHandler handler, const char* doc);
  // Marks a registered command as one that frees or empties objects.
  void mark_freeing(std::string_view name);
  CommandHandler find_command(std::string_view name) const;
  void list_commands(std::ostream& out, const char* regex) const;

  // Execution.
  void run_stream(std::istream& in);
  void execute_string(std::string_view text);
  Word execute_form(IRSlist& form);
  // Executes each element of `forms` as a form, freeing it afterwards.
  void execute_forms(IRSlist& forms);
  // The same for forms run by an expression that is being evaluated
  // (exec-commands): commands that free objects are refused meanwhile.
  void execute_forms_in_expression(IRSlist& forms);
  // Opens `name` on the search path and runs it; false if it cannot be opened.
  bool load_file(std::string_view name);

  // Counts `units` of work of the running top-level command; false once
  // its work is spent (reported once), after which everything it would
  // still run is skipped until it ends.
  bool add_work(unsigned long units);
  bool command_stopped() const { return command_stopped_; }
  // Stops the running top-level command (if any) without a message of its
  // own: the caller has reported why.
  void stop_command() {
    if (form_depth_ > 0) command_stopped_ = true;
  }

  bool prompt() const { return prompt_; }
  void set_prompt(bool on) { prompt_ = on; }
  bool show_commands() const { return show_commands_; }
  void set_show_commands(bool on) { show_commands_ = on; }
  // The tokenizer forms are being read from (null outside a run).
  TokenizerBase* current_tokenizer() const { return current_tokenizer_; }
  SearchPath& search_path() { return search_path_; }

 private:
  Interpreter();
  void register_builtin_commands();
  void add(std::string_view name, CommandHandler handler, const char* doc, bool replace);
  void run_tokenizer(TokenizerBase& tokenizer);
  // Runs a form as a macro expansion or a command.
  Word dispatch(IRSlist& form, const char* name);

  NameTable<CommandEntry> commands_;
  StringPool docs_;
  bool prompt_ = true;
  bool show_commands_ = false;
  TokenizerBase* current_tokenizer_ = nullptr;
  int run_depth_ = 0;
  // Forms being executed, nested; 1 inside a top-level command.
  int form_depth_ = 0;
  // Expressions now running commands (exec-commands within exec-commands).
  int expression_runs_ = 0;
  unsigned long command_work_ = 0;
  bool command_stopped_ = false;
  std::string command_name_;  // of the running top-level command, for the message
  SearchPath search_path_;
};

}  // namespace velmo
