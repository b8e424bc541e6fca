#include "lexical/items/ending.h"

#include "lexical/items/ending_table.h"
#include "shell/reader/irslist.h"
#include "shell/lexp/lexp.h"
#include "shell/support/diagnostics.h"

namespace velmo {
namespace {

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_vowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

// The next atom of the definition, or nothing when the list is used up
// or holds a list there (reported by take_atom).
std::optional<std::string> take_field(IRSlist& definition) {
  if (definition.children().empty()) return std::nullopt;
  const char* atom = definition.take_atom();
  if (!atom) return std::nullopt;
  return std::string(atom);
}

}  // namespace

bool Ending::ends_with_suffix(std::string_view word) const {
  const std::size_t n = word.size();
  const std::size_t s = suffix_.size();
  if (s >= n) return false;
  const std::string_view end = word.substr(n - s);
  for (std::size_t i = 0; i < s; ++i) {
    if (lower_ascii(end[i]) != suffix_[i]) return false;
  }
  return true;
}

bool Ending::matches(std::string_view word) const { return ends_with_suffix(word); }

const char* Ending::root(std::string_view word) const {
  return accept(word.substr(0, word.size() - suffix_.size()), replacement_ ? *replacement_ : std::string_view());
}

const char* Ending::accept(std::string_view stem, std::string_view tail) const {
  const char* candidate = table_->build_root(stem, tail);
  if (condition_ && !table_->accepts(*condition_, candidate)) return nullptr;
  return candidate;
}

bool Ending::init(IRSlist& definition) {
  if (std::optional<std::string> suffix = take_field(definition)) suffix_ = std::move(*suffix);
  name_ = take_field(definition);
  replacement_ = take_field(definition);
  condition_ = name_ ? table_->condition(*name_) : nullptr;
  return true;
}

// ---------------------------------------------------------------- EndingDouble

bool EndingDouble::matches(std::string_view word) const {
  if (!ends_with_suffix(word)) return false;
  // The last stem character, doubled, after a vowel: k = n - s - 1 >= 3.
  const std::size_t stem = word.size() - suffix_length();
  if (stem < 4) return false;
  const std::size_t k = stem - 1;
  return word[k] == word[k - 1] && is_vowel(word[k - 2]);
}

const char* EndingDouble::root(std::string_view word) const {
  return accept(word.substr(0, word.size() - suffix_length() - 1), std::string_view());
}

// ---------------------------------------------------------------- EndingES

bool EndingES::matches(std::string_view word) const {
  const std::size_t n = word.size();
  if (n < 4 || !ends_with_suffix(word)) return false;
  return characters_.find(word[n - 3]) != std::string::npos;
}

bool EndingES::init(IRSlist& definition) {
  Ending::init(definition);
  std::optional<std::string> characters = take_field(definition);
  if (!characters || characters->empty()) {
    diag() << "Ending '" << suffix() << "' of type e needs a character set; it is not added.\n" << std::flush;
    return false;
  }
  characters_ = std::move(*characters);
  return true;
}

}  // namespace velmo
