#include "shell/lib/stemmer.h"

#include <array>
#include <cstddef>
#include <span>

namespace velmo {

namespace {

// When a rule may fire, judged on the stem (the word without the ending).
enum class Condition {
  kAlways,
  kMeasureAbove0,      // m > 0
  kMeasureAbove1,      // m > 1
  kHasVowel,           // *v*
  kMeasureAbove1SorT,  // m > 1 and the stem ends in s or t
  kMeasure1NotCvc,     // m = 1 and not *o
};

struct Rule {
  std::string_view ending;
  std::string_view replacement;
  Condition condition;
};

constexpr std::array kStep1a{
    Rule{"sses", "ss", Condition::kAlways},
    Rule{"ies", "i", Condition::kAlways},
    Rule{"ss", "ss", Condition::kAlways},
    Rule{"s", "", Condition::kAlways},
};

constexpr std::array kStep1b{
    Rule{"eed", "ee", Condition::kMeasureAbove0},
    Rule{"ed", "", Condition::kHasVowel},
    Rule{"ing", "", Condition::kHasVowel},
};
// Rules 2 and 3 of step 1b remove "ed" and "ing"; only they start the
// follow-up rules.
constexpr std::size_t kFirstRemovalRuleOf1b = 1;

constexpr std::array kStep1bFollowUp{
    Rule{"at", "ate", Condition::kAlways},
    Rule{"bl", "ble", Condition::kAlways},
    Rule{"iz", "ize", Condition::kAlways},
};

constexpr std::array kStep1c{
    Rule{"y", "i", Condition::kHasVowel},
};

constexpr std::array kStep2{
    Rule{"ational", "ate", Condition::kMeasureAbove0}, Rule{"tional", "tion", Condition::kMeasureAbove0},
    Rule{"enci", "ence", Condition::kMeasureAbove0},   Rule{"anci", "ance", Condition::kMeasureAbove0},
    Rule{"izer", "ize", Condition::kMeasureAbove0},    Rule{"abli", "able", Condition::kMeasureAbove0},
    Rule{"alli", "al", Condition::kMeasureAbove0},     Rule{"entli", "ent", Condition::kMeasureAbove0},
    Rule{"eli", "e", Condition::kMeasureAbove0},       Rule{"ousli", "ous", Condition::kMeasureAbove0},
    Rule{"ization", "ize", Condition::kMeasureAbove0}, Rule{"ation", "ate", Condition::kMeasureAbove0},
    Rule{"ator", "ate", Condition::kMeasureAbove0},    Rule{"alism", "al", Condition::kMeasureAbove0},
    Rule{"iveness", "ive", Condition::kMeasureAbove0}, Rule{"fulnes", "ful", Condition::kMeasureAbove0},
    Rule{"ousness", "ous", Condition::kMeasureAbove0}, Rule{"aliti", "al", Condition::kMeasureAbove0},
    Rule{"iviti", "ive", Condition::kMeasureAbove0},   Rule{"biliti", "ble", Condition::kMeasureAbove0},
};

constexpr std::array kStep3{
    Rule{"icate", "ic", Condition::kMeasureAbove0}, Rule{"ative", "", Condition::kMeasureAbove0},
    Rule{"alize", "al", Condition::kMeasureAbove0}, Rule{"iciti", "ic", Condition::kMeasureAbove0},
    Rule{"ical", "ic", Condition::kMeasureAbove0},  Rule{"ful", "", Condition::kMeasureAbove0},
    Rule{"ness", "", Condition::kMeasureAbove0},
};

constexpr std::array kStep4{
    Rule{"al", "", Condition::kMeasureAbove1},    Rule{"ance", "", Condition::kMeasureAbove1},
    Rule{"ence", "", Condition::kMeasureAbove1},  Rule{"er", "", Condition::kMeasureAbove1},
    Rule{"ic", "", Condition::kMeasureAbove1},    Rule{"able", "", Condition::kMeasureAbove1},
    Rule{"ible", "", Condition::kMeasureAbove1},  Rule{"ant", "", Condition::kMeasureAbove1},
    Rule{"ement", "", Condition::kMeasureAbove1}, Rule{"ment", "", Condition::kMeasureAbove1},
    Rule{"ent", "", Condition::kMeasureAbove1},   Rule{"ion", "", Condition::kMeasureAbove1SorT},
    Rule{"ou", "", Condition::kMeasureAbove1},    Rule{"ism", "", Condition::kMeasureAbove1},
    Rule{"ate", "", Condition::kMeasureAbove1},   Rule{"iti", "", Condition::kMeasureAbove1},
    Rule{"ous", "", Condition::kMeasureAbove1},   Rule{"ive", "", Condition::kMeasureAbove1},
    Rule{"ize", "", Condition::kMeasureAbove1},
};

constexpr std::array kStep5a{
    Rule{"e", "", Condition::kMeasureAbove1},
    Rule{"e", "", Condition::kMeasure1NotCvc},
};

constexpr std::size_t kNoRule = static_cast<std::size_t>(-1);

// The measures and tests of the algorithm over a prefix of the word.
class Word {
 public:
  explicit Word(std::string& text) : w_(text) {}

