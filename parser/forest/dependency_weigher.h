#pragma once
// The statistical weight of a dependency, used in the forest when the
// parser has a relation database: the weight of the word triple (head word,
// relation, modifier word) from the database plus a distance weight from the
// distance table (docs/distance-table.md). Bad triples cost 40.0. Triple
// weights, and which triples are bad, are cached across sentences, keyed by
// the interned texts of the triple (a word is interned once a sentence, not
// once a question). A prepositional modifier is asked as (head word, preposition,
// the preposition's object): the object, not the preposition, tells where
// the phrase attaches. Its head is named with its category, "<N>Adz": a
// head word the database lacks backs off to its category's statistics.
// Any other word the database lacks is named so too, as head or modifier
// (a rare name, a number, a misspelling), for the same reason.
//
// The forest asks for the same dependencies many times (once per packed
// alternative of a modifier, once per merged item that repeats a head and a
// modifier word), so within a sentence the answers are also memoised by the
// identity of the words (the lexical items' pooled roots), categories and
// relations: a repeated question costs a few pointer comparisons instead of
// building and hashing texts.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "parser/forest/distance_table.h"
#include "parser/forest/flat_memo.h"
#include "shell/support/slist.h"
#include "shell/support/text.h"

namespace velmo {

class AttVec;
class GLink;
struct PItem;

class DependencyWeigher {
 public:
  // The cache of triple weights (and the words it is keyed by) is emptied
  // between sentences once it holds this many triples (about 35 MB), so a
  // long run's memory stays bounded; the weights asked again are the same.
  static constexpr std::size_t kMaxCachedTriples = 500000;
  static constexpr float kBadTripleWeight = 40.0f;
  static constexpr float kTraceCeiling = 40.0f;
  // Added to a verb conjunct whose form agrees with its first conjunct's
  // neither as a word nor as a phrase (verb_forms_agree).
  static constexpr float kConjunctFormWeight = 3.0f;
  // No dependency weighs less: every weight includes a distance weight,
  // which is never below the distance table's floor.
  static constexpr float kLeastWeight = DistanceTable::kFloorWeight;
  // What the cache of triple weights holds for a bad triple (a weight is
  // never negative).
  static constexpr float kBadTripleMark = -1.0f;
  // The relation under which the distance table pools the distances of all
  // prepositions under a head category ("N:<prep>:Prep"): the row of a
  // preposition too rare for a row of its own there.
  static constexpr const char* kAnyPreposition = "<prep>";

  // What the weigher asks of the rest of the system.
  struct Sources {
    const DistanceTable* distances = nullptr;
    // Whether (head word, relation, modifier word) is a bad triple.
    std::function<bool(std::string_view, std::string_view, std::string_view)> is_bad_triple;
    // The relation database: a probability-like value in (0, 1], or nothing.
    std::function<std::optional<double>(std::string_view, std::string_view, std::string_view)> probability;
    // Whether the lexical analyzer skips the word at a position.
    std::function<bool(int)> is_skipped;
    // Whether the relation database knows a word (none: it knows all).
    std::function<bool(std::string_view)> knows_word;
  };

  explicit DependencyWeigher(std::size_t max_cached_triples = kMaxCachedTriples);
  // Takes the sources of a new sentence and forgets the memos of the last.
  void set_sources(Sources sources);
  // Forgets what was memoised for the previous sentence (the memos hold
  // pointers into its lexical items).
  void begin_sentence();
  bool active() const { return static_cast<bool>(sources_.probability); }
  // Empties the cache of triple weights.
  void clear_cache();
  std::size_t cached_triples() const { return triples_.size(); }

  // The weight of the dependency that merged item `merged` made between its
  // head side and its modifier through `link`.
  float merge_weight(const PItem& merged, const PItem& head_side, const PItem& modifier, const GLink& link);
  // The weight of a dependency of `modifier` under the head word item
  // `head` with the relation named.
  float surface_weight(const PItem& head, const PItem& modifier, const char* relation);
  // The weight of one dependency between a head word item and a modifier.
  float single_weight(const PItem& head, const PItem& modifier, std::string_view relation);

