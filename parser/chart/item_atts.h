#pragma once
// Access to the attributes the chart reads by name (bound by
// `init-attributes`): the lists of moved elements and of arguments, traces,
// and flags.
#include <cstddef>

#include "lexicon/attributes/att_vec.h"
#include "parser/grammar/builtin_attributes.h"

namespace velmo {

class AttList;
struct PItem;

// The vector's list under a defined list attribute, or null.
AttList* defined_list_of(const AttVec& vec, int index);
// The vector's list under a list attribute, or null when undefined. The
// chart asks it of most items whose attribute is undefined: that test is
// inline.
inline AttList* list_of(const AttVec& vec, int index) {
  return vec.defined(index) ? defined_list_of(vec, index) : nullptr;
}
// The list made private to the vector (copied when shared), or null.
AttList* private_list_of(AttVec& vec, int index);
// Element i of the list made private, or null.
AttVec* private_element(AttVec& vec, int index, std::size_t i);
std::size_t list_size(const AttVec& vec, int index);
// Fills a gap: removes moved element i of `vec`'s "move" list (an emptied
// list removes "move") and gives `trace_to` that element's "trace".
void fill_gap(AttVec& vec, std::size_t i, AttVec& trace_to);

// Whether the attribute is defined and non-zero.
inline bool att_set(const AttVec& vec, int index) { return vec.defined(index) && vec.get(index) != 0; }
// Whether the attribute is defined with the value 0.
inline bool att_zero(const AttVec& vec, int index) { return vec.defined(index) && vec.get(index) == 0; }
// The value, 0 when undefined.
inline Word att_value(const AttVec& vec, int index) { return vec.defined(index) ? vec.get(index) : 0; }

// A one-entry trace list {role, item}.
Word make_trace(Word role, PItem* item);

}  // namespace velmo
