#pragma once
// The commands that define a grammar: the parser, its categories, positions
// and links, their conditions and weights, and the root table.
namespace velmo {

class Interpreter;

void register_grammar_commands(Interpreter& interpreter);

}  // namespace velmo
