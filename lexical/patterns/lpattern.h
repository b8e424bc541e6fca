#pragma once
// Lexical patterns: sequences of words and lexical items of the current
// sentence, written as S-expressions in command files and matched against
// the sentence's item lattice. Pattern kinds are prototypes of the object
// factory class "LPattern"; a pattern is made by cloning the prototype named
// by the head of its list and reading the rest (LPattern::make).
//
// Positions: n is the lattice's number of positions, words are at 1..n-1.
// Every kind finds the matches ending at a position and those starting at a
// position; match_all scans the sentence (backward by default, forward with
// ":front-to-back").
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lexical/items/admitted_items.h"
#include "lexical/patterns/item_guard.h"
#include "lexical/patterns/match.h"
#include "shell/lexp/lexp.h"

namespace velmo {

class IRSlist;
class ItemLattice;
class LPattern;
class TextFilter;

using LPatternPtr = std::unique_ptr<LPattern>;

class LPattern {
 public:
  static constexpr const char* kFactoryClass = "LPattern";
  static constexpr const char* kFamilyDoc = "Lexical Patterns";

  LPattern() = default;
  LPattern(const LPattern&) = delete;
  LPattern& operator=(const LPattern&) = delete;

  // ---- The virtual operations, in slot order.
  // Every match of the pattern in the sentence, appended to `out`.
  virtual void match_all(ItemLattice& lattice, MatchList& out);
  // The matches whose last position is p.
  virtual void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) = 0;
  // The matches whose first position is p.
  virtual void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) = 0;
  // A fresh pattern of the same kind, without arguments.
  virtual LPatternPtr clone() const = 0;
  // Reads the arguments (the form without its head). False when the pattern
  // is unusable (reported); such a pattern is never made.
  virtual bool init(IRSlist& args);
  virtual ~LPattern() = default;

  // The name the kind is registered under.
  virtual const char* name() const = 0;

  // False when surely no match starts (ends) at p, found by a cheap test
  // that changes nothing; true when unsure. Scans skip such positions.
  virtual bool may_start_at(ItemLattice& lattice, int p) const;
  virtual bool may_end_at(ItemLattice& lattice, int p) const;
  // False when may_start_at (may_end_at) is false at every position of the
  // sentence, found without looking at each.
  virtual bool may_start_anywhere(ItemLattice& lattice) const;
  virtual bool may_end_anywhere(ItemLattice& lattice) const;
  // True when finding the matches surely changes nothing (no condition or
  // constraint of the pattern may change the lattice); false when unsure.
  virtual bool changes_nothing() const { return false; }

  // Makes a pattern from an S-expression: a bare atom is a word pattern
  // (case-insensitive equality); a list names its kind by its head atom.
  // ":nogap" anywhere in the list sets the no-gap flag. Null, with a
  // message, when no pattern can be made.
  static LPatternPtr make(IRSlist& form);

  bool front_to_back() const { return front_to_back_ != 0; }
  bool overlapping() const { return overlapping_ != 0; }
  bool no_gap() const { return no_gap_ != 0; }
  void set_front_to_back(bool on) { front_to_back_ = on ? 1 : 0; }
  void set_overlapping(bool on) { overlapping_ = on ? 1 : 0; }
  void set_no_gap(bool on) { no_gap_ = on ? 1 : 0; }
  LExp* constraint() const { return constraint_.get(); }

 protected:
  // Removes and destroys every match of `found` for which the constraint
  // (input type "Match*") returns 0.
  void apply_constraint(MatchList& found) const;
  // Reads a ":front-to-back", ":overlapping" or (constraint EXPR) argument;
  // false when `arg` is none of them. `broken` is set when the constraint
  // cannot be built.
  bool take_option(IRSlist& arg, bool& broken);

 private:
  std::int16_t front_to_back_ = 0;
  std::int16_t overlapping_ = 0;
  std::int16_t no_gap_ = 0;
  LExpPtr constraint_;
};

// Clones by default construction; the fixed fields are set by constructors.
template <class Derived, class Base = LPattern>
class PatternClone : public Base {
 public:
  LPatternPtr clone() const override { return std::make_unique<Derived>(); }
};

// ---------------------------------------------------------------- atomic

// A pattern of one position whose condition is an expression.
class AtomicPat : public LPattern {
 public:
  // The first argument, compiled as an expression, is the condition.
  bool init(IRSlist& args) override;
  void set_condition(LExpPtr condition);
  LExp* condition() const { return condition_.get(); }

 protected:
  // The type of the condition's input.
  virtual TypeId condition_type() const = 0;
  // Called whenever the condition is set.
  virtual void condition_changed() {}
  // Whether the condition holds on `input`. A condition that may change
  // something runs with the lattice's item-test memo paused.
  bool holds(ItemLattice& lattice, Word input) const;
  bool condition_reads_only() const { return reads_only_; }

