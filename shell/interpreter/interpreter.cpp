#include "shell/interpreter/interpreter.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "shell/interpreter/name_space.h"
#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"
#include "shell/support/held_value.h"
#include "shell/support/regex.h"

namespace velmo {

// ---------------------------------------------------------------- help

void print_help_listing(std::ostream& out, std::vector<std::pair<std::string, const char*>> entries,
                        const char* regex) {
  Regex filter;
  if (regex) {
    if (!filter.compile_anchored(regex)) {
      diag() << "regexp(3): " << filter.error() << '\n' << std::flush;
      return;
    }
    std::erase_if(entries, [&](const auto& entry) { return !filter.matches_prefix(entry.first.c_str()); });
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return compare_nocase(a.first, b.first) < 0; });
  for (const auto& [name, doc] : entries) out << name << '\n' << (doc ? doc : "No documentation provided") << "\n\n";
  out << std::flush;
}

// ---------------------------------------------------------------- files

std::optional<std::string> expand_environment(std::string_view name) {
  std::string result;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] != '$') {
      result += name[i];
      continue;
    }
    const std::size_t close = name.find(')', i);
    if (i + 1 >= name.size() || name[i + 1] != '(' || close == std::string_view::npos) {
      diag() << "syntax error in " << name << '\n' << std::flush;
      return std::nullopt;
    }
    const std::string variable(name.substr(i + 2, close - i - 2));
    if (const char* value = std::getenv(variable.c_str())) result += value;
    i = close;
  }
  return result;
}

namespace {

bool is_existing_file(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string join_directory(const std::string& directory, std::string_view name) {
  if (directory.empty()) return std::string(name);
  if (directory.back() == '/') return directory + std::string(name);
  return directory + "/" + std::string(name);
}

}  // namespace

void SearchPath::add(std::string_view directory) {
  if (directories_.empty()) directories_.emplace_back(".");
  if (std::find(directories_.begin(), directories_.end(), directory) == directories_.end())
    directories_.emplace_back(directory);
}

void SearchPath::set(std::string_view paths, std::string_view delimiters) {
  clear();
  std::size_t start = 0;
  while (start <= paths.size()) {
    std::size_t end = paths.find_first_of(delimiters, start);
    if (end == std::string_view::npos) end = paths.size();
    if (end > start) add(paths.substr(start, end - start));
    start = end + 1;
  }
}

std::optional<std::string> SearchPath::find(std::string_view raw_name) {
  const std::optional<std::string> name = expand_environment(raw_name);
  if (!name) return std::nullopt;
  if (directories_.empty()) directories_.emplace_back(".");
  if (!directories_.front().empty()) directories_.insert(directories_.begin(), "");
  for (const std::string& directory : directories_) {
    std::string candidate = join_directory(directory, *name);
    if (!is_existing_file(candidate)) continue;
    last_found_ = directory;
    if (!last_found_.empty() && last_found_.back() != '/') last_found_ += '/';
    const std::size_t slash = name->rfind('/');
    if (slash != std::string::npos) last_found_ += name->substr(0, slash + 1);
    return candidate;
  }
  return std::nullopt;
}

std::unique_ptr<std::ifstream> SearchPath::open(std::string_view name) {
  const std::optional<std::string> full = find(name);
  if (!full) {
    diag() << "The file " << name << " cannot be opened\n" << std::flush;
    return nullptr;
  }
  auto stream = std::make_unique<std::ifstream>(*full, std::ios::binary);
  if (!stream->is_open()) {
    diag() << "The file " << *full << " exists, but cannot be opened\n" << std::flush;
    return nullptr;
  }
  return stream;
}

// ---------------------------------------------------------------- interpreter

Interpreter& Interpreter::instance() {
  static Interpreter interpreter;
  return interpreter;
}

Interpreter::Interpreter() : commands_(kCommandBuckets) { register_builtin_commands(); }

void Interpreter::add(std::string_view name, CommandHandler handler, const char* doc, bool replace) {
  const char* stored_doc = doc ? docs_.add(doc) : nullptr;
  auto [item, added] = commands_.insert(name, CommandEntry{handler, stored_doc});
  if (added) return;
  if (replace) {
    item->value = CommandEntry{handler, stored_doc};
  } else {
    diag() << "Duplicate definition of " << name << '\n' << std::flush;
  }
}

void Interpreter::mark_freeing(std::string_view name) {
  if (CommandEntry* entry = commands_.find(name)) entry->frees_objects = true;
}

void Interpreter::add_command(std::string_view name, CommandHandler handler, const char* doc) {
  add(name, handler, doc, false);
}

void Interpreter::add_or_replace_command(std::string_view name, CommandHandler handler, const char* doc) {
  add(name, handler, doc, true);
}

CommandHandler Interpreter::find_command(std::string_view name) const {
  const CommandEntry* entry = commands_.find(name);
  return entry ? entry->handler : nullptr;
}

void Interpreter::list_commands(std::ostream& out, const char* regex) const {
  std::vector<std::pair<std::string, const char*>> entries;
  entries.reserve(1000);
  commands_.for_each([&](const auto& item) { entries.emplace_back(item.name, item.value.doc); });
  print_help_listing(out, std::move(entries), regex);
}

void Interpreter::run_tokenizer(TokenizerBase& tokenizer) {
  if (run_depth_ >= kMaxRunDepth) {
    diag() << "Command text nested more than " << kMaxRunDepth << " levels deep is not run\n" << std::flush;
    // Nesting that deep does not end well: the command that made it stops,
    // so that the message comes once and not once for every branch.
    stop_command();
    return;
  }
  ++run_depth_;
  TokenizerBase* previous = current_tokenizer_;
  current_tokenizer_ = &tokenizer;
  for (;;) {
    tokenizer.strings().clear();
    tokenizer.clear_pending();
    if (prompt_) std::cout << "> " << std::flush;
    // What is left of a stopped command's text is not read.
    if (command_stopped_) break;
    std::unique_ptr<IRSlist> item = IRSlist::read(tokenizer);
    if (item) {
      if (show_commands_) diag() << item->indented() << std::flush;
      if (item->is_list()) execute_form(*item);
    } else if (!tokenizer.has_input()) {
      break;
    }
  }
  if (prompt_) std::cout << '\n' << std::flush;
  current_tokenizer_ = previous;
  --run_depth_;
}

void Interpreter::run_stream(std::istream& in) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_input(&in);
  run_tokenizer(tokenizer);
}

