#include "lexical/items/ending_lookup.h"

namespace velmo {

void lookup_readings(Lexicon& lexicon, std::string_view word, std::vector<EntryReading>& readings) {
  lexicon.lookup_readings(word, readings);
}

}  // namespace velmo
