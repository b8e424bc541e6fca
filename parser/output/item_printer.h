#pragma once
// The item printer: a parse item with its span text, and for it and each
// packed alternative the weight, the shown attributes, the link it came
// through and its lexical item.
#include <iosfwd>

namespace velmo {

class ItemLattice;
class LBitSet;
struct PItem;

// "nil" for an absent item. `words` gives the span text (by default the
// sentence of the item's lexical head); `shown` restricts the attributes.
void print_item(std::ostream& out, const PItem* item, const LBitSet* shown = nullptr, ItemLattice* words = nullptr);

}  // namespace velmo
