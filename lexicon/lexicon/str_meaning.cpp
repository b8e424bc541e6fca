#include "lexicon/lexicon/str_meaning.h"

#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {

void StrMeaning::print_body(std::ostream& out) const {
  if (text_) out << *text_;
}

std::unique_ptr<Meaning> StrMeaning::clone() const {
  auto copy = std::make_unique<StrMeaning>(type_name_);
  copy->text_ = text_;
  return copy;
}

int StrMeaning::compare(const Meaning& other) const {
  const auto* that = dynamic_cast<const StrMeaning*>(&other);
  if (!that || !equal_nocase(type_name_, that->type_name_)) return -2;
  if (text_ && that->text_) return *text_ == *that->text_ ? 0 : 2;
  return text_.has_value() == that->text_.has_value() ? 0 : 2;
}

void StrMeaning::read_body(IRSlist& elements) {
  if (elements.is_nil()) {
    text_.reset();
    return;
  }
  text_ = elements.flat();
}

}  // namespace velmo
