#include "analyser/readability.h"

#include <cstdio>

#include "analyser/text_io.h"

namespace zentra {

TextCounts count_text(std::string_view text) {
  TextCounts counts;
  for (char c : text) {
    if (c == '\n') {
      ++counts.separators;
      ++counts.line_ends;
    } else if (c == ' ' || c == '\t') {
      ++counts.separators;
    } else {
      ++counts.letters;
    }
  }
  return counts;
}

float coleman_liau_index(const TextCounts& counts) {
  // Each product is worked out in extended precision and kept in single
  // precision, as is the final difference; a text without separators
  // divides by zero and gives a value that is not finite.
  const long double words = static_cast<long double>(counts.separators);
  const long double sentences = static_cast<long double>(counts.line_ends) + 1;
  const float letter_term = static_cast<float>(5.89 * static_cast<long double>(counts.letters) / words);
  const float sentence_term = static_cast<float>(30.0 * sentences / words);
  return static_cast<float>(static_cast<long double>(letter_term) - sentence_term - 15.8);
}

std::string readability_line(float index) {
  char number[64];
  std::snprintf(number, sizeof number, "%g", static_cast<double>(index));
  return std::string("Readability Index: (Coleman-Liau Formula) ") + number + "\n";
}

void run_readability(const Workspace& workspace, const std::filesystem::path& document) {
  const TextCounts counts = count_text(read_text_file(document).value_or(std::string()));
  write_text_file(workspace.file(kReadabilityReport), readability_line(coleman_liau_index(counts)));
}

}  // namespace zentra