  // ---- Parts, open for tests.
  static std::string word_of(const PItem& item);
  static int position_of(const PItem& item);
  // The category key of an item for the distance table.
  static std::string category_key(const PItem& item);
  int distance(int head_position, int modifier_position) const;

 private:
  // What a single weight needs of one side of a dependency; the texts are
  // interned (category keys among the lasting texts, words among the words).
  struct Side {
    const char* word;
    const char* category;
    int position;
    bool cat_p;
    bool prepositional = false;  // a modifier known by its preposition
    // The text the database is asked with: the word, or "<CAT>word" for a
    // word it lacks.
    const char* asked = nullptr;
    bool operator==(const Side&) const = default;
  };
  // Distinct sides of a modifier's packed alternatives remembered while
  // they are listed (the later ones are listed without looking back).
  static constexpr std::size_t kRememberedSides = 8;
  // The sides of a modifier's packed alternatives: side_lists_[begin, end).
  struct SideRange {
    std::uint32_t begin;
    std::uint32_t end;
  };
  struct TripleKey {
    const char* head;
    const char* relation;
    const char* modifier;
    bool operator==(const TripleKey&) const = default;
  };
  struct TripleKeyHash {
    std::size_t operator()(const TripleKey& key) const;
  };
  // The triple's weight without the distance, or the bad-triple flag.
  struct TripleWeight {
    float weight;
    bool bad;
  };

  struct ValueKey {
    int index;
    Word value;
    bool operator==(const ValueKey&) const = default;
  };
  struct ValueKeyHash {
    std::size_t operator()(const ValueKey& key) const;
  };
  struct PointerHash {
    std::size_t operator()(const void* key) const {
      return (reinterpret_cast<std::uintptr_t>(key) * 0x9E3779B97F4A7C15ull) >> 20;
    }
  };
  struct LinkRelation {
    const char* relation;
    bool complement;  // the relation begins with "comp"
  };
  struct MergeKey {
    const PItem* head;
    const PItem* modifier;
    const char* relation;
    bool operator==(const MergeKey&) const = default;
  };
  struct MergeKeyHash {
    std::size_t operator()(const MergeKey& key) const;
  };

  // The relation under which the statistics know the dependency, interned;
  // with `moved_roles`, a gap of the head side that the link may fill lends
  // its role.
  const char* relation_of(const PItem& head_side, const PItem& modifier, const GLink& link, bool moved_roles);
  // The interned relation name of a link.
  const char* link_relation(const GLink& link);
  // The side of a modifier; a prepositional phrase's carries its object's word.
  Side modifier_side(const PItem& modifier, bool prepositional);
  // The distinct sides of the modifier's packed alternatives, in chain order.
  SideRange modifier_sides(const PItem& modifier);
  const PItem* prepositional_object(const PItem& phrase);
  // The interned text of the vector's value of attribute `index` ("" when
  // undefined).
  const char* value_text(const AttVec& vec, int index);
  const char* role_text_of(Word role);
  const char* intern(std::string_view text);
  // The text among the words the cache of triple weights is keyed by.
  const char* intern_word(std::string_view text);
  Side side_of(const PItem& item);
  // The verb of a clause head without a word of its own (the empty "fin");
  // null for any other item.
  const PItem* clause_verb(const PItem& item);
  // The topmost verb or copula item on the item's head-child chain (a
  // clause's verb phrase), null when there is none.
  const PItem* verb_phrase(const PItem& item);
  // Whether two verb conjuncts share a form (see the definition).
  bool verb_forms_agree(const PItem& first, const PItem& later);
  // Whether the item is a complementiser (a word of the clause category).
  bool is_complementiser(const PItem& item);
  // The weight of a conjunct of the complementiser `head` (see the
  // definition).
  float complementised_conjunct_weight(const PItem& head, const PItem& modifier);
  // Whether a subject or expletive hangs on the item's head-child chain.
  bool has_subject(const PItem& clause);
  // The weight of a clause conjoined to the clause `head` (without
  // complementiser, its verb `head_verb`).
  float clause_conjunct_weight(const PItem& head, const PItem& head_verb, const PItem& modifier);
  Side make_side(const PItem& item);
  const char* category_of(const PItem& item);
  float weight_of(const Side& head, const Side& modifier, const char* relation);
  // The interned "<CAT>word" of a head side, as prepositional questions
  // name it.
  const char* category_head(const Side& head);
  // The text a word of the category is asked with (Side::asked).
  const char* asked_text(const char* word, const char* category);
  // The distance weight of a dependency; a prepositional one whose
  // preposition has no row under the head's category takes the row of all
  // prepositions there (kAnyPreposition).
  float distance_weight(const char* head_key, const char* relation, const char* modifier_key, int d,
                        bool prepositional);
  // The distance table's row of a key (memoised), or DistanceTable::kNoRow.
  int distance_row(const char* head_key, const char* relation, const char* modifier_key);
  TripleWeight triple_of(const TripleKey& key, float distance_weight, int distance);
  float triple_weight(const TripleKey& key, float distance_weight, int distance);
  // "head\trelation\tmodifier", made in a buffer kept for the next.
  std::string_view triple_text(const TripleKey& key);

