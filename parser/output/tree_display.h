#pragma once
// The tree display: nested parenthesised groups, each node written as a
// mark of where its parent lies ("=== " at the same position, "+++ " before
// it, "--- " after it; none for the top node) and its word. A node with more
// than one child starts each child on a new line, indented.
#include <string>

namespace velmo {

class DepTree;

void print_tree_display(std::string& out, DepTree& node, int indent = 0);

}  // namespace velmo
