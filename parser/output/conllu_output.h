#pragma once
// The CoNLL-U output of velmo (option -u): a sentence's dependency tree
// handed to the UD bridge, which converts it to Universal Dependencies.
#include <ostream>
#include <string_view>

#include "parser/ud/plain_tree.h"

namespace velmo {

class Deps;

// The tree of `deps` as a plain tree: the sentence's words as tokens, one
// node per tree node below the top node, antecedents kept.
ud::PlainTree plain_tree_of(Deps& deps);

// Prints one sentence in CoNLL-U, numbered `number`, from the tree of
// `deps`, or from the words of `line` when there is no tree; nothing for a
// line without words. The blank line that ends the sentence is left to the
// caller.
// True when a sentence was printed.
bool print_conllu(std::ostream& out, Deps* deps, std::string_view line, int number);

}  // namespace velmo
