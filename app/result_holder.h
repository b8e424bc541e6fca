#pragma once
// Holds what the analysis of the current input line produced, and the text
// buffer in which it is printed.
#include <string>
#include <string_view>

#include "parser/forest/deps.h"
#include "parser/output/print_tree.h"
#include "shell/interpreter/settings.h"

namespace velmo {

class ResultHolder {
 public:
  static constexpr std::size_t kInitialBuffer = 512;
  ResultHolder() { buffer_.reserve(kInitialBuffer); }

  // Frees the previous line's result.
  void clear();
  // Parses `line` with the current parser and prints its tree in the chosen
  // format; prints nothing while no parser is defined.
  // With -u, returns whether a sentence was printed (a line without words
  // gives none).
  bool analyse(std::string_view line, const ShellSettings& settings);

 private:
  DepsRef deps_;
  PrintTree tree_;
  std::string buffer_;
  int lines_ = 0;  // sentences analysed, numbering the CoNLL-U output
};

// Makes the -f feature list the attributes shown in the output of the
// current parser, when there is one.
void apply_feature_list(const ShellSettings& settings);

}  // namespace velmo
