#include "corpus/hash_header.h"

#include <charconv>
#include <iostream>
#include <vector>

#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

std::optional<std::uint32_t> positive_number(std::string_view text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
  return value;
}

std::string directory_of(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

}  // namespace

std::optional<HashHeader> read_hash_header(std::istream& in, std::string_view header_name) {
  Tokenizer tokenizer(tokenizer_configs::kHashEntries);
  tokenizer.set_input(&in);
  std::vector<std::string> fields;
  while (fields.size() < 3) {
    const char* token = tokenizer.next_significant_token();
    if (!token) break;
    const std::string_view text(token, tokenizer.token_length());
    if (text == ";" || text == ",") continue;
    const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    fields.emplace_back(quoted ? text.substr(1, text.size() - 2) : text);
  }
  const std::optional<std::uint32_t> buckets = fields.size() == 3 ? positive_number(fields[1]) : std::nullopt;
  const std::optional<std::uint32_t> block_size = fields.size() == 3 ? positive_number(fields[2]) : std::nullopt;
  if (!buckets || !block_size) {
    diag() << "The header file " << header_name << " must give a file name, a bucket count and a block size\n"
           << std::flush;
    return std::nullopt;
  }
  HashHeader header{fields[0], *buckets, *block_size};
  if (!header.file.empty() && header.file.front() != '/') header.file = directory_of(header_name) + header.file;
  return header;
}

}  // namespace velmo
