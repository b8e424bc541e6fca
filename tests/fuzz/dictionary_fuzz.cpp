// Feeds arbitrary bytes to an on-disk dictionary: the input is cut into its
// header file, its dictionary file and its index file; words are then looked
// up through a lexicon linked to it and directly with `get-entry`.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_shell.h"

namespace {

constexpr const char* kCommands = R"(
(make-str-meaning-proto gloss)
(make-lexicon cache 53)
(link-lex-file cache fuzz.hdr)
(lex-entry cache w1 in "IN FRONT OF" zz w99999 a)
(get-entry fuzz.hdr (w7 nothing w2 b))
(lex-entry cache w1)
)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::fuzz::FuzzShell& shell = velmo::fuzz::FuzzShell::get();
  const auto parts = velmo::fuzz::split_parts(std::string_view(reinterpret_cast<const char*>(data), size), 3);
  velmo::fuzz::write_file("fuzz.hdr", parts[0]);
  velmo::fuzz::write_file("fuzz.txt", parts[1]);
  velmo::fuzz::write_file("fuzz.idx", parts[2]);
  shell.run(kCommands);
  return 0;
}
