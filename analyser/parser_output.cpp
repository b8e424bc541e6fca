#include "analyser/parser_output.h"

#include "analyser/word_scanner.h"

namespace zentra {

StretchSplitter::StretchSplitter(std::string text) : text_(std::move(text)), pos_(text_.empty() ? 0 : 1) {}

std::string_view StretchSplitter::next() {
  const std::string_view all(text_);
  if (pos_ >= all.size()) return {};
  std::size_t end = all.find('>', pos_);
  if (end == std::string_view::npos) end = all.size();
  const std::string_view stretch = all.substr(pos_, end - pos_);
  pos_ = end + 1;
  return stretch;
}

namespace {

constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Characters that the filter removes outside quotes: word numbers, empty-node
// labels, the "~" of an unchanged root and the parentheses.
constexpr bool is_dropped_outside_quotes(char c) { return c == '(' || c == ')' || is_digit(c) || c == 'E' || c == '~'; }

// Root, category, relation and governor are those of a content word when the
// third word is one of these categories; the first word then is the printed
// word and the second its root.
bool is_content_category(std::string_view word) { return word == "V" || word == "VBE" || word == "N" || word == "A"; }

}  // namespace

std::string skip_header(std::string_view stretch) {
  // The header ends at the first line that starts with a digit; that digit
  // is swallowed with it. The character after a line end is never itself
  // examined as a line end.
  std::size_t pos = 0;
  while (pos < stretch.size()) {
    const char c = stretch[pos++];
    if (c != '\n') continue;
    if (pos == stretch.size()) break;
    if (is_digit(stretch[pos++])) return std::string(stretch.substr(pos));
  }
  return {};
}

std::string filter_characters(std::string_view headerless) {
  std::string out;
  out.reserve(headerless.size() + headerless.size() / 4);
  std::size_t pos = 0;
  while (pos < headerless.size()) {
    const char c = headerless[pos++];
    if (c == '"') {
      // A quoted multiword becomes one word joined by "_"; an
      // unterminated quote runs to the end of the stretch.
      while (pos < headerless.size() && headerless[pos] != '"') {
        const char q = headerless[pos++];
        out += q == ' ' ? '_' : q;
      }
      if (pos < headerless.size()) ++pos;
    } else if (c == '\n') {
      out += '\n';
      out += kLineMarker;
    } else if (!is_dropped_outside_quotes(c)) {
      out += c;
    }
  }
  return out;
}

std::string drop_markup_words(std::string_view filtered) {
  std::string out;
  out.reserve(filtered.size());
  WordScanner words(filtered);
  while (auto word = words.next()) {
    if (*word == "gov" || *word == "antecedent") continue;
    out += *word;
    out += ' ';
  }
  return out;
}

std::vector<Row> build_rows(std::string_view words) {
  std::vector<Row> rows;
  WordScanner scanner(words);
  // Reads one word of the current line; false at the end of the text or at
  // a line marker, after which the next line starts.
  std::string_view w1, w2, w3, w4, w5;
  bool at_end = false;
  auto read = [&](std::string_view& into) {
    auto word = scanner.next();
    if (!word) {
      at_end = true;
      return false;
    }
    into = *word;
    return into != kLineMarker;
  };
  while (!at_end) {
    if (!read(w1) || !read(w2) || !read(w3) || !read(w4)) continue;
    if (!is_content_category(w3)) {
      if (w2 != "be") {
        rows.push_back({std::string(w1), std::string(w2), std::string(w3), std::string(w4)});
        continue;
      }
      // After "be" the category stands one place later; the fifth word
      // is taken whatever it is, even a line marker.
      auto w5word = scanner.next();
      if (!w5word) break;
      rows.push_back({std::string(w1), std::string(w3), std::string(w4), std::string(*w5word)});
      continue;
    }
    if (read(w5)) rows.push_back({std::string(w2), std::string(w3), std::string(w4), std::string(w5)});
  }
  return rows;
}

std::string row_text(const Row& row) { return row[0] + ' ' + row[1] + ' ' + row[2] + ' ' + row[3] + '\n'; }

std::string rows_text(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) text += row_text(row);
  return text;
}

ReducedOutput reduce_parser_output(std::string_view stretch) {
  ReducedOutput reduced;
  reduced.words = drop_markup_words(filter_characters(skip_header(stretch)));
  reduced.rows = build_rows(reduced.words);
  return reduced;
}

}  // namespace zentra
