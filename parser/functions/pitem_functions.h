#pragma once
// The expression functions through which grammar conditions reach a parse
// item ("PItem*"), its link ("DepRel*"), the words around it, and the few
// that change an item or the parser's per-sentence position sets.
#include <cstdint>
#include <string>

namespace velmo {

class LExp;
struct PItem;
class SentenceView;

inline constexpr const char* kPItemType = "PItem*";
inline constexpr const char* kDepRelType = "DepRel*";

// Registers the functions as prototypes of the object factory; later calls
// do nothing.
void register_pitem_functions();

// What the functions (get-modifier-by-type RELATION), (head-last) and
// (head-first) find for an item, for readers that answer them directly:
// the modifier attached through RELATION to the item or, first, to the
// items down its head children (null for none); whether no item down the
// head children has a dependent right (left) of its head.
// `bit` is relation_bit(RELATION): an item whose relation bits lack it
// is answered without the walk.
const PItem* modifier_by_type(const PItem& item, const std::string& relation, std::uint64_t bit);
bool head_is_last(const PItem& item);
bool head_is_first(const PItem& item);
// The relation of a (get-modifier-by-type RELATION) expression; null for
// any other expression.
const std::string* modifier_relation_of(const LExp& exp);
// The words of the item's span, as (pitem-head-word) gives them (null when
// the item belongs to no sentence); and whether `exp` is that function as
// written, without an expression it hands the words to.
const char* span_words(const PItem& item);
// As above; `lasting` tells whether the words stay valid for the rest of
// the sentence (see ItemLattice::span_text_lasts), not only until the next
// request.
const char* span_words(const PItem& item, bool& lasting);
bool is_span_words(const LExp& exp);
// The sentence the item belongs to (its parser's current sentence), whose
// words span_words() joins; null when it belongs to none.
const SentenceView* sentence_of_item(const PItem& item);
// Whether the expression is (pitem-following-word ...) or
// (pitem-followed-by-or-end-with-word ...) with no condition or one that
// only filters words: its value then depends on the item's end alone.
bool reads_end_words_only(const LExp& exp);
// Whether the expression is (pitem-preceding-word) without a condition:
// the word before the item's start.
bool is_preceding_word(const LExp& exp);
// The item (pitem-head-child) gives: the first item down the head children
// that is not a merge (the item itself when it is none); and whether `exp`
// is that function as written, without an expression it hands the item to.
const PItem& head_child_of(const PItem& item);
bool is_head_child(const LExp& exp);

}  // namespace velmo
