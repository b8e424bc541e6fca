#pragma once
// The sentence as the lexical layer sees it: its words with the text before
// each, optional per-word tags, and the lattice of lexical items over the
// token positions. The lexical analyzer holds one and fills it per sentence;
// patterns match against it; the parser reads it.
//
// Positions: position 0 is an empty sentinel, words are at 1..n-1 where n is
// positions(). Items are kept per position in two lists sorted on insertion,
// so that the items ending or starting at a position are found without
// searching:
//   by end p:   live items whose high is p, by decreasing low (shortest
//               first); a new item goes before items with the same low; a new
//               empty item goes to the end;
//   by start p: live items whose low is p, by decreasing high (longest
//               first); a new item goes before items with the same high; a new
//               empty item goes to the end.
// Every item made for the sentence is owned by the lattice until reset();
// all strings of the sentence live in one pool that reset() empties.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexical/items/admitted_items.h"
#include "lexical/items/item_test_memo.h"
#include "lexical/items/item_text_filter.h"
#include "lexical/items/lex_item.h"
#include "shell/support/string_pool.h"

namespace velmo {

class AVMeaning;
class LexAnalyzer;
class Meaning;

class ItemLattice {
 public:
  static constexpr std::size_t kDefaultSentenceLength = 64;
  static constexpr std::size_t kPoolBytes = 4096;
  // Called on every item entered by add_item, and on its sub-items, depth
  // first (the analyzer's hook).
  using ItemHook = std::function<void(LexItem& item)>;

  explicit ItemLattice(std::size_t suggested_length = kDefaultSentenceLength, LexAnalyzer* owner = nullptr);
  ItemLattice(const ItemLattice&) = delete;
  ItemLattice& operator=(const ItemLattice&) = delete;
  ~ItemLattice();

  LexAnalyzer* owner() const { return owner_; }
  void set_owner(LexAnalyzer* owner) { owner_ = owner; }
  void set_hook(ItemHook hook) { hook_ = std::move(hook); }

  // Empties everything for the next sentence: items, lists, words,
  // spacing, tags and the string pool. The item objects, and the attribute
  // vector meanings that only they held, are kept to be made anew for the
  // next sentence (see make_item and copy_item).
  void reset();

  // ---- Words.
  // n: the number of positions, sentinel included (0 before the first word
  // or spacing is added).
  int positions() const { return static_cast<int>(words_.size()); }
  // Creates position 0 (empty word, no spacing, no tag) when none exists.
  void ensure_sentinel();
  // Appends a pooled copy of the word at the next position and returns that
  // position; the spacing and tag arrays are padded up to it.
  int add_word(std::string_view word);
  // Text before the next word: stored at position n when none is there yet,
  // otherwise appended, so consecutive spacing accumulates into one entry.
  void add_spacing(std::string_view text);
  // Replaces the word at p (1..n-1) by a pooled copy of `word`.
  void set_word(int p, std::string_view word);
  // Appends to the spacing at p (p >= 0), padding the array up to p.
  void append_spacing(int p, std::string_view text);
  // Sets the tag at p (1..n-1) to a pooled copy; the array is padded.
  void set_tag(int p, std::string_view tag);

