#include "lexicon/dictionary/dict_entry_reader.h"

#include <iostream>

#include "lexicon/dictionary/raw_file.h"
#include "shell/support/diagnostics.h"
#include "shell/support/str_bufs.h"

namespace velmo {
namespace {

// How much of a broken entry the report shows.
constexpr std::size_t kReportedBytes = 99;

bool is_white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

// Both loops below take the file a window at a time: a byte at a time cost
// more than the rest of a lookup.
bool DictEntryReader::skip_to_open(RawFile& file) const {
  for (std::string_view bytes = file.buffered(); !bytes.empty(); bytes = file.buffered()) {
    const std::size_t at = bytes.find(open_);
    if (at != std::string_view::npos) {
      file.take(at + 1);
      return true;
    }
    file.take(bytes.size());
  }
  return false;
}

DictEntryReader::Result DictEntryReader::read(RawFile& file, StrBufs& out) const {
  out.clear();
  if (!skip_to_open(file)) return Result::kEnd;
  out.push(open_);
  int depth = 1;
  bool in_quotes = false;
  bool escaped = false;  // the byte before was a backslash inside quotes
  for (std::string_view bytes = file.buffered(); !bytes.empty(); bytes = file.buffered()) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const char ch = bytes[i];
      if (escaped) {
        escaped = false;
      } else if (in_quotes) {
        if (ch == '\\')
          escaped = true;
        else if (ch == '"')
          in_quotes = false;
      } else if (ch == '"') {
        in_quotes = true;
      } else if (ch == open_) {
        ++depth;
      } else if (ch == close_ && --depth == 0) {
        out.append(bytes.substr(0, i + 1));
        file.take(i + 1);
        return Result::kEntry;
      }
    }
    out.append(bytes);
    file.take(bytes.size());
  }
  report_unmatched(out);
  return Result::kUnmatched;
}

void DictEntryReader::report_unmatched(const StrBufs& text) {
  const std::string_view start = text.view().substr(0, kReportedBytes);
  diag() << "DictOnDisk::get_entry: unmatched parenthesis\n" << start << '\n' << std::flush;
}

std::string DictEntryReader::key_of(std::string_view entry) const {
  std::size_t i = entry.empty() ? 0 : 1;  // past the opening character
  while (i < entry.size() && is_white(entry[i])) ++i;
  std::string key;
  if (i < entry.size() && entry[i] == '"') {
    // A quoted key runs to the next unescaped quote and may hold delimiters.
    for (++i; i < entry.size() && entry[i] != '"'; ++i) {
      if (entry[i] == '\\' && i + 1 < entry.size()) ++i;
      key += entry[i];
    }
    return key;
  }
  std::size_t end = i;
  while (end < entry.size() && entry[end] != open_ && entry[end] != close_) ++end;
  while (end > i && is_white(entry[end - 1])) --end;
  key.assign(entry.substr(i, end - i));
  return key;
}

}  // namespace velmo
