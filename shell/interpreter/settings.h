#pragma once
// The process-wide settings made by velmo's command line.
#include <optional>
#include <string>

namespace velmo {

struct ShellSettings {
  bool prompt = true;                      // -i turns it off
  bool command_lines = false;              // -d: lines beginning with "~" are commands
  bool triples = false;                    // -t: print the triples format
  bool conllu = false;                     // -u: print CoNLL-U (and no prompt)
  std::optional<std::string> features;     // -f FEATURES
  std::optional<std::string> search_path;  // KORVELPATH, replaced by -p PATHS
  std::string empty_category = "()";       // -e TRACE
  // Options that are accepted and remembered but change nothing: -r, -l
  // (relations are always printed) and -f (the features are in `features`).
  bool option_r_given = false;
  bool relations_requested = false;  // -l
  bool features_requested = false;   // -f
};

ShellSettings& shell_settings();

}  // namespace velmo
