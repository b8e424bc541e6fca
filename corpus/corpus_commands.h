#pragma once
// The commands of disk-backed databases and of the triple-count database.

namespace velmo {

class Interpreter;

void register_corpus_commands(Interpreter& interpreter);

}  // namespace velmo
