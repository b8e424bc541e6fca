#include "parser/forest/tree_reader.h"

#include <algorithm>
#include <string>

#include "lexical/items/lex_item.h"
#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "lexicon/attributes/trace_att.h"
#include "parser/chart/pitem.h"
#include "parser/forest/deps.h"
#include "parser/forest/parse_forest.h"
#include "parser/grammar/builtin_attributes.h"
#include "parser/grammar/category_names.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

bool defined(const PItem& item, int index) { return index >= 0 && item.av.defined(index); }

bool is_cat_p(const PItem& item) {
  const BuiltinAttributes& b = builtin_attributes();
  return defined(item, b.cat) && b.cat_p != BuiltinAttributes::kNoValue && item.av.get(b.cat) == b.cat_p;
}

// Whether the item carries its lexical head ("lexitem"); a grammar without
// that attribute is read as if every item carried it.
bool has_lexitem(const PItem& item) {
  const int index = builtin_attributes().lexitem;
  return index < 0 || item.av.defined(index);
}

std::string category_name_of(const PItem& item) { return item.cate ? item.cate->name() : std::string(); }

// The node covers the positions of its own word or span.
void mark_covered(DepTree& tree, std::vector<bool>& covered, int s) {
  for (TPreIterator<DepTree> it(&tree); !it.done(); it.advance()) {
    const DepTree* node = it.current();
    const int low = node->has_word() ? node->position() : node->start();
    const int high = node->has_word() ? node->position() : node->end();
    for (int p = std::max(low, s); p <= high && p - s < static_cast<int>(covered.size()); ++p)
      covered[static_cast<std::size_t>(p - s)] = true;
  }
}

}  // namespace

void TreeReader::read(ParseForest& forest) {
  std::vector<DepTree*> fragments;
  for (TNode* root : forest.roots())
    if (DepTree* tree = node_tree(root)) fragments.push_back(tree);
  DepTree* top = deps_.new_node(-1, -1, -1);
  deps_.set_root(top);
  if (fragments.empty()) return;
  DepTree* sentence = fragments.front();
  if (fragments.size() > 1) {
    int low = fragments.front()->start(), high = fragments.front()->end();
    for (const DepTree* f : fragments) {
      low = std::min(low, f->order_position());
      high = std::max(high, std::max(f->end(), f->order_position()));
    }
    sentence = deps_.new_node(low, high, -1);
    for (DepTree* f : fragments) sentence->add_child_in_order(f);
  }
  top->append(sentence);
  place_empty_nodes();
}

void TreeReader::place_empty_nodes() {
  const BuiltinAttributes& b = builtin_attributes();
  for (const MovedPart& part : moved_) {
    for (const TraceRecord& record : part.traces->records()) {
      const auto* lost = reinterpret_cast<const PItem*>(record.item);
      if (!lost) continue;
      auto found = word_nodes_.find(lost->lexical_head().lex_item);
      if (found == word_nodes_.end()) continue;
      DepTree* word = found->second;
      const std::string role =
          b.type && b.role >= 0 && record.role ? b.type->attribute(b.role).str_val(record.role) : std::string();
      bool taken = false;
      for (RSTree* c : word->children()) {
        const DepTree* child = static_cast<const DepTree*>(c);
        if (child->relation() && role == child->relation()) taken = true;
      }
      if (taken) continue;
      DepTree* empty = deps_.new_node(word->end() + 1, word->end(), -1);
      DepTree& filler = *part.filler;
      if (filler.root())
        empty->set_root(filler.root());
      else if (filler.has_word())
        empty->set_root(filler.word());
      if (filler.category()) empty->set_category(filler.category());
      empty->set_atts(filler.atts());
      if (!role.empty()) empty->set_relation(role);
      empty->set_antecedent(&filler);
      word->add_child_in_order(empty);
    }
  }
}

DepTree* TreeReader::node_tree(TNode* node) {
  if (!node || node->visited || !node->best()) return nullptr;
  node->visited = true;
  const TAlternative* first = node->best();
  const PItem& item = *first->source;
  // The best analysis: the first record, and along the head side the first
  // record of each level, down to the head record.
  std::vector<const TAlternative*> merged;
  const TAlternative* record = first;
  while (record->kind == TAlternative::Kind::kMerged) {
    merged.push_back(record);
    if (!record->head_side || !record->head_side->best()) break;
    record = record->head_side->best();
  }
  std::vector<DepTree*> dependents;
  const int trace = builtin_attributes().trace;
  for (const TAlternative* m : merged)
    if (DepTree* tree = dependent_tree(*m)) {
      give_relation(*tree, *m);
      dependents.push_back(tree);
      if (defined(*m->source, trace) && !defined(*m->head_side->item(), trace))
        if (const auto* traces = reinterpret_cast<const TraceList*>(m->source->av.get(trace)))
          moved_.push_back({tree, traces});
    }

  DepTree* head = nullptr;
  if (record->kind != TAlternative::Kind::kMerged) {
    DepTree* head_tree =
        record->kind == TAlternative::Kind::kLexical ? lexical_level_tree(*record->dependent) : dependent_tree(*record);
    const bool own_head = record->kind == TAlternative::Kind::kLexical || has_lexitem(item) || is_cat_p(item) ||
                          !record->link || equal_nocase(record->link->relation(), "subcat");
    if (own_head) {
      head = head_tree;
      if (head) head->add_weight(record->local);
    } else {
      head = new_empty_head(item);
      if (head_tree) {
        give_relation(*head_tree, *record);
        dependents.push_back(head_tree);
      }
    }
  }
  if (!head) head = new_empty_head(item);
  attach_dependents(*head, item, dependents);
  head->set_atts(&item.av);
  return head;
}

