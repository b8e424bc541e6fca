#include "parser/output/tree_display.h"

#include "parser/forest/dep_tree.h"

namespace velmo {
namespace {

const char* parent_mark(const DepTree& node) {
  const DepTree* parent = node.parent();
  if (!parent) return "";
  const int own = node.order_position(), theirs = parent->order_position();
  if (theirs == own) return "=== ";
  return theirs < own ? "+++ " : "--- ";
}

}  // namespace

void print_tree_display(std::string& out, DepTree& node, int indent) {
  out += '(';
  out += parent_mark(node);
  out += node.word();
  const auto& children = node.children();
  if (children.size() == 1) {
    out += ' ';
    print_tree_display(out, *static_cast<DepTree*>(children.front()), indent + 1);
  } else {
    for (RSTree* child : children) {
      out += '\n';
      out.append(static_cast<std::size_t>(indent + 2), ' ');
      print_tree_display(out, *static_cast<DepTree*>(child), indent + 2);
    }
  }
  out += ')';
}

}  // namespace velmo
