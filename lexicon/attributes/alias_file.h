#pragma once
// Binary alias files: records up to the end of the file, each a 4-byte
// big-endian length N and N bytes holding the alias name, a NUL byte and the
// packed vector.
#include <cstddef>
#include <string>

namespace velmo {

class AttInterpreterList;

// Writes the aliases of `type` in traversal order; false (reported) when the
// file cannot be written.
bool save_alias_file(const AttInterpreterList& type, const std::string& path);
// Adds the aliases of the file to `type`; returns how many were read. A
// corrupt record is reported and skipped; a truncated file stops the reading.
std::size_t load_alias_file(AttInterpreterList& type, const std::string& path);

}  // namespace velmo
