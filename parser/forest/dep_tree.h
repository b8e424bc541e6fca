#pragma once
// A node of a dependency tree: the word or span it stands for, its category,
// its relation to its parent, an attribute vector, a weight and named
// properties. Nodes are made and owned by their Deps.
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "parser/forest/rs_tree.h"

namespace velmo {

class AttVec;
class Deps;
class DepTree;

// A named property; the value is a text or a node (the antecedent "ante"
// and its back reference "ref" are nodes).
struct DepProperty {
  const char* name = nullptr;
  const char* text = nullptr;
  DepTree* node = nullptr;
  float weight = 1.0f;
};

class DepTree : public RSTree {
 public:
  static constexpr const char* kAntecedent = "ante";
  static constexpr const char* kReference = "ref";

  DepTree(Deps& deps, int start, int end, int position);
  ~DepTree() override;

  Deps& deps() const { return *deps_; }
  DepTree* parent() const { return static_cast<DepTree*>(RSTree::parent()); }
  DepTree* child(std::size_t i) const { return static_cast<DepTree*>(children()[i]); }

  // ---- Span and position (position <= 0: the node stands for no word;
  // start > end: an empty node).
  int start() const { return start_; }
  int end() const { return end_; }
  int position() const { return position_; }
  void set_span(int start, int end);
  void set_position(int position) { position_ = static_cast<std::int16_t>(position); }
  bool is_empty() const { return start_ > end_; }
  bool has_word() const { return position_ > 0; }
  // The position, or the span start when there is none (for ordering).
  int order_position() const { return position_ >= 0 ? position_ : start_; }

  // ---- Texts (kept in the Deps's text store; null when absent).
  const char* category() const { return category_; }
  const char* relation() const { return relation_; }
  const char* root() const { return root_; }
  void set_category(std::string_view text);
  void set_relation(std::string_view text);
  void set_root(std::string_view text);
  void clear_category();
  void clear_relation();
  void clear_root() { root_ = nullptr; }
  // The words of the span joined (empty for a node without position).
  std::string word() const;

  // The label: the position, or "E" and the Deps's next counter value,
  // given the first time it is asked for.
  const char* label();
  const char* label_if_set() const { return label_; }
  void clear_label() { label_ = nullptr; }

  // ---- Attribute vector (an owned copy) and weight.
  const AttVec* atts() const { return has_atts_ ? atts_.get() : nullptr; }
  AttVec* atts() { return has_atts_ ? atts_.get() : nullptr; }
  void set_atts(const AttVec* atts);
  float weight() const { return weight_; }
  void set_weight(float weight) { weight_ = weight; }
  void add_weight(float weight) { weight_ += weight; }

  // ---- Properties.
  const std::pmr::vector<DepProperty>& properties() const { return properties_; }
  const DepProperty* find_property(std::string_view name) const;
  // Sets (replaces) the first property of that name.
  void set_property(std::string_view name, std::string_view text);
  void set_property(std::string_view name, DepTree* node);
  void add_property(std::string_view name, std::string_view text);
  void add_property(std::string_view name, DepTree* node);
  // As set_property and add_property with texts kept elsewhere for longer
  // than the tree (NUL-terminated): the node holds them without a copy.
  void set_lasting_property(const char* name, const char* text);
  void add_lasting_property(const char* name, const char* text);
  // Points property `k` (in order) at a node.
  void set_property_node(std::size_t k, DepTree* node);
  bool remove_property(std::string_view name);
  DepTree* antecedent() const;
  // Makes `node` the antecedent of this node and this node its reference.
  void set_antecedent(DepTree* node);

  // Argument index of the link through which the node was attached, while
  // the tree is being built (-1: none).
  int arg_index() const { return arg_index_; }
  void set_arg_index(int index) { arg_index_ = static_cast<std::int16_t>(index); }

  // Adds `child` among the children in word order: before the first child
  // with a greater position, or, for children without position, before the
  // first child whose span starts after the new child's span end.
  void add_child_in_order(DepTree* child);

 protected:
  void note_change() override;

 private:
  friend class Deps;  // recycles its nodes for the next sentence

  // Forgets everything of the node's sentence (its links, texts, vector
  // and properties) but the room it has, so that its Deps can give it out
  // again as a new node. Called before the Deps releases its texts and its
  // property store.
  void recycle();
  // Gives a recycled node its new place.
  void place(int start, int end, int position);
  DepProperty* find_mutable(std::string_view name);
  // Room for a few properties at the first: a node that gets one (a rule
  // marking it) often gets more.
  void reserve_properties() {
    if (properties_.capacity() == 0) properties_.reserve(4);
  }

  Deps* deps_;
  std::int16_t start_, end_, position_;
  std::int16_t arg_index_ = -1;
  const char* category_ = nullptr;
  const char* relation_ = nullptr;
  const char* root_ = nullptr;
  const char* label_ = nullptr;
  // The vector is kept by a recycled node for its next use: it is the
  // node's only while has_atts_ says so.
  std::unique_ptr<AttVec> atts_;
  bool has_atts_ = false;
  float weight_ = 0.0f;
  std::pmr::vector<DepProperty> properties_;  // in the Deps's property store
};

}  // namespace velmo
