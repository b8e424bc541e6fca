#pragma once
// "(phrases (w1 w2 ...) ...)" in an entry: each element adds a phrase record
// to the entry being read; the expression yields no meaning itself.
#include "lexicon/lexicon/meaning.h"

namespace velmo {

class PhraseMeaning final : public Meaning {
 public:
  static constexpr const char* kTypeName = "phrases";

  std::string_view type_name() const override { return kTypeName; }
  void print_body(std::ostream&) const override {}
  std::unique_ptr<Meaning> clone() const override { return std::make_unique<PhraseMeaning>(); }
  int compare(const Meaning& other) const override { return &other == this ? 0 : -2; }
  // Adds the records to the current entry and returns null.
  std::unique_ptr<Meaning> make(IRSlist& elements) const override;
};

}  // namespace velmo
