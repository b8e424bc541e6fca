#include "parser/forest/dep_tree.h"

#include <string>

#include "lexicon/attributes/att_interpreter_list.h"
#include "lexicon/attributes/att_vec.h"
#include "parser/forest/deps.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

std::int16_t to_short(int value) { return static_cast<std::int16_t>(value); }

// Where a node lies for ordering siblings: its position, else its span.
int first_place(const DepTree& node) { return node.has_word() ? node.position() : node.start(); }
int last_place(const DepTree& node) { return node.has_word() ? node.position() : node.end(); }

}  // namespace

DepTree::DepTree(Deps& deps, int start, int end, int position)
    : deps_(&deps),
      start_(to_short(start)),
      end_(to_short(end)),
      position_(to_short(position)),
      properties_(deps.property_store()) {}

DepTree::~DepTree() {
  // A vector whose type was deleted first (the name spaces go at `exit`)
  // cannot be freed through it; it is left alone.
  if (atts_ && !AttInterpreterList::is_live(atts_->type())) static_cast<void>(atts_.release());
}

void DepTree::set_span(int start, int end) {
  start_ = to_short(start);
  end_ = to_short(end);
}

void DepTree::note_change() { deps_->note_change(); }

// The category and the relation are what tree rules look nodes up by, so
// changing them changes the tree like moving a node does.
void DepTree::set_category(std::string_view text) {
  category_ = deps_->keep_label(text);
  note_change();
}
void DepTree::set_relation(std::string_view text) {
  relation_ = deps_->keep_label(text);
  note_change();
}
void DepTree::clear_category() {
  category_ = nullptr;
  note_change();
}
void DepTree::clear_relation() {
  relation_ = nullptr;
  note_change();
}
void DepTree::set_root(std::string_view text) { root_ = deps_->keep(text); }

std::string DepTree::word() const {
  if (!has_word() || start_ < 1 || start_ > end_) return {};
  return deps_->words_between(start_, end_);
}

const char* DepTree::label() {
  if (!label_) {
    std::string text;
    if (position_ > 0) {
      text = std::to_string(position_);
    } else {
      text = "E";
      text += std::to_string(deps_->next_empty_label());
    }
    label_ = deps_->keep(text);
  }
  return label_;
}

// A node often gets a vector more than once while the tree is read (a word
// node, then the items above it that it heads): the later ones are copied
// into the vector it has. So is a vector a recycled node kept from an
// earlier sentence, when it is of the same type: its block serves again.
void DepTree::set_atts(const AttVec* atts) {
  if (atts && atts_ && (has_atts_ || atts_->type() == atts->type()))
    *atts_ = *atts;
  else if (atts)
    atts_ = std::make_unique<AttVec>(*atts);
  has_atts_ = atts != nullptr;
}

void DepTree::recycle() {
  forget_links();
  category_ = relation_ = root_ = label_ = nullptr;
  arg_index_ = -1;
  weight_ = 0.0f;
  // The values the vector holds go now, with the sentence; its block stays.
  if (has_atts_) atts_->clear();
  has_atts_ = false;
  // The properties' room lies in the property store, which the Deps
  // releases next: the vector lets go of it first.
  std::pmr::vector<DepProperty>(deps_->property_store()).swap(properties_);
}

void DepTree::place(int start, int end, int position) {
  start_ = to_short(start);
  end_ = to_short(end);
  position_ = to_short(position);
}

DepProperty* DepTree::find_mutable(std::string_view name) {
  for (DepProperty& p : properties_)
    if (equal_nocase(p.name, name)) return &p;
  return nullptr;
}

const DepProperty* DepTree::find_property(std::string_view name) const {
  return const_cast<DepTree*>(this)->find_mutable(name);
}

void DepTree::set_property(std::string_view name, std::string_view text) {
  DepProperty* p = find_mutable(name);
  if (!p) {
    add_property(name, text);
    return;
  }
  p->text = deps_->keep(text);
  p->node = nullptr;
}

namespace {

// Whether two property names are equal without regard to the case of ASCII
// letters, as find_mutable compares them; reads no further than they agree.
bool same_name(const char* a, const char* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  for (; *a && ascii_lower(*a) == ascii_lower(*b); ++a, ++b) {
  }
  return *a == *b;
}

}  // namespace

void DepTree::set_lasting_property(const char* name, const char* text) {
  for (DepProperty& p : properties_)
    if (same_name(p.name, name)) {
      p.text = text;
      p.node = nullptr;
      return;
    }
  add_lasting_property(name, text);
}

void DepTree::add_lasting_property(const char* name, const char* text) {
  reserve_properties();
  properties_.push_back(DepProperty{name, text, nullptr, 1.0f});
}

void DepTree::set_property(std::string_view name, DepTree* node) {
  DepProperty* p = find_mutable(name);
  if (!p) {
    add_property(name, node);
    return;
  }
  p->text = nullptr;
  p->node = node;
}

void DepTree::add_property(std::string_view name, std::string_view text) {
  reserve_properties();
  properties_.push_back(DepProperty{deps_->keep(name), deps_->keep(text), nullptr, 1.0f});
}

void DepTree::add_property(std::string_view name, DepTree* node) {
  reserve_properties();
  properties_.push_back(DepProperty{deps_->keep(name), nullptr, node, 1.0f});
}

void DepTree::set_property_node(std::size_t k, DepTree* node) {
  if (k < properties_.size()) {
    properties_[k].node = node;
    properties_[k].text = nullptr;
  }
}

bool DepTree::remove_property(std::string_view name) {
  for (auto it = properties_.begin(); it != properties_.end(); ++it)
    if (equal_nocase(it->name, name)) {
      properties_.erase(it);
      return true;
    }
  return false;
}

DepTree* DepTree::antecedent() const {
  const DepProperty* p = find_property(kAntecedent);
  return p ? p->node : nullptr;
}

void DepTree::set_antecedent(DepTree* node) {
  set_property(kAntecedent, node);
  if (node) node->set_property(kReference, this);
}

void DepTree::add_child_in_order(DepTree* child) {
  const bool positioned = child->has_word();
  for (std::size_t i = 0; i < children().size(); ++i) {
    const DepTree& other = *this->child(i);
    const bool after =
        positioned && other.has_word() ? other.position() > child->position() : first_place(other) > last_place(*child);
    if (after) {
      insert_at(i, child);
      return;
    }
  }
  append(child);
}

}  // namespace velmo
