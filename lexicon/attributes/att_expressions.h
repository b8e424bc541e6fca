#pragma once
// Expression-language support of the attribute subsystem: the value type
// names it owns and the functions that change list-valued attributes.
namespace velmo {

inline constexpr const char* kAttVecType = "AttVec*";
inline constexpr const char* kAttValType = "AttVal";
inline constexpr const char* kLBitSetType = "LBitSet*";

// Registers the type names and the expressions delete-from-avlist,
// move-att, insert-into-avlist and rotate-and-insert-into-avlist.
void register_attribute_expressions();

}  // namespace velmo
