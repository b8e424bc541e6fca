#include "shell/lib/exp_support.h"

#include <iostream>

#include "shell/lexp/adaptors.h"
#include "shell/support/diagnostics.h"

namespace velmo {

void PositionalArgs::build(const char* owner, IRSlist& args, std::size_t max) {
  args_.clear();
  const std::size_t count = args.length();
  if (count > max) {
    diag() << "Incorrect number of arguments in " << owner << ". Expected: " << max << " Actual: " << count << '\n'
           << std::flush;
    return;
  }
  while (std::unique_ptr<IRSlist> element = args.take_first()) args_.push_back(LExp::get_exp(element.get()));
}

TextAdaptor::TextAdaptor() : LAdaptor(ShellTypes::get().text) { set_input_type(ShellTypes::get().text); }

}  // namespace velmo
