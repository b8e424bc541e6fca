#pragma once

namespace velmo {
class Interpreter;
// Registers the commands of the attributes-and-lexicon subsystem.
void register_lexicon_commands(Interpreter& interpreter);
}  // namespace velmo
