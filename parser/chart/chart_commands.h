#pragma once
// Commands on the chart of the current parser: its per-sentence reset, the
// statistics of the last sentence and the listing of its lexical items.
#include <ostream>

namespace velmo {

class Interpreter;
struct ParseStats;

// One line: ";; words: 5 lexical: 6 items: 120 packed: 8 merged: 40
// coordinated: 0 roots: 3 passes: 1 pool: ok" ("passes: 2" when no item of
// the first pass covered the sentence and the pass with the last-resort
// links ran; "pool: exhausted" when it ran out, "pool: exhausted in entry"
// when that stopped the sentence).
void print_parse_stats(std::ostream& out, const ParseStats& stats);

void register_chart_commands(Interpreter& interpreter);

}  // namespace velmo
