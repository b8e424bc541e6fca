#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zentra {

// "The line number:\n", the sentence number and a line end: the start of
// every defect record.
std::string record_header(std::size_t sentence);

// The three summary lines (after an empty line) that end every judging
// report. The defect rate is an integer percentage, truncated; it is 0 for a
// document without sentences and may exceed 100 when defects are counted per
// match.
std::string summary_text(std::size_t evaluated, std::size_t defective);

// The report name made from a dictionary file name: the directory part is
// dropped, and the last three characters are replaced by the extension
// ("log" or "xls"). Names shorter than three characters keep their whole
// text and get "." and the extension appended.
std::string derived_report_name(std::string_view dictionary, std::string_view extension);

}  // namespace zentra
