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

// True when evaluating `exp` on a "Match*" can at most take items out of
// the lattice: it reads only, or deletes with (delete ITEM) where ITEM only
// reads, or combines such forms with when, prog and the connectives. No
// item's attribute vector changes.
bool deletes_only_on_match(const LExp& exp);

}  // namespace velmo
