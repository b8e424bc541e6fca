#pragma once

namespace velmo {
class Interpreter;
// Registers the tokenizer commands: def-tokenizer, def-socket-tokenizer,
// double-byte and test-tokenizer.
void register_tokenizer_commands(Interpreter& interpreter);
}  // namespace velmo
