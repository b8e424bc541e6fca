#include "shell/support/current.h"

#include <algorithm>
#include <vector>

namespace velmo::current_detail {
namespace {

// Never destroyed: objects deleted at exit may still look their settings up.
std::vector<Setting*>& settings() {
  static auto* live = new std::vector<Setting*>;
  return *live;
}

}  // namespace

Setting::Setting() { settings().push_back(this); }

Setting::~Setting() {
  std::vector<Setting*>& live = settings();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void forget_everywhere(const CanBeCurrent* object) {
  for (Setting* setting : settings()) setting->forget(object);
}

}  // namespace velmo::current_detail
