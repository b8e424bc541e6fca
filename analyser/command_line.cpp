#include "analyser/command_line.h"

#include "analyser/implicity.h"
#include "analyser/lexical.h"
#include "analyser/multiplicity.h"
#include "analyser/per_section.h"
#include "analyser/readability.h"
#include "analyser/underspecification.h"

namespace zentra {

namespace {

bool needsDictionary(char mode) { return mode == 'i' || mode == 'l' || mode == 'u' || mode == 'v'; }

bool isKnownMode(char mode) { return needsDictionary(mode) || mode == 'm' || mode == 'r'; }

void runIndicator(char mode, const std::vector<std::string>& args, const Workspace& workspace) {
    const std::filesystem::path document = args[1];
    switch (mode) {
        case 'i': runImplicity(workspace, document, args[2]); break;
        case 'l': runLexical(workspace, document, args[2]); break;
        case 'm': runMultiplicity(workspace, document); break;
        case 'r': runReadability(workspace, document); break;
        case 'u': runUnderspecification(workspace, document, args[2]); break;
        case 'v': runPerSection(workspace, document, args[2]); break;
        default: break;
    }
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const Workspace& workspace) {
    if (args.size() < 2) {
        err << "Zentra Error: too less input parameters\n" << std::flush;
        return 1;
    }
    const char mode = args[0].empty() ? '\0' : args[0][0];
    if (mode == '@') {
        out << "free\n" << std::flush;
        return 0;
    }
    if (needsDictionary(mode) && args.size() != 3) {
        err << "Zentra Error: wrong number of parameters\n" << std::flush;
        return 1;
    }
    if (!isKnownMode(mode)) {
        err << "Zentra input parameter error!" << std::flush;
        return 1;
    }
    runIndicator(mode, args, workspace);
    // A report or working file that could not be written is never success.
    for (const std::filesystem::path& path : workspace.failedWrites())
        err << "Zentra Error: can't write " << path.lexically_normal().string() << '\n' << std::flush;
    return workspace.failedWrites().empty() ? 0 : 1;
}

}  // namespace zentra