 private:
  LExpPtr condition_;
  bool reads_only_ = false;
};

// (word LEXP): the word at p satisfies LEXP (input "char*").
class WordPat final : public PatternClone<WordPat, AtomicPat> {
 public:
  const char* name() const override { return "word"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;

 protected:
  TypeId condition_type() const override;
  // A condition that is a plain text test is made directly.
  void condition_changed() override;
  // A plain text test is made on the word at p.
  bool may_start_at(ItemLattice& lattice, int p) const override { return could_match_at(lattice, p); }
  bool may_end_at(ItemLattice& lattice, int p) const override { return could_match_at(lattice, p); }
  // A plain text test is looked up among the sentence's words.
  bool may_start_anywhere(ItemLattice& lattice) const override { return could_match_anywhere(lattice); }
  bool may_end_anywhere(ItemLattice& lattice) const override { return could_match_anywhere(lattice); }
  bool changes_nothing() const override {
    return !constraint() && (text_test_.active() || condition_reads_only());
  }

 private:
  bool could_match_at(ItemLattice& lattice, int p) const;
  bool could_match_anywhere(ItemLattice& lattice) const;
  void match_at(ItemLattice& lattice, int p, MatchList& out) const;
  ItemGuard::TextTest text_test_;
  // A condition that filters texts (reg-match and the like, or a call of a
  // function without parameters whose body is one) when it is no plain
  // text test: could_match_at asks it about the word, which costs less
  // than the search for the pattern's matches there.
  const TextFilter* text_filter_ = nullptr;
};

// (lexitem LEXP): an item ending (starting) at p satisfies LEXP (input
// "LexItem*"); one match per such item, with the item and its span.
class LexItemPat final : public PatternClone<LexItemPat, AtomicPat> {
 public:
  const char* name() const override { return "lexitem"; }
  // As the scan position by position, but a condition that changes nothing
  // is asked of each position's items in place, without a list per position.
  void match_all(ItemLattice& lattice, MatchList& out) override;
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
  bool changes_nothing() const override { return !constraint() && (guard_.decides() || condition_reads_only()); }

 protected:
  TypeId condition_type() const override;
  // Makes the guard of the condition.
  void condition_changed() override;

 private:
  void match_items(ItemLattice& lattice, const std::vector<LexItem*>& items, MatchList& out) const;
  void match_candidates(ItemLattice& lattice, LexItem* const* candidates, std::size_t count, MatchList& out) const;
  // The scan's matches of a position whose item `first` is its first
  // match; with `words_fail`, the items over one word are not asked.
  void collect_from(ItemLattice& lattice, const std::vector<LexItem*>& items, std::size_t first, bool words_fail,
                    MatchList& out) const;
  // Whether the condition holds on `item` (the guard first); only for a
  // condition that changes nothing or a guard that decides.
  bool holds_in_place(ItemLattice& lattice, LexItem& item, ItemTestMemo& memo) const {
    return guard_.admits(item, memo) && (guard_.decides() || holds_after_guard(lattice, item));
  }
  // Whether the condition holds on an item its guard admitted.
  bool holds_after_guard(ItemLattice& lattice, LexItem& item) const;
  // The scan of match_all for a guard that calls a test of the item's
  // vector: over the items it admitted, kept across rules by the lattice.
  void match_admitted(ItemLattice& lattice, MatchList& out) const;
  // Fills `admitted` with the items the guard admits, in scan order.
  AdmittedItems::List& admit(ItemLattice& lattice, AdmittedItems::List& admitted) const;
  ItemGuard guard_;
};

// (collect-lexitems [COND]): match-all only; one match over the sentence
// whose sub-matches are, from the end backward, the first item ending at
// each position that satisfies COND.
class CollectLexItems final : public PatternClone<CollectLexItems> {
 public:
  const char* name() const override { return "collect-lexitems"; }
  bool init(IRSlist& args) override;
  void match_all(ItemLattice& lattice, MatchList& out) override;
  void matches_ending_at(ItemLattice&, int, MatchList&) override {}
  void matches_starting_at(ItemLattice&, int, MatchList&) override {}

