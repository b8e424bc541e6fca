#include "parser/output/conllu_output.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "parser/forest/deps.h"
#include "parser/ud/conllu.h"
#include "parser/ud/convert.h"

namespace velmo {

namespace {

// Copies the nodes below the top node in pre-order; antecedents are linked
// once every node has its index. The order is found first, so that the
// nodes are made in place in an array of their number (a node holds five
// texts: moving them as the array grew cost more than making them).
class PlainCopy {
 public:
  explicit PlainCopy(ud::PlainTree& tree) : tree_(tree) {}

  void copy_below(DepTree& top) {
    // (source, parent's index): a node's index is its place in this list.
    std::vector<std::pair<DepTree*, int>> order;
    std::vector<std::pair<DepTree*, int>> stack;
    for (std::size_t i = top.children().size(); i-- > 0;) stack.emplace_back(top.child(i), ud::kTop);
    while (!stack.empty()) {
      const auto [source, parent] = stack.back();
      stack.pop_back();
      const int index = static_cast<int>(tree_.nodes.size() + order.size());
      order.emplace_back(source, parent);
      for (std::size_t i = source->children().size(); i-- > 0;) stack.emplace_back(source->child(i), index);
    }
    tree_.nodes.reserve(tree_.nodes.size() + order.size());
    for (const auto& [source, parent] : order) copy(*source, parent);
    link_antecedents(order);
  }

 private:
  // The text of a multi-word item whose words are written together and
  // make a web or mail address, else "".
  static std::string glued_address(const DepTree& source) {
    if (source.end() <= source.start() || source.position() != source.start()) return {};
    for (int p = source.start() + 1; p <= source.end(); ++p)
      if (!source.deps().space_before(p).empty()) return {};
    std::string text = source.word();
    return ud::is_address(text) ? text : std::string();
  }

  void copy(DepTree& source, int parent) {
    ud::PlainNode& node = tree_.nodes.emplace_back();
    node.label = source.label();
    // A multi-word item's head stands for the word at its position; the
    // item's other words have nodes of their own. A web address the
    // tokenizer cut at its marks and the lexicon joined again is one word
    // of the line: its head carries all of it, as the dependency format
    // prints it, so that it stays one token.
    if (source.has_word()) {
      node.position = source.position();
      node.word = glued_address(source);
      if (node.word.empty()) node.word = source.deps().word(source.position());
    }
    if (source.root()) node.root = source.root();
    if (source.category()) node.category = source.category();
    if (source.relation()) node.relation = source.relation();
    node.head = parent;
  }

  // A node's antecedent is found among the copied nodes by address, in a
  // sorted list made when the first antecedent is met (most trees have none).
  void link_antecedents(const std::vector<std::pair<DepTree*, int>>& order) {
    const int first = static_cast<int>(tree_.nodes.size() - order.size());
    std::vector<std::pair<const DepTree*, int>> by_address;
    for (std::size_t i = 0; i < order.size(); ++i) {
      const DepTree* antecedent = order[i].first->antecedent();
      if (!antecedent) continue;
      if (by_address.empty()) {
        for (std::size_t j = 0; j < order.size(); ++j) by_address.emplace_back(order[j].first, first + static_cast<int>(j));
        std::sort(by_address.begin(), by_address.end());
      }
      const auto found = std::lower_bound(by_address.begin(), by_address.end(), std::pair{antecedent, 0},
                                          [](const auto& a, const auto& b) { return a.first < b.first; });
      if (found != by_address.end() && found->first == antecedent)
        tree_.nodes[first + static_cast<int>(i)].antecedent = found->second;
    }
  }

  ud::PlainTree& tree_;
};

}  // namespace

ud::PlainTree plain_tree_of(Deps& deps) {
  ud::PlainTree tree;
  tree.tokens.reserve(static_cast<std::size_t>(deps.word_count()));
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
  std::string written = ud::conllu_text(ud::scheme_to_ud(std::move(tree)));
  written.pop_back();  // the blank line is the caller's
  out << written;
  return true;
}

}  // namespace velmo
