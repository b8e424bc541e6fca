"""Readers for the two open resources the English data is built from:
the Universal Dependencies English Web Treebank (CoNLL-U) and WordNet 3.0
(the index, data and exception files of the Debian package wordnet-base)."""

import os
from collections import namedtuple

Token = namedtuple("Token", "id form lemma upos xpos feats head deprel")


def default_ewt(root):
    """The train split in the shared data folder found above `root` (the
    repository), or its bare file name when there is none."""
    folder = root
    while folder != os.path.dirname(folder):
        folder = os.path.dirname(folder)
        candidate = os.path.join(folder, "shared", "data", "ud-english-ewt", "en_ewt-ud-train.conllu")
        if os.path.exists(candidate):
            return candidate
    return "en_ewt-ud-train.conllu"


def parse_feats(text):
    if text == "_":
        return {}
    feats = {}
    for pair in text.split("|"):
        name, _, value = pair.partition("=")
        feats[name] = value
    return feats


def read_conllu(path):
    """Yields each sentence as a list of tokens; multi-word token ranges and
    empty nodes are left out, so ids run 1..n."""
    sentence = []
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if not line:
                if sentence:
                    yield sentence
                sentence = []
                continue
            if line.startswith("#"):
                continue
            cols = line.split("\t")
            if len(cols) != 10 or "-" in cols[0] or "." in cols[0]:
                continue
            head = int(cols[6]) if cols[6].isdigit() else 0
            sentence.append(Token(int(cols[0]), cols[1], cols[2], cols[3], cols[4],
                                  parse_feats(cols[5]), head, cols[7]))
    if sentence:
        yield sentence


# WordNet part-of-speech letters as they appear in the file names.
WN_FILES = {"n": "noun", "v": "verb", "a": "adj", "r": "adv"}

WnLemma = namedtuple("WnLemma", "lemma pos senses tagged offsets")


def read_wn_index(wordnet_dir, pos):
    """Yields the lemmas of one index file, in file order."""
    path = os.path.join(wordnet_dir, "index." + WN_FILES[pos])
    with open(path, encoding="latin-1") as stream:
        for line in stream:
            if line.startswith(" "):
                continue  # licence header
            fields = line.split()
            lemma, _, synset_count, pointer_count = fields[0], fields[1], int(fields[2]), int(fields[3])
            rest = fields[4 + pointer_count:]
            tagged = int(rest[1])
            offsets = rest[2:2 + synset_count]
            yield WnLemma(lemma, pos, synset_count, tagged, offsets)


def read_wn_exceptions(wordnet_dir, pos):
    """Maps each irregular form to its base forms, for one part of speech."""
    table = {}
    path = os.path.join(wordnet_dir, WN_FILES[pos] + ".exc")
    with open(path, encoding="latin-1") as stream:
        for line in stream:
            fields = line.split()
            if len(fields) >= 2:
                table.setdefault(fields[0], [])
                for base in fields[1:]:
                    if base not in table[fields[0]]:
                        table[fields[0]].append(base)
    return table


def read_wn_verb_frames(wordnet_dir):
    """Maps each verb lemma (lower case) to the set of generic frame numbers
    its synsets list for it."""
    frames = {}
    path = os.path.join(wordnet_dir, "data.verb")
    with open(path, encoding="latin-1") as stream:
        for line in stream:
            if line.startswith(" "):
                continue
            body = line.split("|", 1)[0].split()
            word_count = int(body[3], 16)
            words = [body[4 + 2 * i].lower() for i in range(word_count)]
            at = 4 + 2 * word_count
            pointer_count = int(body[at])
            at += 1 + 4 * pointer_count
            if at >= len(body):
                continue
            frame_count = int(body[at])
            at += 1
            for _ in range(frame_count):
                number, word_number = int(body[at + 1]), int(body[at + 2], 16)
                at += 3
                targets = words if word_number == 0 else [words[word_number - 1]]
                for word in targets:
                    frames.setdefault(word, set()).add(number)
    return frames


def read_wn_spellings(wordnet_dir):
    """Maps each lower-case lemma to the spelling the data files give it
    (New_York for new_york), when that differs from lower case."""
    spellings = {}
    for pos in ("n", "v", "a", "r"):
        path = os.path.join(wordnet_dir, "data." + WN_FILES[pos])
        with open(path, encoding="latin-1") as stream:
            for line in stream:
                if line.startswith(" "):
                    continue
                fields = line.split(None, 4 + 2 * int(line.split(None, 4)[3], 16))
                word_count = int(fields[3], 16)
                for i in range(word_count):
                    word = fields[4 + 2 * i]
                    word = word.split("(", 1)[0]  # adjective markers such as (a)
                    lowered = word.lower()
                    if word != lowered and lowered not in spellings:
                        spellings[lowered] = word
    return spellings
