#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zentra {

// Cuts the parser shell's output into one stretch per sentence. The shell
// prints its prompt "> " before reading each line, so the text starts with a
// ">" (discarded) and every further ">" ends one sentence's output.
class StretchSplitter {
 public:
  explicit StretchSplitter(std::string text);

  // The next stretch, without its closing ">". Empty once the text is used
  // up, so sentences beyond the parser output get no rows.
  std::string_view next();

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

// Four words: word (or its root), category, relation, governor.
using Row = std::array<std::string, 4>;

// Separates the lines of the tree in the filtered parser output.
inline constexpr std::string_view kLineMarker = "###";

// The five steps that reduce one stretch to rows, each taking the text the
// step before produced (the texts are those of single_parsed.txt and
// single_parsed_f.txt along the way).
std::string skip_header(std::string_view stretch);
std::string filter_characters(std::string_view headerless);
std::string drop_markup_words(std::string_view filtered);
std::vector<Row> build_rows(std::string_view words);

std::string row_text(const Row& row);
std::string rows_text(const std::vector<Row>& rows);

struct ReducedOutput {
  std::string words;      // final single_parsed_f.txt
  std::vector<Row> rows;  // final single_parsed.txt, one row a line
};

ReducedOutput reduce_parser_output(std::string_view stretch);

}  // namespace zentra
