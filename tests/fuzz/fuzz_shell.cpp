#include "fuzz_shell.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <streambuf>

#include "app/command_groups.h"
#include "shell/interpreter/interpreter.h"
#include "shell/interpreter/name_space.h"
#include "shell/support/diagnostics.h"

namespace velmo::fuzz {
namespace {

// A stream buffer that drops everything.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c == EOF ? 0 : c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

Word refused(IRSlist&) { return 0; }

}  // namespace

FuzzShell::FuzzShell() {
  char scratch[] = "/tmp/velmo-fuzz-XXXXXX";
  if (!::mkdtemp(scratch) || ::chdir(scratch) != 0) std::abort();
  static NullBuffer null_buffer;
  static std::ostream null_stream(&null_buffer);
  static ScopedDiagnostics quiet(null_stream);
  std::cout.rdbuf(&null_buffer);
  std::cerr.rdbuf(&null_buffer);
  Interpreter& interpreter = Interpreter::instance();
  interpreter.search_path().add("");
  NameSpaces::set_current("STD");
  register_command_groups(interpreter);
  // Fuzz inputs must not reach the shell or end the process.
  interpreter.add_or_replace_command("system", refused, nullptr);
  interpreter.add_or_replace_command("exit", refused, nullptr);
}

FuzzShell& FuzzShell::get() {
  static FuzzShell* shell = new FuzzShell;
  return *shell;
}

void FuzzShell::run(std::string_view commands) {
  Interpreter& interpreter = Interpreter::instance();
  NameSpaces::set_current("STD");
  interpreter.execute_string(commands);
  interpreter.execute_string("(delete-name-space STD)");
  NameSpaces::set_current("STD");
}

}  // namespace velmo::fuzz
