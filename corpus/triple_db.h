#pragma once
// The triple-count database: for each head word, how often each modifier
// word was seen with it in each relation. It answers the parser's question
// "how likely is this modifier word in this relation to this head word".
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corpus/pl_hash.h"
#include "lexicon/lexicon/relation_source.h"

namespace velmo {

// A text with its ASCII letters lower-cased, made without allocating for
// the short texts questions ask about (and without copying a text that has
// no capital letter). Folded texts compare as compare_nocase compares the
// originals.
class FoldedText {
 public:
  explicit FoldedText(std::string_view text);
  FoldedText(const FoldedText&) = delete;
  FoldedText& operator=(const FoldedText&) = delete;
  std::string_view view() const { return view_; }

 private:
  static constexpr std::size_t kInline = 64;
  char inline_[kInline];
  std::string heap_;
  std::string_view view_;
};

// The counts of one head word: (relation, modifier) -> count. Pairs are
// kept sorted by their case-folded texts in one flat array, a pair keeping
// the spelling it was first added with; pairs added out of order wait in a
// pending list until the next question. Each relation's pairs are
// contiguous, so its total and number of modifiers are kept per relation;
// an index by modifier (by hash of the text) is made on the first question
// that needs it.
class TripleEntry : public PLHash::Entry {
 public:
  // One pair and its count, in the spelling the pair was first added with.
  struct Count {
    std::string_view relation;
    std::string_view modifier;
    std::uint64_t count;
    bool operator==(const Count&) const = default;
  };
  // One relation: its name (as spelt in its first pair), the summed count
  // and the number of distinct modifiers.
  struct Relation {
    std::string_view name;
    std::uint64_t total;
    std::uint64_t types;
    bool operator==(const Relation&) const = default;
  };
  // How a modifier stands in the word relations (not the "<...>" records):
  // its count in the relation asked for, summed over all, and the number of
  // relations it was seen in.
  struct ModifierCounts {
    std::uint64_t in_relation = 0;
    std::uint64_t all = 0;
    std::uint64_t relations = 0;
  };

  void add(std::string_view relation, std::string_view modifier, std::uint64_t count);
  void add_all(const TripleEntry& other);
  std::uint64_t count(std::string_view relation, std::string_view modifier) const;
  std::uint64_t relation_total(std::string_view relation) const;
  // The number of distinct modifiers seen in `relation`.
  std::uint64_t relation_types(std::string_view relation) const;
  // The first modifier (in sorted order) of `relation`, empty when the
  // relation has none: the value of a record that names one thing.
  std::string_view first_modifier(std::string_view relation) const;
  ModifierCounts modifier_counts(std::string_view relation, std::string_view modifier) const;
  std::vector<Relation> relations() const;
  // Over the relations whose names are words (not "<...>" records): the
  // summed count and the number of distinct relations.
  std::uint64_t word_relations_total() const;
  std::uint64_t word_relations() const;
  // Every pair in sorted order.
  template <class Visit>
  void for_each_count(Visit visit) const {
    settle();
    for (const Record& record : records_)
      visit(Count{original(record.relation), original(record.modifier), record.count});
  }
  // The same with the texts case-folded (views valid until the next change).
  template <class Visit>
  void for_each_folded_count(Visit visit) const {
    settle();
    for (const Record& record : records_) visit(Count{folded(record.relation), folded(record.modifier), record.count});
  }
  std::vector<Count> counts() const;
  std::size_t size() const;

  // Binary form: the pair count, then per pair the relation and the
  // modifier, each ended by NUL, and the count as two 32-bit halves.
  void pack(StrBufs& out) const;
  static std::unique_ptr<TripleEntry> unpack(std::string_view bytes);

 private:
  // A text in texts_: the original bytes at `offset`, the folded ones at
  // `folded` (the same place when folding changes nothing).
  struct Text {
    std::uint32_t offset;
    std::uint32_t folded;
    std::uint32_t size;
  };
  struct Record {
    Text relation;
    Text modifier;
    std::uint64_t count;
  };
  // The pairs of one relation: records_[begin, end).
  struct Group {
    Text relation;
    std::uint32_t begin;
    std::uint32_t end;
    std::uint64_t total;
    std::uint64_t prefix;  // order_prefix() of the folded relation
  };

