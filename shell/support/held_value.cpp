#include "shell/support/held_value.h"

#include <utility>

namespace velmo {

RefPtr<HeldValue> HeldValue::copy_text(const char* text) {
  RefPtr<HeldValue> held(new HeldValue);
  held->text_ = text;
  return held;
}

RefPtr<HeldValue> HeldValue::copy_list(const Slist& list) {
  RefPtr<HeldValue> held(new HeldValue);
  held->is_list_ = true;
  if (SlistNode* first = list.first_node()) {
    SlistNode* node = first;
    do {
      held->list_.append(node->value);
      node = node->next;
    } while (node != first);
  }
  return held;
}

Word HeldValue::word() const {
  if (is_list_) return reinterpret_cast<Word>(&list_);
  return reinterpret_cast<Word>(text_.c_str());
}

std::vector<RefPtr<HeldValue>>& DroppedValues::kept() {
  static std::vector<RefPtr<HeldValue>> values;
  return values;
}

void DroppedValues::keep(RefPtr<HeldValue> value) {
  if (value) kept().push_back(std::move(value));
}

void DroppedValues::release() {
  // Swapped out, so that the room a long command took goes too.
  std::vector<RefPtr<HeldValue>> values;
  values.swap(kept());
}

std::size_t DroppedValues::count() { return kept().size(); }

}  // namespace velmo
