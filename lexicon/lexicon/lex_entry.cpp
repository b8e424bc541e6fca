#include "lexicon/lexicon/lex_entry.h"

#include <algorithm>
#include <limits>

#include "shell/reader/irslist.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

LexEntry* current_entry = nullptr;

bool has_high_byte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Sentence tokens in an atom: the sentence tokenizer splits at apostrophes
// (one more token) and hyphens (the hyphen and the part after it).
std::uint32_t tokens_in(std::string_view atom) {
  std::uint32_t tokens = 1;
  for (char c : atom) {
    if (c == '\'')
      tokens += 1;
    else if (c == '-')
      tokens += 2;
  }
  return tokens;
}

std::uint8_t clamp_count(long count) {
  return static_cast<std::uint8_t>(std::clamp<long>(count, 0, std::numeric_limits<std::uint8_t>::max()));
}

bool is_key_atom(const IRSlist& node) { return node.is_atom() && node.atom() != nullptr; }

}  // namespace

bool LexEntry::has_meaning_like(const Meaning& meaning) const {
  return std::any_of(meanings_.begin(), meanings_.end(), [&](const auto& mine) { return mine->compare(meaning) == 0; });
}

bool LexEntry::holds(const Meaning* meaning) const {
  return std::any_of(meanings_.begin(), meanings_.end(), [&](const auto& mine) { return mine.get() == meaning; });
}

bool LexEntry::remove_meaning(const Meaning* meaning) {
  auto it = std::find_if(meanings_.begin(), meanings_.end(), [&](const auto& m) { return m.get() == meaning; });
  if (it == meanings_.end()) return false;
  meanings_.erase(it);
  return true;
}

bool LexEntry::add_phrase(PhraseRecord record) {
  for (const PhraseRecord& existing : phrases_) {
    if (equal_nocase(existing.text, record.text)) return false;
  }
  phrases_.push_back(std::move(record));
  return true;
}

void LexEntry::print(std::ostream& out) const {
  std::string line = "(";
  append_quoted(line, key_);
  out << line << '\n';
  for (const auto& meaning : meanings_) {
    out << ' ';
    meaning->print(out);
    out << '\n';
  }
  if (!phrases_.empty()) {
    out << " (phrases";
    for (const PhraseRecord& record : phrases_) out << " (" << record.text << ')';
    out << ")\n";
  }
  out << " )\n";
}

EntryKey entry_key_of(const IRSlist& entry) {
  EntryKey key;
  std::uint32_t tokens = 0;
  bool split = false;
  for (const IRSlist* node : entry.children()) {
    if (!is_key_atom(*node)) break;
    const std::string_view atom = node->atom();
    const bool comma = atom == ",";
    if (key.atoms == 0)
      key.first_atom = atom;
    else if (!comma && !has_high_byte(atom))
      key.text += ' ';
    key.text += atom;
    ++key.atoms;
    if (comma && !split) {
      key.record.before_count = clamp_count(static_cast<long>(tokens) - 1);
      tokens = 0;
      split = true;
      continue;
    }
    tokens += tokens_in(atom);
  }
  // A plain atom (not a list) is a key of its own.
  if (key.atoms == 0 && is_key_atom(entry)) {
    key.text = key.first_atom = entry.atom();
    key.atoms = 1;
    tokens = tokens_in(key.text);
  }
  if (split) {
    key.record.after_count = tokens;
  } else {
    key.record.before_count = clamp_count(static_cast<long>(tokens) - 1);
    key.record.after_count = 0;
  }
  key.record.text = key.text;
  return key;
}

CurrentEntryScope::CurrentEntryScope(LexEntry* entry) : previous_(current_entry) { current_entry = entry; }
CurrentEntryScope::~CurrentEntryScope() { current_entry = previous_; }
LexEntry* CurrentEntryScope::entry() { return current_entry; }

}  // namespace velmo
