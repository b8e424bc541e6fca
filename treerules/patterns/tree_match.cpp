#include "treerules/patterns/tree_match.h"

namespace velmo {

bool TreeMatch::has_sub_at(const RSTree* node) const {
  for (const auto& sub : subs_)
    if (sub->node() == node) return true;
  return false;
}

std::unique_ptr<TreeMatch> TreeMatch::clone() const {
  auto copy = std::make_unique<TreeMatch>(node_);
  for (const auto& sub : subs_) copy->append(sub->clone());
  return copy;
}

TreeMatch* TreeMatch::innermost() {
  TreeMatch* match = this;
  while (!match->subs_.empty()) match = match->subs_.front().get();
  return match;
}

}  // namespace velmo
