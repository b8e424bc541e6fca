// Tree functions that print or collect parts of a tree: the tree display
// (print-dep-tree), the result format (save-deps, print-deps,
// print-sub-deps), words and context (print-words, get-words,
// print-context), relations (print-rel), leaves (print-leaf), attachment
// points, chunks (get-chunk), and the searches minimal-across and pre-head.
#include <iostream>
#include <string>
#include <vector>

#include "lexicon/attributes/att_expressions.h"
#include "lexicon/attributes/lbitset.h"
#include "parser/forest/deps.h"
#include "parser/output/result_format.h"
#include "treerules/functions/tree_function_support.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/patterns/tree_patterns.h"

namespace velmo {
namespace {

DepTree* dep(Word value) { return as_dep_tree(from_word<RSTree>(value)); }

// An argument value with the type of the expression that yielded it, so
// stream arguments of any stream type can be used.
struct Arg {
  Word value = 0;
  TypeId type = kAnyType;
};
using Args = std::vector<Arg>;

Word arg(const Args& args, std::size_t i) { return i < args.size() ? args[i].value : 0; }
DepTree* node_arg(const Args& args, std::size_t i) { return dep(arg(args, i)); }
// The i-th argument as an output stream; standard output when absent.
std::ostream& stream_arg(const Args& args, std::size_t i) {
  std::ostream* out = i < args.size() ? as_output_stream(args[i].value, args[i].type) : nullptr;
  return out ? *out : std::cout;
}
const LBitSet* positions_arg(const Args& args, std::size_t i) { return from_word<const LBitSet>(arg(args, i)); }
bool selected(const LBitSet* set, const DepTree& node) {
  return !set || (node_place(node) >= 0 && set->test(static_cast<std::size_t>(node_place(node))));
}

// A function whose arguments are all evaluated with the input and handed
// over with their types.
class ArgsFunction : public LExp {
 public:
  ArgsFunction(const char* input_type, const char* output_type) { set_types(input_type, output_type); }
  void init(IRSlist& args) override { build_all(args, args_); }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    Args values;
    for (const LExpPtr& exp : args_) values.push_back({exp->eval(input, type), exp->output_type()});
    return call(input, values);
  }

 protected:
  virtual Word call(Word input, const Args& args) = 0;

 private:
  LExpList args_;
};

using ArgsFn = Word (*)(Word input, const Args& args);

// An ArgsFunction whose work is a plain function.
class ArgsFunctionOf final : public ArgsFunction {
 public:
  ArgsFunctionOf(const char* name, const char* doc, ArgsFn fn)
      : ArgsFunction(nullptr, nullptr), name_(name), doc_(doc), fn_(fn) {}
  const char* name() const override { return name_; }
  const char* doc() const override { return doc_; }
  LExpPtr clone() const override {
    auto copy = std::make_unique<ArgsFunctionOf>(name_, doc_, fn_);
    copy->set_input_type(input_type());
    copy->set_output_type(output_type());
    return copy;
  }

 protected:
  Word call(Word input, const Args& args) override { return fn_(input, args); }

