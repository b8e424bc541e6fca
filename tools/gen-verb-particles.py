#!/usr/bin/env python3
"""Generates the (verb lemma, particle) pairs the UD conversion reads as
phrasal verbs, from the UD English Web Treebank (train split). The output
depends on nothing but the treebank: running it again gives the same bytes.

  tools/gen-verb-particles.py [--ewt TRAIN.conllu] [--out-dir DIR]

Files written (default folder parser/ud/):
  verb_particles.inc  a word after its verb (an adposition or adverb) that
      hangs from it as compound:prt at least MIN_PARTICLE times and at least
      as often as it hangs from it as advmod (check in; come in is an adverb)
  verb_adverbs.inc  a word after its verb that hangs from it as advmod at
      least MIN_PARTICLE times and at least ADVERB_RATIO times as often as
      compound:prt (come out, go away: adverbs of place, not particles)
  verb_particles_before_objects.inc  a word right after its verb, before the
      verb's object, that is its particle (compound:prt) at least
      MIN_PARTICLE times and more often than it is the preposition (case) of
      a noun right after it that hangs from the verb (bring in my son; but
      put it in the box)
"""

import os
import sys
from collections import Counter

from ud_tables import arguments, write_table
from sources import read_conllu  # noqa: E402 (ud_tables puts tools/lexgen on the path)

MIN_PARTICLE = 2
ADVERB_RATIO = 2
PARTICLE_TAGS = {"ADP", "ADV"}


def count_pairs(path):
    """Counts of (lemma, word) as compound:prt and as advmod of a verb before it."""
    particle, adverb = Counter(), Counter()
    for sentence in read_conllu(path):
        for token in sentence:
            if token.head == 0 or token.head >= token.id or token.upos not in PARTICLE_TAGS:
                continue
            verb = sentence[token.head - 1]
            if verb.upos != "VERB":
                continue
            key = (verb.lemma.lower(), token.form.lower())
            if token.deprel == "compound:prt":
                particle[key] += 1
            elif token.deprel == "advmod":
                adverb[key] += 1
    return particle, adverb


def count_pairs_before_objects(path):
    """Counts of (lemma, word) right after the verb as its particle before its
    object, and as the preposition of a noun after it hanging from the verb."""
    particle, preposition = Counter(), Counter()
    for sentence in read_conllu(path):
        for token in sentence:
            if token.id < 2 or token.upos not in PARTICLE_TAGS:
                continue
            verb = sentence[token.id - 2]
            if verb.upos != "VERB":
                continue
            key = (verb.lemma.lower(), token.form.lower())
            if token.deprel == "compound:prt" and token.head == verb.id:
                if any(other.head == verb.id and other.deprel == "obj" and other.id > token.id for other in sentence):
                    particle[key] += 1
            elif token.deprel == "case" and token.head > token.id:
                noun = sentence[token.head - 1]
                if noun.head == verb.id:
                    preposition[key] += 1
    return particle, preposition


def listed_pairs(particle, adverb):
    return sorted(key for key, count in particle.items()
                  if count >= MIN_PARTICLE and count >= ADVERB_RATIO * adverb[key] and key[0].isalpha() and key[1].isalpha())


def listed_adverb_pairs(particle, adverb):
    return sorted(key for key, count in adverb.items()
                  if count >= MIN_PARTICLE and count >= ADVERB_RATIO * particle[key] and key[0].isalpha() and
                  key[1].isalpha())


def listed_pairs_before_objects(particle, preposition):
    return sorted(key for key, count in particle.items()
                  if count >= MIN_PARTICLE and count > preposition[key] and key[0].isalpha() and key[1].isalpha())


def main():
    args = arguments(__doc__, "gen-verb-particles")
    if args is None:
        return 1
    particle, adverb = count_pairs(args.ewt)
    before_object, preposition = count_pairs_before_objects(args.ewt)
    outputs = [("verb_particles.inc", listed_pairs(particle, adverb)),
               ("verb_adverbs.inc", listed_adverb_pairs(particle, adverb)),
               ("verb_particles_before_objects.inc", listed_pairs_before_objects(before_object, preposition))]
    for name, pairs in outputs:
        out = os.path.join(args.out_dir, name)
        write_table(out, "gen-verb-particles", "(verb lemma, particle) pairs, sorted.", pairs)
        print("gen-verb-particles: %d pairs written to %s" % (len(pairs), out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
