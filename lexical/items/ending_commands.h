#pragma once
// The ending commands: def-endings, and the ending tables that lexicons made
// with `make-lexicon ... :ending-table` use for root finding.

namespace velmo {

class Interpreter;

void register_ending_commands(Interpreter& interpreter);
// Lets lexicons build, use and destroy ending tables (part of the above).
void install_ending_table_support();

}  // namespace velmo
