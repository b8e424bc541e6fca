#pragma once

namespace velmo {
class Interpreter;
// Registers the name-space and object-factory commands.
void register_shell_commands(Interpreter& interpreter);
}  // namespace velmo
