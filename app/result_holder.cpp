#include "app/result_holder.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "lexicon/attributes/att_interpreter_list.h"
#include "parser/grammar/korvel_parser.h"
#include "parser/output/conllu_output.h"
#include "parser/output/sentence_parse.h"

namespace velmo {

void ResultHolder::clear() {
  deps_ = DepsRef();
  tree_.clear();
  buffer_.clear();
}

bool ResultHolder::analyse(std::string_view line, const ShellSettings& settings) {
  ++lines_;
  KorvelParser* parser = current_parser();
  Deps* deps = parser ? parse_line(*parser, line) : nullptr;
  // With -u every line with words is a sentence, with or without a tree.
  if (settings.conllu) {
    deps_ = DepsRef(deps);
    return print_conllu(std::cout, deps, line, lines_);
  }
  if (!deps) return false;
  deps_ = DepsRef(deps);
  tree_.copy_from(*deps, parser->show_atts ? &*parser->show_atts : nullptr);
  if (settings.triples)
    print_triples_format(buffer_, tree_);
  else
    print_dependency_format(buffer_, tree_, settings.empty_category);
  std::cout << buffer_;
  return true;
}

void apply_feature_list(const ShellSettings& settings) {
  KorvelParser* parser = current_parser();
  if (!settings.features || !parser || !parser->att_type()) return;
  const std::string& type_name = parser->att_type()->name();
  std::vector<int> shown;
  const std::string& features = *settings.features;
  std::size_t start = 0;
  while (start < features.size()) {
    const std::size_t end = std::min(features.find_first_of(" \t", start), features.size());
    if (end > start) {
      const int index = AttInterpreterList::att_index(type_name, std::string_view(features).substr(start, end - start));
      if (index >= 0) shown.push_back(index);
    }
    start = end + 1;
  }
  // No known name shows nothing (an empty list would show every attribute).
  if (shown.empty())
    parser->show_atts.reset();
  else
    parser->show_atts = std::move(shown);
}

}  // namespace velmo
