// Feeds arbitrary bytes to `load-aliases` as a binary alias file of a type
// with an attribute of every kind, prints what was read, saves it and loads
// the saved file again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_shell.h"

namespace {

constexpr const char* kCommands = R"(
(def-att-list syn
  (defattribute plu BinAtt)
  (defattribute per SmIntAtt)
  (defattribute cat EnumAtt (allowable-values n v adj))
  (defattribute x Disj8Att (allowable-values a b c))
  (defattribute num DisjAtt (allowable-values sg pl))
  (defattribute root StrAtt)
  (defattribute count IntAtt)
  (defattribute ent EntAtt (default ~))
  (defattribute trace TraceAtt)
  (defattribute agr VecAtt)
  (defattribute args ListAtt)
  (defattribute stack StackAtt))
(load-aliases fuzz)
(print-alias *)
(save-aliases "again.dat")
(clear-alias syn)
(load-aliases again)
(print-alias *)
)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::fuzz::FuzzShell& shell = velmo::fuzz::FuzzShell::get();
  velmo::fuzz::write_file("fuzz.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  shell.run(kCommands);
  return 0;
}