  std::string_view original(const Text& text) const { return {texts_.data() + text.offset, text.size}; }
  std::string_view folded(const Text& text) const { return {texts_.data() + text.folded, text.size}; }
  Text store_text(std::string_view text);
  // The text already in texts_ at `offset`, with a folded copy if needed.
  Text text_in_place(std::uint32_t offset, std::uint32_t size);
  const Record* last_added() const;
  // A text of the stored form in texts_, folded when it has a capital.
  Text scanned_text(std::uint32_t offset, std::uint32_t size, bool capital);
  // Adds a pair read from the stored form (its texts in texts_ already);
  // `same_relation`: its relation is spelt as the last pair's.
  void add_stored(std::string_view relation, std::uint32_t relation_at, bool relation_capital, bool same_relation,
                  Text modifier, bool modifier_capital, std::uint64_t count);
  // Appends `record`, of the relation of `last`, when it follows `last` in
  // order; false (nothing done) when not.
  bool append_after(const Record& last, const Record& record);
  // Puts a new pair in order (or among the pending ones).
  void place(const Record& record);
  int compare_keys(const Record& a, const Record& b) const;
  void append(const Record& record);
  // Merges the pending pairs into the sorted array.
  void settle() const;
  void rebuild_groups() const;
  static std::uint64_t order_prefix(std::string_view text);
  const Group* find_group(std::string_view folded_relation) const;
  // The group of `relation` as asked (any case), settled first. Questions
  // about one entry often ask of one relation several times in a row (its
  // total, a count, its number of modifiers): the last one is remembered.
  const Group* group_of(std::string_view relation) const;
  // Forgets the remembered relation: called whenever a pair is added.
  void forget_asked() const { asked_size_ = 0; }
  const Record* find_record(const Group& group, std::string_view folded_modifier) const;
  void index_modifiers() const;

  // The questions of a const entry sort pending pairs in and make indexes:
  // these change no answer.
  mutable std::string texts_;
  mutable std::vector<Record> records_;
  mutable std::vector<Record> pending_;
  mutable std::vector<Group> groups_;
  struct HashedRecord {
    std::uint32_t hash;   // of the record's folded modifier
    std::uint32_t index;  // in records_; kNoRecord in an empty slot
  };
  static constexpr std::uint32_t kNoRecord = ~std::uint32_t{0};
  // Open addressing by hash (a power of two of slots); empty until asked.
  mutable std::vector<HashedRecord> by_modifier_;
  mutable std::uint64_t word_relations_total_ = 0;
  mutable std::uint64_t word_relations_ = 0;
  // The relation group_of() last looked up, as asked (a size of 0: none;
  // longer texts are not remembered), and its group's index (kNoGroup when
  // the entry has none).
  static constexpr std::size_t kAskedRelationSize = 24;
  static constexpr std::uint32_t kNoGroup = ~std::uint32_t{0};
  mutable char asked_relation_[kAskedRelationSize] = {};
  mutable std::uint32_t asked_size_ = 0;
  mutable std::uint32_t asked_group_ = kNoGroup;
};

class TripleDb : public PLHash, public RelationSource {
 public:
  static constexpr const char* kType = "TripleDb:PLHash";

  explicit TripleDb(std::size_t buckets) : PLHash(buckets) {}
  ~TripleDb() override;
  // Keeps the changes in a writable linked file, as the destructor does.
  bool close_at_exit() override;

  const char* kind() const override { return "TripleDb"; }
  EntryPtr new_entry() override;
  // One line per pair: head, relation, modifier and count, tab-separated.
  void print_entry(std::ostream& out, std::string_view key, const Entry& entry) override;
  bool pack_entry(const Entry& entry, StrBufs& out) override;
  EntryPtr unpack_entry(std::string_view key, std::string_view bytes) override;
  bool combine_entries(Entry& into, const Entry& from) override;
  // Lines of head, relation, modifier and an optional count (default 1),
  // separated by tabs.
  bool populate(std::istream& in) override;

  // Lines of head, modifier and an optional count, all in `relation`.
  bool add_triples(std::string_view relation, std::istream& in);
  bool add_triple(std::string_view head, std::string_view relation, std::string_view modifier, std::uint64_t count = 1);
  std::uint64_t count(std::string_view head, std::string_view relation, std::string_view modifier);
  // The share of `modifier` among the modifiers seen with `head` in
  // `relation`, in (0, 1]; nothing when the triple was never seen.
  std::optional<double> probability(std::string_view head, std::string_view relation,
                                    std::string_view modifier) override;

 private:
  // Reads tab-separated lines of `fields` or `fields + 1` (a count) fields.
  template <class AddLine>
  bool read_lines(std::istream& in, std::size_t fields, const char* format, AddLine add_line);
};

}  // namespace velmo
