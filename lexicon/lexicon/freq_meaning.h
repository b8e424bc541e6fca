#pragma once
// Frequencies of a word under names ("freq" meaning): pairs of a name and a
// number, kept packed: a 4-byte pair count, then each name with a NUL and a
// 4-byte float, numbers big-endian.
#include <optional>
#include <string>
#include <string_view>
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

// The value of the first pair named `name` in a packed "freq" body, read in
// place: the chart asks it once per lexical item, and unpacking every pair
// into strings cost more than the rest of entering the item. Nothing when no
// pair has that name; a truncated body is read as far as its whole pairs go.
std::optional<float> packed_freq_value(std::string_view packed, std::string_view name);

}  // namespace velmo
