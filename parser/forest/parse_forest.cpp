#include "parser/forest/parse_forest.h"

#include <algorithm>
#include <ostream>

#include "parser/chart/pitem.h"
#include "parser/forest/dependency_weigher.h"
#include "parser/grammar/gcate.h"
#include "parser/grammar/glink.h"
#include "parser/output/item_printer.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

constexpr float kGuestCost = 10.0f;
constexpr float kLinkWeightShare = 0.1f;

}  // namespace

TNode::TNode(ParseForest& forest, PItem* item) : forest_(&forest), item_(item) {}

GCate* TNode::category() const { return item_ ? item_->cate : nullptr; }

void TNode::offer(const TAlternative& record) {
  ++count_;
  // Of equal totals the earlier record stays (the order a stable sort of
  // all records by total would put first).
  if (best_ && !(record.total < best_->total)) return;
  if (!best_) best_ = forest_->new_alternative();
  *best_ = record;
}

template <class T>
T* ParseForest::BlockPool<T>::take_from_next_block(std::size_t count) {
  if (count > kBlock) {
    T* taken = oversized_.emplace_back(std::make_unique<T[]>(count)).get();
    for (std::size_t i = 0; i < count; ++i) taken[i] = T{};
    return taken;
  }
  if (cursor_) filled_.push_back(static_cast<std::size_t>(cursor_ - blocks_[filled_.size()].get()));
  if (filled_.size() == blocks_.size()) blocks_.push_back(std::make_unique<T[]>(kBlock));
  cursor_ = blocks_[filled_.size()].get();
  limit_ = cursor_ + kBlock;
  return take(count);
}

template <class T>
void ParseForest::BlockPool<T>::clear() {
  oversized_.clear();
  filled_.clear();
  cursor_ = limit_ = nullptr;
}

template <class T>
template <class F>
void ParseForest::BlockPool<T>::for_each(F&& visit) {
  for (std::size_t b = 0; b < filled_.size(); ++b)
    for (std::size_t i = 0; i < filled_[b]; ++i) visit(blocks_[b][i]);
  if (cursor_)
    for (T* object = blocks_[filled_.size()].get(); object != cursor_; ++object) visit(*object);
}

ParseForest::ParseForest() : THashTableWithOrd<PItem*, TNode*>(kBuckets) {}

ParseForest::~ParseForest() = default;

TAlternative* ParseForest::new_alternative() { return alternatives_.take(1); }

std::uint32_t ParseForest::next_generation() {
  static std::uint32_t generation = 0;
  return ++generation;
}

// Most items below a node were reached before (a word under every analysis
// that contains it): their node is known from the item's own mark, without
// a call.
inline TNode* ParseForest::child_node(PItem* item) {
  if (item && item->forest_generation == generation_)
    if (TNode* known = item->forest_node) return known->building_ ? nullptr : known;
  return node_for(item);
}

TNode* ParseForest::node_for(PItem* item) {
  if (!item) return nullptr;
  if (item->forest_generation != generation_ || !item->forest_node) {
    // Another forest may have marked the item since; an item no forest has
    // marked (fresh from the pool) has no node in any.
    TNode** found = item->forest_generation != 0 ? find(item) : nullptr;
    item->forest_node = found ? *found : nullptr;
    item->forest_generation = generation_;
  }
  if (TNode* known = item->forest_node) return known->building_ ? nullptr : known;
  TNode& node = *nodes_.take(1);
  node = TNode(*this, item);
  insert(item, &node);
  item->forest_node = &node;
  item->forest_generation = generation_;
  node.building_ = true;
  build_alternatives(node);
  node.building_ = false;
  return &node;
}

void ParseForest::add_root(TNode* node) {
  if (!node || node->is_root_) return;
  node->is_root_ = true;
  roots_.push_back(node);
}

void ParseForest::set_roots(std::vector<TNode*> roots) {
  for (TNode* root : roots_) root->is_root_ = false;
  roots_.clear();
  for (TNode* root : roots) add_root(root);
}

