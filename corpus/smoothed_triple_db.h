#pragma once
// The relation database the English grammar uses: a triple-count database
// whose answers are smoothed, so that every triple, seen or not, gets a
// probability below 1.0. The parser charges -ln of the answer and takes a
// missing answer as 1.0 (no cost), which would make an unseen attachment the
// cheapest of all; here an unseen one always costs more than a well-attested
// one.
//
// The answer is the probability of the relation given the two words,
// P(relation | head, modifier): how well the relation suits this pair, not
// how common the modifier word is (a probability of the modifier word itself
// would charge every open-class dependent more than a function word, and so
// favour analyses that make fewer words dependents). It is estimated with
// Witten-Bell interpolation down a chain of back-offs:
//   P(relation | head, modifier) -> the mean of P(relation | head) and
//   P(relation | modifier);
//   P(relation | head) -> P(relation | head's category) -> P(relation);
//   P(relation | modifier) -> P(relation);
//   P(relation) has half a count added for every relation and one unseen.
// A question about two words the database lacks (the parser names both with
// their categories, "<CAT>word") is answered from the words seen once in the
// treebank, the usual stand-in for words never seen: P(relation | head)
// backs off to the heads seen once of the head's class, then to its
// category; P(relation | modifier) to the modifiers seen once of the
// modifier's class. A class is a category and a shape (shape_of), "N:cap":
// between two unknown capitalised words a name's parts are likelier than
// between a known word and an unknown one.
// A verb's object asked as "obj" whose pair the treebank saw as "obj2" (or
// the other way round) has the better answer of the two relations: "tell
// me about it" has the grammar's only object where the treebank writes an
// indirect one, as in "tell me that".
// A modifier word "~" (a phrase without a lexical head word) or equal to the
// relation (a preposition asked under its own name) counts as unknown: the
// answer is then P(relation | head).
//
// A prepositional phrase is asked as (head, preposition, its object). Which
// head takes it depends on how readily each head takes that preposition and
// on how well the object suits the head: the answer is the rate at which the
// head takes phrases of that preposition per occurrence (backed off to its
// category's and all words') times the association of the object with the
// head in that preposition, P(object | head, preposition) /
// P(object | preposition). The first backs off to the second times the
// association of the object's word class (a WordNet noun class) with the
// head's category, P(class | category, preposition) / P(class | preposition);
// the second backs off to P(object) with half a count per word. An object
// without class and a pair never seen leave the rate alone (a little
// lowered when the head has many other objects); the product stays below 1.
//
// The counts behind the back-offs are entries of the database under keys no
// word can have (written by tools/gen-english-stats.py):
//   "<any>"        relation, modifier, count summed over all heads;
//   "<class:CAT>"  relation, "*", count summed over the heads of category CAT;
//   in each head's own entry, the pair ("<class>", CAT) names its category;
//   "<prepositions>" relation, "*", count: the relations that are prepositions;
//   in a word's entry, ("<occurrences>", "*") how often it occurs (summed in
//   "<any>" and "<class:CAT>") and ("<wordclass>", CLASS) its noun class;
//   "<objclass:CAT>" (and "<objclass:any>") preposition, object class, count;
//   in a word's entry, ("<lemma>", LEMMA) sends questions about the word as a
//   head to LEMMA's entry (the parser keeps "had" as the root of the main
//   verb, the statistics count it under "have");
//   "<rare-modifiers>" relation, "CAT:shape", count: the relations of the
//   modifiers seen once, by class; "<class:CAT:shape>" relation, "*",
//   count: the dependents of the heads seen once, by class;
//   "<settings>" "<association-power>" "*" and "<unknown-modifier-power>"
//   "*", each with a power in thousandths (1.0 when missing).
//
// A question may name its head with the category the parser gave it,
// "<CAT>word" (<N>Adz). The word's own entry answers it as before; a word
// the database lacks (a rare name, a misspelling) backs off to the rates
// and object classes of category CAT instead of to those of all words, so
// an unknown noun does not take prepositional phrases as readily as a verb.
// So does a word whose entry names no category (one seen only as the
// object of a preposition, whose entry holds just its word class).
//
// The two powers weigh the parts of an answer against each other, tuned on
// held-out treebank text with the statistics: the association of a
// prepositional object is raised to the first (its estimate is noisy: one
// or two sightings of a pair say little), and an answer without a modifier
// word (P(relation | head), or a preposition's rate alone) to the second
// (it says less than one that knows both words).
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corpus/flat_text_map.h"
#include "corpus/triple_db.h"
#include "parser/forest/flat_memo.h"

