#pragma once
// The header file of a disk-backed database: the hash file's name, its
// bucket count and its block size, separated by white space, ";" or ",".
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

struct HashHeader {
  std::string file;  // relative names are resolved against the header's directory
  std::uint32_t buckets = 0;
  std::uint32_t block_size = 0;
};

// Reads a header from `in`; `header_name` names it in messages and gives the
// directory that a relative hash file name is taken from.
std::optional<HashHeader> read_hash_header(std::istream& in, std::string_view header_name);

}  // namespace velmo
