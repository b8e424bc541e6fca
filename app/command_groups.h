#pragma once

namespace velmo {
class Interpreter;
// Lets every command group of the system register its commands.
void register_command_groups(Interpreter& interpreter);
}  // namespace velmo
