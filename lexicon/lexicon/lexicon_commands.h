#pragma once
// The lexicon command group: lexicons and meaning kinds, the offline tools
// over lexicon files, and the expression functions on words and meanings.

namespace velmo {

class Interpreter;

void register_lexicon_commands(Interpreter& interpreter);

// The parts of the group, registered by register_lexicon_commands.
void register_lexicon_tool_commands(Interpreter& interpreter);
void register_lexicon_functions();

}  // namespace velmo
