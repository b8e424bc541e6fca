#pragma once
// Heads for the tokens of a sentence that have none: those that got no node
// from the parser and the punctuation marks the conversion places anew, by
// the treebank's conventions for punctuation.
#include <string>
#include <vector>

#include "parser/ud/plain_tree.h"

namespace velmo::ud {

// `heads[p]` and `relations[p]` for positions 1..tokens.size(): head 0 is
// the root, -1 a token without head. Every token without head gets one: the
// partner bracket's or quote's phrase, the fronted phrase a mark closes, else
// the phrase it opens (a conjunct, an apposition, an adjunct), the word a
// hyphen joins, or the lowest word above both neighbours; the
// relation is "punct" for punctuation and "dep" for other words. The attached
// tokens must form one tree with one root.
void attach_loose_tokens(const std::vector<PlainToken>& tokens, std::vector<int>& heads,
                         std::vector<std::string>& relations);

}  // namespace velmo::ud
