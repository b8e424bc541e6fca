#include "lexicon/dictionary/dict_header.h"

#include <cstdlib>

#include "shell/reader/tokenizer.h"

namespace velmo {
namespace {

// A file name token without the quotes that may surround it.
std::string file_name(std::string_view token) {
  if (token.starts_with('"')) {
    token.remove_prefix(1);
    if (token.ends_with('"')) token.remove_suffix(1);
  }
  return std::string(token);
}

}  // namespace

DictHeader read_dict_header(std::istream& in) {
  Tokenizer tokenizer(tokenizer_configs::kDictionaryEntries);
  tokenizer.set_input(&in);
  DictHeader header;
  if (const char* token = tokenizer.next_significant_token()) header.dictionary_name = file_name(token);
  if (const char* token = tokenizer.next_significant_token()) header.buckets = std::strtol(token, nullptr, 10);
  if (const char* token = tokenizer.next_significant_token()) header.index_name = file_name(token);
  if (const char* token = tokenizer.next_significant_token()) header.open = token[0];
  if (const char* token = tokenizer.next_significant_token()) header.close = token[0];
  return header;
}

std::string path_beside(std::string_view directory, std::string_view name) {
  if (name.starts_with('/') || directory.empty()) return std::string(name);
  std::string path(directory);
  if (!path.ends_with('/')) path += '/';
  path += name;
  return path;
}

}  // namespace velmo
