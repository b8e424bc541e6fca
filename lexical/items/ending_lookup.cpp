#include "lexical/items/ending_lookup.h"

#include "lexical/items/ending_table.h"
#include "lexicon/lexicon/lexicon.h"

namespace velmo {

void lookup_readings(Lexicon& lexicon, std::string_view word, std::vector<EntryReading>& readings) {
  EndingTable* table = lexicon.ending_table();
  if (!table) {
    if (LexEntry* entry = lexicon.lookup(word)) readings.push_back({entry, nullptr});
    return;
  }
  for (const Ending* ending = table->start(word); ending; ending = table->next()) {
    const char* root = ending->root(table->word());
    if (!root) continue;
    if (LexEntry* entry = lexicon.lookup(root)) readings.push_back({entry, ending});
  }
}

}  // namespace velmo
