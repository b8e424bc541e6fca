#include "corpus/triple_db.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <vector>

#include "shell/reader/tokenizer.h"
#include "shell/support/diagnostics.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

bool take_text(std::string_view& bytes, std::string& out) {
  const std::size_t end = bytes.find('\0');
  if (end == std::string_view::npos) return false;
  out.assign(bytes.substr(0, end));
  bytes.remove_prefix(end + 1);
  return true;
}

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

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const { return compare_nocase(a, b) < 0; }

bool NoCaseLess::operator()(const std::pair<std::string, std::string>& a,
                            const std::pair<std::string, std::string>& b) const {
  const int first = compare_nocase(a.first, b.first);
  return first != 0 ? first < 0 : compare_nocase(a.second, b.second) < 0;
}

// ---- TripleEntry.

namespace {

// The value of `key` in a map ordered by NoCaseLess, made 0 when absent.
// Keys arriving in order (a stored entry lists its pairs sorted) are found
// or placed at the end without a search.
template <class Key, class Map, class Probe>
std::uint64_t& value_at(Map& map, const Probe& key) {
  if (!map.empty()) {
    auto last = std::prev(map.end());
    const NoCaseLess less;
    if (!less(last->first, key)) {
      if (!less(key, last->first)) return last->second;
      return map[Key(key)];
    }
  }
  return map.emplace_hint(map.end(), Key(key), 0)->second;
}

}  // namespace

void TripleEntry::add(std::string_view relation, std::string_view modifier, std::uint64_t count) {
  if (count == 0) return;
  std::uint64_t& seen = value_at<Pair>(counts_, Pair(relation, modifier));
  if (seen == 0) ++value_at<std::string>(relation_types_, relation);
  seen += count;
  std::uint64_t& total = value_at<std::string>(relation_totals_, relation);
  if (!relation.starts_with('<')) {
    if (total == 0) ++word_relations_;
    word_relations_total_ += count;
  }
  total += count;
}

void TripleEntry::add_all(const TripleEntry& other) {
  for (const auto& [pair, count] : other.counts_) add(pair.first, pair.second, count);
}

std::uint64_t TripleEntry::count(std::string_view relation, std::string_view modifier) const {
  const auto it = counts_.find(Pair(relation, modifier));
  return it == counts_.end() ? 0 : it->second;
}

std::uint64_t TripleEntry::relation_total(std::string_view relation) const {
  const auto it = relation_totals_.find(relation);
  return it == relation_totals_.end() ? 0 : it->second;
}

std::uint64_t TripleEntry::relation_types(std::string_view relation) const {
  const auto it = relation_types_.find(relation);
  return it == relation_types_.end() ? 0 : it->second;
}

void TripleEntry::pack(StrBufs& out) const {
  out.put_u32(static_cast<std::uint32_t>(counts_.size()));
  for (const auto& [pair, count] : counts_) {
    out.append(pair.first);
    out.push('\0');
    out.append(pair.second);
    out.push('\0');
    out.put_u32(static_cast<std::uint32_t>(count >> 32));
    out.put_u32(static_cast<std::uint32_t>(count));
  }
}

std::unique_ptr<TripleEntry> TripleEntry::unpack(std::string_view bytes) {
  auto entry = std::make_unique<TripleEntry>();
  std::uint32_t pairs = 0;
  if (!take_u32(bytes, pairs)) return nullptr;
  std::string relation;
  std::string modifier;
  for (std::uint32_t i = 0; i < pairs; ++i) {
    std::uint32_t high = 0;
    std::uint32_t low = 0;
    if (!take_text(bytes, relation) || !take_text(bytes, modifier) || !take_u32(bytes, high) || !take_u32(bytes, low))
      return nullptr;
    entry->add(relation, modifier, (std::uint64_t{high} << 32) | low);
  }
  return bytes.empty() ? std::move(entry) : nullptr;
}

// ---- TripleDb.

TripleDb::~TripleDb() {
  // The kind's packing is still available here: keep what was changed.
  if (linked() && !file()->file().read_only()) sync();
}

PLHash::EntryPtr TripleDb::new_entry() { return std::make_unique<TripleEntry>(); }

void TripleDb::print_entry(std::ostream& out, std::string_view key, const Entry& entry) {
  for (const auto& [pair, count] : static_cast<const TripleEntry&>(entry).counts())
    out << key << '\t' << pair.first << '\t' << pair.second << '\t' << count << '\n';
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
