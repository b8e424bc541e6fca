#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "analyser/parser_output.h"
#include "analyser/workspace.h"

namespace zentra {

inline constexpr std::string_view kMultiplicityReport = "multiplicity.sdc.log";

struct MultiplicityCounts {
  std::size_t subjects = 0;
  std::size_t main_verbs = 0;
};

// Counts the subjects and main verbs of one sentence from its rows.
MultiplicityCounts count_multiplicity(const std::vector<Row>& rows);

// Mode m: report sentences with more than one subject or main verb.
void run_multiplicity(const Workspace& workspace, const std::filesystem::path& document);

}  // namespace zentra
