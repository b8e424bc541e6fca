#include "parser/ud/scheme.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "parser/ud/conllu.h"

namespace velmo::ud {

// ASCII letters only, as std::tolower does in the "C" locale velmo runs in,
// but without a library call per byte (the conversion lowers every word of
// a sentence several times).
std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  const auto folded = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return folded(x) == folded(y); });
}

namespace {

template <size_t N>
bool one_of(std::string_view word, const std::array<std::string_view, N>& words) {
  for (std::string_view candidate : words)
    if (same_word(word, candidate)) return true;
  return false;
}

bool is_clause_verb_category(std::string_view category) {
  return category == "V" || category == "VBE" || category == "VB";
}

}  // namespace

bool is_infinitive_to(std::string_view form, std::string_view xpos, std::string_view upos) {
  return lower(form) == "to" && (xpos == "TO" || upos == "PART");
}

std::string category_from_ud(std::string_view upos, std::string_view xpos, std::string_view lemma,
                             std::string_view form, std::string_view deprel) {
  std::string_view relation = universal_relation(deprel);
  std::string lemma_lower = lower(lemma);
  if (upos == "NOUN" || upos == "PROPN" || upos == "PRON") return "N";
  if (upos == "NUM") return "Num";
  if (upos == "ADJ") return "A";
  if (upos == "ADV") return "Adv";
  if (upos == "ADP") return "Prep";
  if (upos == "DET") return "Det";
  if (upos == "CCONJ") return "Conn";
  if (upos == "SCONJ") return "C";
  if (upos == "PART") {
    if (is_infinitive_to(form, xpos, upos)) return "VB";
    if (lemma_lower == "not" || xpos == "RB") return "Adv";
    return "Part";
  }
  if (upos == "AUX") {
    if (relation == "cop") return "VBE";
    if (lemma_lower == "be" && relation != "aux") return "VBE";
    return "VB";
  }
  if (upos == "VERB") return lemma_lower == "be" ? "VBE" : "V";
  if (upos == "PUNCT") return "Punc";
  if (upos == "INTJ") return "Intj";
  return "U";
}

std::string root_for(std::string_view category, std::string_view lemma, std::string_view form) {
  bool has_lemma = !lemma.empty() && lemma != "_";
  if (category == "VBE") return "be";
  if (category == "VB") return has_lemma && lower(lemma) == "be" ? "be" : std::string(form);
  if ((category == "N" || category == "V" || category == "A") && has_lemma) return std::string(lemma);
  return std::string(form);
}

namespace {

// Marks outside ASCII that texts use as punctuation: the general punctuation
// block (dashes, curly quotes, the ellipsis, bullets) and the Latin-1 marks
// (guillemets, the middle dot, inverted marks).
bool punctuation_code_point(char32_t c) {
  return (c >= 0x2010 && c <= 0x2027) || (c >= 0x2030 && c <= 0x205E) || c == 0xA1 || c == 0xA7 || c == 0xAB ||
         c == 0xB6 || c == 0xB7 || c == 0xBB || c == 0xBF;
}

}  // namespace

