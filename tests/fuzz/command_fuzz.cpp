// Runs arbitrary bytes as a command file, with every command group of velmo
// registered (`system` and `exit` made harmless). Sizes, regular
// expressions, expansions and loads are bounded by the interpreter itself,
// so no input may crash, exhaust memory or run without end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_shell.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::fuzz::FuzzShell& shell = velmo::fuzz::FuzzShell::get();
  // Loaded files are fuzz input too: a form may load this very file.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  velmo::fuzz::write_file("fuzz.lsp", text);
  shell.run(text);
  return 0;
}
