#include "shell/support/diagnostics.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "shell/interpreter/name_space.h"

namespace velmo {
namespace {

TEST(DiagnosticsTest, MessagesGoToTheStandardErrorStreamByDefault) { EXPECT_EQ(&diag(), &std::cerr); }

TEST(DiagnosticsTest, RedirectionCapturesMessagesAndNests) {
  std::ostringstream outer;
  std::ostringstream inner;
  {
    ScopedDiagnostics capture_outer(outer);
    diag() << "first\n";
    {
      ScopedDiagnostics capture_inner(inner);
      diag() << "second\n";
    }
    diag() << "third\n";
  }
  EXPECT_EQ(outer.str(), "first\nthird\n");
  EXPECT_EQ(inner.str(), "second\n");
  EXPECT_EQ(&diag(), &std::cerr);
}

TEST(DiagnosticsTest, ShellMessagesFollowTheRedirection) {
  NameSpaces::delete_all();
  NameSpaces::set_current("STD");
  std::ostringstream captured;
  {
    ScopedDiagnostics capture(captured);
    EXPECT_EQ(NameSpaces::lookup("missing-object", "Lexicon"), nullptr);
  }
  EXPECT_EQ(captured.str(), "The named object 'missing-object' (type=Lexicon) is not found\n");
  NameSpaces::delete_all();
}

}  // namespace
}  // namespace velmo
