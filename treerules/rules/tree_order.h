#pragma once
// The nodes of a tree in the orders the rules walk it (pre-order and
// post-order), read once and used by every rule of a set for as long as
// the tree does not change. The nodes are also listed by category and by
// relation (compared without regard to case, as the rules' guards compare
// them), so a rule whose condition starts with (cat (str= X)) or
// (rel (str= X)) visits only the nodes that can match, in walk order.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "parser/forest/deps.h"
#include "treerules/patterns/node_guard.h"

namespace velmo {

class RSTree;

// Which walk an order is for.
enum class WalkOrder : std::uint8_t { kPre, kPost };

class TreeOrder {
 public:
  // Makes the orders those of the tree under `root`, read again unless
  // they already are and the tree has not changed since.
  void prepare(RSTree* root);
  // Whether the orders still describe the tree: nothing has moved, been
  // added or removed, and no category or relation has changed.
  bool current() const { return deps_ && deps_->change_count() == changes_; }
  // Forgets the tree: the next prepare reads it whatever it is. A tree made
  // after this one went may lie at the same addresses.
  void forget() {
    root_ = nullptr;
    deps_ = nullptr;
  }

  // The nodes in walk order.
  const std::vector<RSTree*>& nodes(WalkOrder walk) const { return walk == WalkOrder::kPre ? pre_ : post_; }
  // The places (in `nodes(walk)`, ascending) of the nodes that `guard`
  // admits, with a child its child test admits when it has one; all places
  // for an inactive guard without child test, and when the nodes are not
  // listed by text. Valid until the next prepare or admitted.
  std::span<const std::uint32_t> admitted(WalkOrder walk, const NodeGuard& guard) {
    const ChildFilter filter = child_filter(guard);
    if (filter.none) return {};
    const std::span<const std::uint32_t> places = admitted_by_text(walk, guard);
    if (!filter.bit || places.empty()) return places;
    return with_child(walk, filter, places);
  }
  // The places of the nodes whose own text the guard admits (ignoring its
  // child test); valid until the next prepare.
  std::span<const std::uint32_t> admitted_by_text(WalkOrder walk, const NodeGuard& guard) {
    if (!guard.active() || !numbered_) return {all_places_.data(), pre_.size()};
    const std::uint16_t text = text_number(guard);
    if (text == kNoText) return {};
    const int field = guard.field() == NodeTextField::kCategory ? 0 : 1;
    Lists& lists = lists_[field][static_cast<int>(walk)];
    if (!lists.made) make_lists(lists, field, walk);
    return {lists.places.data() + lists.start[text], lists.start[text + 1u] - lists.start[text]};
  }
  // A guard's child test in the order's terms: a bit that must be set in
  // the mask of the texts of a node's children in one field.
  struct ChildFilter {
    int field = 0;
    std::uint64_t bit = 0;  // 0: every node passes
    bool none = false;      // no node of the tree passes
  };
  ChildFilter child_filter(const NodeGuard& guard) {
    if (!guard.has_child_test() || !numbered_) return {};
    const std::uint16_t text =
        number_of(guard.child_text_number(), guard.child_text_key(), guard.child_lower_text().data());
    // kNoText: no node of the tree has the text.
    return {guard.child_field() == NodeTextField::kCategory ? 0 : 1, text_bit(text), text == kNoText};
  }
  // Whether the node at `place` may pass the filter; one that does not is
  // one none of whose children the guard's child test admits.
  bool passes(WalkOrder walk, std::uint32_t place, const ChildFilter& filter) const {
    if (!filter.bit) return true;
    const std::uint32_t pre = walk == WalkOrder::kPost ? pre_place_[place] : place;
    return (info_[pre].child_texts[filter.field] & filter.bit) != 0;
  }
  // Whether the nodes are listed by text (false only for trees with more
  // distinct texts than a node can number).
  bool listed() const { return numbered_; }
  // The number of the guard's text among the texts of the tree (kNoText
  // when no node has it); the number of the text of the node at `place`
  // in the field the guard compares (kNoText for none). While the nodes are
  // listed and the order is current, the guard admits exactly the nodes
  // whose number equals the guard's.
  static constexpr std::uint16_t kNoText = 0xffff;
  std::uint16_t text_number(const NodeGuard& guard) {
    return number_of(guard.text_number(), guard.text_key(), guard.lower_text().data());
  }
  std::uint16_t text_at(WalkOrder walk, std::uint32_t place, NodeTextField field) const {
    const std::uint32_t pre = walk == WalkOrder::kPost ? pre_place_[place] : place;
    return info_[pre].text[field == NodeTextField::kCategory ? 0 : 1];
  }