  struct TextHash {
    using is_transparent = void;  // looked up by views, without copying
    // FNV-1a in line: the texts are words, relations and category keys of a
    // few bytes, for which the library's hash costs a call and more steps.
    std::size_t operator()(std::string_view text) const { return fnv1a_hash(text); }
  };
  using TextSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

  Sources sources_;
  std::size_t max_cached_triples_;
  // Triple weights across sentences (kBadTripleMark for a bad triple), by
  // the interned texts of the triple.
  FlatMemo<TripleKey, float, TripleKeyHash> triples_;
  // The words (and "<CAT>word" heads) the cache is keyed by; emptied with it.
  TextSet words_;
  // Whether the database knows each of the words; emptied with them.
  FlatMemo<const void*, bool, PointerHash> known_words_;
  std::string triple_text_;

  // Interned texts (relations, category keys, attribute values), kept for
  // the weigher's life.
  TextSet interned_;
  const char* subj_;
  const char* conj_;
  const char* clause_key_;  // the category key of a clause head
  const char* copula_key_;
  const char* s_;
  const char* expl_;
  const char* prep_;
  const char* pcomp_;  // the link from a preposition to its object
  const char* any_preposition_;  // kAnyPreposition, interned
  const char* verb_key_;
  const char* no_word_;
  // ---- Memos of the current sentence.
  const char* empty_;
  FlatMemo<const void*, const char*, PointerHash> categories_;       // by GCate
  FlatMemo<const void*, LinkRelation, PointerHash> link_relations_;  // by GLink
  FlatMemo<ValueKey, const char*, ValueKeyHash> value_texts_;
  FlatMemo<MergeKey, float, MergeKeyHash> merges_;
  // ---- Kept across sentences while the distance table keeps its rows.
  FlatMemo<TripleKey, int, TripleKeyHash> distance_rows_;
  const DistanceTable* rows_table_ = nullptr;
  std::uint64_t rows_table_changes_ = 0;
  // ---- Memos of the current sentence (continued).
  FlatMemo<const void*, const char*, PointerHash> roots_;  // among the words, by pooled root
  FlatMemo<TripleKey, const char*, TripleKeyHash> category_heads_;  // by category and word
  FlatMemo<const void*, Side, PointerHash> sides_;  // by PItem
  FlatMemo<const void*, SideRange, PointerHash> modifier_sides_;  // by PItem
  std::vector<Side> side_lists_;
  // skipped_before_[p]: skipped positions below p, filled as far as asked.
  mutable std::vector<int> skipped_before_;
};

}  // namespace velmo
