#pragma once
// Expressions that hold exactly when their text input equals a fixed text,
// ignoring the case of ASCII letters, and have no other effect. A consumer
// that finds one (by dynamic_cast) may make the same test on a text
// directly instead of evaluating the expression.
#include <string_view>

namespace velmo {

class TextEqualityTest {
 public:
  virtual ~TextEqualityTest() = default;
  // The fixed text in lower case; false when the expression has none (it
  // then holds for no input).
  virtual bool lower_text(std::string_view& text) const = 0;
};

}  // namespace velmo
