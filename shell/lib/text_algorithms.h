#pragma once
// Text algorithms of the expression library, free of the expression
// machinery so they can be tested and measured on their own.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Similarity of two texts from 0 to 1000 by shared trigrams: each text is
// padded with a blank on both sides and cut into its overlapping three-byte
// pieces; matching pieces (ignoring ASCII case) count 2 each, every piece
// counts 1 towards the total. 0 when neither text has a piece. The object
// keeps its scratch arrays between calls.
class TrigramSimilarity {
 public:
  using Trigram = std::array<char, 3>;
  int operator()(std::string_view a, std::string_view b);

 private:
  std::vector<Trigram> left_;
  std::vector<Trigram> right_;
};

// `text` without punctuation, keeping "-"; an apostrophe that follows at
// least one kept character ends the result (so possessives lose their "'s").
void remove_punctuation(std::string_view text, std::string& out);

// `text` without any of the bytes in `chars`.
void remove_chars(std::string_view text, std::string_view chars, std::string& out);

// The part of `text` after its last white-space byte; all of it when it has
// none.
std::string_view last_word(std::string_view text);

// `text` reversed, byte by byte.
void reverse_text(std::string_view text, std::string& out);

// Whether `needle` occurs in `haystack`, ignoring ASCII case.
bool contains_nocase(std::string_view haystack, std::string_view needle);
// Whether `text` begins with `prefix`, ignoring ASCII case.
bool starts_with_nocase(std::string_view text, std::string_view prefix);

}  // namespace velmo
