"""The ending table of regular English inflection, kept here once and used
twice: written out as the `def-endings` command that velmo loads, and applied
by the generator itself to know which word forms the table already explains.

The matching follows velmo's endings exactly: a plain ending strips its suffix
and appends its replacement; a doubling ending also drops one of two equal
consonants after a vowel; an `e` ending needs the third character from the end
in its character set. A condition (a regular expression the root must match)
is bound to the ending's name."""

import re
from collections import namedtuple

Ending = namedtuple("Ending", "kind suffix name replacement chars")

# Affix groups: the name an ending records on an item says which features the
# inflection implies (the lexical rules read it).
PLURAL_OR_3SG = ("s", "es", "ies")
PAST = ("ed", "ed_e", "ed_dbl", "ied")
ING = ("ing", "ing_e", "ing_dbl", "ying")
COMPARATIVE = ("er", "er_e", "er_dbl", "ier")
SUPERLATIVE = ("est", "est_e", "est_dbl", "iest")

ENDINGS = [
    Ending("p", "", None, None, None),
    Ending("p", "s", "s", None, None),
    Ending("e", "es", "es", "", "sxzhoSXZHO"),
    Ending("p", "ies", "ies", "y", None),
    Ending("p", "ed", "ed", None, None),
    Ending("p", "d", "ed_e", None, None),
    Ending("d", "ed", "ed_dbl", None, None),
    Ending("p", "ied", "ied", "y", None),
    Ending("p", "ing", "ing", None, None),
    Ending("p", "ing", "ing_e", "e", None),
    Ending("d", "ing", "ing_dbl", None, None),
    Ending("p", "ying", "ying", "ie", None),
    Ending("p", "er", "er", None, None),
    Ending("p", "r", "er_e", None, None),
    Ending("d", "er", "er_dbl", None, None),
    Ending("p", "ier", "ier", "y", None),
    Ending("p", "est", "est", None, None),
    Ending("p", "st", "est_e", None, None),
    Ending("d", "est", "est_dbl", None, None),
    Ending("p", "iest", "iest", "y", None),
]


# One syllable closed by a single consonant that doubles (not w, x or y).
_SHORT_CLOSED_SYLLABLE = "[^aeiouyAEIOUY]*[aeiouAEIOU][^aeiouwxyAEIOUWXY]"


def _e_after_consonant(root):
    return len(root) > 2 and (root[-2] not in "aeiouy" or (root[-2] == "u" and root[-3] not in "aeiouy"))


# Roots that a short suffix leaves must end in e: "baked" is bake+d, but "bed"
# is not be+d. Before -ing the e follows a consonant, or a u after one
# (arguing, issuing: argue, issue), so "seeing" is no see+ing. The
# expressions are velmo's; the Python tests mirror them. They take letters
# in either case, so words written in capitals (BAKED, ARGUING) find their
# roots too.
CONDITIONS = [
    (("ed_e", "er_e", "est_e"), '(reg-match ".*[eE]$")', lambda root: root.lower().endswith("e")),
    (("ing_e",), '(reg-match ".*([^aeiouyAEIOUY]|[^aeiouyAEIOUY][uU])[eE]$")',
     lambda root: _e_after_consonant(root.lower())),
    # A word of one syllable that ends in one vowel and one consonant
    # doubles the consonant before -ed, -ing, -er and -est (hop: hopped,
    # fin: finned): "hoped", "fined" and "finer" are hope+d, fine+d and
    # fine+r, never hop+ed, fin+ed or fin+er.
    (("ed", "ing", "er", "est"), '(not (reg-match "%s$"))' % _SHORT_CLOSED_SYLLABLE,
     lambda root: not re.match(_SHORT_CLOSED_SYLLABLE + "$", root)),
]

_CHECKS = {name: check for names, _, check in CONDITIONS for name in names}


def _plain_matches(word, suffix):
    n, s = len(word), len(suffix)
    return s < n and word[n - s:].lower() == suffix


def _matches(ending, word):
    n = len(word)
    if ending.kind == "p":
        return _plain_matches(word, ending.suffix)
    if ending.kind == "d":
        k = n - len(ending.suffix) - 1
        return (_plain_matches(word, ending.suffix) and k >= 3 and word[k] == word[k - 1]
                and word[k - 2] in "aeiou")
    return n >= 4 and _plain_matches(word, ending.suffix) and word[n - 3] in ending.chars


def _root(ending, word):
    n, s = len(word), len(ending.suffix)
    if ending.kind == "d":
        return word[:n - s - 1]
    return word[:n - s] + (ending.replacement or "")


def candidate_roots(word):
    """(root, ending name) pairs in table order, conditions applied."""
    result = []
    for ending in ENDINGS:
        if not word or not _matches(ending, word):
            continue
        root = _root(ending, word)
        check = _CHECKS.get(ending.name)
        if check and not check(root):
            continue
        result.append((root, ending.name))
    return result


def group_of(name):
    for group in (PLURAL_OR_3SG, PAST, ING, COMPARATIVE, SUPERLATIVE):
        if name in group:
            return group
    return None


def _atom(text):
    return '""' if text == "" else text


def ending_table_list():
    """The inline ending table of `make-lexicon`, conditions included."""
    lines = ["("]
    for ending in ENDINGS:
        parts = [ending.kind, '"%s"' % ending.suffix]
        if ending.name is not None:
            parts.append(ending.name)
            if ending.replacement is not None or ending.chars is not None:
                parts.append(_atom(ending.replacement or ""))
            if ending.chars is not None:
                parts.append(ending.chars)
        lines.append("   (%s)" % " ".join(parts))
    lines.append("   :conditions (")
    for names, expression, _ in CONDITIONS:
        lines.append("     ((%s) %s)" % (" ".join(names), expression))
    lines.append("   ))")
    return "\n".join(lines)
