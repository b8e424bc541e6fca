// Reading trees written in the result format (str2deps) and rewriting trees
// read from a file with a tree-rule set (read-and-modify-deps).
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "parser/forest/deps.h"
#include "parser/output/result_format.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/reader/irslist.h"
#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"
#include "shell/support/string_pool.h"
#include "treerules/functions/tree_function_support.h"
#include "treerules/functions/tree_functions.h"
#include "treerules/rules/tree_rules.h"

namespace velmo {
namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool is_position(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// One node entry as read, before parents are resolved.
struct Entry {
  DepTree* node = nullptr;
  std::string word;
  std::string parent_ref;   // "*", a label, or direction marks
  std::string parent_word;  // after direction marks
  std::string antecedent;   // label of the "ante" property
};

class ResultReader {
 public:
  explicit ResultReader(Deps& deps) : deps_(deps) {}

  void read(IRSlist& tree) {
    top_ = deps_.new_node(-1, -1, -1);
    deps_.set_root(top_);
    deps_.add_word("", "");  // the sentinel at position 0
    std::string pending_label;
    while (std::unique_ptr<IRSlist> element = tree.take_first()) {
      if (element->is_list()) {
        if (!pending_label.empty()) read_entry(pending_label, *element);
        pending_label.clear();
        continue;
      }
      const std::string_view atom = element->atom() ? element->atom() : "";
      if (atom == ":nogap")
        no_gap_ = true;
      else if (atom == ":id") {
        if (const char* id = tree.take_atom()) deps_.set_id(id);
      } else if (atom == "assertions:")
        read_assertions(tree);
      else
        pending_label = atom;
    }
    resolve_parents();
  }

 private:
  void add_words_up_to(int position, std::string_view word) {
    while (deps_.word_count() < position) deps_.add_word("", " ");
    if (deps_.word_count() == position) {
      deps_.add_word(word, no_gap_ ? "" : " ");
      no_gap_ = false;
    }
  }

  static std::string atom_text(const IRSlist* node) {
    return node && node->is_atom() && node->atom() ? node->atom() : "";
  }

  void read_entry(const std::string& label, IRSlist& list) {
    std::vector<IRSlist*> items;
    for (IRSlist* item : list.children()) items.push_back(item);
    const std::string word = items.empty() ? "" : atom_text(items[0]);
    if (is_position(label)) {
      const int position = std::atoi(label.c_str());
      if (position < 1) return;
      add_words_up_to(position, word);
      if (items.size() < 4) return;  // a word without a node
      read_node(label, deps_.new_node(position, position, position), word, items);
    } else {
      const int next = deps_.word_count();
      read_node(label, deps_.new_node(next, next - 1, -1), word, items);
    }
  }

  void read_node(const std::string& label, DepTree* node, const std::string& word, std::vector<IRSlist*>& items) {
    Entry entry;
    entry.node = node;
    entry.word = word;
    const std::string root = atom_text(items[1]);
    if (!root.empty()) node->set_root(root == "~" ? word : root);
    const std::string category = atom_text(items[2]);
    if (!category.empty() && category != "U") node->set_category(category);
    std::size_t i = 3;
    entry.parent_ref = atom_text(items[i++]);
    if (is_direction_marks(entry.parent_ref) && i < items.size()) entry.parent_word = atom_text(items[i++]);
    if (i < items.size() && items[i]->is_atom()) {
      if (const std::string relation = atom_text(items[i]); !relation.empty()) node->set_relation(relation);
      ++i;
    }
    for (; i < items.size(); ++i) read_extra(*items[i], entry);
    by_label_[label] = node;
    entries_.push_back(std::move(entry));
  }

  // (gov X) is ignored, (w N) is the weight, (NAME VALUE) a property.
  void read_extra(IRSlist& item, Entry& entry) {
    if (!item.is_list() || item.length() != 2) return;
    const std::string head = atom_text(item.children().first());
    const std::string value = atom_text(item.children().last());
    if (head.empty() || head == "gov" || head == DepTree::kReference) return;
    if (head == "w")
      entry.node->set_weight(std::strtof(value.c_str(), nullptr));
    else if (head == DepTree::kAntecedent)
      entry.antecedent = value;
    else
      entry.node->add_property(head, value);
  }

  static bool is_direction_marks(const std::string& ref) {
    if (ref.empty() || ref == "*" || is_position(ref)) return false;
    if (ref.size() > 1 && ref[0] == 'E' && is_position(ref.substr(1))) return false;
    return true;
  }

  void resolve_parents() {
    for (Entry& entry : entries_) {
      DepTree* parent = find_parent(entry);
      if (parent && parent != top_ && (parent == entry.node || entry.node->is_ancestor_of(parent))) {
        diag() << "the parent of `" << entry.word << "' is already its descendent: " << reference(entry) << std::endl;
        parent = nullptr;
      }
      if (!parent && entry.node->category()) parent = top_;
      if (parent) parent->add_child_in_order(entry.node);
    }
    for (Entry& entry : entries_)
      if (auto found = by_label_.find(entry.antecedent); found != by_label_.end())
        entry.node->set_antecedent(found->second);
  }

  static std::string reference(const Entry& entry) {
    return entry.parent_word.empty() ? entry.parent_ref : entry.parent_ref + " " + entry.parent_word;
  }

  DepTree* find_parent(const Entry& entry) {
    if (entry.parent_ref == "*") return top_;
    if (auto found = by_label_.find(entry.parent_ref); found != by_label_.end()) return found->second;
    if (!is_direction_marks(entry.parent_ref)) return not_found(entry);
    const char mark = entry.parent_ref[0];
    for (char c : entry.parent_ref)
      if ((c != '<' && c != '>' && c != '-') || c != mark) {
        diag() << c << " is not a valid direction\n" << std::flush;
        return nullptr;
      }
    if (mark == '-') {
      auto found = by_label_.find(entry.parent_word);
      return found != by_label_.end() ? found->second : not_found(entry);
    }
    const int step = mark == '<' ? 1 : -1;
    int wanted = static_cast<int>(entry.parent_ref.size());
    for (int p = node_place(*entry.node); p >= 1 && p < deps_.word_count(); p += step) {
      if (!equal_ignoring_case(deps_.word(p), entry.parent_word) || --wanted > 0) continue;
      if (auto found = by_label_.find(std::to_string(p)); found != by_label_.end()) return found->second;
      break;
    }
    return not_found(entry);
  }

  DepTree* not_found(const Entry& entry) {
    diag() << "the parent of `" << entry.word << "' is not found, specified as: " << reference(entry) << std::endl;
    return nullptr;
  }

  void read_assertions(IRSlist& tree) {
    const IRSlist* next = tree.children().first();
    if (!next || !next->is_list()) return;
    std::unique_ptr<IRSlist> list = tree.take_first();
    for (IRSlist* assertion : list->children()) deps_.add_assertion(assertion->text());
  }

  Deps& deps_;
  DepTree* top_ = nullptr;
  bool no_gap_ = false;
  std::vector<Entry> entries_;
  std::map<std::string, DepTree*> by_label_;
};

Deps* read_tree(IRSlist& tree) {
  auto deps = std::make_unique<Deps>();
  ResultReader(*deps).read(tree);
  return deps.release();
}

// (str2deps): the tree written in the input text. The expression holds its
// latest tree until the next evaluation.
class Str2Deps final : public DefaultClone<Str2Deps, LExp> {
 public:
  Str2Deps() { set_types("char*", "Deps*"); }
  const char* name() const override { return "str2deps"; }
  const char* doc() const override { return "(str2deps) the tree written in the input text in the result format"; }
  Word eval(Word input, TypeId type) override {
    if (!check_input(type) || !input) return 0;
    latest_ = DepsRef(read_result_format(from_word<const char>(input)));
    return to_word(latest_.get());
  }

 private:
  DepsRef latest_;
};

// (read-and-modify-deps FILE-OR-STREAM RULE-SET): every tree of the input,
// rewritten by the rule set and printed in the result format.
class ReadAndModifyDeps final : public DefaultClone<ReadAndModifyDeps, LExp> {
 public:
  ReadAndModifyDeps() { set_output_type(ShellTypes::get().integer); }
  const char* name() const override { return "read-and-modify-deps"; }
  const char* doc() const override {
    return "(read-and-modify-deps FILE-OR-STREAM RULE-SET) applies the tree rules of RULE-SET to every tree "
           "of the input (result format; a file is found on the search path) and prints each tree; the count of "
           "trees";
  }
  void init(IRSlist& args) override {
    std::unique_ptr<IRSlist> source = args.take_first();
    if (source && source->is_list())
      source_ = get_exp(source.get());
    else if (source && source->atom())
      file_ = source->atom();
    if (const char* rules = args.take_atom()) rules_ = rules;
  }
  Word eval(Word input, TypeId type) override {
    TreeModifier* modifier = NameSpaces::lookup_as<TreeModifier>(rules_, TreeModifier::kTypeText);
    if (!modifier) return 0;
    std::unique_ptr<std::ifstream> file;
    std::istream* in = nullptr;
    if (source_)
      in = as_input_stream(source_->eval(input, type), source_->output_type());
    else if (!file_.empty()) {
      file = Interpreter::instance().search_path().open(file_);
      if (file)
        in = file.get();
      else
        diag() << "Can't open file: " << file_ << std::endl;
    }
    if (!in) return 0;
    Tokenizer tokenizer(tokenizer_configs::kCommands);
    tokenizer.set_input(in);
    Word count = 0;
    while (std::unique_ptr<IRSlist> tree = IRSlist::read(tokenizer)) {
      if (!tree->is_list()) continue;
      DepsRef deps(read_tree(*tree));
      modifier->apply(deps->root());
      std::string out;
      print_result_format(out, *deps, nullptr);
      std::cout << out << std::flush;
      ++count;
    }
    return count;
  }

 private:
  LExpPtr source_;
  std::string file_;
  std::string rules_;
};

}  // namespace

Deps* read_result_format(std::string_view text) {
  StringPool store;
  std::unique_ptr<IRSlist> tree = IRSlist::parse(text, store);
  if (!tree || !tree->is_list()) return nullptr;
  return read_tree(*tree);
}

void register_tree_reading() {
  register_lexp(std::make_unique<Str2Deps>());
  register_lexp(std::make_unique<ReadAndModifyDeps>());
}

}  // namespace velmo
