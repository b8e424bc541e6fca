#include "parser/output/conllu_output.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "parser/forest/deps.h"
#include "parser/ud/conllu.h"
#include "parser/ud/convert.h"

namespace velmo {

namespace {

// Copies the nodes below the top node in pre-order; antecedents are linked
// once every node has its index.
class PlainCopy {
 public:
  explicit PlainCopy(ud::PlainTree& tree) : tree_(tree) {}

  void copy_below(DepTree& top) {
    std::vector<std::pair<DepTree*, int>> stack;
    for (std::size_t i = top.children().size(); i-- > 0;) stack.emplace_back(top.child(i), ud::kTop);
    while (!stack.empty()) {
      auto [source, parent] = stack.back();
      stack.pop_back();
      int index = copy(*source, parent);
      for (std::size_t i = source->children().size(); i-- > 0;) stack.emplace_back(source->child(i), index);
    }
    for (const auto& [source, index] : index_of_)
      if (const DepTree* antecedent = source->antecedent()) {
        auto found = index_of_.find(antecedent);
        if (found != index_of_.end()) tree_.nodes[index].antecedent = found->second;
      }
  }

 private:
  int copy(DepTree& source, int parent) {
    ud::PlainNode node;
    node.label = source.label();
    // A multi-word item's head stands for the word at its position; the
    // item's other words have nodes of their own.
    if (source.has_word()) {
      node.position = source.position();
      node.word = source.deps().word(source.position());
    }
    if (source.root()) node.root = source.root();
    if (source.category()) node.category = source.category();
    if (source.relation()) node.relation = source.relation();
    node.head = parent;
    int index = tree_.add(std::move(node));
    index_of_.emplace(&source, index);
    return index;
  }

  ud::PlainTree& tree_;
  std::unordered_map<const DepTree*, int> index_of_;
};

}  // namespace

ud::PlainTree plain_tree_of(Deps& deps) {
  ud::PlainTree tree;
  for (int p = 1; p < deps.word_count(); ++p)
    tree.tokens.push_back({std::string(deps.word(p)), !deps.space_before(p).empty()});
  if (!tree.tokens.empty()) tree.tokens.front().space_before = false;
  for (const ud::PlainToken& token : tree.tokens) tree.text.append(token.space_before ? " " : "").append(token.form);
  if (DepTree* top = deps.root()) PlainCopy(tree).copy_below(*top);
  return tree;
}

bool print_conllu(std::ostream& out, Deps* deps, std::string_view line, int number) {
  size_t first = line.find_first_not_of(" \t\r\n");
  size_t last = line.find_last_not_of(" \t\r\n");
  std::string text = first == std::string_view::npos ? "" : std::string(line.substr(first, last - first + 1));
  ud::PlainTree tree;
  if (deps && deps->word_count() > 1) tree = plain_tree_of(*deps);
  // The tokens must spell the line as written: the node words anchor them
  // in the line, so that words the tokenizer split ("--" as two hyphens,
  // "!!") or dropped come out as the line has them.
  ud::attach_text(tree, text);
  tree.text = text;
  // A sentence needs a word: an empty line prints nothing.
  if (tree.tokens.empty()) return false;
  tree.sent_id = std::to_string(number);
  std::string written = ud::conllu_text(ud::scheme_to_ud(tree));
  written.pop_back();  // the blank line is the caller's
  out << written;
  return true;
}

}  // namespace velmo
