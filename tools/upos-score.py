#!/usr/bin/env python3
"""Scores the UPOS column of a system CoNLL-U file against gold trees.

    tools/upos-score.py GOLD SYSTEM [--top N] [--examples K] [--pair G>S]

Sentences are paired in order; within a sentence the words are aligned by
character span (whitespace ignored), so a word the tokenizer split or joined
differently is left out rather than shifting the rest.  Prints the accuracy
over aligned words, a confusion table of gold -> system categories with counts
and the commonest words of each confusion, and with --pair G>S every
occurrence of one confusion in context.
"""

import argparse
import collections
import os
import signal
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lexgen"))

from sources import read_conllu  # noqa: E402


def read_sentences(path):
    """Yields each sentence as a list of (form, upos) for its words."""
    for sentence in read_conllu(path):
        yield [(token.form, token.upos) for token in sentence]


def spans(words):
    """Character spans of the words in the sentence without whitespace."""
    result = []
    offset = 0
    for form, _ in words:
        length = len("".join(form.split()))
        result.append((offset, offset + length))
        offset += length
    return result


def aligned_pairs(gold_words, system_words):
    """Pairs of word indexes whose character spans agree."""
    system_at = {span: index for index, span in enumerate(spans(system_words))}
    for index, span in enumerate(spans(gold_words)):
        if span in system_at:
            yield index, system_at[span]


def context(words, index, width=4):
    low = max(0, index - width)
    high = min(len(words), index + width + 1)
    shown = []
    for position in range(low, high):
        form = words[position][0]
        shown.append(f"[{form}]" if position == index else form)
    return " ".join(shown)


def main():
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)  # quiet when piped into head
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("gold")
    parser.add_argument("system")
    parser.add_argument("--top", type=int, default=30, help="confusions shown")
    parser.add_argument("--examples", type=int, default=8, help="words per confusion")
    parser.add_argument("--pair", help="list every occurrence of GOLD>SYSTEM")
    arguments = parser.parse_args()

    gold_sentences = list(read_sentences(arguments.gold))
    system_sentences = list(read_sentences(arguments.system))
    if len(gold_sentences) != len(system_sentences):
        print(f"upos-score: {len(gold_sentences)} gold sentences but "
              f"{len(system_sentences)} system sentences", file=sys.stderr)
        return 1

    wanted = tuple(arguments.pair.split(">")) if arguments.pair else None
    total = correct = 0
    gold_count = collections.Counter()
    correct_count = collections.Counter()
    confusions = collections.Counter()
    examples = collections.defaultdict(collections.Counter)
    for gold_words, system_words in zip(gold_sentences, system_sentences):
        for gold_index, system_index in aligned_pairs(gold_words, system_words):
            form, gold_tag = gold_words[gold_index]
            system_tag = system_words[system_index][1]
            total += 1
            gold_count[gold_tag] += 1
            if gold_tag == system_tag:
                correct += 1
                correct_count[gold_tag] += 1
                continue
            confusions[gold_tag, system_tag] += 1
            examples[gold_tag, system_tag][form.lower()] += 1
            if wanted == (gold_tag, system_tag):
                print(context(gold_words, gold_index))

    if total == 0:
        print("upos-score: no aligned words", file=sys.stderr)
        return 1
    print(f"aligned words {total}, UPOS correct {correct} ({100.0 * correct / total:.2f}%)")
    print()
    print(f"{'gold':<7}{'words':>7}{'recall':>8}")
    for tag, count in gold_count.most_common():
        print(f"{tag:<7}{count:>7}{100.0 * correct_count[tag] / count:>8.2f}")
    print()
    print(f"{'gold>system':<14}{'count':>6}  words")
    for (gold_tag, system_tag), count in confusions.most_common(arguments.top):
        common = examples[gold_tag, system_tag].most_common(arguments.examples)
        shown = ", ".join(f"{word} {n}" for word, n in common)
        print(f"{gold_tag + '>' + system_tag:<14}{count:>6}  {shown}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
