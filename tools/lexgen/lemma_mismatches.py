#!/usr/bin/env python3
"""Lists the commonest lemma mismatches between gold trees and velmo's
CoNLL-U output of the same sentences (velmo -u): word form, gold lemma,
our lemma and how often. Only sentences whose tokens agree are compared;
lemmas are compared in lower case.

  tools/lexgen/lemma_mismatches.py GOLD.conllu SYSTEM.conllu [--top N] [--upos TAG]
"""

import argparse
import os
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from sources import read_conllu  # noqa: E402


def mismatches(gold_sentences, system_sentences, upos=None):
    """Counter of (form, gold lemma, system lemma, gold UPOS) over the words
    of token-aligned sentences whose lemmas differ."""
    found = Counter()
    for gold, system in zip(gold_sentences, system_sentences):
        if [t.form for t in gold] != [t.form for t in system]:
            continue
        for g, s in zip(gold, system):
            if upos and g.upos != upos:
                continue
            if g.lemma.lower() != s.lemma.lower():
                found[(g.form.lower(), g.lemma.lower(), s.lemma.lower(), g.upos)] += 1
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("gold")
    parser.add_argument("system")
    parser.add_argument("--top", type=int, default=50)
    parser.add_argument("--upos")
    args = parser.parse_args()
    found = mismatches(read_conllu(args.gold), read_conllu(args.system), args.upos)
    print("%d words with another lemma" % sum(found.values()))
    for (form, gold, ours, upos), count in found.most_common(args.top):
        print("%5d  %-6s %-20s gold %-16s ours %s" % (count, upos, form, gold, ours))


if __name__ == "__main__":
    main()
