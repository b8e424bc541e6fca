#pragma once
// Porter's suffix-stripping stemmer (1980), with two deliberate departures
// from the published rules that existing linguistic data depends on:
//  - step 2 carries the rule "fulnes" -> "ful" instead of "fulness" -> "ful",
//    so words ending in "fulness" keep it through step 2 (step 3 then strips
//    "ness");
//  - within a step, when a rule's ending matches but its condition fails, the
//    later rules of the step are still tried (the published algorithm stops
//    at the longest matching ending).
#include <string>
#include <string_view>

namespace velmo {

class PorterStemmer {
 public:
  // Stems `word` in place; it must be lower case and made only of letters.
  void stem(std::string& word) const;

  // The stem of `word` in `out`: lower-cased and stemmed. False (and `out`
  // untouched) when `word` holds a character that is not an ASCII letter.
  bool stem_word(std::string_view word, std::string& out) const;
};

}  // namespace velmo
