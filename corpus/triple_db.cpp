#include "corpus/triple_db.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <charconv>
#include <iostream>
#include <iterator>
#include <vector>

#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

bool take_u32(std::string_view& bytes, std::uint32_t& out) {
  if (bytes.size() < 4) return false;
  out = get_u32(reinterpret_cast<const unsigned char*>(bytes.data()));
  bytes.remove_prefix(4);
  return true;
}

std::optional<std::uint64_t> parse_count(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
  return value;
}

}  // namespace

FoldedText::FoldedText(std::string_view text) {
  std::size_t first_capital = 0;
  while (first_capital < text.size() && ascii_lower(text[first_capital]) == text[first_capital]) ++first_capital;
  if (first_capital == text.size()) {
    view_ = text;
    return;
  }
  char* out = inline_;
  if (text.size() > kInline) {
    heap_.resize(text.size());
    out = heap_.data();
  }
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = ascii_lower(text[i]);
  view_ = std::string_view(out, text.size());
}

// ---- TripleEntry.

namespace {

bool is_record_name(std::string_view relation) { return !relation.empty() && relation.front() == '<'; }

// The texts of a pair are a few bytes long: compared in line, they cost
// less than a call to memcmp. Bytes compare unsigned, as memcmp does.
bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Whether `a` sorts after `b`.
bool text_after(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) > static_cast<unsigned char>(b[i]);
  return a.size() > b.size();
}

}  // namespace

TripleEntry::Text TripleEntry::store_text(std::string_view text) {
  const auto offset = static_cast<std::uint32_t>(texts_.size());
  texts_.append(text);
  Text stored{offset, offset, static_cast<std::uint32_t>(text.size())};
  if (std::any_of(text.begin(), text.end(), [](char c) { return ascii_lower(c) != c; })) {
    stored.folded = static_cast<std::uint32_t>(texts_.size());
    for (const char c : text) texts_.push_back(ascii_lower(c));
  }
  return stored;
}

int TripleEntry::compare_keys(const Record& a, const Record& b) const {
  const int relation = folded(a.relation).compare(folded(b.relation));
  if (relation != 0) return relation;
  return folded(a.modifier).compare(folded(b.modifier));
}

void TripleEntry::add(std::string_view relation, std::string_view modifier, std::uint64_t count) {
  if (count == 0) return;
  // Pairs of one relation mostly arrive together: they share its text.
  const Record* last = last_added();
  const Text relation_text = last && original(last->relation) == relation ? last->relation : store_text(relation);
  place(Record{relation_text, store_text(modifier), count});
}

const TripleEntry::Record* TripleEntry::last_added() const {
  if (!pending_.empty()) return &pending_.back();
  return records_.empty() ? nullptr : &records_.back();
}

void TripleEntry::place(const Record& record) {
  by_modifier_.clear();
  forget_asked();
  if (!pending_.empty()) {
    pending_.push_back(record);
    return;
  }
  const int order = records_.empty() ? 1 : compare_keys(record, records_.back());
  if (order > 0) {
    append(record);
  } else if (order == 0) {
    records_.back().count += record.count;
    groups_.back().total += record.count;
    if (!is_record_name(original(record.relation))) word_relations_total_ += record.count;
  } else {
    pending_.push_back(record);
  }
}

TripleEntry::Text TripleEntry::text_in_place(std::uint32_t offset, std::uint32_t size) {
  Text text{offset, offset, size};
  const std::string_view bytes(texts_.data() + offset, size);
  if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return ascii_lower(c) != c; })) {
    text.folded = static_cast<std::uint32_t>(texts_.size());
    for (std::uint32_t i = 0; i < size; ++i) texts_.push_back(ascii_lower(texts_[offset + i]));
  }
  return text;
}

