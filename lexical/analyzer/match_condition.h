#pragma once
// Whether an expression on a match only reads the sentence: the test of a
// rule's (when COND ...) action that may then run while the item-test memo
// keeps its answers (see LexRule::apply).
#include "shell/lexp/lexp.h"

namespace velmo {

// True when evaluating `exp` on a "Match*" can change no item, no position
// set and nothing else the memo's answers depend on. Unknown forms count as
// changing something.
bool reads_only_on_match(const LExp& exp);

}  // namespace velmo
