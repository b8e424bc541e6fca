#include "parser/output/result_format.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/lbitset.h"
#include "parser/forest/deps.h"
#include "parser/output/quoting.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

std::string number_text(float value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// A child lies at or after its parent when its position (or, without one,
// its span) does not come before the parent's.
bool not_before(const DepTree& child, const DepTree& node) {
  if (child.has_word() && node.has_word()) return child.position() >= node.position();
  return child.order_position() >= node.order_position() && child.end() >= node.start();
}

void collect_in_order(DepTree* node, bool is_top, std::vector<DepTree*>& out) {
  bool placed = is_top;
  for (RSTree* c : node->children()) {
    DepTree* child = static_cast<DepTree*>(c);
    if (!placed && not_before(*child, *node)) {
      out.push_back(node);
      placed = true;
    }
    collect_in_order(child, false, out);
  }
  if (!placed) out.push_back(node);
}

void label_all(DepTree* top) {
  for (TPreIterator<DepTree> it(top); !it.done(); it.advance()) it.current()->label();
}

class ResultPrinter {
 public:
  ResultPrinter(std::string& out, Deps& deps, const std::vector<int>* shown) : out_(out), deps_(deps) {
    show_atts_ = shown != nullptr;
    if (shown && !shown->empty()) {  // an empty list shows every attribute
      filter_.emplace();
      for (int index : *shown)
        if (index >= 0) filter_->set(static_cast<std::size_t>(index));
    }
  }

  void print() {
    DepTree* top = deps_.root();
    if (top) label_all(top);
    const ResultFormatFlags& flags = result_format_flags();
    out_ += '(';
    if (!deps_.id().empty()) out_ += ":id " + deps_.id();
    if (flags.print_deptree_weight) out_ += " ;;total-weight " + number_text(total_weight(top));
    out_ += '\n';
    std::vector<bool> has_node(static_cast<std::size_t>(std::max(deps_.word_count(), 1)), false);
    std::vector<DepTree*> nodes = top ? nodes_in_word_order(top) : std::vector<DepTree*>{};
    for (DepTree* node : nodes)
      if (node->has_word() && node->position() < deps_.word_count())
        has_node[static_cast<std::size_t>(node->position())] = true;
    int next_word = 1;
    for (DepTree* node : nodes) {
      if (node->has_word()) {
        for (; next_word < node->position() && next_word < deps_.word_count(); ++next_word)
          if (!has_node[static_cast<std::size_t>(next_word)]) print_bare_word(next_word, true);
        if (next_word == node->position()) ++next_word;
      }
      print_node(*node);
    }
    for (; next_word < deps_.word_count(); ++next_word)
      if (!has_node[static_cast<std::size_t>(next_word)]) print_bare_word(next_word, false);
    print_assertions();
  }

 private:
  static float total_weight(DepTree* top) {
    float sum = 0.0f;
    if (top)
      for (TPreIterator<DepTree> it(top); !it.done(); it.advance()) sum += it.current()->weight();
    return sum;
  }

  bool no_gap_after(int position) const {
    return position + 1 < deps_.word_count() && deps_.space_before(position + 1).empty();
  }

  void print_bare_word(int position, bool mark_no_gap) {
    out_ += std::to_string(position);
    out_ += "\t(";
    append_tree_quoted(out_, deps_.word(position), true);
    out_ += ')';
    if (mark_no_gap && no_gap_after(position)) out_ += " :nogap";
    out_ += '\n';
  }

  void print_node(DepTree& node) {
    const ResultFormatFlags& flags = result_format_flags();
    out_ += node.label();
    out_ += "\t(";
    const std::string word = node.word();
    if (word.empty())
      out_ += "()";
    else
      append_tree_quoted(out_, word, true);
    out_ += '\t';
    if (!node.root() || equal_nocase(node.root(), word))
      out_ += '~';
    else
      append_tree_quoted(out_, node.root(), true);
    out_ += ' ';
    out_ += node.category() ? node.category() : "U";
    out_ += '\t';
    print_parent_reference(node);
    if (node.relation()) {
      out_ += '\t';
      append_tree_quoted(out_, node.relation(), true);
    }
    DepTree* parent = node.parent();
    if (flags.print_gov && parent && parent->root()) {
      out_ += "\t(gov ";
      append_tree_quoted(out_, parent->root(), true);
      out_ += ')';
    }
    for (const DepProperty& p : node.properties()) {
      out_ += " (";
      out_ += p.name;
      out_ += ' ';
      if (p.node)
        out_ += p.node->label();
      else if (p.text)
        append_tree_quoted(out_, p.text, true);
      out_ += ')';
    }
    if (show_atts_ && node.atts()) {
      const std::string text = node.atts()->text(filter_ ? &*filter_ : nullptr);
      out_ += "\t(atts ";
      out_ += std::string_view(text).substr(1, text.size() - 2);
      out_ += ')';
    }
    if (flags.print_deptree_weight) out_ += " (w " + number_text(node.weight()) + ")";
    out_ += ')';
    if (node.has_word() && node.position() > 1 && no_gap_after(node.position())) out_ += " :nogap";
    out_ += '\n';
  }

  void print_parent_reference(DepTree& node) {
    DepTree* parent = node.parent();
    if (!parent || (parent->start() < 0 && parent->end() < 0))
      out_ += '*';
    else
      out_ += parent->label();
  }

  void print_assertions() {
    if (!deps_.assertions().empty()) {
      out_ += "assertions: (\n";
      for (const std::string& assertion : deps_.assertions()) out_ += " " + assertion + "\n";
      out_ += " )\n";
    }
    out_ += ")\n";
  }

  std::string& out_;
  Deps& deps_;
  bool show_atts_ = false;
  std::optional<LBitSet> filter_;
};

}  // namespace

ResultFormatFlags& result_format_flags() {
  static ResultFormatFlags flags;
  return flags;
}

std::vector<DepTree*> nodes_in_word_order(DepTree* top) {
  std::vector<DepTree*> nodes;
  if (top) collect_in_order(top, true, nodes);
  return nodes;
}

void print_result_format(std::string& out, Deps& deps, const std::vector<int>* shown) {
  ResultPrinter(out, deps, shown).print();
}

}  // namespace velmo
