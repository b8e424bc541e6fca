#pragma once
// Reading one name's value from a word's "freq" record without unpacking
// the record: the chart asks it once per lexical item, and unpacking every
// pair into strings cost more than the rest of entering the item.
#include <optional>
#include <string_view>

namespace velmo {

// The value of the first pair named `name` in a packed "freq" body (a
// 4-byte big-endian pair count, then each name, a NUL and the float's
// 4 big-endian bytes); nothing when no pair has that name. A truncated body
// is read as far as its whole pairs go.
std::optional<float> packed_freq_value(std::string_view packed, std::string_view name);

}  // namespace velmo
