#pragma once
// The two converters between Universal Dependencies and the English scheme
// (data/en/SCHEME.md). Each restructuring step of one is undone by the other
// in reverse order, so gold UD trees come back nearly unchanged.
#include <string_view>

#include "parser/ud/conllu.h"
#include "parser/ud/plain_tree.h"

namespace velmo::ud {

struct UdToSchemeOptions {
  bool empty_nodes = true;  // logical subjects and objects with antecedents
  bool features = false;    // UD FEATS (and XPOS) as attribute pairs
};

PlainTree ud_to_scheme(const UdSentence& sentence, const UdToSchemeOptions& options = {});

struct SchemeToUdOptions {
  bool scheme_in_misc = true;  // Rel= and Cat= of our scheme in MISC
};

// Tokens that have no node are attached by UD's rules; a tree without nodes
// still gives a valid sentence. Words come from `tree.tokens` where given,
// else from the nodes.
UdSentence scheme_to_ud(const PlainTree& tree, const SchemeToUdOptions& options = {});
// The same, taking the tree's nodes instead of copying them: the tree is
// left without nodes.
UdSentence scheme_to_ud(PlainTree&& tree, const SchemeToUdOptions& options = {});

// Fills `tree.tokens` (and `tree.text`) from the input line the tree was
// parsed from: node words are anchors at their positions, the text between
// them is split at blanks and around punctuation.
void attach_text(PlainTree& tree, std::string_view line);

// A web or mail address (http://..., www...., ann@x.com): one token that
// keeps every character.
bool is_address(std::string_view form);

}  // namespace velmo::ud
