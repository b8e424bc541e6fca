#!/usr/bin/env python3
"""The lexicon check: runs velmo's lexical analyzer, with the default English
data, over treebank sentences (the EWT dev split by default) and reports

  - the share of tokens that get at least one lexical item,
  - the share whose gold category is among their readings,
  - the average number of readings per token,
  - the share whose cheapest reading has the gold category,
  - velmo's start-up time and peak resident memory with the default data,
  - the lexical analysis speed in words per second.

The gold tokens are given to velmo as they are (one `p` command per
sentence, followed by `li`), so that the figures measure the lexicon and not
the tokenizer. A reading's cost is the one its word's "freq" record gives
of the entry the item was made from (the root's entry for an inflected form,
else the word's own, else its unknown-word class), 18 when none lists it.

  tools/lexicon-check.py [--velmo PATH] [--conllu FILE] [--limit N]
"""

import argparse
import os
import resource
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(HERE, "lexgen"))

from lexicon_builder import unknown_class  # noqa: E402
from scheme import gold_category, printed  # noqa: E402
from sources import read_conllu  # noqa: E402
from velmo_items import SENTENCE_MARK, parse_items, sentence_commands, treebank_file  # noqa: E402

DATA = os.path.join(ROOT, "data")
UNLISTED_COST = 18.0
# Aliases of data/en/attributes.lsp that stand for a category.
def read_costs(path):
    """key (lower case) -> {category name: cost} from the dictionary's freq records."""
    costs = {}
    key = None
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            if line.startswith("("):
                text = line[1:].rstrip("\n")
                key = (text[1:-1].replace('\\"', '"').replace("\\\\", "\\") if text.startswith('"') else text).lower()
            elif line.startswith(" (freq ") and key is not None:
                fields = line.strip()[6:-1].split()
                costs[key] = {fields[i]: float(fields[i + 1]) for i in range(0, len(fields) - 1, 2)}
    return costs


def cost_table(costs, word, item):
    """The record the parser reads: that of the entry the item was made from
    (the root's entry for an inflected form, the word's own entry, or the
    unknown-word class the guesser looked the word up under)."""
    for key in ((item.root.lower(),) if item.inflected else (word.lower(), unknown_class(word))):
        if key in costs:
            return costs[key]
    return {}


def run_velmo(velmo, lines):
    """velmo's output, messages and processor time (user and system)."""
    command = [velmo, "-d", "-i", "-p", "%s;%s" % (os.path.join(HERE, "lexcheck"), DATA)]
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    result = subprocess.run(command, input="\n".join(lines) + "\n", capture_output=True, text=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    seconds = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return result.stdout, result.stderr, seconds


def best_time(velmo, lines, runs=3):
    return min(run_velmo(velmo, lines)[2] for _ in range(runs))


def measure_start(velmo, runs=5):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([velmo, "-i", "-p", DATA], stdin=subprocess.DEVNULL, capture_output=True)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return best, peak_kb


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--velmo", default=os.path.join(ROOT, "build", "app", "velmo"))
    parser.add_argument("--conllu", default=treebank_file("dev"))
    parser.add_argument("--limit", type=int, default=0, help="only the first N sentences")
    args = parser.parse_args()

    sentences = list(read_conllu(args.conllu))
    if args.limit:
        sentences = sentences[:args.limit]
    start_seconds, peak_kb = measure_start(args.velmo)

    parse_lines = sentence_commands(sentences, list_items=False)
    words = sum(len(sentence) for sentence in sentences)
    # Processor time, not wall time: the machine may be busy with other work.
    # The parser has no categories, so a sentence costs its lexical analysis
    # and the reading of the command.
    analysis = max(best_time(args.velmo, parse_lines) - best_time(args.velmo, []), 1e-9)

    output, errors, _ = run_velmo(args.velmo, sentence_commands(sentences))
    chunks = output.split(SENTENCE_MARK)[1:]
    if len(chunks) != len(sentences):
        sys.stderr.write("velmo answered %d of %d sentences; its messages:\n%s\n"
                         % (len(chunks), len(sentences), errors[:2000]))
        return 1

    costs = read_costs(os.path.join(DATA, "en", "words.dic"))
    tokens = covered = gold_in = readings = cheapest_gold = whole_gold = 0
    for sentence, chunk in zip(sentences, chunks):
        items = parse_items(chunk)
        for position, token in enumerate(sentence, 1):
            tokens += 1
            gold = gold_category(token)
            own = [item for item in items if item.low == position and item.high == position and item.category]
            spanning = [item for item in items if item.low <= position <= item.high and item.category]
            if spanning:
                covered += 1
            readings += len(own)
            names = [printed(item.category) for item in own]
            if gold in names:
                gold_in += 1
            if own:
                cost = [cost_table(costs, token.form, item).get(item.category, UNLISTED_COST) for item in own]
                best = min(zip(cost, own), key=lambda pair: (pair[0], pair[1].category))[1]
                if printed(best.category) == gold:
                    cheapest_gold += 1
                # The parser keeps a word's weight as a whole number: a tie
                # between categories leaves the choice to the grammar.
                whole = [int(value) for value in cost]
                lowest = {printed(item.category) for value, item in zip(whole, own) if value == min(whole)}
                if lowest == {gold}:
                    whole_gold += 1
    print("sentences                 %d" % len(sentences))
    print("tokens                    %d" % tokens)
    print("with a lexical item       %.2f%%  (target 99.7%%)" % (100.0 * covered / tokens))
    print("gold category among them  %.2f%%  (target 98.5%%)" % (100.0 * gold_in / tokens))
    print("readings per token        %.3f   (target at most 2.0)" % (readings / tokens))
    print("cheapest reading is gold  %.2f%%  (target 93%%)" % (100.0 * cheapest_gold / tokens))
    print("  with whole-number weights %.2f%% (ties between categories count as misses)"
          % (100.0 * whole_gold / tokens))
    print("start-up                  %.0f ms (target at most 150 ms)" % (1000 * start_seconds))
    print("peak resident memory      %.1f MB (target under 200 MB)" % (peak_kb / 1024.0))
    print("lexical analysis          %.0f words/s of processor time (target at least 100,000)" % (words / analysis))
    return 0


if __name__ == "__main__":
    sys.exit(main())
