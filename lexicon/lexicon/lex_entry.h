#pragma once
// One key of a lexicon: its meanings and the multi-word phrases that begin
// with it.
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/lexicon/meaning.h"

namespace velmo {

class IRSlist;

// A phrase that begins with the entry's word. The counts are in sentence
// tokens: how many come before the entry's word and how many after it.
struct PhraseRecord {
  std::uint32_t after_count = 0;
  std::uint8_t before_count = 0;
  std::string text;
};

class LexEntry {
 public:
  explicit LexEntry(std::string_view key) : key_(key) {}
  LexEntry(const LexEntry&) = delete;
  LexEntry& operator=(const LexEntry&) = delete;

  const std::string& key() const { return key_; }
  std::uint32_t stamp() const { return stamp_; }
  void set_stamp(std::uint32_t stamp) { stamp_ = stamp; }

  const std::vector<std::unique_ptr<Meaning>>& meanings() const { return meanings_; }
  void append_meaning(std::unique_ptr<Meaning> meaning) { meanings_.push_back(std::move(meaning)); }
  bool has_meaning_like(const Meaning& meaning) const;
  bool holds(const Meaning* meaning) const;
  // Removes and destroys a meaning of this entry; false when it is not here.
  bool remove_meaning(const Meaning* meaning);

  const std::vector<PhraseRecord>& phrases() const { return phrases_; }
  // Adds a record unless one with the same text (ignoring case) is here.
  bool add_phrase(PhraseRecord record);

  // "(" key, a line per meaning, the phrases line when there are phrases,
  // and " )", each line ending with a newline.
  void print(std::ostream& out) const;

 private:
  std::string key_;
  std::uint32_t stamp_ = 0;
  std::vector<std::unique_ptr<Meaning>> meanings_;
  std::vector<PhraseRecord> phrases_;
};

// The key of an entry expression: its leading atoms, joined with one blank,
// except that a comma and atoms holding bytes of value 128 or more (double-
// byte words) join without one; and the counts of its phrase record.
struct EntryKey {
  std::string text;
  std::string first_atom;
  std::size_t atoms = 0;
  PhraseRecord record;  // the counts and the key text

  bool empty() const { return atoms == 0; }
  bool multi_word() const { return atoms > 1; }
};

EntryKey entry_key_of(const IRSlist& entry);

// The entry whose meanings are being made: a "phrases" meaning adds its
// records to it. Scopes nest; the previous entry comes back at the end.
class CurrentEntryScope {
 public:
  explicit CurrentEntryScope(LexEntry* entry);
  ~CurrentEntryScope();
  CurrentEntryScope(const CurrentEntryScope&) = delete;
  CurrentEntryScope& operator=(const CurrentEntryScope&) = delete;

  static LexEntry* entry();

 private:
  LexEntry* previous_;
};

}  // namespace velmo
