#pragma once
// The stored (binary) form of a dependency tree, for saving trees to files
// and reading them back. Multi-byte numbers are big-endian. The form:
//   "DEPS", u16 version (1)
//   text id, text attribute-vector type name ("" when no node has a vector)
//   u16 n, then n times: text word, text white space before it
//   u16 node count, then per node in pre-order (the top node first):
//     i16 parent index (-1 for the top node), i16 start, end, position,
//     texts category, relation, root, label (absent: length 0xFFFF),
//     u32 weight (IEEE bits), u8 vector present, the vector's packed form,
//     u16 property count, per property: text name, u8 kind (0 text, 1 node),
//     then the text or the u16 index of the node
//   u16 assertion count, then the assertion texts
// A text is a u16 length and its bytes.
#include <string_view>

namespace velmo {

class ByteCursor;
class Deps;
class StrBufs;

void store_deps(const Deps& deps, StrBufs& out);

// Reads a stored tree into `deps` (reset first). False for a damaged form.
// A vector type that does not exist ends the program with "The type of
// AttVec in dependency tree is not defined" and exit status 1.
bool load_deps(Deps& deps, ByteCursor& in);

}  // namespace velmo
