// Components of a dependency-tree node, as adaptors: the input is a node
// ("RSTree*"); a value that is not a node gives nothing. Texts that are
// built are kept by the node's Deps, as long as the tree.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "lexicon/attributes/att_expressions.h"
#include "parser/forest/deps.h"
#include "shell/lexp/adaptors.h"
#include "shell/lexp/native.h"
#include "treerules/functions/tree_function_support.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/node_guard.h"

namespace velmo {

// Every tree node the expression language reaches is made by a Deps, so
// the conversion needs no run-time check.
DepTree* as_dep_tree(RSTree* node) { return static_cast<DepTree*>(node); }

std::string_view category_key(const DepTree& node) {
  const char* category = node.category();
  if (!category) return {};
  std::string_view text(category);
  if (text.empty() || text.front() == '_' || text == "NN") return "N";
  return text.substr(0, text.find('_'));
}

int node_place(const DepTree& node) { return node.position() >= 0 ? node.position() : node.start(); }

Word keep_text(const DepTree& node, std::string_view text) { return to_word(node.deps().keep(text)); }

namespace {

DepTree* dep(Word input) { return as_dep_tree(from_word<RSTree>(input)); }

// The words start..end of the node's sentence, when the span is real.
Word span_text(const DepTree& node, int start, int end) {
  if (start < 1 || end < 1 || start > end) return 0;
  return keep_text(node, node.deps().words_between(start, end));
}

Word node2word(Word input) {
  DepTree* node = dep(input);
  return node ? span_text(*node, node->start(), node->end()) : 0;
}

Word node2maxp(Word input) {
  DepTree* node = dep(input);
  if (!node) return 0;
  int low = node->start() >= 1 ? node->start() : 0, high = node->end();
  for (TPreIterator<DepTree> it(node); !it.done(); it.advance()) {
    const DepTree* d = it.current();
    if (d->start() < 1 || d->start() > d->end()) continue;
    low = low == 0 ? d->start() : std::min(low, static_cast<int>(d->start()));
    high = std::max(high, static_cast<int>(d->end()));
  }
  return span_text(*node, low, high);
}

Word node2root(Word input) {
  DepTree* node = dep(input);
  return node ? to_word(node->root()) : 0;
}
Word node2attvec(Word input) {
  DepTree* node = dep(input);
  return node ? to_word(node->atts()) : 0;
}
Word depnode_pos(Word input) {
  DepTree* node = dep(input);
  return node ? static_cast<Word>(node_place(*node)) : 0;
}
Word depnode_low(Word input) {
  DepTree* node = dep(input);
  return node ? static_cast<Word>(node->start()) : 0;
}
Word depnode_high(Word input) {
  DepTree* node = dep(input);
  return node ? static_cast<Word>(node->end()) : 0;
}
Word dist_to_parent(Word input) {
  DepTree* node = dep(input);
  if (!node || !node->parent()) return 0;
  return static_cast<Word>(std::abs(node_place(*node->parent()) - node_place(*node)));
}
Word node2ante(Word input) {
  DepTree* node = dep(input);
  return node ? to_word(static_cast<RSTree*>(node->antecedent())) : 0;
}
Word node_deps(Word input) {
  DepTree* node = dep(input);
  return node ? to_word(&node->deps()) : 0;
}
Word word_after(Word input) {
  DepTree* node = dep(input);
  if (!node || node->end() < 0 || node->end() + 1 >= node->deps().word_count()) return 0;
  return keep_text(*node, node->deps().word(node->end() + 1));
}
Word word_before(Word input) {
  DepTree* node = dep(input);
  if (!node || node->start() < 2) return 0;
  return keep_text(*node, node->deps().word(node->start() - 1));
}
Word spaces_before(Word input) {
  DepTree* node = dep(input);
  if (!node || node->start() < 1 || node->start() > node->end()) return 0;
  std::string text(node->deps().space_before(node->start()));
  for (int p = node->start() + 1; p <= node->end(); ++p) {
    const std::string_view space = node->deps().space_before(p);
    if (!space.empty()) text += '|';
    text += space;
  }
  return keep_text(*node, text);
}

}  // namespace

void register_tree_accessors() {
  const char* node = "RSTree*";
  const char* text = "char*";
  const char* integer = "int";
  register_adaptor("node2word", &node2word, node, text,
                   "(node2word [LEXP]) the words of the node's span, joined; nothing for a span below word 1");
  register_adaptor("node2minp", &node2word, node, text, "(node2minp [LEXP]) the words of the node's own span");
  register_adaptor("node2maxp", &node2maxp, node, text,
                   "(node2maxp [LEXP]) the words covered by the node and all its descendants");
  register_adaptor("node2root", &node2root, node, text, "(node2root [LEXP]) the root form");
  // cat and rel are a kind of their own: conditions that start with them
  // are recognised and tested cheaply (patterns/node_guard.h).
  register_lexp(std::make_unique<NodeTextAdaptor>("cat", NodeTextField::kCategory), nullptr,
                "(cat [LEXP]) the category");
  register_lexp(std::make_unique<NodeTextAdaptor>("rel", NodeTextField::kRelation), nullptr,
                "(rel [LEXP]) the relation to the parent");
  register_adaptor("node2attvec", &node2attvec, node, kAttVecType, "(node2attvec [LEXP]) the attribute vector");
  register_adaptor("depnode-pos", &depnode_pos, node, integer,
                   "(depnode-pos [LEXP]) the position, or the span start for a node without one");
  register_adaptor("depnode-low", &depnode_low, node, integer, "(depnode-low [LEXP]) the span start");
  register_adaptor("depnode-high", &depnode_high, node, integer, "(depnode-high [LEXP]) the span end");
  register_adaptor("dist-to-parent", &dist_to_parent, node, integer,
                   "(dist-to-parent [LEXP]) the distance between the node's and its parent's positions");
  register_adaptor("node2ante", &node2ante, node, node, "(node2ante [LEXP]) the antecedent");
  register_adaptor("node2antecedent", &node2ante, node, node, "(node2antecedent [LEXP]) the antecedent");
  register_adaptor("deps", &node_deps, node, "Deps*", "(deps [LEXP]) the tree the node belongs to");
  register_adaptor("word-after", &word_after, node, text, "(word-after [LEXP]) the word after the node's span");
  register_adaptor("word-before", &word_before, node, text, "(word-before [LEXP]) the word before the node's span");
  register_adaptor("spaces-before", &spaces_before, node, text,
                   "(spaces-before [LEXP]) the white space before the node's words, \"|\" between words");
}

}  // namespace velmo
