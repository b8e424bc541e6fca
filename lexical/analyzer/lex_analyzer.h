#pragma once
// The lexical analyzer turns the tokens of one sentence into the lattice of
// lexical items the parser consumes: it looks every word up in its lexicon
// (through the lexicon's endings), adds items for multi-word entries whose
// other words are present, runs its lexical rules, and filters single-word
// items by tags given in the input.
//
// Use per sentence:
//   analyzer.reset();
//   for each token: analyzer.add_spacing(text before it); analyzer.add_word(token);
//   analyzer.analyze();
// then read positions(), word_at(p), spacing_at(p), by_end(p), by_start(p),
// span_text(low, high), the position sets and lexicon(). Everything made for
// the sentence (items, strings) lives until the next reset().
#include <cstddef>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lexical/items/ending_lookup.h"
#include "lexical/items/item_lattice.h"
#include "lexical/items/lex_item.h"
#include "lexicon/attributes/lbitset.h"
#include "shell/lexp/lexp.h"
#include "shell/support/named_object.h"

namespace velmo {

class LexEntry;
class LexRuleList;
class Lexicon;
class Meaning;

inline constexpr const char* kLexAnalyzerType = "LexAnalyzer*";
inline constexpr const char* kLexItemType = "LexItem*";
inline constexpr const char* kMeaningType = "Meaning*";

class LexAnalyzer : public NamedObject {
 public:
  static constexpr const char* kTypeText = "LexAnalyzer";
  static constexpr std::size_t kDefaultSentenceLength = 64;
  // Positions are 16-bit in the items; words beyond this are dropped.
  static constexpr int kMaxPositions = 16000;

  explicit LexAnalyzer(std::size_t suggested_length = kDefaultSentenceLength);
  LexAnalyzer(const LexAnalyzer&) = delete;
  LexAnalyzer& operator=(const LexAnalyzer&) = delete;

  // ---- The virtual operations, in slot order.
  // Enters the item in the lists; with checking, an existing live item with
  // the same span, root and an equal meaning is returned instead.
  virtual LexItem* add_item(LexItem* item, bool check_duplicates);
  // A new item (not yet in the lists), owned by the analyzer until reset.
  virtual LexItem* make_item(std::string_view root, const Meaning* meaning, int low, int high,
                             std::span<const std::string_view> affixes = {});
  virtual void delete_item(LexItem* item);
  // Deletes the items strictly inside low..high (items equal to it stay).
  virtual void delete_items_inside(int low, int high);
  // Forgets the sentence: items, strings, words, tags, position sets.
  virtual void reset();
  // Every live item, position by position (by end), in the item format.
  virtual void print_items(std::ostream& out);
  // Trailing punctuation split, lookup, lexical rules, tag filter.
  virtual void analyze();
  // Looks `word` up in the lexicon and adds the items of the entries found
  // (and of their phrases present in the sentence) over low..high.
  virtual void look_up_word(std::string_view word, int low, int high);
  ~LexAnalyzer() override;

  // ---- Sentence input.
  // The next word; a leading focus marker marks a focus position, a tag
  // marker cuts the tag off.
  void add_word(std::string_view token);
  // Text before the next word; consecutive spacing accumulates.
  void add_spacing(std::string_view text);

  // ---- Reading the sentence (positions 1..positions()-1 hold words).
  int positions() const { return lattice_.positions(); }
  const char* word_at(int p) const { return lattice_.word_at(p); }
  const char* spacing_at(int p) const { return lattice_.spacing_at(p); }
  const char* tag_at(int p) const { return lattice_.tag_at(p); }
  bool tight(int p) const { return lattice_.tight(p); }
  // Valid until the next request.
  const char* span_text(int low, int high) { return lattice_.span_text(low, high); }
  void print_words(std::ostream& out, int low, int high) const { lattice_.print_words(out, low, high); }
  const std::vector<LexItem*>& by_end(int p) const { return lattice_.by_end(p); }
  const std::vector<LexItem*>& by_start(int p) const { return lattice_.by_start(p); }
  ItemLattice& lattice() { return lattice_; }
  const ItemLattice& lattice() const { return lattice_; }
  const char* intern(std::string_view text) { return lattice_.intern(text); }

  // ---- Position sets (emptied at reset).
  LBitSet& focus_positions() { return focus_; }
  LBitSet& first_conjunctions() { return first_conj_; }
  LBitSet& last_conjunctions() { return last_conj_; }
  LBitSet& adverbs() { return adverbs_; }
  LBitSet& skipped() { return skipped_; }
  const LBitSet& focus_positions() const { return focus_; }
  const LBitSet& first_conjunctions() const { return first_conj_; }
  const LBitSet& last_conjunctions() const { return last_conj_; }
  const LBitSet& adverbs() const { return adverbs_; }
  const LBitSet& skipped() const { return skipped_; }
  bool is_skipped(int p) const { return p >= 0 && skipped_.test(static_cast<std::size_t>(p)); }

  // ---- Per-sentence flag: 1 after reset.
  int mixed_case() const { return mixed_case_; }
  void set_mixed_case(int value) { mixed_case_ = value; }

  // ---- Set-up.
  Lexicon* lexicon() const { return lexicon_; }
  void set_lexicon(Lexicon* lexicon) { lexicon_ = lexicon; }
  LexRuleList* rules() const { return rules_; }
  void set_rules(LexRuleList* rules) { rules_ = rules; }
  void set_hook(LExpPtr hook);
  void set_meaning_selector(LExpPtr selector) { meaning_selector_ = std::move(selector); }
  char focus_marker() const { return focus_marker_; }
  void set_focus_marker(char marker) { focus_marker_ = marker; }
  char tag_marker() const { return tag_marker_; }
  void set_tag_marker(char marker) { tag_marker_ = marker; }
  std::size_t suggested_length() const { return suggested_length_; }

  // ---- Steps of analyze, also used by the expression functions.
  // Cuts the punctuation off the last word that begins with a letter or
  // digit, scanning down from `from`, onto the spacing after it.
  void split_trailing_punctuation(int from);
  // The form a sentence word is looked up under: the word, or the word
  // without an opening quote the lexicon does not hold it with.
  std::string_view lookup_form(std::string_view word);
  // Makes the items of an entry (and of its phrases present around `low`)
  // over low..high and adds them with duplicate checking.
  void add_entry_items(LexEntry& entry, int low, int high, std::span<const std::string_view> affixes);
  // Whether the phrase (b words before, a after, key) is present around p.
  bool phrase_matches(int p, int before, int after, std::string_view key) const;
  // Deletes, at every tagged position, the one-word items whose category
  // differs from the tag when at least one has it.
  void filter_by_tags();

 private:
  void apply_rules();
  void call_hook(LexItem& item);

  std::size_t suggested_length_;
  ItemLattice lattice_;
  int mixed_case_ = 1;
  char focus_marker_ = 0;
  char tag_marker_ = 0;
  LBitSet focus_;
  LBitSet first_conj_;
  LBitSet last_conj_;
  LBitSet adverbs_;
  LBitSet skipped_;
  Lexicon* lexicon_ = nullptr;
  LexRuleList* rules_ = nullptr;
  LExpPtr hook_;
  LExpPtr meaning_selector_;
  bool dropped_words_reported_ = false;
  bool missing_lexicon_reported_ = false;  // said once per analyzer
  std::vector<EntryReading> readings_;     // reused by look_up_word
};

// The analyzer that expression functions act on when no match gives one:
// the one most recently made or analysing.
LexAnalyzer* current_lex_analyzer();
void set_current_lex_analyzer(LexAnalyzer* analyzer);

}  // namespace velmo
