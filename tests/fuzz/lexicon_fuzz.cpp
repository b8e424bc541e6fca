// Feeds arbitrary bytes to the readers of lexicon files: `load-lex` into
// lexicons of attribute-vector and text meanings, and the lexicon-file tools
// (sorting, removing duplicates, merging, selecting, comparing).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_shell.h"

namespace {

constexpr const char* kCommands = R"(
(def-att-list syn
  (defattribute n BinAtt)
  (defattribute per SmIntAtt)
  (defattribute cat EnumAtt (allowable-values n v adj))
  (defattribute root StrAtt)
  (defattribute agr VecAtt))
(make-avmeaning-proto syn synavm)
(make-str-meaning-proto gloss)
(make-lexicon lex1 101)
(load-lex lex1 fuzz.lex)
(load-lex lex1 fuzz.lex :no-dup 0)
(print-lex lex1 out.lex)
(lex-entry lex1 dog in a w1)
(sort-lex fuzz.lex sorted.lex)
(rm-duplicates sorted.lex unique.lex)
(merge-entries unique.lex merged.lex)
(update-lex fuzz.lex merged.lex updated.lex)
(combine-lex merged.lex fuzz.lex combined.lex)
(diff merged.lex fuzz.lex changes.diff)
(select (str-eq (head-word) (str dog)) fuzz.lex selected.lex)
)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::fuzz::FuzzShell& shell = velmo::fuzz::FuzzShell::get();
  velmo::fuzz::write_file("fuzz.lex", std::string_view(reinterpret_cast<const char*>(data), size));
  shell.run(kCommands);
  return 0;
}
