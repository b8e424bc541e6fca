#pragma once
// The expression functions over dependency trees: components of a node
// (node2word, cat, rel, ...), properties, searches and edits, reading trees
// in the result format, and printing.
#include <string_view>

#include "parser/forest/deps.h"

namespace velmo {

class Interpreter;
class RSTree;
class TreeModifier;

// The dependency-tree node behind an expression value of type "RSTree*",
// or null when the value is not one.
DepTree* as_dep_tree(RSTree* node);

// The key of a node's category in relation names: the category up to its
// first "_", "N" for a category that starts with "_" or is "NN", empty
// without category.
std::string_view category_key(const DepTree& node);

// Reads a tree written in the result format; problems are reported and the
// tree is read as far as it goes. Null when the text holds no tree at all.
Deps* read_result_format(std::string_view text);

void register_tree_functions(Interpreter& interpreter);

}  // namespace velmo