 private:
  const char* name_;
  const char* doc_;
  ArgsFn fn_;
};

void register_args_function(const char* name, const char* input, const char* output, const char* doc, ArgsFn fn) {
  auto prototype = std::make_unique<ArgsFunctionOf>(name, doc, fn);
  prototype->set_types(input, output);
  register_lexp(std::move(prototype));
}

// ---- Texts of nodes.

const char* text_or_empty(const char* text) { return text ? text : ""; }

std::string node_word_text(const DepTree& node) {
  std::string word = node.word();
  return word.empty() ? std::string(text_or_empty(node.root())) : word;
}

// The display of a subtree: the mark of the direction to the parent, the
// word, and the children, on new indented lines when there are several.
void display(std::ostream& out, DepTree& node, int depth) {
  out << '(';
  if (DepTree* parent = node.parent()) {
    const int here = node_place(node), there = node_place(*parent);
    out << (there == here ? "=== " : there < here ? "+++ " : "--- ");
  }
  out << node_word_text(node);
  const auto& children = node.children();
  for (RSTree* child : children) {
    if (children.size() > 1)
      out << '\n' << std::string(static_cast<std::size_t>(2 * (depth + 1)), ' ');
    else
      out << ' ';
    display(out, *static_cast<DepTree*>(child), depth + 1);
  }
  out << ')';
}

// One line per selected node of the subtree: label, word, root, category,
// parent label and relation, separated by tabs.
void print_node_lines(std::ostream& out, DepTree& root, const LBitSet* set) {
  for (TPreIterator<DepTree> it(&root); !it.done(); it.advance()) {
    DepTree& node = *it.current();
    if (!node.parent() || !selected(set, node)) continue;
    out << node.label() << '\t' << node_word_text(node) << '\t' << text_or_empty(node.root()) << '\t'
        << (node.category() ? node.category() : "U") << '\t' << (node.parent()->parent() ? node.parent()->label() : "*")
        << '\t' << text_or_empty(node.relation()) << '\n';
  }
}

DepTree* match_node(Word match) { return match ? dep(to_word(from_word<TreeMatch>(match)->node())) : nullptr; }

std::string words_from_to(DepTree* from, DepTree* to) {
  if (!from || !to || from->start() < 1 || to->end() < from->start()) return {};
  return from->deps().words_between(from->start(), to->end());
}

// ---- Chunks: the nearest ancestor (or the node) with "ckroot" or
// "clause" delimits the chunk of a word.
const DepTree* chunk_of(const DepTree* node) {
  for (; node && node->parent(); node = node->parent())
    if (node->find_property("ckroot") || node->find_property("clause")) return node;
  return nullptr;
}

std::string chunk_label(const DepTree* chunk) {
  if (!chunk) return "SKIP";
  const DepProperty* property = chunk->find_property("ckroot");
  if (!property) property = chunk->find_property("clause");
  return property && property->text && *property->text ? property->text : "UKN";
}

Word get_chunk(DepTree& node) {
  Deps& deps = node.deps();
  std::vector<const DepTree*> by_word(static_cast<std::size_t>(deps.word_count()), nullptr);
  DepTree* root = &node;
  while (root->parent()) root = root->parent();
  for (TPreIterator<DepTree> it(root); !it.done(); it.advance()) {
    const DepTree* word_node = it.current();
    const int p = word_node->position();
    if (p >= 1 && p < deps.word_count()) by_word[static_cast<std::size_t>(p)] = word_node;
  }
  std::string out = "\n";
  const DepTree* open = nullptr;
  bool first = true;
  for (int p = 1; p < deps.word_count(); ++p) {
    const DepTree* chunk = chunk_of(by_word[static_cast<std::size_t>(p)]);
    if (first || chunk != open || !chunk) {
      if (!first) out += "] ";
      out += '[';
      out += chunk_label(chunk);
      open = chunk;
      first = false;
    }
    out += " ";
    out += deps.word(p);
  }
  if (!first) out += "]";
  std::cout << out << '\n' << std::flush;
  return to_word<RSTree>(&node);
}

class GetChunk final : public DefaultClone<GetChunk, NodeFunction> {
 public:
  GetChunk() : DefaultClone("RSTree*") {}
  const char* name() const override { return "get-chunk"; }
  const char* doc() const override {
    return "(get-chunk) prints the sentence in chunks delimited by the properties ckroot and clause";
  }
  Word apply(DepTree& node, Word, TypeId) override { return get_chunk(node); }
};

// (minimal-across LEXP): the lowest node from this one up for which LEXP holds.
class MinimalAcross final : public DefaultClone<MinimalAcross, NodeFunction> {
 public:
  MinimalAcross() : DefaultClone("RSTree*") {}
  const char* name() const override { return "minimal-across"; }
  const char* doc() const override {
    return "(minimal-across LEXP) the lowest of the node and its ancestors satisfying LEXP";
  }
  void init(IRSlist& args) override { test_ = build_first(args); }
  Word apply(DepTree& node, Word, TypeId) override {
    for (RSTree* current = &node; current; current = current->parent())
      if (holds(test_.get(), current)) return to_word(current);
    return 0;
  }