 private:
  LExpPtr condition_;
};

// (not-in-lexicon): a word with no live item ending (starting) at it.
class NotInLexPat final : public PatternClone<NotInLexPat> {
 public:
  const char* name() const override { return "not-in-lexicon"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (.): any single position, whatever is there.
class DotPat final : public PatternClone<DotPat> {
 public:
  const char* name() const override { return "."; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (^): the beginning of the sentence.
class BeginPat final : public PatternClone<BeginPat> {
 public:
  const char* name() const override { return "^"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// ($): the end of the sentence, position n.
class EndPat final : public PatternClone<EndPat> {
 public:
  const char* name() const override { return "$"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (whole-sentence): [0, n-1].
class WholeSentencePat final : public PatternClone<WholeSentencePat> {
 public:
  const char* name() const override { return "whole-sentence"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (word-seq W ...): consecutive words equal to W ... (ignoring case).
class WordSeq final : public PatternClone<WordSeq> {
 public:
  const char* name() const override { return "word-seq"; }
  bool init(IRSlist& args) override;
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;

 private:
  bool words_at(const ItemLattice& lattice, int first) const;
  std::vector<std::string> words_;
};

// ---------------------------------------------------------------- multi

// A pattern over a list of sub-patterns. Its scan of the sentence reports,
// without ":overlapping", no match that starts inside (front to back: ends
// inside) a match reported before.
class MultiPattern : public LPattern {
 public:
  bool init(IRSlist& args) override;
  void match_all(ItemLattice& lattice, MatchList& out) override;
  std::size_t size() const { return parts_.size(); }
  // When no part and no constraint changes anything.
  bool changes_nothing() const override;

 protected:
  // Whether the kind keeps its result lists sorted.
  virtual bool sorts_matches() const { return false; }
  std::vector<LPatternPtr>& parts() { return parts_; }
  const std::vector<LPatternPtr>& parts() const { return parts_; }

 private:
  std::vector<LPatternPtr> parts_;
};

// (seq P ...): contiguous matches of P ... in order.
class SeqPat final : public PatternClone<SeqPat, MultiPattern> {
 public:
  const char* name() const override { return "seq"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
  // A match starts with one of the first part and ends with one of the last.
  bool may_start_at(ItemLattice& lattice, int p) const override;
  bool may_end_at(ItemLattice& lattice, int p) const override;
  bool may_start_anywhere(ItemLattice& lattice) const override;
  bool may_end_anywhere(ItemLattice& lattice) const override;

 protected:
  bool sorts_matches() const override { return true; }

 private:
  // Matches of the parts 0..last ending at e / of first..end starting at s.
  void prefix_ending_at(ItemLattice& lattice, std::size_t last, int e, MatchList& out);
  void suffix_starting_at(ItemLattice& lattice, std::size_t first, int s, MatchList& out);
};

// (! P ...) / (or-pat P ...): the matches of the first alternative that
// has any.
class OrPat final : public MultiPattern {
 public:
  explicit OrPat(const char* name = "!") : name_(name) {}
  LPatternPtr clone() const override { return std::make_unique<OrPat>(name_); }
  const char* name() const override { return name_; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;

 private:
  template <class Find>
  void first_alternative(Find find, MatchList& out);
  const char* name_;
};

// (& P ...) / (and-pat P ...): the matches of P1 whose span every other
// part matches too.
class AndPat final : public MultiPattern {
 public:
  explicit AndPat(const char* name = "&") : name_(name) {}
  LPatternPtr clone() const override { return std::make_unique<AndPat>(name_); }
  const char* name() const override { return name_; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;

 private:
  template <class Find>
  void all_parts(Find find, MatchList& out);
  const char* name_;
};

// ---------------------------------------------------------------- one

// A pattern over one sub-pattern: the first list among its arguments.
class OnePat : public LPattern {
 public:
  bool init(IRSlist& args) override;
  LPattern* part() const { return part_.get(); }

 private:
  LPatternPtr part_;
};

// (? P): the matches of P, then the empty match.
class OptionalPat final : public PatternClone<OptionalPat, OnePat> {
 public:
  const char* name() const override { return "?"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (no P): a word at which P has no match.
class NoPat final : public PatternClone<NoPat, OnePat> {
 public:
  const char* name() const override { return "no"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// (+ P): the longest chain of matches of P, built greedily from the first
// match at each step (one match, not its shorter prefixes).
class PlusPat : public OnePat {
 public:
  LPatternPtr clone() const override { return std::make_unique<PlusPat>(); }
  const char* name() const override { return "+"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;

 protected:
  // The chains without the constraint.
  void chain_ending_at(ItemLattice& lattice, int e, MatchList& out);
  void chain_starting_at(ItemLattice& lattice, int s, MatchList& out);
};

// (* P): as (+ P), or the empty match when that has none.
class StarPat final : public PlusPat {
 public:
  LPatternPtr clone() const override { return std::make_unique<StarPat>(); }
  const char* name() const override { return "*"; }
  void matches_ending_at(ItemLattice& lattice, int p, MatchList& out) override;
  void matches_starting_at(ItemLattice& lattice, int p, MatchList& out) override;
};

// ---------------------------------------------------------------- set-up

// Registers the "LPattern" class of the object factory with every pattern
// kind under its names and doc strings; later calls do nothing.
void register_pattern_kinds();

}  // namespace velmo
