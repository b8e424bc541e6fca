#include "lexical/analyzer/lex_analyzer.h"

#include <iostream>

#include "lexical/analyzer/lex_rules.h"
#include "lexical/items/ending.h"
#include "lexical/items/ending_lookup.h"
#include "lexicon/lexicon/lex_entry.h"
#include "lexicon/lexicon/lexicon.h"
#include "lexicon/lexicon/meaning.h"
#include "shell/support/current.h"
#include "shell/support/diagnostics.h"

namespace velmo {

namespace {

Current<LexAnalyzer>& current_analyzer_setting() {
  static Current<LexAnalyzer> setting;
  return setting;
}

bool is_ascii_alnum(unsigned char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'); }
// Bytes of value 128 and above belong to multi-byte letters: they count as
// letters, so a word in another script keeps its last character.
bool is_word_char(unsigned char c) { return is_ascii_alnum(c) || c >= 0x80; }
unsigned char fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c | 0x20) : c; }

// Nested phrase entries are tried at most this deep: phrase records that
// point at each other cannot recurse without end.
constexpr int kMaxPhraseDepth = 8;

}  // namespace

LexAnalyzer* current_lex_analyzer() { return current_analyzer_setting().get(); }
void set_current_lex_analyzer(LexAnalyzer* analyzer) { current_analyzer_setting().set(analyzer); }

LexAnalyzer::LexAnalyzer(std::size_t suggested_length)
    : suggested_length_(suggested_length ? suggested_length : kDefaultSentenceLength),
      lattice_(suggested_length_, this),
      focus_(suggested_length_),
      first_conj_(suggested_length_),
      last_conj_(suggested_length_),
      adverbs_(suggested_length_),
      skipped_(suggested_length_) {}

LexAnalyzer::~LexAnalyzer() = default;

// ---------------------------------------------------------------- items

LexItem* LexAnalyzer::add_item(LexItem* item, bool check_duplicates) {
  return lattice_.add_item(item, check_duplicates);
}

LexItem* LexAnalyzer::make_item(std::string_view root, const Meaning* meaning, int low, int high,
                                std::span<const std::string_view> affixes) {
  return lattice_.make_item(root, meaning, low, high, affixes);
}

void LexAnalyzer::delete_item(LexItem* item) { lattice_.delete_item(item); }

void LexAnalyzer::delete_items_inside(int low, int high) { lattice_.delete_inside_span(low, high); }

void LexAnalyzer::set_hook(LExpPtr hook) {
  hook_ = std::move(hook);
  if (!hook_) {
    lattice_.set_hook(nullptr);
    return;
  }
  lattice_.set_hook([this](LexItem& item) { call_hook(item); });
}

void LexAnalyzer::call_hook(LexItem& item) {
  static const TypeId item_type = type_id(kLexItemType);
  ItemTestPause pause(lattice_.test_memo());
  hook_->eval(to_word(&item), item_type);
}

void LexAnalyzer::reset() {
  set_current_lex_analyzer(this);
  mixed_case_ = 1;
  lattice_.reset();
  focus_.clear();
  first_conj_.clear();
  last_conj_.clear();
  adverbs_.clear();
  skipped_.clear();
  dropped_words_reported_ = false;
}

void LexAnalyzer::print_items(std::ostream& out) {
  for (int p = 0; p < positions(); ++p)
    for (const LexItem* item : by_end(p)) item->print(out, 0);
}

// ---------------------------------------------------------------- input

void LexAnalyzer::add_word(std::string_view token) {
  lattice_.ensure_sentinel();
  if (positions() >= kMaxPositions) {
    if (!dropped_words_reported_)
      diag() << "The sentence has more than " << kMaxPositions - 1 << " words; the rest are ignored\n" << std::flush;
    dropped_words_reported_ = true;
    return;
  }
  bool focus = false;
  if (focus_marker_ && !token.empty() && token.front() == focus_marker_) {
    token.remove_prefix(1);
    focus = true;
  }
  std::string_view tag;
  bool tagged = false;
  if (tag_marker_) {
    const std::size_t at = token.find(tag_marker_);
    if (at != std::string_view::npos) {
      tag = token.substr(at + 1);
      token = token.substr(0, at);
      tagged = true;
    }
  }
  const int p = lattice_.add_word(token);
  if (focus) focus_.set(static_cast<std::size_t>(p));
  if (tagged) lattice_.set_tag(p, tag);
}

