#include "analyser/report.h"

namespace zentra {

std::string record_header(std::size_t sentence) { return "The line number:\n" + std::to_string(sentence) + "\n"; }

std::string summary_text(std::size_t evaluated, std::size_t defective) {
  const unsigned long long rate = evaluated == 0 ? 0 : static_cast<unsigned long long>(defective) * 100ULL / evaluated;
  return "\nNumber of evaluated sentences: " + std::to_string(evaluated) +
         "\nNumber of defective sentences: " + std::to_string(defective) + "\nDefect rate: " + std::to_string(rate) +
         "%\n";
}

std::string derived_report_name(std::string_view dictionary, std::string_view extension) {
  // A "/" always separates directories here; the report must land in the
  // working directory, never beside a dictionary kept elsewhere.
  if (const auto slash = dictionary.rfind('/'); slash != std::string_view::npos) {
    dictionary.remove_prefix(slash + 1);
  }
  // A backslash separates directories too, unless the only one is the
  // first character.
  if (const auto backslash = dictionary.rfind('\\'); backslash != std::string_view::npos && backslash != 0) {
    dictionary.remove_prefix(backslash + 1);
  }
  if (dictionary.size() < 3) return std::string(dictionary) + "." + std::string(extension);
  return std::string(dictionary.substr(0, dictionary.size() - 3)) + std::string(extension);
}

}  // namespace zentra
