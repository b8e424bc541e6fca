#pragma once
// A meaning that is a piece of text under a type name of the user's choice
// (`make-str-meaning-proto`): the elements after the type name, printed as
// S-expressions.
#include <optional>
#include <string>

#include "lexicon/lexicon/meaning.h"

namespace velmo {

class StrMeaning final : public Meaning {
 public:
  explicit StrMeaning(std::string_view type_name) : type_name_(type_name) {}

  std::string_view type_name() const override { return type_name_; }
  void print_body(std::ostream& out) const override;
  std::unique_ptr<Meaning> clone() const override;
  int compare(const Meaning& other) const override;
  void read_body(IRSlist& elements) override;

  const std::optional<std::string>& body() const { return text_; }

 private:
  std::string type_name_;
  std::optional<std::string> text_;  // nothing: no elements were given
};

}  // namespace velmo
