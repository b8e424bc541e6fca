#pragma once
// Reads every top-level S-expression of a stream with the command-file
// syntax, skipping stray ")" as the interpreter does. Atom texts are released
// after each form, so `use` must copy what it keeps.
#include <istream>
#include <memory>

#include "shell/reader/tokenizer.h"
#include "shell/reader/irslist.h"

namespace velmo {

template <class F>
void for_each_form(std::istream& in, F&& use) {
  Tokenizer tokenizer(tokenizer_configs::kCommands);
  tokenizer.set_input(&in);
  for (;;) {
    std::unique_ptr<IRSlist> form = IRSlist::read(tokenizer);
    if (form) {
      use(*form);
    } else if (!tokenizer.has_input()) {
      break;
    }
    form.reset();
    tokenizer.strings().clear();
  }
}

}  // namespace velmo
