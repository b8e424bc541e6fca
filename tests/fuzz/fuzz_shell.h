#pragma once
// What the fuzz targets share: a command interpreter with every command
// group registered, run in a scratch directory of its own, and a way to cut
// one fuzz input into the several files a target reads (fuzz_input.h).
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"

namespace velmo::fuzz {

using fuzz_input::split_parts;
using fuzz_input::write_file;

class FuzzShell {
 public:
  // The interpreter, set up on first use: every command group, `system` and
  // `exit` made harmless, messages and printed output discarded, the
  // current directory a fresh scratch directory.
  static FuzzShell& get();

  // Runs command text, then deletes every name space (as
  // `delete-name-space` does) so that one input leaves nothing behind for
  // the next.
  void run(std::string_view commands);

 private:
  FuzzShell();
};

}  // namespace velmo::fuzz
