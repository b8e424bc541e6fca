#include "lexical/items/lex_item.h"

#include <cstring>

#include "lexical/items/item_lattice.h"
#include "lexicon/lexicon/meaning.h"

namespace velmo {

TypeId lex_item_type() {
  static const TypeId id = type_id("LexItem*");
  return id;
}

LexItem::~LexItem() = default;

LexAnalyzer* LexItem::analyzer() const { return lattice ? lattice->owner() : nullptr; }

bool LexItem::has_affix(const char* name) const {
  if (!name) return false;
  for (const char* affix : affixes) {
    if (affix && std::strcmp(affix, name) == 0) return true;
  }
  return false;
}

void LexItem::print(std::ostream& out, int depth) const {
  for (int i = 0; i < depth; ++i) out << "  ";
  out << '[' << low << ',' << high << "] ";
  if (category) out << category << ' ';
  if (lattice) lattice->print_words(out, low, high);
  out << ' ';
  if (meaning) meaning->print(out);
  if (!affixes.empty()) {
    out << " (affixes";
    for (const char* affix : affixes) out << ' ' << (affix ? affix : "");
    out << ')';
  }
  out << " w=" << weight << " hd=" << head;
  if (root) out << " (root " << root << ')';
  out << '\n';
  for (const LexItem* sub_item : sub_items) sub_item->print(out, depth + 1);
}

}  // namespace velmo
