#include "lexicon/lexicon/lexicon.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "lexicon/dictionary/entry_parser.h"
#include "lexicon/lexicon/form_reader.h"
#include "shell/reader/tokenizer.h"
#include "shell/reader/irslist.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

// Entry texts from a dictionary are short; small buffers keep the per-lookup
// tokenizer cheap.
constexpr std::size_t kEntryTokenBuffer = 256;

bool key_order(const LexEntry* a, const LexEntry* b) { return compare_nocase(a->key(), b->key()) < 0; }

EndingTableBuilder*& installed_builder() {
  static EndingTableBuilder* builder = nullptr;
  return builder;
}

}  // namespace

EndingTableBuilder* EndingTableBuilder::installed() { return installed_builder(); }

void EndingTableBuilder::install(EndingTableBuilder* builder) { installed_builder() = builder; }

Lexicon::Lexicon(std::size_t buckets) : entries_(buckets), absent_(buckets) {}

Lexicon::~Lexicon() = default;

// ---------------------------------------------------------------- loading

void Lexicon::load(std::istream& in, bool duplicate_flag) {
  for_each_form(in, [&](IRSlist& entry) { add(entry, duplicate_flag); });
}

void Lexicon::load_merging(std::istream& in) {
  for_each_form(in, [&](IRSlist& entry) { find_or_add(entry); });
}

std::unique_ptr<LexEntry> Lexicon::new_entry(std::string_view key) { return std::make_unique<LexEntry>(key); }

LexEntry* Lexicon::find_or_add(IRSlist& entry) {
  const EntryKey key = entry_key_of(entry);
  if (key.empty()) return nullptr;
  LexEntry* found = lookup(key.text);
  if (found && (!key.multi_word() || !found->meanings().empty())) return found;
  return add(entry, true);
}

LexEntry* Lexicon::add(IRSlist& entry, bool duplicate_flag) {
  const EntryKey key = entry_key_of(entry);
  if (key.empty()) return nullptr;
  bool is_new = false;
  LexEntry* target = target_for(key, duplicate_flag, is_new);
  if (!is_new && duplicate_flag) return target;
  add_meanings(entry, key.atoms, *target);
  if (is_new && key.multi_word()) add_phrase_to_head(key);
  return target;
}

LexEntry* Lexicon::target_for(const EntryKey& key, bool duplicate_flag, bool& is_new) {
  LexEntry* target = entries_.find(key.text);
  is_new = target == nullptr;
  if (target && duplicate_flag) {
    diag() << "Duplicate entry: " << key.text << '\n' << std::flush;
    return target;
  }
  if (is_new) target = entries_.insert(new_entry(key.text));
  return target;
}

// The entry's outline holds its key atoms; each meaning is read from its
// own text only when no copy of it is kept.
LexEntry* Lexicon::add_disk_entry(std::string_view text, bool duplicate_flag, bool& read) {
  std::unique_ptr<IRSlist> outline;
  std::vector<std::string_view> lists;
  if (!split_entry_text(text, entry_texts_, outline, lists)) {
    std::unique_ptr<IRSlist> entry = parse_disk_entry(text);
    read = entry != nullptr;
    return entry ? add(*entry, duplicate_flag) : nullptr;
  }
  read = true;
  const EntryKey key = entry_key_of(*outline);
  if (key.empty()) return nullptr;
  bool is_new = false;
  LexEntry* target = target_for(key, duplicate_flag, is_new);
  if (!is_new && duplicate_flag) return target;
  {
    CurrentEntryScope scope(target);
    for (std::string_view list : lists) {
      std::unique_ptr<Meaning> meaning = disk_meanings_.copy_of(list);
      if (!meaning) {
        std::unique_ptr<IRSlist> form;
        if (!parse_entry_text(list, entry_texts_, form) || !form || !form->is_list()) continue;
        meaning = disk_meanings_.read(list, *form);
      }
      if (meaning) add_meaning(std::move(meaning), *target);
    }
  }
  if (is_new && key.multi_word()) add_phrase_to_head(key);
  return target;
}

void Lexicon::add_meanings(IRSlist& entry, std::size_t first_meaning, LexEntry& target) {
  CurrentEntryScope scope(&target);
  std::size_t index = 0;
  for (IRSlist* element : entry.children()) {
    if (index++ < first_meaning || !element->is_list()) continue;
    if (std::unique_ptr<Meaning> meaning = make_meaning(*element)) add_meaning(std::move(meaning), target);
  }
}

void Lexicon::add_phrase_to_head(const EntryKey& key) {
  if (LexEntry* head = lookup_or_create(key.first_atom, true)) head->add_phrase(key.record);
}

bool Lexicon::add_meaning(std::unique_ptr<Meaning> meaning, LexEntry& entry) {
  if (dedup_meanings_ && entry.has_meaning_like(*meaning)) return false;
  entry.append_meaning(std::move(meaning));
  return true;
}

// ---------------------------------------------------------------- lookups

