#include "app/result_holder.h"

#include <iostream>

#include "parser/output/conllu_output.h"

namespace velmo {

// No grammar subsystem is linked in yet: there is never a current parser, so
// a sentence yields no tree and the line is answered by the newline alone,
// or, with -u, by the line's words in CoNLL-U without a tree.
void ResultHolder::analyse(std::string_view line, const ShellSettings& settings) {
  ++lines_;
  if (settings.conllu) print_conllu(std::cout, nullptr, line, lines_);
}

void apply_feature_list(const ShellSettings&) {}

}  // namespace velmo
