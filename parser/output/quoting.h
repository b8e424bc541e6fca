#pragma once
// How words and roots are quoted in the text formats of the trees.
#include <string>
#include <string_view>

namespace velmo {

// The dependency format: a text holding a tab, newline, carriage return,
// blank, double quote, "(", ")", ";", backslash or a byte of 128 or above is
// enclosed in double quotes, with a backslash before each double quote and
// backslash inside. The result format adds the comma to the special bytes.
void append_tree_quoted(std::string& out, std::string_view text, bool comma_is_special = false);

// The nested format: a word with a blank, tab, newline, "(" or ")" goes
// between double quotes as it is; a lone double quote is written "\"".
void append_nested_word(std::string& out, std::string_view word);

}  // namespace velmo