void TripleEntry::append(const Record& record) {
  const auto index = static_cast<std::uint32_t>(records_.size());
  records_.push_back(record);
  const bool word_relation = !is_record_name(original(record.relation));
  if (groups_.empty() || (groups_.back().relation.offset != record.relation.offset &&
                          folded(groups_.back().relation) != folded(record.relation))) {
    groups_.push_back(Group{record.relation, index, index + 1, record.count, order_prefix(folded(record.relation))});
    if (word_relation) ++word_relations_;
  } else {
    groups_.back().end = index + 1;
    groups_.back().total += record.count;
  }
  if (word_relation) word_relations_total_ += record.count;
}

void TripleEntry::settle() const {
  if (pending_.empty()) return;
  const auto less = [this](const Record& a, const Record& b) { return compare_keys(a, b) < 0; };
  // Stable: of pairs equal but for case, the one added first keeps its
  // spelling, and the sorted pairs came before every pending one.
  std::stable_sort(pending_.begin(), pending_.end(), less);
  std::vector<Record> merged;
  merged.reserve(records_.size() + pending_.size());
  const auto put = [&](const Record& record) {
    if (!merged.empty() && compare_keys(merged.back(), record) == 0)
      merged.back().count += record.count;
    else
      merged.push_back(record);
  };
  std::size_t i = 0, j = 0;
  while (i < records_.size() || j < pending_.size()) {
    if (j == pending_.size() || (i < records_.size() && !less(pending_[j], records_[i])))
      put(records_[i++]);
    else
      put(pending_[j++]);
  }
  records_ = std::move(merged);
  pending_.clear();
  rebuild_groups();
}

void TripleEntry::rebuild_groups() const {
  forget_asked();
  groups_.clear();
  word_relations_total_ = 0;
  word_relations_ = 0;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const Record& record = records_[i];
    const auto index = static_cast<std::uint32_t>(i);
    if (groups_.empty() || folded(groups_.back().relation) != folded(record.relation)) {
      groups_.push_back(Group{record.relation, index, index + 1, record.count, order_prefix(folded(record.relation))});
      if (!is_record_name(original(record.relation))) ++word_relations_;
    } else {
      groups_.back().end = index + 1;
      groups_.back().total += record.count;
    }
    if (!is_record_name(original(record.relation))) word_relations_total_ += record.count;
  }
}

// The first eight bytes of a text as a big-endian number (zeros after a
// shorter text): numbers in the order of the texts they begin, so that most
// comparisons of a search are of numbers.
std::uint64_t TripleEntry::order_prefix(std::string_view text) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) key = (key << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
  return key;
}

const TripleEntry::Group* TripleEntry::find_group(std::string_view folded_relation) const {
  const std::uint64_t key = order_prefix(folded_relation);
  const auto it = std::lower_bound(groups_.begin(), groups_.end(), folded_relation,
                                   [this, key](const Group& group, std::string_view wanted) {
                                     if (group.prefix != key) return group.prefix < key;
                                     return folded(group.relation) < wanted;
                                   });
  return it != groups_.end() && it->prefix == key && folded(it->relation) == folded_relation ? &*it : nullptr;
}

const TripleEntry::Group* TripleEntry::group_of(std::string_view relation) const {
  settle();
  if (relation.size() == asked_size_ && asked_size_ != 0 &&
      std::memcmp(relation.data(), asked_relation_, relation.size()) == 0)
    return asked_group_ == kNoGroup ? nullptr : &groups_[asked_group_];
  const FoldedText wanted(relation);
  const Group* group = find_group(wanted.view());
  if (relation.size() <= kAskedRelationSize) {
    std::memcpy(asked_relation_, relation.data(), relation.size());
    asked_size_ = static_cast<std::uint32_t>(relation.size());
    asked_group_ = group ? static_cast<std::uint32_t>(group - groups_.data()) : kNoGroup;
  }
  return group;
}

