#pragma once
// Expression functions that act on the item lattice through a match: item
// modifiers, lattice queries and edits, item construction and the position
// sets.
namespace velmo {

void register_lattice_functions();

}  // namespace velmo
