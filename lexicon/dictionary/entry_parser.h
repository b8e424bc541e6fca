#pragma once
// Dictionary entries turned into S-expression trees without the general
// command tokenizer. A disk lookup reads one short entry text; building a
// tokenizer for it and taking it token by token cost more than the rest of
// the lookup. The tree is the one the command reader builds from the same
// text (IRSlist::read with the command syntax).
#include <memory>
#include <string_view>
#include <vector>

namespace velmo {

class IRSlist;
class StringPool;

// Parses the first item of `text` into `item` (null when the text holds no
// item or starts with ")"), atom texts copied into `store`, and returns
// true. Returns false, leaving `item` alone, for a text it leaves to the
// command reader: one holding a comment character or a NUL byte, or any
// text while double-byte tokens are on.
bool parse_entry_text(std::string_view text, StringPool& store, std::unique_ptr<IRSlist>& item);

// As parse_entry_text for an entry that is a list, but the lists inside it
// are not built: `lists` gets their texts, in order, and the tree `outline`
// holds an empty list in the place of each (its atoms are those the full
// tree has). Most of an entry is its meanings, which a reader that knows a
// meaning's text already need not build. False, leaving both alone, for a
// text parse_entry_text leaves to the command reader, one that does not open
// with a list, and one where an inner list is not closed.
bool split_entry_text(std::string_view text, StringPool& store, std::unique_ptr<IRSlist>& outline,
                      std::vector<std::string_view>& lists);

}  // namespace velmo