const TripleEntry::Record* TripleEntry::find_record(const Group& group, std::string_view folded_modifier) const {
  const auto begin = records_.begin() + group.begin, end = records_.begin() + group.end;
  // Most steps of the search are decided by the first byte (compared
  // unsigned, as the texts' order compares them) without a library call.
  const auto it = std::lower_bound(begin, end, folded_modifier, [this](const Record& record, std::string_view wanted) {
    const std::string_view modifier = folded(record.modifier);
    if (!modifier.empty() && !wanted.empty() && modifier.front() != wanted.front())
      return static_cast<unsigned char>(modifier.front()) < static_cast<unsigned char>(wanted.front());
    return modifier < wanted;
  });
  return it != end && folded(it->modifier) == folded_modifier ? &*it : nullptr;
}

void TripleEntry::add_all(const TripleEntry& other) {
  other.for_each_count([&](const Count& pair) { add(pair.relation, pair.modifier, pair.count); });
}

std::uint64_t TripleEntry::count(std::string_view relation, std::string_view modifier) const {
  const Group* group = group_of(relation);
  if (!group) return 0;
  const FoldedText wanted_modifier(modifier);
  const Record* record = find_record(*group, wanted_modifier.view());
  return record ? record->count : 0;
}

std::uint64_t TripleEntry::relation_total(std::string_view relation) const {
  const Group* group = group_of(relation);
  return group ? group->total : 0;
}

std::uint64_t TripleEntry::relation_types(std::string_view relation) const {
  const Group* group = group_of(relation);
  return group ? group->end - group->begin : 0;
}

std::string_view TripleEntry::first_modifier(std::string_view relation) const {
  const Group* group = group_of(relation);
  return group ? original(records_[group->begin].modifier) : std::string_view();
}

// The records of word relations by the hash of their modifier (FNV-1a
// over the folded text) in an open-addressed table at most half full: one
// pass over the records makes it, where sorting them cost several. A
// question probes from its hash to the first empty slot and compares the
// texts of the records under its hash.
void TripleEntry::index_modifiers() const {
  if (!by_modifier_.empty()) return;
  std::size_t slots = 2;
  while (slots < 2 * static_cast<std::size_t>(records_.size())) slots *= 2;
  by_modifier_.assign(slots, HashedRecord{0, kNoRecord});
  const std::size_t mask = slots - 1;
  for (const Group& group : groups_) {
    if (is_record_name(original(group.relation))) continue;
    for (std::uint32_t i = group.begin; i < group.end; ++i) {
      const std::uint32_t hash = fnv1a_hash(folded(records_[i].modifier));
      std::size_t at = hash & mask;
      while (by_modifier_[at].index != kNoRecord) at = (at + 1) & mask;
      by_modifier_[at] = HashedRecord{hash, i};
    }
  }
}

TripleEntry::ModifierCounts TripleEntry::modifier_counts(std::string_view relation, std::string_view modifier) const {
  settle();
  const FoldedText wanted(modifier);
  const FoldedText wanted_relation(relation);
  ModifierCounts counts;
  const auto take = [&](const Record& record) {
    counts.all += record.count;
    ++counts.relations;
    if (folded(record.relation) == wanted_relation.view()) counts.in_relation = record.count;
  };
  index_modifiers();
  const std::uint32_t hash = fnv1a_hash(wanted.view());
  const std::size_t mask = by_modifier_.size() - 1;
  for (std::size_t at = hash & mask; by_modifier_[at].index != kNoRecord; at = (at + 1) & mask) {
    const HashedRecord& slot = by_modifier_[at];
    if (slot.hash == hash && folded(records_[slot.index].modifier) == wanted.view()) take(records_[slot.index]);
  }
  return counts;
}

std::vector<TripleEntry::Relation> TripleEntry::relations() const {
  settle();
  std::vector<Relation> result;
  result.reserve(groups_.size());
  for (const Group& group : groups_)
    result.push_back(Relation{original(group.relation), group.total, group.end - group.begin});
  return result;
}

std::uint64_t TripleEntry::word_relations_total() const {
  settle();
  return word_relations_total_;
}

