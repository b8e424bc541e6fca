// Feeds arbitrary bytes to zentra: the input is cut into the mode, the
// document, parsed.txt, the dictionary and no_show.txt, and one indicator
// runs on them in a scratch directory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analyser/command_line.h"
#include "fuzz_input.h"

namespace {

using fuzz_input::split_parts;
using fuzz_input::write_file;

const std::string& scratch_directory() {
  static const std::string directory = [] {
    char name[] = "/tmp/zentra-fuzz-XXXXXX";
    if (!::mkdtemp(name)) std::abort();
    return std::string(name);
  }();
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& directory = scratch_directory();
  const auto parts = split_parts(std::string_view(reinterpret_cast<const char*>(data), size), 5);
  const std::string mode = parts[0].empty() ? "i" : parts[0].substr(0, 4);
  write_file(directory + "/doc.txt", parts[1]);
  write_file(directory + "/parsed.txt", parts[2]);
  write_file(directory + "/dict.txt", parts[3]);
  write_file(directory + "/no_show.txt", parts[4]);
  std::ostringstream out;
  std::ostringstream err;
  zentra::run_command_line({mode, directory + "/doc.txt", directory + "/dict.txt"}, out, err,
                           zentra::Workspace(directory));
  return 0;
}
