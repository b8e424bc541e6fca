#pragma once
// Expressions that filter texts: given a text they give it back when it
// passes and 0 when not, and have no other effect (reg-match, in over
// listed words). A consumer that finds one (by dynamic_cast) may ask about
// a text directly instead of evaluating the expression.
#include <array>
#include <cstdint>
#include <optional>

namespace velmo {

class SortedWordArray;

class TextFilter {
 public:
  virtual ~TextFilter() = default;
  // Whether `text` passes, as the expression's evaluation with a text input
  // would tell (a null text passes nothing); nullopt when this expression
  // does not filter after all (it gives some other value).
  virtual std::optional<bool> passes(const char* text) const = 0;
  // The words when the expression is a test of membership in them (a text
  // passes when the array contains it); null otherwise.
  virtual const SortedWordArray* listed_words() const { return nullptr; }
  // The bytes a text that passes may begin with (bit b of word b / 64: the
  // first byte b, 0 for the empty text), when the filter can tell; nullopt
  // when it cannot. A text beginning with another byte passes not.
  using ByteSet = std::array<std::uint64_t, 4>;
  virtual std::optional<ByteSet> first_bytes() const { return std::nullopt; }
  // Whether no text holding `byte` passes (false when the filter cannot
  // tell). Span tests refuse the words of several words (joined by blanks)
  // without a search when a filter passes no text with a blank.
  virtual bool passes_no_text_with(unsigned char) const { return false; }
};

}  // namespace velmo
