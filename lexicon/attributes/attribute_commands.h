#pragma once

namespace velmo {
class Interpreter;
// Registers the commands that declare attributes, attribute vector types,
// vectors, aliases and attribute sets, and the attribute prototypes.
void register_attribute_commands(Interpreter& interpreter);
}  // namespace velmo