  // The word at p, or null outside 1..n-1.
  const char* word_at(int p) const;
  // The text before the word at p, or "" outside the spacing array.
  const char* spacing_at(int p) const;
  // The tag given with the word at p, or null.
  const char* tag_at(int p) const;
  // Number of entries of the tag array (padded entries included).
  std::size_t tag_count() const { return tags_.size(); }
  // True when the spacing before p is absent, empty or begins with "<".
  bool tight(int p) const;
  // The words low..high (clamped to 0..n-1): a single position gives its
  // word; otherwise the words joined, with one blank before each word after
  // the first whose spacing is not empty. Spans are joined once per sentence
  // (grammar conditions ask for the same spans over and over) and stay valid
  // until the words change. Spans of fewer than kCachedSpanWords words are
  // found by position; longer ones by a table that keeps at most
  // kLongSpanBytes of text per sentence, beyond which a long span is joined
  // anew and valid until the next call.
  static constexpr int kCachedSpanWords = 32;
  static constexpr std::size_t kLongSpanBytes = std::size_t{1} << 20;
  const char* span_text(int low, int high) {
    // Grammar conditions ask for spans a million times a run, nearly all
    // of them one word or a span joined before: those are answered here,
    // without a call.
    if (0 <= low && low <= high && high < positions()) {
      if (low == high) {
        span_text_.clear();
        return words_[static_cast<std::size_t>(low)];
      }
      const auto slot = static_cast<std::size_t>(low) * kCachedSpanWords + static_cast<std::size_t>(high - low);
      if (high - low < kCachedSpanWords && slot < span_cache_.size() &&
          span_cache_[slot].generation == span_generation_) {
        span_text_.clear();
        return span_cache_[slot].text;
      }
    }
    return join_span(low, high);
  }
  // Whether span_text(low, high) gives a text that stays valid until the
  // words change or reset() (a word, or a span joined into the pool), not
  // one that the next call may overwrite.
  bool span_text_lasts(int low, int high) const {
    return 0 <= low && low <= high && high < positions() && high - low < kCachedSpanWords;
  }
  // The words low..high; before every word after the first whose first
  // byte is plain ASCII, its spacing with line feeds written as blanks.
  void print_words(std::ostream& out, int low, int high) const;

  // A pooled copy of `text`, valid until reset.
  const char* intern(std::string_view text) { return pool_.add(text); }
  StringPool& strings() { return pool_; }
  // Answers of side-effect-free item tests; reset() forgets them.
  ItemTestMemo& test_memo() { return test_memo_; }
  // Lists of items that tests of their own vectors admitted, and the stamp
  // under which such a list made now stays good (see AdmittedItems).
  AdmittedItems& admitted_items() { return admitted_items_; }
  AdmittedItems::Stamp admitted_stamp() const { return {test_memo_.own_generation(), list_generation_}; }
  // The roots and endings the sentence's items may hold.
  const ItemTextFilter& item_texts() const { return item_texts_; }
  // The words of the sentence, made at the first request after a change.
  const ItemTextFilter& word_texts();
  // The filter bit of the word at p (1..n-1), made with word_texts().
  std::uint16_t word_bit(int p) {
    if (!word_texts_valid_) word_texts();
    return word_bits_[static_cast<std::size_t>(p)];
  }
  // To be called whenever an item of the lattice gets a new root.
  void root_changed(const LexItem& item) { item_texts_.note_text(item.root); }

  // ---- Items.
  // A new item over low..high with head = low, a copy of the meaning (its
  // own clone operation), pooled root and affixes; registered in the list
  // of all items but not entered in the by-end and by-start lists.
  LexItem* make_item(std::string_view root, const Meaning* meaning, int low, int high,
                     std::span<const std::string_view> affixes = {});
  // A deep copy registered here: span, head, weight, category, root, entry,
  // lattice, a clone of the meaning, the relation and the affixes copied,
  // every sub-item copied recursively; the deleted flag starts at 0.
  LexItem* copy_item(const LexItem& item);

  // A live item with the same span as `item`, both with meanings, equal
  // roots (case-sensitive) and meanings that compare equal; else null.
  LexItem* find_duplicate(const LexItem& item) const;
  // Clears the deleted flag; with checking, returns an existing duplicate
  // instead of entering the item (it stays owned until reset); calls the
  // hook on the item and its sub-items; enters it in both lists.
  LexItem* add_item(LexItem* item, bool check_duplicates);
  // Sets the deleted flag and takes the item out of both lists.
  void delete_item(LexItem* item);
  // Deletes the items strictly inside low..high: from high down to low,
  // every item of that by-end list whose low is above the span's low, or
  // equal to it with a high below the span's high. Nothing when low = high.
  void delete_inside_span(int low, int high);

