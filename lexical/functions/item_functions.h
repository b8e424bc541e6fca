#pragma once
// Expression functions on single lexical items (input "LexItem*") and the
// sentence flags of the analyzer (input "LexAnalyzer*").
namespace velmo {

void register_item_functions();

}  // namespace velmo
