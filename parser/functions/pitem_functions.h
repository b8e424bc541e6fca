#pragma once
// The expression functions through which grammar conditions reach a parse
// item ("PItem*"), its link ("DepRel*"), the words around it, and the few
// that change an item or the parser's per-sentence position sets.
namespace velmo {

inline constexpr const char* kPItemType = "PItem*";
inline constexpr const char* kDepRelType = "DepRel*";

// Registers the functions as prototypes of the object factory; later calls
// do nothing.
void register_pitem_functions();

}  // namespace velmo
