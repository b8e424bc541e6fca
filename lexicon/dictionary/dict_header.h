#pragma once
// The header file of an on-disk dictionary: the dictionary file name, the
// number of index buckets, the index file name and the entry delimiters, as
// significant tokens of the dictionary tokenizer (so ";" comments and
// double-quoted names are allowed).
#include <istream>
#include <string>
#include <string_view>

namespace velmo {

struct DictHeader {
  std::string dictionary_name;
  long buckets = 0;
  std::string index_name;
  char open = '(';
  char close = ')';
};

// Reads a header; missing tokens leave the defaults (an empty name, no
// buckets, "(" and ")").
DictHeader read_dict_header(std::istream& in);

// `name` taken relative to `directory` (the directory the header was found
// in, ending with "/" or empty); absolute names stand as they are.
std::string path_beside(std::string_view directory, std::string_view name);

}  // namespace velmo