std::uint64_t TripleEntry::word_relations() const {
  settle();
  return word_relations_;
}

std::vector<TripleEntry::Count> TripleEntry::counts() const {
  std::vector<Count> result;
  for_each_count([&](const Count& pair) { result.push_back(pair); });
  return result;
}

std::size_t TripleEntry::size() const {
  settle();
  return records_.size();
}

void TripleEntry::pack(StrBufs& out) const {
  settle();
  out.put_u32(static_cast<std::uint32_t>(records_.size()));
  for_each_count([&](const Count& pair) {
    out.append(pair.relation);
    out.push('\0');
    out.append(pair.modifier);
    out.push('\0');
    out.put_u32(static_cast<std::uint32_t>(pair.count >> 32));
    out.put_u32(static_cast<std::uint32_t>(pair.count));
  });
}

namespace {

// The end (the NUL) of the text that starts at `at`, or npos; `capital`
// tells whether it holds an ASCII capital (and needs a folded copy). Eight
// bytes are looked at a time while eight remain (every text but the last
// of a stored entry is followed by a count of eight bytes).
std::size_t scan_text(std::string_view bytes, std::size_t at, bool& capital) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  bool found = false;
  if constexpr (std::endian::native == std::endian::little) {
    for (; at + 8 <= bytes.size(); at += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + at, 8);
      // High bit of a byte set: the first for a zero byte (later ones may be
      // false alarms, never earlier ones); for 'A'..'Z' in the other.
      const std::uint64_t zeros = (word - kOnes) & ~word & kHigh;
      const std::uint64_t low7 = word & ~kHigh;
      std::uint64_t capitals = (low7 + 0x3F * kOnes) & ~(low7 + 0x25 * kOnes) & ~word & kHigh;
      if (zeros) {
        const int zero_bit = std::countr_zero(zeros);
        capitals &= (std::uint64_t{1} << zero_bit) - 1;
        capital = found || capitals != 0;
        return at + static_cast<std::size_t>(zero_bit / 8);
      }
      found |= capitals != 0;
    }
  }
  for (; at < bytes.size(); ++at) {
    const char c = bytes[at];
    if (c == '\0') {
      capital = found;
      return at;
    }
    found |= c >= 'A' && c <= 'Z';
  }
  return std::string_view::npos;
}

// The end of the text at `at` in the stored form when it spells the text
// at `earlier` (`size` bytes, NUL-ended there too), npos when not. A short
// text is compared with its NUL in one load of eight bytes from each.
std::size_t end_of_text_as(std::string_view bytes, std::size_t at, std::size_t earlier, std::size_t size) {
  const std::size_t end = at + size;
  if (end >= bytes.size()) return std::string_view::npos;
  if constexpr (std::endian::native == std::endian::little) {
    if (size < 8 && at + 8 <= bytes.size()) {
      std::uint64_t here, there;
      std::memcpy(&here, bytes.data() + at, 8);
      std::memcpy(&there, bytes.data() + earlier, 8);
      const std::uint64_t mask = ~std::uint64_t{0} >> (8 * (7 - size));
      return ((here ^ there) & mask) == 0 ? end : std::string_view::npos;
    }
  }
  return bytes[end] == '\0' && same_text(bytes.substr(at, size), bytes.substr(earlier, size)) ? end
                                                                                           : std::string_view::npos;
}

// A count's half as the stored form has it, most significant byte first.
std::uint32_t big_endian_u32(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

}  // namespace

TripleEntry::Text TripleEntry::scanned_text(std::uint32_t offset, std::uint32_t size, bool capital) {
  return capital ? text_in_place(offset, size) : Text{offset, offset, size};
}

