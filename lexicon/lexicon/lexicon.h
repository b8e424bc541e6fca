#pragma once
// A lexicon: words and multi-word keys mapped to entries. The in-memory table
// is filled from command files and lexicon files, and doubles as a cache of
// the on-disk dictionaries linked to it; entries not used in the last half
// of the access limit are released when the limit is passed.
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/dictionary/dict_on_disk.h"
#include "lexicon/lexicon/entry_table.h"
#include "lexicon/lexicon/ending_table_base.h"
#include "lexicon/lexicon/lex_entry.h"
#include "lexicon/lexicon/meaning_text_cache.h"
#include "shell/support/name_table.h"
#include "shell/support/named_object.h"
#include "shell/support/string_pool.h"

namespace velmo {

class IRSlist;

// One reading of a word: the entry and the ending through which it was found.
struct EntryReading {
  LexEntry* entry = nullptr;
  const Ending* ending = nullptr;  // null: the word was found as it stands
};

class Lexicon : public NamedObject {
 public:
  static constexpr const char* kTypeText = "Lexicon";
  static constexpr std::uint32_t kAccessLimit = 1000000;
  static constexpr std::size_t kKeyListCapacity = 32000;
  static constexpr std::size_t kSortedListCapacity = 120000;

  explicit Lexicon(std::size_t buckets);
  Lexicon(const Lexicon&) = delete;
  Lexicon& operator=(const Lexicon&) = delete;

  // ---- The virtual operations, in slot order.
  // The entry that the linked dictionaries hold for `word`, read into the
  // table (several dictionaries merge into one entry), or null.
  virtual LexEntry* disk_lookup(std::string_view word);
  // Adds every S-expression of the stream as an entry.
  virtual void load(std::istream& in, bool duplicate_flag);
  // The same, each through find_or_add.
  virtual void load_merging(std::istream& in);
  virtual std::unique_ptr<LexEntry> new_entry(std::string_view key);
  virtual LexEntry* find_or_add(IRSlist& entry);
  // Adds an entry expression; with the duplicate flag an existing key is
  // reported and kept unchanged. Null when the expression has no key.
  virtual LexEntry* add(IRSlist& entry, bool duplicate_flag);
  virtual void print_keys(std::ostream& out) const;
  virtual void print_sorted(std::ostream& out) const;
  virtual void print_all(std::ostream& out) const;
  virtual void print_entry(std::ostream& out, const LexEntry& entry) const;
  // Appends the meaning; with de-duplication, refuses one equal to a meaning
  // already there. False when refused.
  virtual bool add_meaning(std::unique_ptr<Meaning> meaning, LexEntry& entry);
  ~Lexicon() override;

  // ---- Lookups.
  // Table, then the absent set, then the linked dictionaries; a found entry
  // is stamped with the access counter, which may start a purge.
  LexEntry* lookup(std::string_view word);
  // Table, then (if asked) the linked dictionaries, else a new empty entry.
  LexEntry* lookup_or_create(std::string_view key, bool use_disk);
  // The lookup through endings: with an ending table the word itself is not
  // looked up; for every candidate root the table yields (in its order) the
  // root is looked up and each entry found is appended with its ending.
  // Without a table the word is looked up as it stands. The same entry may
  // come back several times through different endings.
  void lookup_readings(std::string_view word, std::vector<EntryReading>& readings);
  // The root of a word: the key of the first candidate root the ending table
  // finds in the lexicon, or the word itself.
  std::string root_of(std::string_view word);
  // The entry of that root, or null when the root is the word itself.
  LexEntry* root_entry(std::string_view word);
  // Empties the entry table, the absent set and the meanings kept from the
  // dictionaries (the disk files stay).
  void clear();

  // ---- Set-up.
  void link(std::unique_ptr<DictOnDisk> dictionary);
  // A table owned by its name space (def-endings), or null for none.
  void set_ending_table(EndingTableBase* table);
  // A table of the lexicon's own (built from an inline list).
  void set_own_ending_table(std::unique_ptr<EndingTableBase> table);
  EndingTableBase* ending_table() const { return ending_table_; }
  void set_dedup_meanings(bool on) { dedup_meanings_ = on; }

  // ---- State, for inspection.
  std::size_t size() const { return entries_.size(); }
  std::size_t absent_count() const { return absent_.size(); }
  std::uint32_t access_counter() const { return access_counter_; }
  LexEntry* find_in_memory(std::string_view key) const { return entries_.find(key); }
  std::size_t linked_count() const { return dictionaries_.size(); }
  // Meanings kept by their dictionary text (see MeaningTextCache).
  std::size_t kept_meaning_count() const { return disk_meanings_.size(); }

 private:
  void stamp(LexEntry& entry);
  void purge();
  void add_meanings(IRSlist& entry, std::size_t first_meaning, LexEntry& target);
  void add_phrase_to_head(const EntryKey& key);
  std::vector<const LexEntry*> sorted_entries(std::size_t capacity) const;
  // The tree of a dictionary entry text, its atom texts in entry_texts_.
  std::unique_ptr<IRSlist> parse_disk_entry(std::string_view text);
  // Adds a dictionary entry text as add() adds its tree, its meanings
  // copied from those read before from the same texts where they may be.
  // `read`: false when the text holds no tree (nothing was added).
  LexEntry* add_disk_entry(std::string_view text, bool duplicate_flag, bool& read);
  // The target of an entry with that key as add() finds or makes it; null
  // for an existing key with the duplicate flag (reported).
  LexEntry* target_for(const EntryKey& key, bool duplicate_flag, bool& is_new);

  // Keeps the atom texts of the entries being added: adding an entry may
  // read another from disk (a phrase's head word), so the texts are released
  // when the outermost one is done.
  class EntryTextScope {
   public:
    explicit EntryTextScope(Lexicon& lexicon) : lexicon_(lexicon) { ++lexicon_.entry_text_depth_; }
    ~EntryTextScope();
    EntryTextScope(const EntryTextScope&) = delete;
    EntryTextScope& operator=(const EntryTextScope&) = delete;

   private:
    Lexicon& lexicon_;
  };

  EntryTable entries_;
  NameTable<bool> absent_;
  bool dedup_meanings_ = false;
  std::uint32_t access_counter_ = 0;
  std::uint32_t access_limit_ = kAccessLimit;
  std::vector<std::unique_ptr<DictOnDisk>> dictionaries_;
  std::unique_ptr<EndingTableBase> own_ending_table_;
  EndingTableBase* ending_table_ = nullptr;  // own_ending_table_ or a named one
  StringPool entry_texts_;
  int entry_text_depth_ = 0;
  MeaningTextCache disk_meanings_;
};

}  // namespace velmo
