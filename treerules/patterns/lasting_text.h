#pragma once
// Texts kept for the whole run, one copy per distinct text, each with a
// small number of its own. The literal texts of tree-rule definitions are
// kept so: trees hold them without copies of their own and may outlive the
// definitions, and a tree order remembers what a text is in the tree it
// read by the text's number.
#include <cstdint>
#include <string_view>

namespace velmo {

struct LastingText {
  const char* text;
  std::uint32_t number;  // 0, 1, 2, ... in the order the texts were first kept
};

LastingText keep_lasting_text(std::string_view text);
inline const char* lasting_text(std::string_view text) { return keep_lasting_text(text).text; }

}  // namespace velmo
