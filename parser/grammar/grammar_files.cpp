#include "parser/grammar/grammar_files.h"

#include <string>

namespace velmo {

void BadTriples::read(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() >= kLineBuffer) line.resize(kLineBuffer - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || set_.contains(line.c_str())) continue;
    const char* text = texts_.add(line);
    set_.insert(text, text);
  }
}

bool BadTriples::contains(std::string_view triple) const {
  const std::string key(triple);
  return set_.contains(key.c_str());
}

}  // namespace velmo
