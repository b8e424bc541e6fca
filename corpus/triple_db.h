#pragma once
// The triple-count database: for each head word, how often each modifier
// word was seen with it in each relation. It answers the parser's question
// "how likely is this modifier word in this relation to this head word".
#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "corpus/pl_hash.h"
#include "lexicon/lexicon/relation_source.h"

namespace velmo {

// Orders texts ignoring the case of ASCII letters.
struct NoCaseLess {
  using is_transparent = void;  // texts are looked up without copying them
  bool operator()(std::string_view a, std::string_view b) const;
  bool operator()(const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) const;
};

// The counts of one head word: (relation, modifier) -> count.
class TripleEntry : public PLHash::Entry {
 public:
  using Pair = std::pair<std::string, std::string>;

  void add(std::string_view relation, std::string_view modifier, std::uint64_t count);
  void add_all(const TripleEntry& other);
  std::uint64_t count(std::string_view relation, std::string_view modifier) const;
  std::uint64_t relation_total(std::string_view relation) const;
  // The number of distinct modifiers seen in `relation`.
  std::uint64_t relation_types(std::string_view relation) const;
  const std::map<std::string, std::uint64_t, NoCaseLess>& relation_totals() const { return relation_totals_; }
  // Over the relations whose names are words (not "<...>" records): the
  // summed count and the number of distinct relations.
  std::uint64_t word_relations_total() const { return word_relations_total_; }
  std::uint64_t word_relations() const { return word_relations_; }
  const std::map<Pair, std::uint64_t, NoCaseLess>& counts() const { return counts_; }

  // Binary form: the pair count, then per pair the relation and the
  // modifier, each ended by NUL, and the count as two 32-bit halves.
  void pack(StrBufs& out) const;
  static std::unique_ptr<TripleEntry> unpack(std::string_view bytes);

 private:
  std::map<Pair, std::uint64_t, NoCaseLess> counts_;
  std::map<std::string, std::uint64_t, NoCaseLess> relation_totals_;
  std::map<std::string, std::uint64_t, NoCaseLess> relation_types_;
  std::uint64_t word_relations_total_ = 0;
  std::uint64_t word_relations_ = 0;
};

class TripleDb : public PLHash, public RelationSource {
 public:
  static constexpr const char* kType = "TripleDb:PLHash";

  explicit TripleDb(std::size_t buckets) : PLHash(buckets) {}
  ~TripleDb() override;

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
