#include "analyser/readability.h"

#include <cstdio>

#include "analyser/text_io.h"

namespace zentra {

TextCounts countText(std::string_view text) {
    TextCounts counts;
    for (char c : text) {
        if (c == '\n') {
            ++counts.separators;
            ++counts.lineEnds;
        } else if (c == ' ' || c == '\t') {
            ++counts.separators;
        } else {
            ++counts.letters;
        }
    }
    return counts;
}

float colemanLiauIndex(const TextCounts& counts) {
    // Each product is worked out in extended precision and kept in single
    // precision, as is the final difference; a text without separators
    // divides by zero and gives a value that is not finite.
    const long double words = static_cast<long double>(counts.separators);
    const long double sentences = static_cast<long double>(counts.lineEnds) + 1;
    const float letterTerm = static_cast<float>(5.89 * static_cast<long double>(counts.letters) / words);
    const float sentenceTerm = static_cast<float>(30.0 * sentences / words);
    return static_cast<float>(static_cast<long double>(letterTerm) - sentenceTerm - 15.8);
}

std::string readabilityLine(float index) {
    char number[64];
    std::snprintf(number, sizeof number, "%g", static_cast<double>(index));
    return std::string("Readability Index: (Coleman-Liau Formula) ") + number + "\n";
}

void runReadability(const Workspace& workspace, const std::filesystem::path& document) {
    const TextCounts counts = countText(readTextFile(document).value_or(std::string()));
    writeTextFile(workspace.file(kReadabilityReport), readabilityLine(colemanLiauIndex(counts)));
}

}  // namespace zentra