  // Live items whose high is p / whose low is p, in their list order;
  // empty for a position that has none.
  // Defined here: the parser and the lexical rules ask for them about a
  // million times on a few thousand sentences.
  const std::vector<LexItem*>& by_end(int p) const noexcept {
    return static_cast<std::size_t>(p) < by_end_.size() ? by_end_[static_cast<std::size_t>(p)] : kNoItems;
  }
  const std::vector<LexItem*>& by_start(int p) const noexcept {
    return static_cast<std::size_t>(p) < by_start_.size() ? by_start_[static_cast<std::size_t>(p)] : kNoItems;
  }
  // Removes every item from the by-end list of p (the by-start lists and the
  // deleted flags stay as they are; used by rm-non-max).
  void clear_by_end(int p);
  // Leaves `item` alone in the by-end list of p (rm-non-max keeps only the
  // longest item ending there); the by-start lists stay as they are.
  void keep_only_by_end(int p, LexItem* item);
  // Every item made for the sentence, in creation order.
  std::size_t item_count() const { return live_items_; }
  LexItem* item(std::size_t i) const { return all_items_[i].get(); }
  // Attribute vector meanings of the items of earlier sentences, waiting
  // to be copied into by the items of this one.
  std::size_t spare_meaning_count() const { return spare_meanings_.size(); }

 private:
  // A blank item, made or taken from those of earlier sentences.
  LexItem* new_item();
  // What meaning.clone() gives, in a spare meaning when one serves.
  std::unique_ptr<Meaning> copy_meaning(const Meaning& meaning);
  // Blanks an item of the sentence for the next one, keeping its meaning
  // as a spare when it may be copied into.
  void recycle(LexItem& item);
  // Empties both tables of joined spans (the words or spacing changed).
  void forget_spans();
  // span_text() of a span not joined before (or outside the words).
  const char* join_span(int low, int high);
  std::size_t cached_span_slots() const { return static_cast<std::size_t>(positions()) * kCachedSpanWords; }
  // Joins the whole sentence into joined_ and notes where the words are.
  void join_words();
  void call_hook(LexItem& item);
  std::vector<LexItem*>& list_at(std::vector<std::vector<LexItem*>>& lists, int p);
  static void insert_by_end(std::vector<LexItem*>& list, LexItem* item);
  static void insert_by_start(std::vector<LexItem*>& list, LexItem* item);
  static void remove_from(std::vector<LexItem*>& list, const LexItem* item);
  template <class T>
  void grow_for(std::vector<T>& array, std::size_t size) const;

  std::size_t suggested_length_;
  LexAnalyzer* owner_;
  ItemHook hook_;
  StringPool pool_;
  ItemTestMemo test_memo_;
  AdmittedItems admitted_items_;
  // Moves whenever an item enters the by-end or by-start lists, leaves them
  // otherwise than by delete_item, or the words change.
  std::uint64_t list_generation_ = 0;
  ItemTextFilter item_texts_;
  ItemTextFilter word_texts_;
  std::vector<std::uint16_t> word_bits_;  // by position; 0 for the sentinel
  bool word_texts_valid_ = false;
  std::string span_text_;
  // Joined spans by low * kCachedSpanWords + (high - low), each valid while
  // its generation is span_generation_, which moves on whenever a word or
  // a spacing changes: the table is forgotten without being wiped (the
  // lattice changes many times a sentence, and most spans are never
  // joined). It only grows.
  struct CachedSpan {
    const char* text = nullptr;
    std::uint32_t generation = 0;
  };
  std::vector<CachedSpan> span_cache_;
  std::uint32_t span_generation_ = 1;
  // Joined spans of kCachedSpanWords words or more, by low << 16 | high;
  // emptied with span_cache_.
  std::unordered_map<std::uint32_t, const char*> long_spans_;
  std::size_t long_span_bytes_ = 0;
  // The whole sentence joined as span_text joins a span, with the offsets
  // at which each position's word starts and ends in it: a span is then one
  // copy out of it. Made at the first request after a change.
  std::string joined_;
  std::vector<std::uint32_t> word_starts_;
  std::vector<std::uint32_t> word_ends_;
  bool joined_valid_ = false;
  std::vector<const char*> words_;
  std::vector<const char*> spacing_;
  std::vector<const char*> tags_;
  // Every item object made: the first live_items_ are the sentence's, the
  // rest are blank and wait for the next new_item.
  std::vector<std::unique_ptr<LexItem>> all_items_;
  std::size_t live_items_ = 0;
  std::vector<std::unique_ptr<AVMeaning>> spare_meanings_;
  std::vector<std::vector<LexItem*>> by_end_;
  std::vector<std::vector<LexItem*>> by_start_;
  // What by_end and by_start give for a position with no list.
  static inline const std::vector<LexItem*> kNoItems{};
};

}  // namespace velmo
