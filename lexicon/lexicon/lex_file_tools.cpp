#include "lexicon/lexicon/lex_file_tools.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/lexicon/raw_entries.h"
#include "shell/lexp/lexp.h"
#include "shell/support/text.h"

namespace velmo {
namespace {

constexpr std::size_t kSortCapacity = 120000;

// A raw entry with its key, read one ahead so merges can compare keys.
class KeyedReader {
 public:
  explicit KeyedReader(std::istream& in) : reader_(in) { advance(); }
  bool done() const { return !has_entry_; }
  const std::string& entry() const { return entry_; }
  const std::string& key() const { return key_; }
  void advance() {
    has_entry_ = reader_.next(entry_);
    key_ = has_entry_ ? head_word(entry_) : std::string();
  }

 private:
  RawEntryReader reader_;
  std::string entry_;
  std::string key_;
  bool has_entry_ = false;
};

void write_marked(std::ostream& out, std::string_view entry, std::string_view marker) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = entry.find('\n', start);
    out << marker << entry.substr(start, end == std::string_view::npos ? end : end - start) << '\n';
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void write_group_entry(std::ostream& out, std::string_view key, const std::vector<std::string_view>& groups) {
  out << '(' << key << '\n';
  for (std::string_view group : groups) out << ' ' << group << '\n';
  out << " )\n";
}

void append_groups(std::vector<std::string_view>& groups, std::string_view entry) {
  const std::vector<std::string_view> more = meaning_groups(entry);
  groups.insert(groups.end(), more.begin(), more.end());
}

void append_distinct_groups(std::vector<std::string_view>& groups, std::string_view entry) {
  for (std::string_view group : meaning_groups(entry)) {
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(group);
  }
}

void copy_rest(KeyedReader& reader, std::ostream& out) {
  for (; !reader.done(); reader.advance()) out << reader.entry() << '\n';
}

std::string with_bars(std::string text) {
  std::replace(text.begin(), text.end(), '\n', '|');
  return text;
}

}  // namespace

void select_entries(std::istream& in, std::ostream& out, LExp& condition) {
  RawEntryReader reader(in);
  const TypeId text_type = ShellTypes::get().text;
  for (std::string entry; reader.next(entry);) {
    const std::string flat = with_bars(entry);
    if (condition.eval(to_word(flat.c_str()), text_type)) out << entry << '\n';
  }
}

void diff_entries(std::istream& first, std::istream& second, std::ostream& out) {
  KeyedReader a(first);
  KeyedReader b(second);
  while (!a.done() && !b.done()) {
    const int order = compare_nocase(a.key(), b.key());
    if (order < 0) {
      write_marked(out, a.entry(), "< ");
      out << '\n';
      a.advance();
    } else if (order > 0) {
      write_marked(out, b.entry(), "> ");
      out << '\n';
      b.advance();
    } else {
      if (!equal_nocase(squeezed(a.entry()), squeezed(b.entry()))) {
        write_marked(out, a.entry(), "< ");
        write_marked(out, b.entry(), "> ");
        out << '\n';
      }
      a.advance();
      b.advance();
    }
  }
  for (; !a.done(); a.advance()) write_marked(out, a.entry(), "< ");
  for (; !b.done(); b.advance()) write_marked(out, b.entry(), "> ");
}

void sort_entries(std::istream& in, std::ostream& out) {
  std::vector<std::string> entries;
  entries.reserve(kSortCapacity);
  RawEntryReader reader(in);
  for (std::string entry; reader.next(entry);) entries.push_back(std::move(entry));
  std::stable_sort(entries.begin(), entries.end(),
                   [](const std::string& x, const std::string& y) { return compare_nocase(x, y) < 0; });
  for (const std::string& entry : entries) out << entry << '\n';
}

void remove_duplicate_entries(std::istream& in, std::ostream& out) {
  RawEntryReader reader(in);
  std::string previous;
  bool first = true;
  for (std::string entry; reader.next(entry);) {
    if (first || !equal_nocase(entry, previous)) out << entry << '\n';
    first = false;
    previous = std::move(entry);
  }
}

void merge_entries(std::istream& in, std::ostream& out) {
  KeyedReader reader(in);
  while (!reader.done()) {
    const std::string key = reader.key();
    std::vector<std::string> run;
    for (; !reader.done() && equal_nocase(reader.key(), key); reader.advance()) run.push_back(reader.entry());
    std::vector<std::string_view> groups;
    for (const std::string& entry : run) append_distinct_groups(groups, entry);
    write_group_entry(out, key, groups);
  }
}

void update_entries(std::istream& addendum, std::istream& old, std::ostream& out) {
  KeyedReader a(addendum);
  KeyedReader b(old);
  while (!a.done() && !b.done()) {
    const int order = compare_nocase(a.key(), b.key());
    if (order <= 0) {
      out << a.entry() << '\n';
      a.advance();
      if (order == 0) b.advance();
    } else {
      out << b.entry() << '\n';
      b.advance();
    }
  }
  copy_rest(a, out);
  copy_rest(b, out);
}

void combine_entries(std::istream& first, std::istream& second, std::ostream& out) {
  KeyedReader a(first);
  KeyedReader b(second);
  while (!a.done() && !b.done()) {
    const int order = compare_nocase(a.key(), b.key());
    if (order < 0) {
      out << a.entry() << '\n';
      a.advance();
    } else if (order > 0) {
      out << b.entry() << '\n';
      b.advance();
    } else {
      std::vector<std::string_view> groups;
      append_groups(groups, a.entry());
      append_groups(groups, b.entry());
      write_group_entry(out, a.key(), groups);
      a.advance();
      b.advance();
    }
  }
  copy_rest(a, out);
  copy_rest(b, out);
}

}  // namespace velmo