// The common case of a stored pair: `record`, of the relation of `last`
// (the last pair added in order), comes after it. False (nothing done)
// when some pair waits to be placed or the record is out of order.
inline bool TripleEntry::append_after(const Record& last, const Record& record) {
  if (!pending_.empty() || !text_after(folded(record.modifier), folded(last.modifier))) return false;
  forget_asked();
  const auto index = static_cast<std::uint32_t>(records_.size());
  records_.push_back(record);
  Group& group = groups_.back();
  group.end = index + 1;
  group.total += record.count;
  if (!is_record_name(original(record.relation))) word_relations_total_ += record.count;
  return true;
}

// Stored pairs come sorted and merged (pack() writes them so): each is
// appended after a comparison with the last; the texts are scanned once for
// their end and their capitals. Pairs out of order still go through place().
std::unique_ptr<TripleEntry> TripleEntry::unpack(std::string_view bytes) {
  auto entry = std::make_unique<TripleEntry>();
  std::uint32_t pairs = 0;
  if (!take_u32(bytes, pairs)) return nullptr;
  // A pair takes at least ten bytes: a damaged count reserves no more.
  entry->records_.reserve(std::min<std::size_t>(pairs, bytes.size() / 10));
  // The texts stay where the stored form has them: it is copied whole, and
  // only texts with capitals get a folded copy after it.
  std::string& texts = entry->texts_;
  texts.reserve(bytes.size() + bytes.size() / 8);
  texts.assign(bytes);
  std::size_t at = 0;
  for (std::uint32_t i = 0; i < pairs; ++i) {
    bool relation_capital = false, modifier_capital = false;
    // Pairs of one relation come together: a relation spelt as the last
    // pair's is found by comparing it, without a scan.
    const Record* last = entry->last_added();
    std::size_t relation_end =
        last ? end_of_text_as(bytes, at, last->relation.offset, last->relation.size) : std::string_view::npos;
    const bool same_relation = relation_end != std::string_view::npos;
    if (!same_relation) relation_end = scan_text(bytes, at, relation_capital);
    if (relation_end == std::string_view::npos) return nullptr;
    const std::size_t modifier_end = scan_text(bytes, relation_end + 1, modifier_capital);
    if (modifier_end == std::string_view::npos || bytes.size() - modifier_end - 1 < 8) return nullptr;
    const auto* count_bytes = reinterpret_cast<const unsigned char*>(bytes.data() + modifier_end + 1);
    const std::uint64_t count = (std::uint64_t{big_endian_u32(count_bytes)} << 32) | big_endian_u32(count_bytes + 4);
    const auto relation_size = static_cast<std::uint32_t>(relation_end - at);
    const auto modifier_at = static_cast<std::uint32_t>(relation_end + 1);
    const auto modifier_size = static_cast<std::uint32_t>(modifier_end - modifier_at);
    const Text modifier{modifier_at, modifier_at, modifier_size};
    if (count != 0 && !(same_relation && !modifier_capital && entry->append_after(*last, Record{last->relation, modifier, count})))
      entry->add_stored(bytes.substr(at, relation_size), static_cast<std::uint32_t>(at), relation_capital,
                        same_relation, modifier, modifier_capital, count);
    at = modifier_end + 9;
  }
  return at == bytes.size() ? std::move(entry) : nullptr;
}

void TripleEntry::add_stored(std::string_view relation, std::uint32_t relation_at, bool relation_capital,
                             bool same_relation, Text modifier, bool modifier_capital, std::uint64_t count) {
  forget_asked();
  const Record* last = last_added();
  const Text relation_text =
      same_relation ? last->relation
                    : scanned_text(relation_at, static_cast<std::uint32_t>(relation.size()), relation_capital);
  const Record record{relation_text, scanned_text(modifier.offset, modifier.size, modifier_capital), count};
  if (same_relation && append_after(*last, record)) return;
  place(record);
}

// ---- TripleDb.

TripleDb::~TripleDb() {
  // The kind's packing is still available here: keep what was changed.
  if (linked() && !file()->file().read_only()) sync();
}

