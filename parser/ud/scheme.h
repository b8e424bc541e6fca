#pragma once
// The tables of the English scheme (data/en/SCHEME.md) that both converters
// share: categories from and to UD parts of speech, word classes the
// converters need to recognise.
#include <string>
#include <string_view>

#include "parser/ud/text_equality.h"

namespace velmo::ud {

// Our category for a UD word; `deprel` decides between copula and auxiliary.
std::string category_from_ud(std::string_view upos, std::string_view xpos, std::string_view lemma,
                             std::string_view form, std::string_view deprel);

// The root our scheme prints for a word: lemmas for N, V, A, "be" for forms
// of be, the word form otherwise (the analyser shifts its rows otherwise).
std::string root_for(std::string_view category, std::string_view lemma, std::string_view form);

// A UD part of speech for a node of our scheme. `position` is the word's
// position (capitals at the sentence start say nothing about names).
std::string upos_from_category(std::string_view category, std::string_view form, int position);

bool is_punctuation(std::string_view form);
// Smileys and other faces written with marks: discourse words in UD.
bool is_emoticon(std::string_view form);
bool is_personal_pronoun(std::string_view form);
// "n't", "'s", "'re", ... written against the previous word: one multi-word
// token with it in CoNLL-U.
bool is_clitic(std::string_view previous, std::string_view form);
bool is_infinitive_to(std::string_view form, std::string_view xpos, std::string_view upos);

// ASCII letters lower-cased; other bytes (UTF-8 among them) kept.
std::string lower(std::string_view text);
// Whether two texts are equal once lower-cased as lower() does, compared in
// place (no copy of either).
bool equal_ignoring_case(std::string_view a, std::string_view b);

}  // namespace velmo::ud