namespace velmo {

class SmoothedTripleDb : public TripleDb {
 public:
  static constexpr const char* kType = "SmoothedTripleDb:TripleDb:PLHash";
  static constexpr std::string_view kAllHeads = "<any>";
  static constexpr std::string_view kClassPrefix = "<class:";
  static constexpr std::string_view kClassRelation = "<class>";
  static constexpr std::string_view kPrepositions = "<prepositions>";
  static constexpr std::string_view kOccurrences = "<occurrences>";
  static constexpr std::string_view kWordClass = "<wordclass>";
  static constexpr std::string_view kLemma = "<lemma>";
  static constexpr std::string_view kObjectClassesPrefix = "<objclass:";
  static constexpr std::string_view kAnyModifier = "*";
  static constexpr std::string_view kSettings = "<settings>";
  static constexpr std::string_view kAssociationPower = "<association-power>";
  static constexpr std::string_view kUnknownModifierPower = "<unknown-modifier-power>";
  static constexpr std::string_view kRareModifiers = "<rare-modifiers>";
  static constexpr double kCeiling = 0.99;
  // A verb's object relations: a pair seen in one and asked in the other
  // has the better of the two answers.
  static constexpr std::string_view kObject = "obj";
  static constexpr std::string_view kSecondObject = "obj2";
  // The other object relation of an object relation; empty for any other.
  static std::string_view object_counterpart(std::string_view relation);

  explicit SmoothedTripleDb(std::size_t buckets) : TripleDb(buckets) {}

  const char* kind() const override { return "SmoothedTripleDb"; }
  std::optional<double> probability(std::string_view head, std::string_view relation,
                                    std::string_view modifier) override;
  // Indexes the counts over all heads now rather than on the first
  // question, so that the first sentence parsed does not pay for it.
  void prepare() { summary(); }
  // Whether the word has an entry as a head (naming its category) and uses
  // as a modifier: a word lacking either is asked as "<CAT>word".
  bool knows_word(std::string_view word) override;
  // The shape of a word: "web" (an e-mail or web address), "num" (a
  // digit), "sym" (no letters), "low" (no capital first), "caps" (two
  // letters or more, none small) or "cap". The statistics generator
  // classes the words seen once the same way.
  static std::string_view shape_of(std::string_view word);

  double relation_given_head(std::string_view head, std::string_view relation);
  double relation_given_modifier(std::string_view relation, std::string_view modifier);
  double relation_given_pair(std::string_view head, std::string_view relation, std::string_view modifier);
  double modifier_given_relation(std::string_view relation, std::string_view modifier);
  double association(std::string_view head, std::string_view relation, std::string_view modifier);
  bool is_prepositional(std::string_view relation);
  double rate_given_head(std::string_view head, std::string_view relation);

