#include "parser/output/item_printer.h"

#include <ostream>

#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "parser/chart/pitem.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"

namespace velmo {

void print_item(std::ostream& out, const PItem* item, const LBitSet* shown, ItemLattice* words) {
  if (!item) {
    out << "nil";
    return;
  }
  if (!words) {
    const PItem& lexical = item->lexical_head();
    if (lexical.lex_item) words = lexical.lex_item->lattice;
  }
  out << '[' << item->start << ',' << item->end << "] ";
  if (words && item->start <= item->end) out << words->span_text(item->start, item->end);
  for (const PItem* alt = item; alt; alt = alt->next_alt) {
    out << "\n  w=" << alt->weight << ' ';
    alt->av.print(out, shown);
    if (alt->link && !alt->is_merge()) {
      out << " from " << (alt->link->modifier() ? alt->link->modifier()->name() : std::string()) << " ("
          << alt->link->relation() << ')';
    }
    if (alt->lex_item) out << ' ' << (alt->lex_item->root ? alt->lex_item->root : "");
  }
}

}  // namespace velmo
