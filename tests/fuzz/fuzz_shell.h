#pragma once
// What the fuzz targets share: a command interpreter with every command
// group registered, run in a scratch directory of its own, and a way to cut
// one fuzz input into the several files a target reads.
#include <string>
#include <string_view>
#include <vector>

namespace velmo::fuzz {

// Cuts `data` at each "\n--8<--\n" into at most `parts` pieces (the last
// piece keeps any further separators); missing pieces are empty.
std::vector<std::string> split_parts(std::string_view data, std::size_t parts);

// Writes `bytes` to `name` in the current (scratch) directory.
void write_file(const std::string& name, std::string_view bytes);

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
