#pragma once
// Commands that parse a sentence and print its tree: `parse`, `p`, `p2`,
// `p3`, `reparse`, `rp`, and the flags of the result format
// (`print-governor`, `print-deptree-weight`).

namespace velmo {

class Interpreter;

void register_output_commands(Interpreter& interpreter);

}  // namespace velmo