  std::string& text() { return w_; }

  bool is_consonant(std::size_t i) const {
    const char c = w_[i];
    if (c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u') return false;
    if (c != 'y') return true;
    // A y after a consonant is a vowel, so a run of y's alternates. The run's
    // first y is a consonant unless a non-y consonant stands before it.
    std::size_t run_start = i;
    while (run_start > 0 && w_[run_start - 1] == 'y') --run_start;
    const bool first_is_consonant = run_start == 0 || !is_plain_consonant(w_[run_start - 1]);
    const bool even_offset = (i - run_start) % 2 == 0;
    return even_offset == first_is_consonant;
  }

  // m in [C](VC)^m[V] of the first `length` letters.
  int measure(std::size_t length) const {
    std::size_t i = 0;
    while (i < length && is_consonant(i)) ++i;
    int m = 0;
    while (i < length) {
      while (i < length && !is_consonant(i)) ++i;
      if (i >= length) break;
      while (i < length && is_consonant(i)) ++i;
      ++m;
    }
    return m;
  }

  bool has_vowel(std::size_t length) const {
    for (std::size_t i = 0; i < length; ++i)
      if (!is_consonant(i)) return true;
    return false;
  }

  // *d: the first `length` letters end with a double consonant.
  bool ends_double_consonant(std::size_t length) const {
    return length >= 2 && w_[length - 1] == w_[length - 2] && is_consonant(length - 1);
  }

  // *o: the first `length` letters end consonant-vowel-consonant, the last
  // not w, x or y.
  bool ends_cvc(std::size_t length) const {
    if (length < 3) return false;
    if (!is_consonant(length - 3) || is_consonant(length - 2) || !is_consonant(length - 1)) return false;
    const char last = w_[length - 1];
    return last != 'w' && last != 'x' && last != 'y';
  }

  bool holds(Condition condition, std::size_t stem_length) const {
    switch (condition) {
      case Condition::kAlways:
        return true;
      case Condition::kMeasureAbove0:
        return measure(stem_length) > 0;
      case Condition::kMeasureAbove1:
        return measure(stem_length) > 1;
      case Condition::kHasVowel:
        return has_vowel(stem_length);
      case Condition::kMeasureAbove1SorT:
        return stem_length > 0 && (w_[stem_length - 1] == 's' || w_[stem_length - 1] == 't') &&
               measure(stem_length) > 1;
      case Condition::kMeasure1NotCvc:
        return measure(stem_length) == 1 && !ends_cvc(stem_length);
    }
    return false;
  }

  // Applies the first rule whose ending matches and whose condition holds;
  // returns its index, or kNoRule.
  std::size_t apply_first(std::span<const Rule> rules) {
    for (std::size_t r = 0; r < rules.size(); ++r) {
      const Rule& rule = rules[r];
      if (!std::string_view(w_).ends_with(rule.ending)) continue;
      const std::size_t stem_length = w_.size() - rule.ending.size();
      if (!holds(rule.condition, stem_length)) continue;
      w_.resize(stem_length);
      w_.append(rule.replacement);
      return r;
    }
    return kNoRule;
  }

 private:
  static bool is_plain_consonant(char c) {
    return c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u' && c != 'y';
  }

  std::string& w_;
};

void step1b(Word& word) {
  const std::size_t rule = word.apply_first(kStep1b);
  if (rule == kNoRule || rule < kFirstRemovalRuleOf1b) return;
  if (word.apply_first(kStep1bFollowUp) != kNoRule) return;
  std::string& w = word.text();
  const std::size_t length = w.size();
  if (word.ends_double_consonant(length)) {
    const char last = w.back();
    if (last != 'l' && last != 's' && last != 'z') {
      w.pop_back();
      return;
    }
  }
  if (word.measure(length) == 1 && word.ends_cvc(length)) w.push_back('e');
}

void step5b(Word& word) {
  std::string& w = word.text();
  const std::size_t length = w.size();
  if (length > 0 && w.back() == 'l' && word.ends_double_consonant(length) && word.measure(length) > 1) w.pop_back();
}

bool is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

void PorterStemmer::stem(std::string& text) const {
  Word word(text);
  word.apply_first(kStep1a);
  step1b(word);
  word.apply_first(kStep1c);
  word.apply_first(kStep2);
  word.apply_first(kStep3);
  word.apply_first(kStep4);
  word.apply_first(kStep5a);
  step5b(word);
}

bool PorterStemmer::stem_word(std::string_view word, std::string& out) const {
  for (char c : word)
    if (!is_ascii_letter(c)) return false;
  out.assign(word);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  stem(out);
  return true;
}

}  // namespace velmo