bool TripleDb::close_at_exit() {
  if (linked() && !file()->file().read_only()) sync();
  return PLHash::close_at_exit();
}

PLHash::EntryPtr TripleDb::new_entry() { return std::make_unique<TripleEntry>(); }

void TripleDb::print_entry(std::ostream& out, std::string_view key, const Entry& entry) {
  static_cast<const TripleEntry&>(entry).for_each_count([&](const TripleEntry::Count& pair) {
    out << key << '\t' << pair.relation << '\t' << pair.modifier << '\t' << pair.count << '\n';
  });
}

bool TripleDb::pack_entry(const Entry& entry, StrBufs& out) {
  static_cast<const TripleEntry&>(entry).pack(out);
  return true;
}

PLHash::EntryPtr TripleDb::unpack_entry(std::string_view key, std::string_view bytes) {
  std::unique_ptr<TripleEntry> entry = TripleEntry::unpack(bytes);
  if (!entry) diag() << "The stored entry of " << key << " is corrupt\n" << std::flush;
  return entry;
}

bool TripleDb::combine_entries(Entry& into, const Entry& from) {
  static_cast<TripleEntry&>(into).add_all(static_cast<const TripleEntry&>(from));
  return true;
}

bool TripleDb::add_triple(std::string_view head, std::string_view relation, std::string_view modifier,
                          std::uint64_t count) {
  Entry* entry = modify(head);
  if (!entry) return false;
  static_cast<TripleEntry*>(entry)->add(relation, modifier, count);
  add_to_total(count);
  return true;
}

std::uint64_t TripleDb::count(std::string_view head, std::string_view relation, std::string_view modifier) {
  const Entry* entry = find(head);
  return entry ? static_cast<const TripleEntry*>(entry)->count(relation, modifier) : 0;
}

std::optional<double> TripleDb::probability(std::string_view head, std::string_view relation,
                                            std::string_view modifier) {
  const auto* entry = static_cast<const TripleEntry*>(find(head));
  const std::uint64_t seen = entry ? entry->count(relation, modifier) : 0;
  if (seen == 0) return std::nullopt;
  return static_cast<double>(seen) / static_cast<double>(entry->relation_total(relation));
}

template <class AddLine>
bool TripleDb::read_lines(std::istream& in, std::size_t fields, const char* format, AddLine add_line) {
  Tokenizer tokenizer(tokenizer_configs::kTabRecords);
  tokenizer.set_input(&in);
  std::vector<std::string> line;
  std::size_t line_number = 0;
  bool ok = true;
  auto finish_line = [&] {
    ++line_number;
    if (line.empty()) return;
    if (!line.back().empty() && line.back().back() == '\r') line.back().pop_back();
    const std::optional<std::uint64_t> count =
        line.size() == fields + 1 ? parse_count(line.back())
                                  : (line.size() == fields ? std::optional<std::uint64_t>(1) : std::nullopt);
    if (count) {
      ok = add_line(line, *count) && ok;
    } else {
      diag() << "Line " << line_number << " is not " << format << '\n' << std::flush;
      ok = false;
    }
    line.clear();
  };
  while (const char* token = tokenizer.next_significant_token()) {
    const std::string_view text(token, tokenizer.token_length());
    if (text == "\n")
      finish_line();
    else
      line.emplace_back(text);
  }
  finish_line();
  return ok;
}

bool TripleDb::populate(std::istream& in) {
  return read_lines(
      in, 3, "head<TAB>relation<TAB>modifier[<TAB>count]",
      [&](const std::vector<std::string>& f, std::uint64_t count) { return add_triple(f[0], f[1], f[2], count); });
}

bool TripleDb::add_triples(std::string_view relation, std::istream& in) {
  return read_lines(
      in, 2, "head<TAB>modifier[<TAB>count]",
      [&](const std::vector<std::string>& f, std::uint64_t count) { return add_triple(f[0], relation, f[1], count); });
}

}  // namespace velmo
