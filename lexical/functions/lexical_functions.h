#pragma once
// Registration of every expression function of the lexical layer: items,
// the lattice through matches, item construction, attribute vectors,
// abbreviations and sentence boundaries.
namespace velmo {

void register_lexical_functions();

}  // namespace velmo
