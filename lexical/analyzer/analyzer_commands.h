#pragma once
// The commands of the lexical analyzer: make-lex-analyzer, def-rules,
// insert-lex-rules, debug-rules, the two marker commands and make-llrule;
// with them the expression functions of the lexical layer.
namespace velmo {

class Interpreter;

void register_analyzer_commands(Interpreter& interpreter);

}  // namespace velmo