void Interpreter::execute_string(std::string_view text) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_string_input(text);
  run_tokenizer(tokenizer);
}

Word Interpreter::execute_form(IRSlist& form) {
  if (command_stopped_) return 0;
  const char* name = form.take_atom();
  if (!name) return 0;
  // The outermost form is a top-level command, with fresh work to spend.
  const bool top_level = form_depth_ == 0;
  if (top_level) {
    command_work_ = 0;
    command_name_ = name;
  }
  ++form_depth_;
  const Word result = dispatch(form, name);
  --form_depth_;
  if (top_level) {
    command_stopped_ = false;
    DroppedValues::release();
  }
  return result;
}

bool Interpreter::add_work(unsigned long units) {
  if (command_stopped_) return false;
  if (form_depth_ == 0) return true;  // no command is running
  command_work_ += units;
  if (command_work_ <= kMaxCommandWork) return true;
  command_stopped_ = true;
  diag() << "(" << command_name_ << " ...) is stopped: one command may make at most " << kMaxCommandWork
         << " macro expansions, a file load counting as " << kLoadWork << '\n'
         << std::flush;
  return false;
}

Word Interpreter::dispatch(IRSlist& form, const char* name) {
  if (NameSpace* space = NameSpaces::current()) {
    if (Macro* macro = space->find_macro(name)) {
      std::string expansion;
      if (add_work(1) && macro->expand(form, expansion)) {
        const bool saved_prompt = prompt_;
        prompt_ = false;
        execute_string(expansion);
        prompt_ = saved_prompt;
      }
      return 0;
    }
  }
  const CommandEntry* entry = commands_.find(name);
  if (entry && entry->frees_objects && expression_runs_ > 0) {
    diag() << "(" << name << " ...) is refused inside an expression: it would free what the expression uses\n"
           << std::flush;
    return 0;
  }
  if (!entry) {
    diag() << "unknown function " << name << '\n' << (form.is_list() ? form.flat() : "") << '\n' << std::flush;
    return 0;
  }
  return entry->handler(form);
}

void Interpreter::execute_forms(IRSlist& forms) {
  while (std::unique_ptr<IRSlist> form = forms.take_first())
    if (form->is_list()) execute_form(*form);
}

void Interpreter::execute_forms_in_expression(IRSlist& forms) {
  ++expression_runs_;
  execute_forms(forms);
  --expression_runs_;
}

bool Interpreter::load_file(std::string_view name) {
  if (!add_work(kLoadWork)) return false;
  std::unique_ptr<std::ifstream> stream = search_path_.open(name);
  if (!stream) return false;
  run_stream(*stream);
  return true;
}

}  // namespace velmo
