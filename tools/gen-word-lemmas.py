#!/usr/bin/env python3
"""Generates the table of lemmas the UD conversion gives common words, from
the UD English Web Treebank (train split). The output depends on nothing but
the treebank: running it again gives the same bytes.

  tools/gen-word-lemmas.py [--ewt TRAIN.conllu] [--out-dir DIR]

File written (default folder parser/ud/):
  word_lemmas.inc  (form in lower case, UPOS, lemma) for every pair of a
      form and a tag that train has at least MIN_COUNT times and writes with
      one lemma in at least MIN_SHARE of them (me PRON: I, better ADJ: good,
      thanks NOUN: thanks, ca AUX: can). Proper nouns are left out: a name's
      lemma is its form. Sorted by bytes, as the conversion searches it.
"""

import os
import sys
from collections import Counter, defaultdict

from ud_tables import arguments, write_table
from sources import read_conllu  # noqa: E402 (ud_tables puts tools/lexgen on the path)

MIN_COUNT = 20
MIN_SHARE = 0.75


def ascii_lower(text):
    return "".join(c.lower() if c.isascii() else c for c in text)


def usable(text):
    """Whether the conversion's lower-casing (ASCII letters only) agrees with
    the treebank's spelling, and the text needs no escaping in C++."""
    return all(c.isascii() or c.lower() == c == c.upper() for c in text) and '"' not in text and "\\" not in text


def count_lemmas(path):
    lemmas = defaultdict(Counter)
    for sentence in read_conllu(path):
        for token in sentence:
            if token.upos != "PROPN" and usable(token.form) and usable(token.lemma):
                lemmas[(ascii_lower(token.form), token.upos)][token.lemma] += 1
    return lemmas


def listed_lemmas(lemmas):
    rows = []
    for (form, upos), counts in lemmas.items():
        total = sum(counts.values())
        lemma, count = min(counts.items(), key=lambda item: (-item[1], item[0]))
        if total >= MIN_COUNT and count >= MIN_SHARE * total:
            rows.append((form, upos, lemma))
    return sorted(rows, key=lambda row: (row[0].encode("utf-8"), row[1].encode("utf-8")))


def main():
    args = arguments(__doc__, "gen-word-lemmas")
    if args is None:
        return 1
    rows = listed_lemmas(count_lemmas(args.ewt))
    out = os.path.join(args.out_dir, "word_lemmas.inc")
    write_table(out, "gen-word-lemmas", "(form in lower case, UPOS, lemma), sorted by bytes.", rows)
    print("gen-word-lemmas: %d lemmas written to %s" % (len(rows), out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
