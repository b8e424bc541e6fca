#pragma once
// The lexical pattern group: the "LPattern" kinds of the object factory and
// the expression functions that read matches (litem, meaning, low, high,
// matching-word, analyzer, $, foreach-match-component).

namespace velmo {

class Interpreter;

void register_pattern_commands(Interpreter& interpreter);

// The expression functions on matches (part of the above).
void register_match_functions();

}  // namespace velmo
