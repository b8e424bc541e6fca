// velmo: reads English sentences, one per line, and prints a dependency
// analysis of each. Everything it knows is loaded from korvel.lsp.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>

#include "app/command_groups.h"
#include "app/result_holder.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/interpreter/settings.h"
#include "shell/support/diagnostics.h"
#include "shell/support/heap_reserve.h"

namespace {

using velmo::ShellSettings;

void print_usage() {
  const char* const lines[] = {
      "velmo -d -i -f FEATURES -l -p PATHS -h -help",
      "  -c\tprint constituency trees instead of  dependency trees",
      "  -i\tdo not print the prompt '> '",
      "  -f FEATURES\n\tinclude the features in the output",
      "  -l\tprint the grammatical relations in the output",
      "  -p PATHS\n\tdefine the search path",
      "  -h or -help\n\tprint this help message",
      "  -d lines beginning with ~ are treated as commands.",
      "  -e TRACE\n\tuse TRACE to designate empty categories; this defaults to ()",
  };
  for (const char* line : lines) std::cout << line << '\n' << std::flush;
}

void read_command_line(int argc, char** argv, ShellSettings& settings) {
  if (const char* path = std::getenv("KORVELPATH")) settings.search_path = path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "-i")
      settings.prompt = false;
    else if (arg == "-r")
      settings.option_r_given = true;
    else if (arg == "-d")
      settings.command_lines = true;
    else if (arg == "-t")
      settings.triples = true;
    else if (arg == "-u")
      settings.conllu = true;
    else if (arg == "-l")
      settings.relations_requested = true;
    else if (arg == "-h" || arg == "-help")
      print_usage();
    else if (arg == "-f" && has_value) {
      settings.features_requested = true;
      settings.features = argv[++i];
    } else if (arg == "-p" && has_value)
      settings.search_path = argv[++i];
    else if (arg == "-e" && has_value)
      settings.empty_category = argv[++i];
  }
}

// Pieces between ";" are added in order (adjacent separators give an empty
// piece, a trailing one none), then the empty directory.
void set_search_path(velmo::SearchPath& path, std::string_view paths) {
  std::size_t start = 0;
  while (start < paths.size()) {
    std::size_t end = paths.find(';', start);
    if (end == std::string_view::npos) end = paths.size();
    path.add(paths.substr(start, end - start));
    start = end + 1;
  }
  path.add("");
}

// Reads one line of at most 1023 characters into `line`; a longer line is
// left for the next call. False when nothing at all could be read.
bool read_line(char (&buffer)[1024], std::string_view& line) {
  if (!std::fgets(buffer, sizeof buffer, stdin)) return false;
  std::size_t length = std::strlen(buffer);
  if (length > 0 && buffer[length - 1] == '\n') --length;
  line = std::string_view(buffer, length);
  return true;
}

void run_main_loop(const ShellSettings& settings) {
  velmo::Interpreter& interpreter = velmo::Interpreter::instance();
  velmo::ResultHolder holder;
  char buffer[1024];
  for (;;) {
    // A prompt has no place in CoNLL-U.
    if (settings.prompt && !settings.conllu) std::cout << "> " << std::flush;
    std::string_view line;
    if (!read_line(buffer, line)) break;
    if (settings.command_lines && !line.empty() && line[0] == '~') {
      interpreter.execute_string(line.substr(1));
      continue;
    }
    holder.clear();
    const bool printed = holder.analyse(line, settings);
    // In CoNLL-U the blank line ends a sentence; a line without words has none.
    if (printed || !settings.conllu) std::cout << '\n';
    std::cout << std::flush;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Before the grammar and dictionary are loaded: they are the first to
  // grow the heap.
  velmo::reserve_heap();
  ShellSettings& settings = velmo::shell_settings();
  read_command_line(argc, argv, settings);
  if (!settings.search_path) {
    velmo::diag() << "The search path for data files are not defined.\n "
                  << "You must use '-p PATHS' option or define the environment\n"
                  << "variable KORVELPATH" << '\n'
                  << std::flush;
    return 1;
  }
  velmo::Interpreter& interpreter = velmo::Interpreter::instance();
  set_search_path(interpreter.search_path(), *settings.search_path);
  velmo::NameSpaces::set_current("STD");
  velmo::register_command_groups(interpreter);

  interpreter.set_prompt(false);
  interpreter.load_file("korvel.lsp");
  velmo::apply_feature_list(settings);

  run_main_loop(settings);
  // Databases are synced and files closed now; the memory of the dictionary,
  // grammar and caches is left to the process exit (freeing it object by
  // object would only cost time). Nothing is deleted after main, when the
  // process-wide settings that objects clear on deletion may be gone.
  velmo::NameSpaces::close_all_at_exit();
  return 0;
}
