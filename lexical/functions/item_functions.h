#pragma once
// Expression functions on single lexical items (input "LexItem*") and the
// sentence flags of the analyzer (input "LexAnalyzer*").
namespace velmo {

class AttVec;
class LExp;
class LexItem;

void register_item_functions();

// When `exp` is a (no-alternative EXPR) form: true, with `condition` set to
// its EXPR (null when it has none). False for any other expression.
bool no_alternative_condition(const LExp& exp, const LExp*& condition);
// Whether `exp` is a test of an item that only reads the item: (ending NAME).
bool is_item_read_test(const LExp& exp);
// When `exp` is an (ending NAME) form: true, with `name` set to its NAME
// (null when it has none). False for any other expression.
bool ending_test(const LExp& exp, const char*& name);
// The attribute vector of the item's meaning, as (att) gives it: null when
// the meaning is not a vector.
AttVec* item_vector(const LexItem& item);

}  // namespace velmo
