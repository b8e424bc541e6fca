#include "parser/grammar/glink.h"

#include <algorithm>

#include "parser/chart/pitem.h"
#include "parser/grammar/gcate.h"

namespace velmo {

std::string_view name_stem(std::string_view name) { return name.substr(0, name.find('_')); }

namespace {

// The modifier part of a distance key: complements and nominal compounds
// have short names of their own.
std::string_view modifier_key(std::string_view name) {
  if (name == "COMP") return "C";
  if (name == "NN") return "N";
  return name_stem(name);
}

}  // namespace

void GLink::set_relation(std::string_view name) {
  relation_ = name;
  has_relation_ = true;
  relation_bit_ = velmo::relation_bit(name);
  distance_key_.clear();
  distance_key_.append(name_stem(modifiee_->name())).append(":").append(name).append(":");
  distance_key_.append(modifier_key(modifier_->name()));
}

void GLink::add_waiting(int end_word, PItem* item) {
  if (end_word < 0) return;
  if (static_cast<std::size_t>(end_word) >= waiting_.size()) waiting_.resize(static_cast<std::size_t>(end_word) + 10);
  waiting_[static_cast<std::size_t>(end_word)].push_back(item);
  waiting_used_ = std::max(waiting_used_, static_cast<std::size_t>(end_word) + 1);
}

void GLink::clear_waiting(int words) {
  const std::size_t n = words < 0 ? waiting_used_ : std::min(waiting_used_, static_cast<std::size_t>(words) + 1);
  for (std::size_t i = 0; i < n; ++i) waiting_[i].clear();
  if (n == waiting_used_) waiting_used_ = 0;
}

}  // namespace velmo
