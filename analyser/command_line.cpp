#include "analyser/command_line.h"

#include "analyser/implicity.h"
#include "analyser/lexical.h"
#include "analyser/multiplicity.h"
#include "analyser/per_section.h"
#include "analyser/readability.h"
#include "analyser/underspecification.h"

namespace zentra {

namespace {

bool needs_dictionary(char mode) { return mode == 'i' || mode == 'l' || mode == 'u' || mode == 'v'; }

bool is_known_mode(char mode) { return needs_dictionary(mode) || mode == 'm' || mode == 'r'; }

void run_indicator(char mode, const std::vector<std::string>& args, const Workspace& workspace) {
  const std::filesystem::path document = args[1];
  switch (mode) {
    case 'i':
      run_implicity(workspace, document, args[2]);
      break;
    case 'l':
      run_lexical(workspace, document, args[2]);
      break;
    case 'm':
      run_multiplicity(workspace, document);
      break;
    case 'r':
      run_readability(workspace, document);
      break;
    case 'u':
      run_underspecification(workspace, document, args[2]);
      break;
    case 'v':
      run_per_section(workspace, document, args[2]);
      break;
    default:
      break;
  }
}

}  // namespace

int run_command_line(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
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
  if (needs_dictionary(mode) && args.size() != 3) {
    err << "Zentra Error: wrong number of parameters\n" << std::flush;
    return 1;
  }
  if (!is_known_mode(mode)) {
    err << "Zentra input parameter error!" << std::flush;
    return 1;
  }
  run_indicator(mode, args, workspace);
  // A report or working file that could not be written is never success.
  for (const std::filesystem::path& path : workspace.failed_writes())
    err << "Zentra Error: can't write " << path.lexically_normal().string() << '\n' << std::flush;
  return workspace.failed_writes().empty() ? 0 : 1;
}

}  // namespace zentra
