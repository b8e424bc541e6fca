#pragma once
// The result format of `parse` and `p`: every node with its label, word,
// root, category, parent reference, relation and properties, with the
// words that have no node of their own, ":nogap" marks where the text had no
// white space, and the assertions of the tree.
#include <string>
#include <vector>

namespace velmo {

class Deps;
class DepTree;

// The process-wide flags of `print-governor` and `print-deptree-weight`.
struct ResultFormatFlags {
  bool print_gov = false;
  bool print_deptree_weight = false;
};
ResultFormatFlags& result_format_flags();

// Writes `deps` in the result format; `shown` lists the attribute indices
// written in "(atts" (null: no attributes; an empty list: all). Labels
// missing on nodes are given first.
void print_result_format(std::string& out, Deps& deps, const std::vector<int>* shown);

// Every node of the tree other than the top node, in word order (a node
// right before its first child that does not lie before it).
std::vector<DepTree*> nodes_in_word_order(DepTree* top);

}  // namespace velmo
