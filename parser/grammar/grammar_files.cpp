#include "parser/grammar/grammar_files.h"

#include <cstdlib>
#include <sstream>

namespace velmo {

void DistanceTable::read(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string key;
    if (!(fields >> key) || key[0] == ';') continue;
    std::vector<float> values;
    float p = 0.0f;
    while (fields >> p) values.push_back(p);
    if (values.empty()) continue;
    auto [item, inserted] = entries_.insert(key, values);
    if (!inserted) item->value = std::move(values);
  }
}

std::optional<float> DistanceTable::probability(std::string_view key, int distance) const {
  const std::vector<float>* values = entries_.find(key);
  if (!values) return std::nullopt;
  std::size_t d = static_cast<std::size_t>(distance < 0 ? -distance : distance);
  if (d == 0) d = 1;
  return (*values)[std::min(d, values->size()) - 1];
}

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
