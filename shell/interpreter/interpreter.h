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
};

// Prints the help listing: entries whose names match `regex` (anchored at
// the start; null: all) sorted case-insensitively, each as name, newline, doc
// string or "No documentation provided", newline, empty line.
void print_help_listing(std::ostream& out, std::vector<std::pair<std::string, const char*>> entries,
                        const char* regex);

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
  static Interpreter& instance();

  // Registration.
  void add_command(std::string_view name, CommandHandler handler, const char* doc);
  void add_or_replace_command(std::string_view name, CommandHandler handler, const char* doc);
  CommandHandler find_command(std::string_view name) const;
  void list_commands(std::ostream& out, const char* regex) const;

  // Execution.
  void run_stream(std::istream& in);
  void execute_string(std::string_view text);
  Word execute_form(IRSlist& form);
  // Executes each element of `forms` as a form, freeing it afterwards.
  void execute_forms(IRSlist& forms);
  // Opens `name` on the search path and runs it; false if it cannot be opened.
  bool load_file(std::string_view name);

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

  NameTable<CommandEntry> commands_;
  StringPool docs_;
  bool prompt_ = true;
  bool show_commands_ = false;
  TokenizerBase* current_tokenizer_ = nullptr;
  int run_depth_ = 0;
  SearchPath search_path_;
};

}  // namespace velmo
