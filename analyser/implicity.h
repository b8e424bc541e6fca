#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "analyser/parser_output.h"
#include "analyser/word_set.h"
#include "analyser/workspace.h"

namespace zentra {

inline constexpr std::string_view kImplicityReport = "implicity.sdc.log";

enum class Implicitness { Subject, Object, Determiner };

// One finding per row whose word is a dictionary word and whose relation is
// "subj", "obj" or "det", in row order.
std::vector<Implicitness> implicit_findings(const std::vector<Row>& rows, const WordSet& dictionary);

// The text that follows the sentence in a record of the given kind.
std::string_view implicity_record_text(Implicitness kind);

// Mode i: report sentences with implicit subjects, objects or determiners.
void run_implicity(const Workspace& workspace, const std::filesystem::path& document,
                   const std::filesystem::path& dictionary);

}  // namespace zentra
