#pragma once
// The process-wide settings made by velmo's command line.
#include <optional>
#include <string>

namespace velmo {

struct ShellSettings {
  bool prompt = true;          // -i turns it off
  bool command_lines = false;  // -d: lines beginning with "~" are commands
  bool triples = false;        // -t: print the triples format
  bool conllu = false;         // -u: print CoNLL-U (and no prompt)
  std::optional<std::string> features;     // -f FEATURES
  std::optional<std::string> search_path;  // KORVELPATH, replaced by -p PATHS
  std::string empty_category = "()";       // -e TRACE
  bool r_flag = false;
  bool l_flag = false;
  bool f_flag = false;
};

ShellSettings& shell_settings();

}  // namespace velmo
