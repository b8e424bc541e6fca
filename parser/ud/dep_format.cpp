#include "parser/ud/dep_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <unordered_map>

#include "parser/ud/scheme.h"

namespace velmo::ud {

namespace {

bool needs_quotes(std::string_view text) {
  for (unsigned char c : text)
    if (c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == '"' || c == '(' || c == ')' || c == ';' || c == '\\' ||
        c >= 128)
      return true;
  return false;
}

// A cursor over one line of the format.
class LineCursor {
 public:
  explicit LineCursor(std::string_view line) : line_(line) {}
  bool at_end() const { return at_ >= line_.size(); }
  char peek() const { return at_end() ? '\0' : line_[at_]; }
  bool take(char c) {
    if (peek() != c || at_end()) return false;
    ++at_;
    return true;
  }
  bool take(std::string_view text) {
    if (line_.substr(at_, text.size()) != text) return false;
    at_ += text.size();
    return true;
  }
  // Characters up to (not including) any of `stops`.
  std::string_view until(std::string_view stops) {
    size_t end = line_.find_first_of(stops, at_);
    if (end == std::string_view::npos) end = line_.size();
    std::string_view result = line_.substr(at_, end - at_);
    at_ = end;
    return result;
  }
  // A double-quoted text with backslash escapes; the cursor stands on the
  // opening quote.
  bool quoted(std::string& out) {
    if (!take('"')) return false;
    while (!at_end()) {
      char c = line_[at_++];
      if (c == '"') return true;
      if (c == '\\' && !at_end()) c = line_[at_++];
      out += c;
    }
    return false;
  }
  // A word: quoted, or everything up to one of `stops`.
  bool word(std::string& out, std::string_view stops) {
    if (peek() == '"') return quoted(out);
    out = until(stops);
    return true;
  }

 private:
  std::string_view line_;
  size_t at_ = 0;
};

std::string_view strip_prompts(std::string_view line) {
  while (line.substr(0, 2) == "> ") line.remove_prefix(2);
  if (line == ">") line = "";
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

std::string quote_dep_word(std::string_view text) {
  if (!needs_quotes(text)) return std::string(text);
  std::string result = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') result += '\\';
    result += c;
  }
  result += '"';
  return result;
}

bool DepFormatReader::read_node(std::string_view line, PlainNode& node, Links& links) {
  LineCursor cursor(line);
  node.label = cursor.until("\t");
  if (node.label.empty() || !cursor.take('\t') || !cursor.take('(')) return false;
  if (std::isdigit(static_cast<unsigned char>(node.label[0]))) {
    auto [end, error] = std::from_chars(node.label.data(), node.label.data() + node.label.size(), node.position);
    if (error != std::errc() || end != node.label.data() + node.label.size() || node.position <= 0) return false;
  }
  // Word, or the empty-category designator.
  if (cursor.peek() == '"') {
    if (!cursor.quoted(node.word)) return false;
  } else {
    std::string_view word = cursor.until("\t");
    if (word != empty_designator_) node.word = word;
  }
  if (!cursor.take('\t')) return false;
  // Root and category, separated by the last blank of the field.
  std::string root;
  bool root_quoted = cursor.peek() == '"';
  if (root_quoted) {
    if (!cursor.quoted(root) || !cursor.take(' ')) return false;
    node.category = cursor.until("\t");
  } else {
    std::string_view field = cursor.until("\t");
    size_t blank = field.rfind(' ');
    if (blank == std::string_view::npos) return false;
    root = field.substr(0, blank);
    node.category = field.substr(blank + 1);
  }
  if (node.category == "U") node.category.clear();
  node.root = (!root_quoted && root == "~") ? node.word : root;
  node.root_case_unknown = !root_quoted && root == "~";
  if (!cursor.take('\t')) return false;
  links.parent = cursor.until("\t");
  if (links.parent.empty() || !cursor.take('\t')) return false;
  node.relation = cursor.until("\t)");
  while (cursor.take('\t')) {
    if (cursor.take("(gov ")) {
      if (!cursor.word(links.governor, ")") || !cursor.take(')')) return false;
    } else if (cursor.take("(antecedent ")) {
      links.antecedent = cursor.until(")");
      if (!cursor.take(')')) return false;
    } else if (cursor.take("(atts")) {
      while (cursor.take(" (")) {
        std::string name(cursor.until(" )"));
        std::string value;
        if (!cursor.take(' ') || !cursor.word(value, ")") || !cursor.take(')')) return false;
        node.atts.emplace_back(std::move(name), std::move(value));
      }
      if (!cursor.take(')')) return false;
    } else {
      return false;
    }
  }
  return cursor.take(')') && cursor.at_end();
}

bool DepFormatReader::next(PlainTree& tree) {
  tree = PlainTree();
  std::string raw;
  bool inside = false;
  std::vector<Links> links;
  std::vector<int> lines;
  while (std::getline(in_, raw)) {
    ++line_number_;
    std::string_view line = strip_prompts(raw);
    if (!inside) {
      if (line == "(") inside = true;
      continue;
    }
    if (line == ")") {
      resolve(tree, links, lines);
      return true;
    }
    if (line.empty()) continue;
    PlainNode node;
    Links node_links;
    if (!read_node(line, node, node_links)) {
      problem(line_number_, "unreadable node line: " + std::string(line));
      continue;
    }
    tree.add(std::move(node));
    links.push_back(std::move(node_links));
    lines.push_back(line_number_);
  }
  if (inside) {
    problem(line_number_, "the input ends inside a tree");
    resolve(tree, links, lines);
    return true;
  }
  return false;
}

void DepFormatReader::resolve(PlainTree& tree, const std::vector<Links>& links, const std::vector<int>& lines) {
  std::unordered_map<std::string, int> by_label;
  for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i)
    if (!by_label.emplace(tree.nodes[i].label, i).second)
      problem(lines[i], "label " + tree.nodes[i].label + " is used twice");
  for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) {
    PlainNode& node = tree.nodes[i];
    node.head = kTop;
    if (links[i].parent != "*") {
      auto found = by_label.find(links[i].parent);
      if (found == by_label.end())
        problem(lines[i], "unknown parent " + links[i].parent + " of node " + node.label);
      else
        node.head = found->second;
    }
    if (!links[i].antecedent.empty()) {
      auto found = by_label.find(links[i].antecedent);
      if (found == by_label.end())
        problem(lines[i], "unknown antecedent " + links[i].antecedent + " of node " + node.label);
      else
        node.antecedent = found->second;
    }
  }
  // "~" gives a root the word's spelling; a dependent's governor keeps the
  // root's own case (Space Station: "space station").
  for (int i = 0; i < static_cast<int>(tree.nodes.size()); ++i) {
    const int head = tree.nodes[i].head;
    if (head == kTop || links[i].governor.empty()) continue;
    PlainNode& parent = tree.nodes[head];
    if (parent.root == parent.word && equal_ignoring_case(parent.root, links[i].governor)) {
      parent.root = links[i].governor;
      parent.root_case_unknown = false;
    }
  }
  // A node that is its own ancestor is put under the top node; that cuts
  // the cycle.
  const int n = static_cast<int>(tree.nodes.size());
  std::vector<char> state(n, 0);
  for (int start = 0; start < n; ++start) {
    std::vector<int> path;
    int at = start;
    while (at != kTop && state[at] == 0) {
      state[at] = 1;
      path.push_back(at);
      at = tree.nodes[at].head;
    }
    if (at != kTop && state[at] == 1) {
      problem(lines[at], "node " + tree.nodes[at].label + " is its own ancestor");
      tree.nodes[at].head = kTop;
    }
    for (int node : path) state[node] = 2;
  }
}

