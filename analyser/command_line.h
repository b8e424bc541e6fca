#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "analyser/workspace.h"

namespace zentra {

// Checks the arguments (those after the program name), runs the indicator
// that the first character of the mode selects, and returns the exit status.
int run_command_line(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const Workspace& workspace);

}  // namespace zentra
