#include "treerules/patterns/tree_match.h"

namespace velmo {

bool TreeMatch::has_sub_at(const RSTree* node) const {
  for (std::size_t i = 0; i < count_; ++i)
    if (subs_[i]->node() == node) return true;
  return false;
}

std::unique_ptr<TreeMatch> TreeMatch::clone() const {
  auto copy = std::make_unique<TreeMatch>(node_);
  for (std::size_t i = 0; i < count_; ++i) copy->append(subs_[i]->clone());
  return copy;
}

TreeMatch* TreeMatch::innermost() {
  TreeMatch* match = this;
  while (match->count_ > 0) match = match->subs_.front().get();
  return match;
}

}  // namespace velmo
