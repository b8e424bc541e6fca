#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analyser/dictionary.h"
#include "analyser/workspace.h"

namespace zentra {

// The record text for one match of a dictionary entry in a sentence.
std::string lexical_record_text(const std::vector<std::string_view>& sentence, const Phrase& entry);

// Mode l: report every occurrence of a dictionary phrase; the report is
// named after the dictionary with the extension "log".
void run_lexical(const Workspace& workspace, const std::filesystem::path& document,
                 const std::filesystem::path& dictionary);

}  // namespace zentra
