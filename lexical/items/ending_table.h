#pragma once
// A table of word endings in definition order, with the conditions bound to
// ending names, one buffer in which the candidate roots of the word being
// analysed are built, and an iteration over the endings that match it:
//
//   for (const Ending* e = table.start(word); e; e = table.next())
//     if (const char* root = e->root(table.word())) ...
//
// Roots stay valid until the next start() on the same table. Tables are
// named objects of class "EndingTable" (def-endings) or belong to the
// lexicon that was made with an inline list.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lexical/items/ending.h"
#include "lexicon/lexicon/ending_table_base.h"
#include "shell/lexp/lexp.h"
#include "shell/support/string_pool.h"

namespace velmo {

class IRSlist;

class EndingTable final : public EndingTableBase {
 public:
  static constexpr const char* kTypeText = "EndingTable";
  static constexpr std::size_t kInitialCapacity = 50;
  static constexpr std::size_t kRootBufferBytes = 1024;

  EndingTable();
  EndingTable(const EndingTable&) = delete;
  EndingTable& operator=(const EndingTable&) = delete;
  ~EndingTable() override;

  // Adds the ending of a definition (KIND SUFFIX NAME REPLACEMENT
  // [CHARS]) at the end. Unknown kinds ("Ending type '" KIND "' is not
  // defined.") and unusable definitions are reported and add nothing.
  bool add_ending(IRSlist& definition);
  // Fills the table from an inline list: the ":conditions" keyword and its
  // value are taken out first, wherever they stand; every other element is
  // an ending definition, added in order.
  void add_from_list(IRSlist& list);
  // Compiles each condition entry ((NAME ...) EXPR) once and binds it to
  // every name of the entry. Malformed entries are reported and skipped.
  void add_conditions(IRSlist& entries);
  // Binds an expression to a name; the table owns it.
  void add_condition(std::string_view name, LExp* condition);
  LExp* own_condition(LExpPtr condition);
  // The condition bound to `name` (case-sensitive, first binding wins).
  LExp* condition(std::string_view name) const;

  // ---- Iteration over the endings that match a word.
  // Copies the word into the root buffer (emptied first) and returns the
  // first matching ending; none for an empty word.
  const Ending* start(std::string_view word);
  // The current matching ending, or null when the iteration is done.
  const Ending* current() const { return current_; }
  // The next matching ending in definition order.
  const Ending* next();
  // The table's copy of the word given to start().
  std::string_view word() const { return word_; }

  // Builds stem + tail in the root buffer; valid until the next start().
  const char* build_root(std::string_view stem, std::string_view tail);
  // Evaluates an ending's condition on a candidate root. The condition may
  // itself find roots through this table (get-root on the same lexicon):
  // the iteration under way is restored afterwards, and its roots stay valid.
  bool accepts(LExp& condition, const char* root);
  // The candidate roots of a word one at a time, in the table's order,
  // those rejected by their conditions left out (for the lexicon).
  bool first_root(std::string_view word, RootCandidate& candidate) override;
  bool next_root(RootCandidate& candidate) override;

  std::size_t size() const { return endings_.size(); }
  const Ending& ending(std::size_t i) const { return *endings_[i]; }

 private:
  std::unique_ptr<Ending> make_ending(IRSlist& definition);
  // The first root that `ending` or a later matching ending yields.
  bool root_from(const Ending* ending, RootCandidate& candidate);

  std::vector<std::unique_ptr<Ending>> endings_;
  std::vector<std::pair<std::string, LExp*>> conditions_;
  std::vector<LExpPtr> owned_conditions_;
  StringPool roots_;
  std::string_view word_;
  std::size_t next_index_ = 0;
  const Ending* current_ = nullptr;
  int nested_ = 0;  // conditions being evaluated
  std::string scratch_;
};

}  // namespace velmo
