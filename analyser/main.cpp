// zentra: the requirements-quality analyser. Everything happens in the
// current directory; see command_line.h for the arguments.
#include <iostream>
#include <string>
#include <vector>

#include "analyser/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return zentra::run_command_line(args, std::cout, std::cerr, zentra::Workspace("."));
}
