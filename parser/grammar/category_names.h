#pragma once
// The name of the category an attribute vector implies: its "node" value
// when defined; else the short names of "cat" and of the "cat" of each
// element of "args" joined with "_" (head first: V_N_C; with "head_final":
// N_V).
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class AttVec;

// The short name of the vector's "cat" value ("V", "Det"...), or empty.
std::string_view cat_short_name(const AttVec& vec);
// Empty when the short name of "cat" is empty and "node" is undefined.
std::string category_name(const AttVec& vec);
// The elements of the vector's "args" list (empty when undefined).
std::vector<AttVec*> args_of(const AttVec& vec);
// Whether an integer-like attribute is defined and non-zero.
bool flag_set(const AttVec& vec, int index);
// Whether an attribute is defined with the value 0.
bool defined_zero(const AttVec& vec, int index);

}  // namespace velmo