void LexAnalyzer::add_spacing(std::string_view text) { lattice_.add_spacing(text); }

// ---------------------------------------------------------------- analysis

void LexAnalyzer::analyze() {
  set_current_lex_analyzer(this);
  if (!lexicon_) {
    if (!missing_lexicon_reported_) diag() << "The lexical analyzer has no lexicon\n" << std::flush;
    missing_lexicon_reported_ = true;
    return;
  }
  split_trailing_punctuation(positions() - 1);
  for (int p = 1; p < positions(); ++p) look_up_word(lookup_form(word_at(p)), p, p);
  apply_rules();
  filter_by_tags();
}

void LexAnalyzer::apply_rules() {
  if (rules_) rules_->apply(*this);
}

void LexAnalyzer::split_trailing_punctuation(int from) {
  from = std::min(from, positions() - 1);
  int p = from;
  for (; p >= 1; --p) {
    const std::string_view word = word_at(p);
    if (word.empty()) continue;
    const auto first = static_cast<unsigned char>(word[0]);
    if (is_word_char(first)) break;
    if (word.size() >= 2 && (first == '$' || first == '#' || first == '\'')) break;
  }
  if (p < 1 || !lexicon_) return;
  const std::string_view word = word_at(p);
  if (lexicon_->lookup(word)) return;
  std::size_t keep = word.size();
  auto kept_char = [](unsigned char c) { return is_word_char(c) || c == '[' || c == ']' || c == '<' || c == '>'; };
  while (keep > 1 && !kept_char(static_cast<unsigned char>(word[keep - 1]))) --keep;
  // A dollar sign keeps its own word before the closing marks (about the
  // $$$.: the signs are money, the full stop ends the sentence).
  const bool money_sign = word[0] == '$' && keep == 1;
  if (keep <= 1 && !kept_char(static_cast<unsigned char>(word[0])) && !money_sign) return;
  if (keep == word.size()) return;
  // The cut text goes to the spacing after the word before the word itself
  // is replaced: both views point into the string pool, which only grows.
  lattice_.append_spacing(p + 1, word.substr(keep));
  lattice_.set_word(p, word.substr(0, keep));
}

std::string_view LexAnalyzer::lookup_form(std::string_view word) {
  // A quote opening a quotation stays on the word it precedes ('gifts): the
  // lexicon lacks the quoted form, so the word is looked up without the quote
  // and keeps its real root. Forms the lexicon holds ('s, 'em) are kept.
  const bool quoted = word.size() >= 2 && word[0] == '\'' && is_word_char(static_cast<unsigned char>(word[1]));
  if (!quoted || lexicon_->lookup(word)) return word;
  return word.substr(1);
}

void LexAnalyzer::look_up_word(std::string_view word, int low, int high) {
  if (!lexicon_ || word.empty()) return;
  // Nested lookups (a rule's look-up during analysis) get their own list.
  std::vector<EntryReading> readings;
  readings.swap(readings_);
  readings.clear();
  lookup_readings(*lexicon_, word, readings);
  for (const EntryReading& reading : readings) {
    const char* affix = reading.ending ? reading.ending->name() : nullptr;
    if (affix) {
      const std::string_view affixes[] = {affix};
      add_entry_items(*reading.entry, low, high, affixes);
    } else {
      add_entry_items(*reading.entry, low, high, {});
    }
  }
  readings.swap(readings_);
}

namespace {

// The root of an entry: its key, with a phrasal key holding a comma put back
// into reading order ("spite of, in" gives "in spite of").
std::string_view reading_order_root(std::string_view key, std::string& buffer) {
  const std::size_t comma = key.find(',');
  if (comma == std::string_view::npos) return key;
  std::size_t after = comma + 1;
  while (after < key.size() && key[after] == ' ') ++after;
  if (after >= key.size()) return key;
  std::string_view before = key.substr(0, comma);
  while (!before.empty() && before.back() == ' ') before.remove_suffix(1);
  buffer.assign(key.substr(after));
  buffer.push_back(' ');
  buffer.append(before);
  return buffer;
}

}  // namespace