void ParseForest::build_alternatives(TNode& node) {
  for (PItem* item = node.item_; item; item = item->next_alt) {
    if (!item->head_child)
      add_lexical(node, item);
    else if (item->second)
      add_merged(node, item);
    else if (item->link)
      add_projected(node, item);
    else
      add_packed(node, item);
  }
}

void ParseForest::add_lexical(TNode& node, PItem* item) {
  TAlternative a;
  a.kind = TAlternative::Kind::kLexical;
  a.head = true;
  a.source = item;
  a.dependent = item;
  a.total = a.local = item->weight;
  node.offer(a);
  node.analyses_ += 1.0;
}

void ParseForest::add_projected(TNode& node, PItem* item) {
  TNode* below = child_node(item->head_child);
  if (!below || below->count_ == 0) return;
  TAlternative a;
  a.kind = TAlternative::Kind::kProjected;
  a.head = true;
  a.source = item;
  a.dependent = item->head_child;
  a.link = item->link;
  a.dependent_node = below;
  a.local = item->weight - item->head_child->weight;
  a.total = below->best_weight() + a.local;
  node.offer(a);
  node.analyses_ += below->analyses_;
}

void ParseForest::add_packed(TNode& node, PItem* item) {
  TNode* below = child_node(item->head_child);
  if (!below) return;
  const float difference = item->weight - item->head_child->weight;
  // The records below, each made heavier by the same difference, keep
  // their order (float addition is monotonic): the lightest stays the
  // lightest, and of the records tied after the addition the first offered
  // is the one that was lightest below.
  if (const TAlternative* lightest = below->best()) {
    TAlternative a = *lightest;
    a.total += difference;
    a.local += difference;
    node.offer(a);
  }
  node.analyses_ += below->analyses_;
}

void ParseForest::add_merged(TNode& node, PItem* item) {
  PItem* head_side = item->head_child;
  PItem* modifier = item->second;
  TNode* head_node = child_node(head_side);
  TNode* modifier_node = child_node(modifier);
  if (!head_node || !modifier_node || head_node->count_ == 0 || modifier_node->count_ == 0) return;
  node.analyses_ += modifier_node->analyses_ * head_node->analyses_;
  const float below = modifier_node->best_weight() + head_node->best_weight();
  const bool weighed = weigher_ && weigher_->active() && item->link;
  const bool guest = item->link && item->link->relation() == GCate::kGuestRelation;
  // A statistical weight is never below the weigher's least, so the record
  // weighs at least its weight with that dependency weight (float sums grow
  // with their terms). When an earlier record is no heavier, this one cannot
  // become the node's best (equal weights keep the earlier): it is not
  // weighed.
  if (weighed && node.has_records()) {
    float lowest = DependencyWeigher::kLeastWeight;
    if (guest) lowest += kGuestCost;
    lowest += kLinkWeightShare * item->link->weight;
    if (below + lowest >= node.best_->total) return;
  }
  float local = 0.0f;
  if (weighed)
    local = weigher_->merge_weight(*item, *head_side, *modifier, *item->link);
  else
    local = item->weight - modifier->weight - head_side->weight;
  if (item->link) {
    if (guest) local += kGuestCost;
    local += kLinkWeightShare * item->link->weight;
  }
  TAlternative a;
  a.kind = TAlternative::Kind::kMerged;
  a.source = item;
  a.dependent = modifier;
  a.link = item->link;
  a.dependent_node = modifier_node;
  a.head_side = head_node;
  a.local = local;
  a.total = below + local;
  node.offer(a);
}

void ParseForest::print(std::ostream& out) {
  out << "TNodes:" << '\n';
  nodes_.for_each([&](TNode& node) {
    out << (node.category() ? node.category()->name() : std::string()) << ": (" << node.analyses_ << ")"
        << " w=" << node.best_weight() << '\n';
    print_item(out, node.item_);
    out << '\n';
  });
}

void ParseForest::clear_nodes() {
  THashTableWithOrd<PItem*, TNode*>::clear();
  generation_ = next_generation();
  roots_.clear();
  nodes_.clear();
  alternatives_.clear();
}

}  // namespace velmo
