#pragma once
// The lexicon's lookup through its ending table, on behalf of the lexical
// analyzer: every reading of a word as (entry, ending).
#include <string_view>
#include <vector>

#include "lexicon/lexicon/lexicon.h"

namespace velmo {

// With an ending table the word itself is not looked up: for every matching
// ending in definition order, its root (if the condition accepts it) is
// looked up, and each entry found is appended with that ending. Without a
// table the word is looked up as it stands. The same entry may come back
// several times through different endings.
void lookup_readings(Lexicon& lexicon, std::string_view word, std::vector<EntryReading>& readings);

}  // namespace velmo
