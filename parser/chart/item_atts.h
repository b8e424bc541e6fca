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

// The vector's list under a list attribute, or null when undefined.
AttList* list_of(const AttVec& vec, int index);
// The list made private to the vector (copied when shared), or null.
AttList* private_list_of(AttVec& vec, int index);
// Element i of the list made private, or null.
AttVec* private_element(AttVec& vec, int index, std::size_t i);
std::size_t list_size(const AttVec& vec, int index);
// Fills a gap: removes moved element i of `vec`'s "move" list (an emptied
// list removes "move") and gives `trace_to` that element's "trace".
void fill_gap(AttVec& vec, std::size_t i, AttVec& trace_to);

// Whether the attribute is defined and non-zero.
bool att_set(const AttVec& vec, int index);
// Whether the attribute is defined with the value 0.
bool att_zero(const AttVec& vec, int index);
// The value, 0 when undefined.
Word att_value(const AttVec& vec, int index);

// A one-entry trace list {role, item}.
Word make_trace(Word role, PItem* item);

}  // namespace velmo
