#!/usr/bin/env python3
"""Writes a small test grammar (korvel.lsp, syn.lsp) and generated sentences
for the end-to-end benchmark of velmo:
    trees_generate.py DIR [COUNT] [SEED] [flat]
The sentences have prepositional phrases whose attachment is ambiguous;
with "flat" they have none, only runs of adjectives of growing length (5 to
80 words), so that every stage should cost the same per word at any length."""
import random
import sys

SYN = """(def-att-list syn
  (defattribute cat EnumAtt (allowable-values n v p j i d c a x))
  (defattribute num EnumAtt (allowable-values sg pl))
  (defattribute args ListAtt)
  (defattribute head_final BinAtt)
  (defattribute node StrAtt)
  (defattribute lexitem EntAtt)
  (defattribute cform StrAtt))
(init-attributes)
"""

DETS = ["the", "a", "every", "some"]
ADJS = ["big", "small", "old", "red", "happy", "quiet", "green", "tall"]
NOUNS = ["dog", "cat", "park", "man", "woman", "telescope", "garden", "house", "river", "friend", "book", "tree"]
VERBS = ["see", "like", "find", "watch", "follow", "paint", "visit", "help"]
PREPS = ["in", "with", "near", "under", "behind", "on"]

GRAMMAR = """(load "syn.lsp")
(make-avmeaning-proto syn avm)
(make-lexicon lex 1001 :ending-table ((p s plural) (p "" base)))
(lex lex
{entries})
(make-lex-analyzer ana :lexicon lex)
(def-korvel-parser bench :attribute-vector-type syn :lexical-analyzer ana
  :lexical-attributes (cat num lexitem) :default-percolating-attributes (num))
(def-category Det)
(def-category A)
(def-category P (visible-atts (cat lexitem)))
(def-category N (visible-atts (cat num lexitem)))
(def-category V (visible-atts (cat lexitem)))
(def-category PP (visible-atts (cat lexitem)))
(def-category NP (visible-atts (cat num lexitem)))
(def-modifiers PP (:head (P)) ((NP (dep-type pobj))))
(def-modifiers NP
  (? (Det (dep-type det)))
  (* (A (dep-type amod)))
  (:head (N))
  (* (PP (dep-type pmod) (dep-weight 1.5))))
(def-category S (visible-atts (cat lexitem)))
(def-modifiers S
  ((NP (dep-type subj)))
  (:head (V))
  (? (NP (dep-type obj)))
  (* (PP (dep-type vmod))))
(roots (S) (NP))
"""


def entries():
    lines = []
    lines += [f"  ({w} (avm ((cat d))))" for w in DETS]
    lines += [f"  ({w} (avm ((cat a))))" for w in ADJS]
    lines += [f"  ({w} (avm ((cat n) (num sg))))" for w in NOUNS]
    lines += [f"  ({w} (avm ((cat v))))" for w in VERBS]
    lines += [f"  ({w} (avm ((cat p))))" for w in PREPS]
    return "\n".join(lines)


def noun_phrase(rng, depth=0):
    words = [rng.choice(DETS)]
    words += [rng.choice(ADJS) for _ in range(rng.choice([0, 0, 1, 2]))]
    words.append(rng.choice(NOUNS))
    if depth < 2 and rng.random() < 0.3:
        words += [rng.choice(PREPS)] + noun_phrase(rng, depth + 1)
    return words


def sentence(rng):
    words = noun_phrase(rng) + [rng.choice(VERBS) + "s"] + noun_phrase(rng)
    for _ in range(rng.choice([0, 1, 1, 2, 3])):
        words += [rng.choice(PREPS)] + noun_phrase(rng)
    return " ".join(words) + " ."


def flat_sentence(rng, index, count):
    length = 5 + (75 * index) // max(count - 1, 1)
    adjectives = max(length - 5, 0)
    first = adjectives // 2
    words = [rng.choice(DETS)] + [rng.choice(ADJS) for _ in range(first)] + [rng.choice(NOUNS)]
    words += [rng.choice(VERBS) + "s", rng.choice(DETS)]
    words += [rng.choice(ADJS) for _ in range(adjectives - first)] + [rng.choice(NOUNS)]
    return " ".join(words) + " ."


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 17)
    flat = len(sys.argv) > 4 and sys.argv[4] == "flat"
    with open(f"{out}/syn.lsp", "w") as f:
        f.write(SYN)
    with open(f"{out}/korvel.lsp", "w") as f:
        f.write(GRAMMAR.format(entries=entries()))
    with open(f"{out}/sentences.txt", "w") as f:
        for i in range(count):
            f.write((flat_sentence(rng, i, count) if flat else sentence(rng)) + "\n")


if __name__ == "__main__":
    main()
