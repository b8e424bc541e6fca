#pragma once
// The one sink for velmo's messages: every warning and error text goes to
// diag(), which is the standard error stream unless a ScopedDiagnostics
// redirects it (tests capture messages this way).
#include <ostream>

namespace velmo {

// The stream messages are written to.
std::ostream& diag();

// Sends messages to `to` for the lifetime of the object; the previous sink
// comes back on destruction, so redirections nest.
class ScopedDiagnostics {
 public:
  explicit ScopedDiagnostics(std::ostream& to);
  ~ScopedDiagnostics();
  ScopedDiagnostics(const ScopedDiagnostics&) = delete;
  ScopedDiagnostics& operator=(const ScopedDiagnostics&) = delete;

 private:
  std::ostream* previous_;
};

}  // namespace velmo