void LexAnalyzer::add_entry_items(LexEntry& entry, int low, int high, std::span<const std::string_view> affixes) {
  struct Adder {
    LexAnalyzer& self;
    std::span<const std::string_view> affixes;
    std::string root_buffer;

    void add(LexEntry& entry, int low, int high, int depth) {
      static const TypeId meaning_type = type_id(kMeaningType);
      const std::string_view root = reading_order_root(entry.key(), root_buffer);
      for (const std::unique_ptr<Meaning>& meaning : entry.meanings()) {
        if (self.meaning_selector_) {
          ItemTestPause pause(self.lattice_.test_memo());
          if (self.meaning_selector_->eval(to_word(meaning.get()), meaning_type) == 0) continue;
        }
        LexItem* item = self.make_item(root, meaning.get(), low, high, affixes);
        item->entry = &entry;
        self.add_item(item, true);
      }
      if (depth >= kMaxPhraseDepth) return;
      // A disk lookup below may add records to this entry: walk by index
      // and copy what is kept of a record before looking its key up.
      for (std::size_t i = 0; i < entry.phrases().size(); ++i) {
        const PhraseRecord& phrase = entry.phrases()[i];
        // The record counts the words after the anchor (before the comma of
        // the key) and the words before it (after the comma).
        const int after = phrase.before_count;
        const int before = static_cast<int>(phrase.after_count);
        if (!self.phrase_matches(low, before, after, phrase.text)) continue;
        const std::string key = phrase.text;
        LexEntry* phrase_entry = self.lexicon_->lookup(key);
        if (!phrase_entry) {
          diag() << "Phrasal entry '" << key << "' is not found\n" << std::flush;
          continue;
        }
        add(*phrase_entry, low - before, low + after, depth + 1);
      }
    }
  };
  Adder adder{*this, affixes, {}};
  adder.add(entry, low, high, 0);
}

namespace {

// Compares one word with the key text at `k`; on a match moves `k` past the
// word (and the blank after it).
bool match_key_word(std::string_view key, std::size_t& k, std::string_view word) {
  std::size_t i = 0;
  std::size_t at = k;
  while (i < word.size() && at < key.size() &&
         fold(static_cast<unsigned char>(word[i])) == fold(static_cast<unsigned char>(key[at]))) {
    ++i;
    ++at;
  }
  if (at < key.size() && key[at] == ',') ++at;
  if (i < word.size()) return false;
  const bool key_stops = at >= key.size() || key[at] == ' ' || key[at] == '\'' || key[at] == '-';
  const bool ends_in_joiner = i > 0 && (word[i - 1] == '-' || word[i - 1] == '\'');
  if (!key_stops && !ends_in_joiner) return false;
  if (at < key.size() && key[at] == ' ') ++at;
  k = at;
  return true;
}

}  // namespace

bool LexAnalyzer::phrase_matches(int p, int before, int after, std::string_view key) const {
  const int n = positions();
  if (p - before < 0 || p + after >= n || before < 0 || after < 0) return false;
  std::size_t k = 0;
  if (!key.empty() && static_cast<unsigned char>(key[0]) >= 0x80) {
    k = std::min<std::size_t>(2, key.size());
    while (k < key.size() && (key[k] == ',' || key[k] == ' ')) ++k;
  } else {
    const std::size_t blank = key.find(' ');
    k = blank == std::string_view::npos ? key.size() : blank + 1;
  }
  // Reading order: the words after the anchor first, then those before it.
  for (int q = p + 1; q <= p + after; ++q) {
    const char* word = word_at(q);
    if (!word || !match_key_word(key, k, word)) return false;
  }
  for (int q = p - before; q < p; ++q) {
    const char* word = word_at(q);
    if (!word || !match_key_word(key, k, word)) return false;
  }
  return true;
}

void LexAnalyzer::filter_by_tags() {
  if (!tag_marker_ || lattice_.tag_count() < 2) return;
  for (int p = 1; p < positions(); ++p) {
    const char* tag = tag_at(p);
    if (!tag) continue;
    std::vector<LexItem*> single;
    bool tagged = false;
    for (LexItem* item : by_end(p)) {
      if (item->low != p) continue;
      single.push_back(item);
      if (item->category && std::string_view(item->category) == tag) tagged = true;
    }
    if (!tagged) continue;
    for (LexItem* item : single)
      if (!item->category || std::string_view(item->category) != tag) delete_item(item);
  }
}

}  // namespace velmo