namespace {

class DepFormatWriter {
 public:
  DepFormatWriter(std::ostream& out, const PlainTree& tree, const DepFormatStyle& style)
      : out_(out), tree_(tree), style_(style), index_(tree), labels_(tree.nodes.size()) {}

  void write() {
    // Labels first: antecedents may be printed before the node they name.
    int empty_count = 0;
    std::vector<int> order;
    collect(kTop, order);
    for (int node : order)
      labels_[node] = tree_.nodes[node].is_empty() ? std::string("E").append(std::to_string(++empty_count))
                                                   : std::to_string(tree_.nodes[node].position);
    out_ << "(\n";
    for (int node : order) write_line(node);
    out_ << ")\n";
  }

 private:
  // Nodes in line order: a node comes right before its first child at a
  // position not below its own, or after all its children.
  void collect(int parent, std::vector<int>& order) {
    for (int child : ordered_children(index_, parent)) collect_one(child, order);
  }
  void collect_one(int node, std::vector<int>& order) {
    int own = sort_key(index_, node);
    bool written = false;
    for (int child : ordered_children(index_, node)) {
      if (!written && sort_key(index_, child) >= own) {
        order.push_back(node);
        written = true;
      }
      collect_one(child, order);
    }
    if (!written) order.push_back(node);
  }

  void write_line(int index) {
    const PlainNode& node = tree_.nodes[index];
    out_ << labels_[index] << "\t(";
    out_ << (node.word.empty() ? style_.empty_designator : quote_dep_word(node.word)) << '\t';
    if (!node.root.empty()) {
      if (node.word.empty())
        out_ << node.root;
      else if (equal_ignoring_case(node.root, node.word))
        out_ << '~';
      else
        out_ << quote_dep_word(node.root);
    }
    out_ << ' ' << (node.category.empty() ? "U" : node.category) << '\t';
    const PlainNode* parent = node.head == kTop ? nullptr : &tree_.nodes[node.head];
    out_ << (parent ? labels_[node.head] : "*") << '\t' << node.relation;
    if (parent && !parent->root.empty()) out_ << "\t(gov " << quote_dep_word(parent->root) << ')';
    if (node.antecedent >= 0) out_ << "\t(antecedent " << labels_[node.antecedent] << ')';
    if (style_.attributes && !node.atts.empty()) {
      out_ << "\t(atts";
      for (const auto& [name, value] : node.atts) out_ << " (" << name << ' ' << value << ')';
      out_ << ')';
    }
    out_ << ")\n";
  }

  std::ostream& out_;
  const PlainTree& tree_;
  const DepFormatStyle& style_;
  TreeIndex index_;
  std::vector<std::string> labels_;
};

}  // namespace

void write_dep_format(std::ostream& out, const PlainTree& tree, const DepFormatStyle& style) {
  DepFormatWriter(out, tree, style).write();
}

void write_triples_format(std::ostream& out, const PlainTree& tree) {
  TreeIndex index(tree);
  std::vector<int> stack;
  std::vector<int> top = ordered_children(index, kTop);
  stack.assign(top.rbegin(), top.rend());
  while (!stack.empty()) {
    int node = stack.back();
    stack.pop_back();
    const PlainNode& n = tree.nodes[node];
    if (!n.relation.empty() && n.head != kTop && !tree.nodes[n.head].category.empty()) {
      const PlainNode& parent = tree.nodes[n.head];
      out << parent.root_or_word() << '\t' << parent.category << ':' << n.relation << ':' << n.category << '\t'
          << n.root_or_word() << '\n';
    }
    std::vector<int> children = ordered_children(index, node);
    stack.insert(stack.end(), children.rbegin(), children.rend());
  }
}

}  // namespace velmo::ud
