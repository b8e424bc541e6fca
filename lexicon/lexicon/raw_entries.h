#pragma once
// Lexicon files handled as text by the offline tools: raw entries are the
// parenthesised stretches of a file, read without building anything.
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class RawEntryReader {
 public:
  explicit RawEntryReader(std::istream& in) : in_(in) {}

  // The next entry, from its "(" to the matching ")"; false at the end of
  // the input and after an entry that is never closed (reported; the rest of
  // the input is not read).
  bool next(std::string& entry);

 private:
  std::istream& in_;
  bool finished_ = false;
};

// The key of a raw entry: the text after "(" up to the next parenthesis
// outside double quotes, with each run of white space and "|" turned into one
// blank, and no blank at either end.
std::string head_word(std::string_view entry);
// The top-level parenthesised stretches after the key.
std::vector<std::string_view> meaning_groups(std::string_view entry);
// The entry without any white space, for comparisons that ignore layout.
std::string squeezed(std::string_view entry);

}  // namespace velmo
