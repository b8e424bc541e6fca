#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "analyser/workspace.h"

namespace zentra {

inline constexpr std::string_view kReadabilityReport = "readability.log";

struct TextCounts {
  std::size_t letters = 0;     // every character that separates nothing
  std::size_t separators = 0;  // spaces, tabs and line ends, each counted
  std::size_t line_ends = 0;
};

TextCounts count_text(std::string_view text);

// The Coleman-Liau index: 5.89 L/W - 30 (S+1)/W - 15.8, in single precision.
float coleman_liau_index(const TextCounts& counts);

// The one line of readability.log.
std::string readability_line(float index);

// Mode r: one index for the whole document.
void run_readability(const Workspace& workspace, const std::filesystem::path& document);

}  // namespace zentra