 private:
  // What a question knows of its head: its entry (null for a word the
  // database lacks) and its category (empty when unknown).
  struct Head {
    const TripleEntry* entry = nullptr;
    std::string_view category;
    bool named_category = false;  // the question's category, not the entry's
    // For a head known by the question's category: the number (Summary::
    // names) of its class, "CAT:shape"; else 0.
    std::uint32_t rare_class = 0;
  };
  // Counts of one entry (for one modifier, or all), without the category
  // record: in the relation asked for, in every relation, and the number of
  // distinct relations.
  struct RelationCounts {
    std::uint64_t in_relation = 0;
    std::uint64_t all = 0;
    std::uint64_t relations = 0;
  };
  // The "<any>" entry indexed for the questions asked of it again and
  // again; texts lower-cased.
  // The entries of a category: its heads' counts and its prepositional
  // objects' classes (null when the database has none).
  struct ClassEntries {
    std::string name;
    const TripleEntry* heads;
    const TripleEntry* objects;
  };
  // What an answer that depends on less than a whole triple is known by:
  // an entry (or none), the number of a relation (Summary::names) and one
  // more thing (a modifier's uses, a category's number, or none).
  struct AnswerKey {
    const void* entry;
    std::uint32_t relation;
    std::uintptr_t other;
    bool operator==(const AnswerKey&) const = default;
  };
  struct AnswerKeyHash {
    std::size_t operator()(const AnswerKey& key) const {
      const auto entry = reinterpret_cast<std::uintptr_t>(key.entry);
      std::size_t h = (entry >> 3) * 0x9E3779B97F4A7C15ull;
      h = (h ^ key.relation) * 0x9E3779B97F4A7C15ull;
      return ((h ^ (key.other >> 3)) * 0x9E3779B97F4A7C15ull) >> 16;
    }
  };
  // A relation's number (Summary::names) and whether it is a preposition.
  struct RelationFacts {
    std::uint32_t number = 0;
    bool prepositional = false;
  };
  // Open addressing in one array: a question asked again is one probe, and
  // the memo is freed in one piece (not node by node) with the summary.
  using AnswerMemo = FlatMemo<AnswerKey, double, AnswerKeyHash>;
  struct Summary {
    // The entries every question reads, found once.
    const TripleEntry* all_heads = nullptr;
    const TripleEntry* prepositions = nullptr;
    const TripleEntry* object_classes = nullptr;  // of all heads
    const TripleEntry* rare_modifiers = nullptr;
    std::uint64_t occurrences = 0;                // of all heads
    double association_power = 1.0;               // from "<settings>"
    double unknown_modifier_power = 1.0;
    std::vector<ClassEntries> classes;  // as asked for
    // Over the word relations of all heads: the summed count and the
    // number of relations, and per modifier (case-folded, viewing the
    // "<any>" entry) its summed count and number of relations.
    std::uint64_t total = 0;
    std::uint64_t relations = 0;
    struct Uses {
      std::uint64_t total;
      std::uint64_t relations;
    };
    FlatTextMap<Uses> by_modifier;
    // Answers that depend on less than a whole triple, shared by the
    // triples that have those words in common: P(relation | head), the
    // head's rate of the relation and P(relation | modifier).
    AnswerMemo head_relations;
    AnswerMemo head_rates;
    AnswerMemo modifier_relations;
    // Relations and categories asked about, case-folded, numbered from 1
    // as first met: the memos are keyed by number, not by text.
    FlatTextMap<std::uint32_t> names;
    std::deque<std::string> name_texts;  // what `names` views
    // What a question needs of its relation, by the text as asked (a
    // handful of relations are asked tens of thousands of times).
    FlatTextMap<RelationFacts> relations_asked;
    std::deque<std::string> relation_texts;  // what `relations_asked` views
    // The head of each text asked about (a head word is asked with many
    // relations and modifiers): its entry and category found once, instead
    // of the entry, its lemma's entry and its category record per question.
    // A category taken from a "<CAT>word" text views the memo's own key.
    FlatTextMap<Head> heads;
    std::deque<std::string> head_texts;  // what `heads` views
  };
  // The summary, made anew when the database changed since it was made.
  // Asked several times by every question: the common case is in line.
  Summary& summary() {
    if (summary_ && summary_changes_ == changes()) [[likely]]
      return *summary_;
    return make_summary();
  }
  Summary& make_summary();
  // The number of a relation or category name (case-folded).
  std::uint32_t name_number(std::string_view name);
  RelationFacts facts_of(std::string_view relation);
  template <class Compute>
  double remembered(AnswerMemo Summary::*memo, const AnswerKey& key, Compute compute);
  double compute_relation_given_head(const Head& head, std::string_view relation);
  double compute_rate_given_head(const Head& head, std::string_view relation);
  double compute_relation_given_modifier(std::string_view relation, std::string_view modifier);
  // P(relation | the modifiers seen once of the class), backed off to P(relation).
  double compute_relation_given_class(std::string_view relation, std::string_view modifier_class);
  // The count of `relation` over all heads (0 for a "<...>" record).
  std::uint64_t relation_seen(std::string_view relation);
  // The uses of `modifier` over all heads, null when it has none.
  const Summary::Uses* uses_of(std::string_view modifier);
  const ClassEntries& class_entries(std::string_view head_class);
  const TripleEntry* head_entry(std::string_view head);
  // The questions with the relation's number found already.
  // A head with a rare class backs off to it before its category.
  double relation_given_head(const Head& head, std::string_view relation, std::uint32_t number);
  // A modifier with a category (the question's, for a word the database
  // lacks) backs off to its class; without one, to P(relation).
  double relation_given_modifier(std::string_view relation, std::uint32_t number, std::string_view modifier,
                                 std::string_view category);
  double relation_given_pair(const Head& head, std::string_view relation, std::uint32_t number,
                             std::string_view modifier, std::string_view category);
  // The number of the class "CAT:shape" of a word.
  std::uint32_t class_number(std::string_view category, std::string_view word);
  double association(const Head& head, std::string_view relation, std::string_view modifier);
  double rate_given_head(const Head& head, std::string_view relation, std::uint32_t number);
  // The head of a question: the word's entry and its category, or for a
  // word the database lacks, no entry and the category "<CAT>word" names.
  Head head_of(std::string_view head);
  Head find_head(std::string_view head);
  // A head named "<CAT>word": the category and the word; nothing else.
  static std::optional<std::pair<std::string_view, std::string_view>> category_and_word(std::string_view head);
  static RelationCounts relation_counts(const TripleEntry* entry, std::string_view relation);
  static RelationCounts modifier_counts(const TripleEntry* entry, std::string_view relation, std::string_view modifier);
  double relation_prior(std::string_view relation);
  double relation_given_class(std::string_view head_class, std::string_view relation);
  double rate_given_class(std::string_view head_class, std::string_view relation);
  static std::uint64_t occurrences(const TripleEntry* entry);
  // A power of the "<settings>" entry, `fallback` when it has none.
  static double setting(const TripleEntry* settings, std::string_view name, double fallback);
  static double modifier_given_head(const TripleEntry* head_entry, std::string_view relation, std::string_view modifier,
                                    double backoff);
  std::string_view word_class_of(std::string_view word);
  double class_association(std::string_view head_class, std::string_view relation, std::string_view modifier);
  static std::string_view class_of(const TripleEntry* head_entry);
  const TripleEntry* entry(std::string_view key) { return static_cast<const TripleEntry*>(find(key)); }

  std::unique_ptr<Summary> summary_;
  std::uint64_t summary_changes_ = 0;  // changes() when the summary was made
};

}  // namespace velmo
