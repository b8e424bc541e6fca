#include "lexicon/attributes/alias_set.h"

#include <algorithm>
#include <queue>

#include "lexicon/attributes/att_interpreter.h"
#include "lexicon/attributes/att_vec.h"

namespace velmo {

AliasSet::AliasSet() { nodes_.reserve(kInitialCapacity); }

AliasSet::~AliasSet() { clear(); }

void AliasSet::clear() {
  for (auto& node : nodes_) node->vec.reset();
  nodes_.clear();
  by_name_.clear();
  order_.clear();
  order_valid_ = false;
}

const AttVec* AliasSet::find(std::string_view name) const {
  auto it = by_name_.find(std::string(name));
  return it == by_name_.end() ? nullptr : it->second->vec.get();
}

void AliasSet::link(Alias* specific, Alias* general) {
  specific->more_general.push_back(general);
  general->more_specific.push_back(specific);
}

void AliasSet::unlink(Alias* specific, Alias* general) {
  auto& up = specific->more_general;
  up.erase(std::remove(up.begin(), up.end(), general), up.end());
  auto& down = general->more_specific;
  down.erase(std::remove(down.begin(), down.end(), specific), down.end());
}

bool AliasSet::add(std::string_view name, AttVec* vec) {
  if (by_name_.count(std::string(name))) {
    report_error("Duplicate definition of " + std::string(name));
    return false;
  }
  auto node = std::make_unique<Alias>(Alias{std::string(name), RefPtr<AttVec>(vec), nodes_.size(), {}, {}});
  Alias* added = node.get();

  // Split the existing aliases into those more general and those more
  // specific than the new one; equal or unordered ones stay unlinked.
  std::unordered_map<const Alias*, int> side;
  for (auto& other : nodes_) {
    const int c = vec->compare(*other->vec);
    if (c == 1 || c == -1) side[other.get()] = c;
  }
  auto in_side = [&](const Alias* a, int c) {
    auto it = side.find(a);
    return it != side.end() && it->second == c;
  };
  // The nearest ones on each side have no direct neighbour on the same side
  // between them and the new alias.
  std::vector<Alias*> nearest_general, nearest_specific;
  for (const auto& entry : side) {
    // Not a structured binding: clang 14 cannot capture those in a lambda.
    auto* a = const_cast<Alias*>(entry.first);
    const int c = entry.second;
    const auto& inner = c == 1 ? a->more_specific : a->more_general;
    const bool nearest = std::none_of(inner.begin(), inner.end(), [&](const Alias* n) { return in_side(n, c); });
    if (nearest) (c == 1 ? nearest_general : nearest_specific).push_back(a);
  }
  auto by_sequence = [](const Alias* a, const Alias* b) { return a->sequence < b->sequence; };
  std::sort(nearest_general.begin(), nearest_general.end(), by_sequence);
  std::sort(nearest_specific.begin(), nearest_specific.end(), by_sequence);
  // Direct links between the two sides now run through the new alias.
  for (Alias* s : nearest_specific)
    for (Alias* g : nearest_general) unlink(s, g);
  for (Alias* g : nearest_general) link(added, g);
  for (Alias* s : nearest_specific) link(s, added);

  by_name_.emplace(added->name, added);
  nodes_.push_back(std::move(node));
  order_valid_ = false;
  return true;
}

const std::vector<const AliasSet::Alias*>& AliasSet::in_order() const {
  if (order_valid_) return order_;
  order_.clear();
  std::unordered_map<const Alias*, std::size_t> waiting;
  auto later = [](const Alias* a, const Alias* b) { return a->sequence > b->sequence; };
  std::priority_queue<const Alias*, std::vector<const Alias*>, decltype(later)> ready(later);
  for (const auto& node : nodes_) {
    waiting[node.get()] = node->more_specific.size();
    if (node->more_specific.empty()) ready.push(node.get());
  }
  while (!ready.empty()) {
    const Alias* a = ready.top();
    ready.pop();
    order_.push_back(a);
    for (const Alias* g : a->more_general)
      if (--waiting[g] == 0) ready.push(g);
  }
  order_valid_ = true;
  return order_;
}

}  // namespace velmo
