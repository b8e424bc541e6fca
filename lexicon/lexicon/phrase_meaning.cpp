#include "lexicon/lexicon/phrase_meaning.h"

#include "lexicon/lexicon/lex_entry.h"
#include "shell/reader/irslist.h"

namespace velmo {

std::unique_ptr<Meaning> PhraseMeaning::make(IRSlist& elements) const {
  LexEntry* entry = CurrentEntryScope::entry();
  if (!entry || elements.is_nil()) return nullptr;
  for (const IRSlist* phrase : elements.children()) {
    EntryKey key = entry_key_of(*phrase);
    if (!key.empty()) entry->add_phrase(std::move(key.record));
  }
  return nullptr;
}

}  // namespace velmo
