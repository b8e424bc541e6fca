#include "lexicon/commands.h"

namespace velmo {

void register_lexicon_commands(Interpreter&) {}

}  // namespace velmo
