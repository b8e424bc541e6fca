#include "lexical/items/item_text_filter.h"

#include "lexical/items/lex_item.h"
#include "shell/support/text.h"

namespace velmo {

// FNV-1a over the lower-case bytes.
std::uint16_t ItemTextFilter::bit_of(std::string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(ascii_lower(c));
    hash *= 16777619u;
  }
  return static_cast<std::uint16_t>((hash ^ (hash >> 16)) % kBits);
}

void ItemTextFilter::note(const LexItem& item) {
  note_text(item.root);
  for (const char* affix : item.affixes) note_text(affix);
}

}  // namespace velmo
