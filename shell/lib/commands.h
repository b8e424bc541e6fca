#pragma once
// The expression function library: integer, text, regular-expression, word
// and output expressions, and the word-list commands.

namespace velmo {

class Interpreter;

// Registers the library's expression kinds and the commands make-word-list
// and add-to-word-list.
void register_library_commands(Interpreter& interpreter);

}  // namespace velmo
