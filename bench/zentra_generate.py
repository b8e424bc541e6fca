#!/usr/bin/env python3
"""Writes a synthetic requirements document for timing zentra.

zentra_generate.py DIR [SENTENCES] [DICTIONARY_WORDS]

DIR receives doc.txt (one sentence a line, a numbered heading every 50
lines), parsed.txt (the parser shell's dependency output for every line,
prompts included, about 20 tree lines a sentence) and dict.txt (one word or
two-word phrase a line). The text is deterministic so runs are comparable.
"""
import os
import random
import sys

NOUNS = ["system", "user", "pump", "valve", "data", "report", "sensor", "operator", "signal", "message"]
VERBS = [("shows", "show"), ("stores", "store"), ("sends", "send"), ("checks", "check"), ("logs", "log")]
ADJECTIVES = ["fast", "safe", "large", "manual", "remote"]
RELATIONS = ["det", "mod", "nn", "obj", "subj", "s", "conj", "pred"]


def sentence_nodes(rng, length):
    """(word, root, category, parent, relation) per position 1..length."""
    head = 3
    verb, verb_root = rng.choice(VERBS)
    nodes = []
    for pos in range(1, length + 1):
        if pos == head:
            nodes.append((verb, verb_root, "V", None, ""))
            continue
        kind = rng.randrange(4)
        if kind == 0:
            word, category = rng.choice(NOUNS), "N"
        elif kind == 1:
            word, category = rng.choice(ADJECTIVES), "A"
        elif kind == 2:
            word, category = "the", "Det"
        else:
            word, category = "with", "Prep"
        nodes.append((word, word, category, head, rng.choice(RELATIONS)))
    return nodes, verb_root


def tree_text(nodes, verb_root):
    lines = ["> ("]
    for pos, (word, root, category, parent, relation) in enumerate(nodes, start=1):
        shown_root = "~" if root == word else root
        if parent is None:
            lines.append(f"{pos}\t({word}\t{shown_root} {category}\t*\t)")
        else:
            lines.append(f"{pos}\t({word}\t{shown_root} {category}\t{parent}\t{relation}\t(gov {verb_root}))")
    lines.append(")")
    return "\n".join(lines) + "\n"


def main():
    out_dir = sys.argv[1]
    sentences = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    dictionary_words = int(sys.argv[3]) if len(sys.argv) > 3 else 200
    rng = random.Random(8)
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "doc.txt"), "w") as doc, open(os.path.join(out_dir, "parsed.txt"), "w") as parsed:
        for n in range(sentences):
            nodes, verb_root = sentence_nodes(rng, rng.randrange(18, 23))
            words = " ".join(node[0] for node in nodes)
            if n % 50 == 0:
                words = f"{n // 50 + 1}.{n % 7 + 1} {words}"
            doc.write(words + "\n")
            parsed.write(tree_text(nodes, verb_root))
        parsed.write("> ")
    vocabulary = NOUNS + ADJECTIVES + [verb for verb, _ in VERBS]
    with open(os.path.join(out_dir, "dict.txt"), "w") as dictionary:
        for k in range(dictionary_words):
            if k < len(vocabulary):
                dictionary.write(vocabulary[k] + "\n")
            elif k % 3 == 0:
                dictionary.write(f"the {rng.choice(NOUNS)}\n")
            else:
                dictionary.write(f"term{k}\n")


if __name__ == "__main__":
    main()