 private:
  // Those of `places` that pass the filter (kept in filtered_).
  std::span<const std::uint32_t> with_child(WalkOrder walk, const ChildFilter& filter,
                                            std::span<const std::uint32_t> places);

  // The bit of a text number in a mask of the texts of a node's children;
  // numbers from 64 on share bits, so a set bit only says "maybe".
  static std::uint64_t text_bit(std::uint16_t text) { return text == kNoText ? 0 : std::uint64_t{1} << (text & 63u); }
  struct Node {
    std::uint32_t parent;  // place in pre-order (the root: its own)
    std::uint32_t depth;
    std::uint32_t size;            // of the subtree
    std::uint16_t text[2];         // numbers of the category and the relation
    std::uint64_t child_texts[2];  // text_bit of the children's texts, by field
  };
  // A text as the first node that has it holds it (the tree keeps it).
  struct Text {
    const char* text;
    FoldedTextKey key;
  };
  // For each text number, the places of the nodes with that text in one
  // field: those of text t are places[start[t]] up to places[start[t + 1]].
  // Made when a rule first asks.
  struct Lists {
    bool made = false;
    std::vector<std::uint32_t> start;
    std::vector<std::uint32_t> places;
  };

  // The number of a node's text among the texts of the tree, made when
  // new; kNoText for null.
  std::uint16_t number_text(const char* text);
  std::uint16_t number_new_text(const char* text);
  // The number in this tree of a guard's text (kNoText: no node has it),
  // given its lasting_text number, its key and the text; remembered for
  // the tree by the lasting number, as many guards test the same texts.
  std::uint16_t number_of(std::uint32_t lasting, const FoldedTextKey& key, const char* text) {
    if (lasting < known_.size() && known_[lasting].reading == reading_) return known_[lasting].number;
    return look_up(lasting, key, text);
  }
  std::uint16_t look_up(std::uint32_t lasting, const FoldedTextKey& key, const char* text);
  // The slot of the table where the text with that key is or would go.
  std::size_t slot_of(const FoldedTextKey& key, const char* text) const {
    const std::size_t mask = table_.size() - 1;
    std::size_t slot = key.hash & mask;
    for (std::uint16_t n; (n = table_[slot]) != kNoText; slot = (slot + 1) & mask) {
      const Text& known = texts_[n];
      if (known.key == key && key.same_texts(text, known.text)) break;
    }
    return slot;
  }
  void read_nodes(RSTree* root);
  void make_lists(Lists& lists, int field, WalkOrder walk) const;

  RSTree* root_ = nullptr;
  const Deps* deps_ = nullptr;
  std::uint64_t changes_ = 0;

  std::vector<RSTree*> pre_, post_;
  std::vector<Node> info_;                 // per place in pre-order
  std::vector<std::uint32_t> pre_place_;   // per place in post-order: the place in pre-order
  std::vector<std::uint32_t> all_places_;  // 0, 1, 2, ...

  // The distinct texts and an open-addressed table of their numbers.
  std::vector<Text> texts_;
  std::vector<std::uint16_t> table_;
  // The numbers of the text pointers met so far. A tree keeps each of its
  // categories and relations once, so most nodes are found here without
  // reading their text.
  struct Seen {
    const char* text;
    std::uint32_t reading;  // of the tree it was seen in
    std::uint16_t number;
  };
  static constexpr std::size_t kSeenSize = 64;  // the top 6 bits of a mixed pointer
  Seen seen_[kSeenSize] = {};
  std::uint32_t reading_ = 0;  // counts the trees read: entries of seen_ from earlier ones are stale
  // By lasting_text number: the number of that text in the tree read at `reading`.
  struct Known {
    std::uint32_t reading = 0;
    std::uint16_t number = kNoText;
  };
  std::vector<Known> known_;
  bool numbered_ = true;  // every text got a number

  Lists lists_[2][2];                    // [field: category, relation][walk]
  std::vector<std::uint32_t> filtered_;  // what with_child returned last
};

}  // namespace velmo
