#pragma once
// The dependency format of velmo's output, read into plain trees and written
// from them. The reader takes velmo's standard output as it is: prompts
// ("> ") in front of lines, one "(" ... ")" block per input line.
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "parser/ud/plain_tree.h"

namespace velmo::ud {

struct DepFormatProblem {
  int line = 0;
  std::string message;
};

class DepFormatReader {
 public:
  explicit DepFormatReader(std::istream& in, std::string empty_designator = "()")
      : in_(in), empty_designator_(std::move(empty_designator)) {}
  // Reads the next "(" ... ")" block; false at the end of the input. Lines
  // that cannot be read are reported and skipped; unknown parents and cycles
  // are reported and the nodes put under the top node.
  bool next(PlainTree& tree);
  const std::vector<DepFormatProblem>& problems() const { return problems_; }

 private:
  // What a node line names besides the node: its parent's and antecedent's
  // labels and its parent's root (the governor).
  struct Links {
    std::string parent, antecedent, governor;
  };
  bool read_node(std::string_view line, PlainNode& node, Links& links);
  void resolve(PlainTree& tree, const std::vector<Links>& links, const std::vector<int>& lines);
  void problem(int line, std::string message) { problems_.push_back({line, std::move(message)}); }

  std::istream& in_;
  std::string empty_designator_;
  int line_number_ = 0;
  std::vector<DepFormatProblem> problems_;
};

struct DepFormatStyle {
  std::string empty_designator = "()";
  bool attributes = true;  // write "(atts ...)" when a node has pairs
};

// Writes one tree as velmo prints it, "(" line to ")" line; empty nodes are
// labelled E1, E2, ... in the order of their lines.
void write_dep_format(std::ostream& out, const PlainTree& tree, const DepFormatStyle& style = {});

// The triples format of velmo's -t: for every node in pre-order that has a
// relation and a parent with a category, "parent root TAB parent
// category:relation:category TAB root".
void write_triples_format(std::ostream& out, const PlainTree& tree);

// A word, root or parent root as the dependency format writes it: quoted when
// it holds a blank, tab, line end, double quote, parenthesis, ";", backslash
// or a byte of value 128 or above.
std::string quote_dep_word(std::string_view text);

}  // namespace velmo::ud