 private:
  LExpPtr test_;
};

// ---- The printing and collecting functions.

Word print_dep_tree(Word, const Args& args) {
  DepTree* node = node_arg(args, 0);
  if (!node) return 0;
  std::ostream& out = stream_arg(args, 1);
  display(out, *node, 0);
  out << '\n' << std::flush;
  return to_word<RSTree>(node);
}

Word print_deps(Word input, const Args& args) {
  DepTree* node = match_node(input);
  if (!node) return 0;
  DepTree* root = node;
  while (root->parent()) root = root->parent();
  print_node_lines(stream_arg(args, 1), *root, positions_arg(args, 0));
  return to_word<RSTree>(node);
}

Word save_deps(Word input, const Args& args) {
  DepTree* node = match_node(input);
  if (!node) return 0;
  std::string text;
  print_result_format(text, node->deps(), nullptr);
  stream_arg(args, 0) << text << std::flush;
  return to_word<RSTree>(node);
}

Word print_sub_deps(Word, const Args& args) {
  DepTree* node = node_arg(args, 0);
  if (!node) return 0;
  print_node_lines(stream_arg(args, 2), *node, positions_arg(args, 1));
  return to_word<RSTree>(node);
}

Word print_context(Word, const Args& args) {
  DepTree* node = node_arg(args, 0);
  if (!node) return 0;
  std::ostream& out = stream_arg(args, 1);
  const Deps& deps = node->deps();
  for (int p = 1; p < deps.word_count(); ++p) {
    if (p > 1) out << ' ';
    if (p == node->start()) out << '[';
    out << deps.word(p);
    if (p == node->end()) out << ']';
  }
  out << '\n' << std::flush;
  return to_word<RSTree>(node);
}

Word print_words(Word, const Args& args) {
  DepTree* from = node_arg(args, 0);
  DepTree* to = node_arg(args, 1);
  if (!from || !to) return 0;
  stream_arg(args, 2) << words_from_to(from, to) << '\n' << std::flush;
  return to_word<RSTree>(from);
}

Word get_words(Word, const Args& args) {
  DepTree* from = node_arg(args, 0);
  DepTree* to = node_arg(args, 1);
  return from && to ? keep_text(*from, words_from_to(from, to)) : 0;
}

Word print_rel(Word, const Args& args) {
  DepTree* node = node_arg(args, 0);
  if (!node) return 0;
  const LBitSet* set = positions_arg(args, 1);
  std::ostream& out = stream_arg(args, 2);
  for (TPreIterator<DepTree> it(node); !it.done(); it.advance()) {
    DepTree& d = *it.current();
    if (!d.parent() || !d.relation() || !selected(set, d)) continue;
    out << node_word_text(*d.parent()) << '\t' << d.relation() << '\t' << node_word_text(d) << '\n';
  }
  out << std::flush;
  return to_word<RSTree>(node);
}

Word print_attachment_points(Word input, const Args&) {
  if (!input) return 0;
  Word count = 0;
  for (const auto& sub : from_word<TreeMatch>(input)->subs())
    if (DepTree* node = dep(to_word(sub->node()))) {
      std::cout << node->label() << '\t' << node_word_text(*node) << '\n';
      ++count;
    }
  std::cout << std::flush;
  return count;
}

Word pre_head(Word, const Args& args) {
  const char* wanted = from_word<const char>(arg(args, 0));
  DepTree* node = node_arg(args, 1);
  if (!wanted || !node) return 0;
  DepTree* nearest = nullptr;
  for (RSTree* c : node->children()) {
    DepTree* child = static_cast<DepTree*>(c);
    if (node_place(*child) < node_place(*node) && category_key(*child) == wanted) nearest = child;
  }
  return to_word<RSTree>(nearest);
}

// (print-leaf NODE TEST ACTION): ACTION runs on every leaf of NODE's subtree
// that satisfies TEST; the count of such leaves.
class PrintLeaf final : public DefaultClone<PrintLeaf, LExp> {
 public:
  PrintLeaf() { set_types(TreeMatch::kTypeText, "int"); }
  const char* name() const override { return "print-leaf"; }
  const char* doc() const override {
    return "(print-leaf NODE TEST ACTION) evaluates ACTION on every leaf of NODE's subtree satisfying TEST";
  }
  void init(IRSlist& args) override {
    node_ = build_first(args);
    test_ = build_first(args);
    action_ = build_first(args);
  }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type)) return 0;
    Word node_value = 0;
    if (!eval_expecting(*this, node_.get(), input, type, TreeTypes::get().node, node_value)) return 0;
    RSTree* node = from_word<RSTree>(node_value);
    Word count = 0;
    for (TPreIterator<RSTree> it(node); !it.done(); it.advance()) {
      RSTree* leaf = it.current();
      if (leaf->has_children() || !holds(test_.get(), leaf)) continue;
      eval_optional(action_.get(), node_word(leaf), TreeTypes::get().node);
      ++count;
    }
    return count;
  }

 private:
  LExpPtr node_, test_, action_;
};

void register_printing_functions() {
  const char* match = TreeMatch::kTypeText;
  const char* node = "RSTree*";
  register_args_function("print-dep-tree", match, node,
                         "(print-dep-tree NODE [STREAM]) prints the subtree of NODE as nested groups", print_dep_tree);
  register_args_function("print-deps", match, node,
                         "(print-deps [POSITIONS] [STREAM]) prints the nodes of the match's tree at POSITIONS",
                         print_deps);
  register_args_function("save-deps", match, node, "(save-deps [STREAM]) writes the match's tree in the result format",
                         save_deps);
  register_args_function("print-sub-deps", match, node,
                         "(print-sub-deps NODE [POSITIONS] [STREAM]) prints the nodes of NODE's subtree at POSITIONS",
                         print_sub_deps);
  register_args_function("print-context", match, node,
                         "(print-context NODE [STREAM]) prints the sentence with the words of NODE in brackets",
                         print_context);
  register_args_function("print-words", match, node,
                         "(print-words FROM TO [STREAM]) prints the words from the start of FROM to the end of TO",
                         print_words);
  register_args_function("get-words", match, "char*",
                         "(get-words FROM TO) the words from the start of FROM to the end of TO", get_words);
  register_args_function("print-rel", match, node,
                         "(print-rel NODE [POSITIONS] [STREAM]) prints head, relation and dependent in NODE's subtree",
                         print_rel);
  register_args_function("print-attachment-points", match, "int",
                         "(print-attachment-points) prints the nodes of the match's sub-matches, one per line",
                         print_attachment_points);
  register_args_function("pre-head", match, node,
                         "(pre-head CATEGORY NODE) the nearest child before NODE whose category key is CATEGORY",
                         pre_head);
  register_lexp(std::make_unique<PrintLeaf>());
  register_lexp(std::make_unique<GetChunk>());
  register_lexp(std::make_unique<MinimalAcross>());
}

}  // namespace

void register_tree_printing() { register_printing_functions(); }

}  // namespace velmo
