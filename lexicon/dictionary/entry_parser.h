#pragma once
// Dictionary entries turned into S-expression trees without the general
// command tokenizer. A disk lookup reads one short entry text; building a
// tokenizer for it and taking it token by token cost more than the rest of
// the lookup. The tree is the one the command reader builds from the same
// text (IRSlist::read with the command syntax).
#include <memory>
#include <string_view>

namespace velmo {

class IRSlist;
class StringPool;

// Parses the first item of `text` into `item` (null when the text holds no
// item or starts with ")"), atom texts copied into `store`, and returns
// true. Returns false, leaving `item` alone, for a text it leaves to the
// command reader: one holding a comment character or a NUL byte, or any
// text while double-byte tokens are on.
bool parse_entry_text(std::string_view text, StringPool& store, std::unique_ptr<IRSlist>& item);

}  // namespace velmo
