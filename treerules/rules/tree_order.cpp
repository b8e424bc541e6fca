#include "treerules/rules/tree_order.h"

#include "parser/forest/dep_tree.h"

namespace velmo {
namespace {

constexpr std::size_t kFirstTableSize = 64;

}  // namespace

std::uint16_t TreeOrder::number_text(const char* text) {
  if (!text) return kNoText;
  // Texts lie a few bytes apart: the pointer is mixed before it picks a place.
  const std::uint64_t mixed = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(text)) * 0x9e3779b97f4a7c15u;
  Seen& seen = seen_[mixed >> 58];
  if (seen.text == text && seen.reading == reading_) return seen.number;
  const std::uint16_t number = number_new_text(text);
  seen = Seen{text, reading_, number};
  return number;
}

std::uint16_t TreeOrder::number_new_text(const char* text) {
  const FoldedTextKey key = FoldedTextKey::of(text);
  std::size_t slot = slot_of(key, text);
  if (table_[slot] != kNoText) return table_[slot];
  // Past the numbers a node can hold, the lists are not made; the rules
  // then try every node, their guards rejecting as in a walk in the tree.
  if (texts_.size() + 1 >= kNoText) {
    numbered_ = false;
    return kNoText;
  }
  if (2 * (texts_.size() + 1) > table_.size()) {
    table_.assign(2 * table_.size(), kNoText);
    for (std::size_t i = 0; i < texts_.size(); ++i) {
      const Text& known = texts_[i];
      table_[slot_of(known.key, known.text)] = static_cast<std::uint16_t>(i);
    }
    slot = slot_of(key, text);
  }
  texts_.push_back(Text{text, key});
  table_[slot] = static_cast<std::uint16_t>(texts_.size() - 1);
  return table_[slot];
}

void TreeOrder::prepare(RSTree* root) {
  const Deps* deps = root ? &static_cast<DepTree*>(root)->deps() : nullptr;
  if (root == root_ && deps == deps_ && current()) return;
  root_ = root;
  deps_ = deps;
  changes_ = deps ? deps->change_count() : 0;
  for (auto& field : lists_)
    for (Lists& lists : field) lists.made = false;
  read_nodes(root);
}

void TreeOrder::read_nodes(RSTree* root) {
  pre_.clear();
  info_.clear();
  texts_.clear();
  table_.assign(kFirstTableSize, kNoText);
  if (++reading_ == 0) {  // wrapped around: entries that old could look current
    for (Seen& seen : seen_) seen = Seen{nullptr, 0, kNoText};
    known_.assign(known_.size(), Known{});
    reading_ = 1;
  }
  numbered_ = true;
  // Pre-order, stepping through the tree itself: down to the first child,
  // else on to the next sibling of the node or of its nearest ancestor
  // that has one.
  RSTree* node = root;
  std::uint32_t parent = 0, depth = 0;
  while (node) {
    const auto place = static_cast<std::uint32_t>(pre_.size());
    const auto* dep = static_cast<const DepTree*>(node);
    pre_.push_back(node);
    const std::uint16_t category = number_text(dep->category()), relation = number_text(dep->relation());
    info_.push_back(Node{parent, depth, 1, {category, relation}, {0, 0}});
    if (place > 0) {
      info_[parent].child_texts[0] |= text_bit(category);
      info_[parent].child_texts[1] |= text_bit(relation);
    }
    if (node->has_children()) {
      node = node->first_child();
      parent = place;
      ++depth;
      continue;
    }
    RSTree* next = nullptr;
    for (; node != root && !(next = node->next_sibling()); node = node->parent()) {
      parent = info_[parent].parent;
      --depth;
    }
    node = next;
  }
  // Subtree sizes, children before parents; then a node's place in
  // post-order: the nodes before it in pre-order that are not its
  // ancestors, and its descendants.
  const std::size_t count = pre_.size();
  for (std::size_t i = count; i-- > 1;) info_[info_[i].parent].size += info_[i].size;
  post_.resize(count);
  pre_place_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t place = static_cast<std::uint32_t>(i) - info_[i].depth + info_[i].size - 1;
    post_[place] = pre_[i];
    pre_place_[place] = static_cast<std::uint32_t>(i);
  }
  if (all_places_.size() < count) {
    all_places_.resize(count);
    for (std::size_t i = 0; i < count; ++i) all_places_[i] = static_cast<std::uint32_t>(i);
  }
}

std::uint16_t TreeOrder::look_up(std::uint32_t lasting, const FoldedTextKey& key, const char* text) {
  const std::uint16_t number = table_[slot_of(key, text)];
  if (lasting >= known_.size()) known_.resize(lasting + 1);
  known_[lasting] = Known{reading_, number};
  return number;
}

std::span<const std::uint32_t> TreeOrder::with_child(WalkOrder walk, const ChildFilter& filter,
                                                     std::span<const std::uint32_t> places) {
  filtered_.clear();
  for (const std::uint32_t place : places)
    if (passes(walk, place, filter)) filtered_.push_back(place);
  return filtered_;
}

void TreeOrder::make_lists(Lists& lists, int field, WalkOrder walk) const {
  // A counting sort by text number, taking the nodes in walk order so that
  // each text's places come out ascending. `start` serves as the cursors
  // and is moved back one text afterwards.
  const std::size_t texts = texts_.size();
  const std::size_t count = pre_.size();
  lists.start.assign(texts + 1, 0);
  for (const Node& node : info_)
    if (node.text[field] != kNoText) ++lists.start[node.text[field] + 1u];
  for (std::size_t t = 0; t < texts; ++t) lists.start[t + 1] += lists.start[t];
  lists.places.resize(lists.start[texts]);
  for (std::uint32_t place = 0; place < count; ++place) {
    const std::uint16_t n = info_[walk == WalkOrder::kPost ? pre_place_[place] : place].text[field];
    if (n != kNoText) lists.places[lists.start[n]++] = place;
  }
  for (std::size_t t = texts; t > 0; --t) lists.start[t] = lists.start[t - 1];
  lists.start[0] = 0;
  lists.made = true;
}

}  // namespace velmo
