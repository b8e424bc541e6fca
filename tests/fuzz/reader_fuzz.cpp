// Feeds arbitrary bytes to the command tokenizer and reader, prints every
// form read and reads its text form back: nothing may crash or read out of
// bounds, and the text form must read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/reader/tokenizer.h"
#include "shell/reader/irslist.h"
#include "shell/support/string_pool.h"

namespace {

// Empty atoms print as nothing, so a tree holding one does not read back.
bool has_empty_atom(const velmo::IRSlist& root) {
  std::vector<const velmo::IRSlist*> pending{&root};
  while (!pending.empty()) {
    const velmo::IRSlist* node = pending.back();
    pending.pop_back();
    if (node->is_atom() && node->atom() && node->atom()[0] == '\0') return true;
    for (const velmo::IRSlist* child : node->children()) pending.push_back(child);
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmo::Tokenizer tokenizer(velmo::tokenizer_configs::kCommands);
  tokenizer.set_string_input(reinterpret_cast<const char*>(data), static_cast<long>(size));
  for (int forms = 0; forms < 10000; ++forms) {
    tokenizer.strings().clear();
    std::unique_ptr<velmo::IRSlist> form = velmo::IRSlist::read(tokenizer);
    if (!form) {
      if (!tokenizer.has_input()) break;
      continue;
    }
    const std::string text = form->text();
    (void)form->indented();
    velmo::StringPool store;
    std::unique_ptr<velmo::IRSlist> again = velmo::IRSlist::parse(text, store);
    if (!has_empty_atom(*form) && (!again || again->text() != text)) std::abort();
  }
  return 0;
}