LexEntry* Lexicon::disk_lookup(std::string_view word) {
  LexEntry* found = nullptr;
  bool first_reading = true;
  for (const auto& dictionary : dictionaries_) {
    const std::optional<std::string_view> text = dictionary->get_entry(word);
    if (!text) continue;
    EntryTextScope scope(*this);
    // The first dictionary's reading makes the entry; later ones add to it.
    bool read = false;
    LexEntry* added = add_disk_entry(*text, first_reading, read);
    if (!read) continue;
    first_reading = false;
    if (!found) found = added;
  }
  return found;
}

std::unique_ptr<IRSlist> Lexicon::parse_disk_entry(std::string_view text) {
  std::unique_ptr<IRSlist> entry;
  if (parse_entry_text(text, entry_texts_, entry)) return entry;
  Tokenizer tokenizer(tokenizer_configs::kCommands, kEntryTokenBuffer);
  tokenizer.set_string_input(text);
  entry = IRSlist::read(tokenizer);
  return entry ? entry->copy(entry_texts_) : nullptr;
}

Lexicon::EntryTextScope::~EntryTextScope() {
  if (--lexicon_.entry_text_depth_ == 0) lexicon_.entry_texts_.clear();
}

LexEntry* Lexicon::lookup(std::string_view word) {
  LexEntry* entry = entries_.find(word);
  if (!entry) {
    if (absent_.find(word)) return nullptr;
    entry = disk_lookup(word);
    if (!entry) {
      absent_.insert(word, true);
      return nullptr;
    }
  }
  stamp(*entry);
  return entry;
}

LexEntry* Lexicon::lookup_or_create(std::string_view key, bool use_disk) {
  if (LexEntry* entry = entries_.find(key)) return entry;
  if (use_disk) {
    if (LexEntry* entry = disk_lookup(key)) return entry;
  }
  return entries_.insert(new_entry(key));
}

void Lexicon::stamp(LexEntry& entry) {
  entry.set_stamp(++access_counter_);
  if (access_counter_ > access_limit_) purge();
}

// Keeps the entries used in the last half of the access limit, renumbered
// from the middle; everything else goes, whatever loaded it.
void Lexicon::purge() {
  const std::uint32_t half = access_limit_ / 2;
  entries_.remove_if([half](LexEntry& entry) {
    if (entry.stamp() <= half) return true;
    entry.set_stamp(entry.stamp() - half);
    return false;
  });
  access_counter_ = half;
}

std::string Lexicon::root_of(std::string_view word) {
  const LexEntry* entry = root_entry(word);
  return entry ? entry->key() : std::string(word);
}

LexEntry* Lexicon::root_entry(std::string_view word) {
  if (!ending_table_) return nullptr;
  RootCandidate candidate;
  for (bool more = ending_table_->first_root(word, candidate); more; more = ending_table_->next_root(candidate)) {
    if (LexEntry* entry = lookup(candidate.root)) return entry;
  }
  return nullptr;
}

void Lexicon::lookup_readings(std::string_view word, std::vector<EntryReading>& readings) {
  if (!ending_table_) {
    if (LexEntry* entry = lookup(word)) readings.push_back({entry, nullptr});
    return;
  }
  RootCandidate candidate;
  for (bool more = ending_table_->first_root(word, candidate); more; more = ending_table_->next_root(candidate)) {
    if (LexEntry* entry = lookup(candidate.root)) readings.push_back({entry, candidate.ending});
  }
}

void Lexicon::clear() {
  entries_.clear();
  absent_.clear();
  disk_meanings_.clear();
}

// ---------------------------------------------------------------- set-up

void Lexicon::link(std::unique_ptr<DictOnDisk> dictionary) { dictionaries_.push_back(std::move(dictionary)); }

void Lexicon::set_ending_table(EndingTableBase* table) {
  own_ending_table_.reset();
  ending_table_ = table;
}

void Lexicon::set_own_ending_table(std::unique_ptr<EndingTableBase> table) {
  own_ending_table_ = std::move(table);
  ending_table_ = own_ending_table_.get();
}

// ---------------------------------------------------------------- printing

std::vector<const LexEntry*> Lexicon::sorted_entries(std::size_t capacity) const {
  std::vector<const LexEntry*> sorted;
  sorted.reserve(std::max(capacity, entries_.size()));
  entries_.for_each([&](const LexEntry& entry) { sorted.push_back(&entry); });
  std::sort(sorted.begin(), sorted.end(), key_order);
  return sorted;
}

void Lexicon::print_keys(std::ostream& out) const {
  for (const LexEntry* entry : sorted_entries(kKeyListCapacity)) out << entry->key() << '\n';
}

void Lexicon::print_sorted(std::ostream& out) const {
  for (const LexEntry* entry : sorted_entries(kSortedListCapacity)) print_entry(out, *entry);
}

void Lexicon::print_all(std::ostream& out) const {
  entries_.for_each([&](const LexEntry& entry) { print_entry(out, entry); });
}

void Lexicon::print_entry(std::ostream& out, const LexEntry& entry) const { entry.print(out); }

}  // namespace velmo
