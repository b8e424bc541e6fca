#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/parser_output.h"
#include "analyser/workspace.h"

namespace zentra {

inline constexpr std::string_view kUnderspecificationReport = "underspecification.sdc.log";

// The dictionary terms, in dictionary order (repeats included), that one
// sentence uses as a noun without specifying them.
std::vector<std::string_view> unspecified_terms(const std::vector<Row>& rows, const std::vector<std::string>& terms);

// Mode u: report nouns of the dictionary that no modifier specifies.
void run_underspecification(const Workspace& workspace, const std::filesystem::path& document,
                            const std::filesystem::path& dictionary);

}  // namespace zentra