DepTree* TreeReader::dependent_tree(const TAlternative& record) {
  if (record.dependent_node) return node_tree(record.dependent_node);
  return record.dependent ? lexical_level_tree(*record.dependent) : nullptr;
}

void TreeReader::give_relation(DepTree& tree, const TAlternative& record) {
  if (record.link) {
    if (record.link->has_relation()) tree.set_relation(record.link->relation());
    tree.set_arg_index(record.link->position - 1);
  }
  tree.add_weight(record.local);
}

DepTree* TreeReader::lexical_level_tree(const PItem& item) {
  if (item.lex_item && !item.lex_item->is_empty()) return lexical_subtree(*item.lex_item, &item);
  DepTree* node = deps_.new_node(item.start, item.end, -1);
  const std::string category = category_name_of(item);
  if (!category.empty()) node->set_category(category);
  node->set_atts(&item.av);
  node->label();
  return node;
}

// An empty head stands for the item's category; its root is the item's
// "cform" when it has one (a clause head "fin", say).
DepTree* TreeReader::new_empty_head(const PItem& item) {
  DepTree* node = deps_.new_node(item.start, item.start - 1, -1);
  node->label();
  const std::string category = category_name_of(item);
  if (!category.empty()) node->set_category(category);
  const int cform = builtin_attributes().cform;
  if (defined(item, cform)) node->set_root(item.av.str_val(cform));
  return node;
}

void TreeReader::attach_dependents(DepTree& head, const PItem& item, const std::vector<DepTree*>& dependents) {
  const BuiltinAttributes& b = builtin_attributes();
  std::vector<AttVec*> args;
  if (defined(item, b.args)) args = args_of(item.av);
  for (DepTree* dependent : dependents) {
    const int k = dependent->arg_index();
    if (k >= 0 && static_cast<std::size_t>(k) < args.size() && args[static_cast<std::size_t>(k)] && b.role >= 0 &&
        args[static_cast<std::size_t>(k)]->defined(b.role))
      dependent->set_relation(args[static_cast<std::size_t>(k)]->str_val(b.role));
    head.add_child_in_order(dependent);
  }
}

DepTree* TreeReader::lexical_subtree(const LexItem& item, const PItem* parse_item) {
  const int whole_start = item.low, whole_end = item.high;
  int s = whole_start, e = whole_end;
  while (e > s && deps_.word(e) == ",") --e;
  DepTree* head = nullptr;
  std::vector<DepTree*> others;
  for (LexItem* sub : item.sub_items) {
    if (!sub || sub->is_deleted()) continue;
    if (sub->low > s && sub->high < e && !(sub->low <= item.head && item.head <= sub->high)) continue;
    DepTree* tree = lexical_subtree(*sub, nullptr);
    if (!tree) continue;
    if (!head && sub->low <= item.head && item.head <= sub->high) {
      tree->clear_relation();
      head = tree;
      continue;
    }
    tree->set_relation(sub->relation ? sub->relation : "lex-dep");
    others.push_back(tree);
    if (sub->low == s)
      s = std::min<int>(sub->high + 1, e);
    else if (sub->high == e)
      e = std::max<int>(sub->low - 1, s);
  }
  if (!head) {
    head = deps_.new_node(s, e, s == e ? s : item.head);
    if (item.category)
      head->set_category(item.category);
    else if (parse_item && !category_name_of(*parse_item).empty())
      head->set_category(category_name_of(*parse_item));
    if (s == whole_start && e == whole_end) {
      if (item.root) head->set_root(item.root);
    } else {
      head->set_root(deps_.words_between(s, e));
    }
    if (parse_item) head->set_atts(&parse_item->av);
  }
  for (DepTree* other : others) head->add_child_in_order(other);
  word_nodes_.emplace(&item, head);
  if (e > s) {
    std::vector<bool> covered(static_cast<std::size_t>(e - s + 1), false);
    for (DepTree* other : others) mark_covered(*other, covered, s);
    for (int w = s; w <= e; ++w) {
      if (w == head->position() || covered[static_cast<std::size_t>(w - s)]) continue;
      DepTree* word = deps_.new_node(w, w, w);
      word->set_relation("lex-mod");
      head->add_child_in_order(word);
    }
  }
  return head;
}

}  // namespace velmo
