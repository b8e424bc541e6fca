#pragma once
// How a fuzz target turns one input into the several files it reads; shared
// by velmo's and zentra's targets (test code only: the programs share none).
#include <cstddef>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_input {

inline constexpr std::string_view kSeparator = "\n--8<--\n";

// Cuts `data` at each "\n--8<--\n" into at most `parts` pieces (the last
// piece keeps any further separators); missing pieces are empty.
inline std::vector<std::string> split_parts(std::string_view data, std::size_t parts) {
  std::vector<std::string> pieces;
  while (pieces.size() + 1 < parts) {
    const std::size_t cut = data.find(kSeparator);
    if (cut == std::string_view::npos) break;
    pieces.emplace_back(data.substr(0, cut));
    data.remove_prefix(cut + kSeparator.size());
  }
  pieces.emplace_back(data);
  pieces.resize(parts);
  return pieces;
}

// Writes `bytes` to `name`, byte for byte.
inline void write_file(const std::string& name, std::string_view bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace fuzz_input
