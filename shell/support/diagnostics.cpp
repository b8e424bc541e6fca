#include "shell/support/diagnostics.h"

#include <iostream>

namespace velmo {
namespace {

std::ostream*& sink() {
  static std::ostream* current = &std::cerr;
  return current;
}

}  // namespace

std::ostream& diag() { return *sink(); }

ScopedDiagnostics::ScopedDiagnostics(std::ostream& to) : previous_(sink()) { sink() = &to; }

ScopedDiagnostics::~ScopedDiagnostics() { sink() = previous_; }

}  // namespace velmo
