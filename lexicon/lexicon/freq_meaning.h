#pragma once
// Frequencies of a word under names ("freq" meaning): pairs of a name and a
// number, kept packed: a 4-byte pair count, then each name with a NUL and a
// 4-byte float, numbers big-endian.
#include <string>
#include <utility>
#include <vector>

#include "lexicon/lexicon/meaning.h"

namespace velmo {

class FreqMN final : public Meaning {
 public:
  static constexpr const char* kTypeName = "freq";

  FreqMN();

  std::string_view type_name() const override { return kTypeName; }
  // The pairs as "name value name value ...".
  void print_body(std::ostream& out) const override;
  std::unique_ptr<Meaning> clone() const override;
  // Only the very same object compares equal.
  int compare(const Meaning& other) const override;
  void read_body(IRSlist& elements) override;

  // The pairs unpacked from the body.
  std::vector<std::pair<std::string, float>> pairs() const;
  const std::string& packed() const { return packed_; }

 private:
  std::string packed_;
};

}  // namespace velmo
