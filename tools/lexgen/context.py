"""The generator's model of the contextual lexical rules: readings that the
neighbouring words rule out are deleted. It models the first rules of
data/en/context.lsp (auxiliary, copula, "to", "there", demonstratives, nouns
and verbs after articles and subject pronouns), enough for the figures of
gen-english-data.py --measure; tools/lexgen/readings.py measures velmo's
own rules, all of them, on the treebank."""

import re

import morphology

PARTICIPLE_TAGS = ("ing", "en")


def vforms(reading, ending):
    """The verb forms a reading has once its ending's rule has run."""
    if reading.category not in ("V", "VB", "VBE"):
        return set()
    group = morphology.group_of(ending) if ending else None
    if group is morphology.PAST:
        return {"fin", "en"}
    if group is morphology.ING:
        return {"ing"}
    if group is morphology.PLURAL_OR_3SG:
        return {"fin"}
    for feature in reading.features:
        match = re.match(r"\(vform (.*)\)$", feature)
        if match:
            return set(match.group(1).split())
    return {"fin", "base"}


class Item:
    __slots__ = ("reading", "ending", "forms", "root")

    def __init__(self, reading, ending, root):
        self.reading = reading
        self.ending = ending
        self.root = root
        self.forms = vforms(reading, ending)

    @property
    def category(self):
        return self.reading.category


def is_adverb(item):
    return item.category == "Adv"


def participle(item):
    return bool(item.forms & {"ing", "en"})


def past_participle(item):
    return "en" in item.forms


def verbish(item):
    return item.category in ("V", "VB", "VBE")


def pronoun(item):
    return item.category == "N" and "+pron" in item.reading.features


BE = {"be", "am", "is", "are", "was", "were", "been", "being", "'m", "'re", "’m", "’re", "isn", "aren", "wasn",
      "weren"}
HAVE = {"have", "has", "had", "having", "'ve", "’ve", "haven", "hasn", "hadn"}
DO = {"do", "does", "did", "don", "doesn", "didn"}
NEGATION = {"not", "n't", "'t", "’t", "n’t", "nt", "never"}


def apply(words, items):
    """Deletes readings of `items` (one list per word) that the context rules
    out; `words` are the word forms."""
    n = len(words)
    noun_or_verb(words, items)
    for i in range(n):
        word = words[i].lower()
        nxt = items[i + 1] if i + 1 < n else []
        nxt_word = words[i + 1].lower() if i + 1 < n else ""
        prev = items[i - 1] if i > 0 else []
        here = items[i]
        if word == "to":
            if nxt and not any(verbish(x) and "base" in x.forms for x in nxt) and not (
                    nxt_word in ("be", "not", "never")) and not any(x.category == "Punc" for x in nxt):
                drop(here, lambda x: x.category == "VB")
        elif word == "like" and any(pronoun(x) and "(case nom)" in x.reading.features for x in prev):
            drop(here, lambda x: x.category in ("Prep", "C"))
        if word == "am" and i > 0:
            if any(x.category == "Num" for x in prev):
                drop(here, lambda x: x.category != "N")
            else:
                drop(here, lambda x: x.category == "N")
        if word in BE:
            if nxt and nxt_word not in NEGATION and not any(pronoun(x) for x in nxt):
                if not any(participle(x) or is_adverb(x) for x in nxt):
                    drop(here, lambda x: x.category == "VB")
                elif any(participle(x) for x in nxt):
                    drop(here, lambda x: x.category == "VBE")
        if word in HAVE:
            if nxt_word in NEGATION:
                drop(here, lambda x: x.category == "V")
            elif nxt:
                if any(past_participle(x) for x in nxt):
                    drop(here, lambda x: x.category == "V")
                elif not any(is_adverb(x) for x in nxt):
                    drop(here, lambda x: x.category == "VB")
        elif word in DO:
            if nxt_word in NEGATION:
                drop(here, lambda x: x.category == "V")
            elif not any(verbish(x) and "base" in x.forms for x in nxt) and not any(pronoun(x) for x in nxt):
                drop(here, lambda x: x.category == "VB")
        elif word == "there":
            if any(verbish(x) for x in nxt) or nxt_word in ("'s", "’s", "s"):
                drop(here, lambda x: x.category == "Adv")
            elif nxt and all(x.category in ("Punc", "Prep", "Conn", "C") for x in nxt):
                drop(here, lambda x: x.category == "N")
        elif word in ("this", "that", "these", "those"):
            if not any(x.category in ("N", "A", "Num") and not pronoun(x) for x in nxt):
                drop(here, lambda x: x.category == "Det")
            if word == "that" and any(x.category == "N" and not pronoun(x) for x in prev) and not any(
                    x.category == "V" for x in prev):
                drop(here, lambda x: x.category == "C")
        elif word in ("'s", "’s", "s"):
            if prev and any(pronoun(x) for x in prev) and not any(x.category == "N" and not pronoun(x) for x in prev):
                drop(here, lambda x: x.category == "Part")


ARTICLES_AND_POSSESSIVES = {"the", "a", "an", "my", "your", "his", "its", "our", "their"}


def noun_or_verb(words, items):
    """After a determiner or a possessive a word is not a verb; after a
    subject pronoun it is not a noun."""
    for i in range(1, len(words)):
        prev, here = items[i - 1], items[i]
        if not any(x.category == "V" for x in here) or not any(x.category in ("N", "A") for x in here):
            continue
        if words[i - 1].lower() in ARTICLES_AND_POSSESSIVES:
            drop(here, lambda x: x.category == "V" and not participle(x))
        elif prev and all(pronoun(x) and "(case nom)" in x.reading.features for x in prev):
            drop(here, lambda x: x.category == "N" and not pronoun(x))


def drop(items, condition):
    kept = [x for x in items if not condition(x)]
    if kept:
        items[:] = kept