bool is_punctuation(std::string_view form) {
  if (form.empty()) return false;
  for (size_t i = 0; i < form.size();) {
    unsigned char c = static_cast<unsigned char>(form[i]);
    if (c < 128) {
      if (std::isalnum(c)) return false;
      ++i;
      continue;
    }
    // Two- and three-byte UTF-8 sequences only: the marks above lie there.
    size_t length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || i + length > form.size()) return false;
    char32_t code = length == 2 ? c & 0x1F : c & 0x0F;
    for (size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(form[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (!punctuation_code_point(code)) return false;
    i += length;
  }
  return true;
}

namespace {

// is_personal_pronoun() of a form already in lower case.
bool personal_pronoun_in_lower_case(std::string_view word) {
  static constexpr std::array<std::string_view, 55> pronouns = {
      "i", "me", "my", "mine", "myself", "you", "your", "yours", "yourself", "he", "him", "his", "himself", "she",
      "her", "hers", "herself", "it", "its", "itself", "we", "us", "our", "ours", "ourselves", "they", "them", "their",
      "theirs", "themselves", "who", "whom", "whose", "what", "which", "that", "this", "these", "those", "something",
      "anything", "nothing", "everything", "someone",
      // The expletive, the other indefinite pronouns and the chat spelling of "you".
      "there", "anyone", "anybody", "everyone", "everybody", "somebody", "nobody", "none", "whatever", "whoever", "u"};
  return one_of(word, pronouns);
}

}  // namespace

bool is_personal_pronoun(std::string_view form) { return personal_pronoun_in_lower_case(lower(form)); }

bool is_clitic(std::string_view previous, std::string_view form) {
  // Each also with the typographic apostrophe (U+2019), at which input lines are cut as at the straight one.
  static constexpr std::array<std::string_view, 17> clitics = {
      "n't",      "'s",      "'re",      "'m",      "'ve",      "'ll",      "'d",      "'",     "s",
      "n\u2019t", "\u2019s", "\u2019re", "\u2019m", "\u2019ve", "\u2019ll", "\u2019d", "\u2019"};
  std::string word = lower(form);
  std::string before = lower(previous);
  if (previous.empty() || is_punctuation(previous)) return false;
  if (word == "s") return before == "it" || before == "that";  // "its", "thats" written for "it's", "that's"
  if (word == "not") return before == "can";
  if (word == "na") return before == "gon" || before == "wan";
  // Contractions written without apostrophe: dont, im, ive, thats.
  if (word == "nt") return before.size() >= 2 && (before.back() == 'o' || before.back() == 'a' || before.back() == 's' ||
                                                  before.back() == 'e' || before.back() == 'd');
  if (word == "m" || word == "ve") return before == "i";
  return one_of(word, clitics);
}

namespace {

bool hyphen_run(std::string_view form) {
  return form.size() >= 2 && form.find_first_not_of('-') == std::string_view::npos;
}

// Marks the treebank writes as symbols: currency, number and percent signs,
// the slash, plus signs and smileys.
bool is_symbol(std::string_view form) {
  static constexpr std::array<std::string_view, 6> symbols = {"$", "#", "%", "/", "+", "++"};
  return one_of(form, symbols) || is_emoticon(form);
}

}  // namespace

bool is_emoticon(std::string_view form) {
  static constexpr std::array<std::string_view, 22> faces = {":)",  ":(",  ":-)", ":-(", ";)", ";-)", ":D", ":-D",
                                                             ":P",  ":p",  ":/",  ":-/", "(:", "=)",  "=(", "^_^",
                                                             "-_-", ">:(", ":'(", "<3",  ":O", ":|"};
  // Most words are longer than any face: they are not looked for.
  static constexpr std::size_t longest =
      std::max_element(faces.begin(), faces.end(), [](std::string_view a, std::string_view b) {
        return a.size() < b.size();
      })->size();
  return form.size() <= longest && one_of(form, faces);
}

std::string upos_from_category(std::string_view category, std::string_view form, int position) {
  std::string word = lower(form);
  if (category == "N") {
    if (personal_pronoun_in_lower_case(word) && form != "US") return "PRON";  // US in capitals is the country
    // Quantifiers standing for a noun (some of them) stay determiners.
    if (one_of(word, std::array<std::string_view, 7>{"all", "some", "any", "each", "another", "both", "either"}))
      return "DET";
    if (one_of(word, std::array<std::string_view, 4>{"many", "few", "most", "much"})) return "ADJ";
    // Adjectives standing for a noun (each other, the best, the latter)
    // stay adjectives: train has them as nouns at most once in twenty.
    if (one_of(word, std::array<std::string_view, 13>{"other", "best", "better", "worse", "worst", "several", "rich",
                                                      "poor", "latter", "former", "homeless", "unemployed", "elderly"}))
      return "ADJ";
    bool capital = !form.empty() && std::isupper(static_cast<unsigned char>(form[0]));
    return capital && position > 1 ? "PROPN" : "NOUN";
  }
  if (category == "Num") return "NUM";
  if (category == "V") return "VERB";
  if (category == "VBE") return "AUX";
  if (category == "VB") return word == "to" ? "PART" : "AUX";
  if (category == "A") return "ADJ";
  if (category == "Adv") return word == "not" || word == "n't" || word == "n\u2019t" ? "PART" : "ADV";
  if (category == "Prep") return "ADP";
  if (category == "Det") return "DET";
  if (category == "C") return "SCONJ";
  if (category == "Conn") return "CCONJ";
  if (category == "Part") return "PART";
  if (category == "Intj") return "INTJ";
  if (category == "Punc" || (category.empty() && is_emoticon(form))) return is_symbol(form) ? "SYM" : "PUNCT";
  if (is_clause_verb_category(category)) return "VERB";
  // A run of hyphens (--, a ruler line of dashes) is punctuation whatever
  // the parse made of it (train: 190 of 190); other runs of marks it read
  // as a word (=====, ____) are symbols.
  if (is_punctuation(form)) return (category.empty() && !is_symbol(form)) || hyphen_run(form) ? "PUNCT" : "SYM";
  return "X";
}

}  // namespace velmo::ud
