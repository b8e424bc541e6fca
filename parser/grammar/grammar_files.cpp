#include "parser/grammar/grammar_files.h"

#include <cstdint>
#include <string>

#include "shell/support/text.h"

namespace velmo {

void BadTriples::read(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() >= kLineBuffer) line.resize(kLineBuffer - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || set_.contains(line.c_str())) continue;
    const char* text = texts_.add(line);
    set_.insert(text, text);
    note_words(line);
  }
}

// A key "head<TAB>relation<TAB>modifier" made of words without tabs can
// only be a line whose text up to its first tab is the head and whose text
// after its last tab is the modifier.
void BadTriples::note_words(std::string_view line) {
  const std::size_t first_tab = line.find('\t');
  const std::size_t last_tab = line.rfind('\t');
  if (first_tab == std::string_view::npos || first_tab == last_tab) return;
  heads_.add(line.substr(0, first_tab));
  modifiers_.add(line.substr(last_tab + 1));
}

// FNV-1a over the lower-cased bytes, folded to the set's size.
std::size_t BadTriples::WordFilter::bit_of(std::string_view word) {
  std::uint32_t hash = 2166136261u;
  for (const char c : word) hash = (hash ^ static_cast<unsigned char>(ascii_lower(c))) * 16777619u;
  return (hash ^ (hash >> 16)) % kBits;
}

bool BadTriples::contains(std::string_view triple) const {
  const std::string key(triple);
  return set_.contains(key.c_str());
}

bool BadTriples::contains(std::string_view head, std::string_view relation, std::string_view modifier) const {
  // Words with tabs would split the key elsewhere: only the whole key says.
  const bool plain_words = head.find('\t') == std::string_view::npos && modifier.find('\t') == std::string_view::npos;
  if (plain_words && (!modifiers_.may_hold(modifier) || !heads_.may_hold(head))) return false;
  std::string key;
  key.reserve(head.size() + relation.size() + modifier.size() + 2);
  key.append(head).append(1, '\t').append(relation).append(1, '\t').append(modifier);
  return set_.contains(key.c_str());
}

}  // namespace velmo
