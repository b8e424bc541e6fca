"""Measures the lexicon on treebank sentences the way velmo's analyzer uses
it: a word's readings are those of its own entry and of the roots its endings
give (as the lexical rules keep them); a word without any takes the readings
of its unknown-word class. Used to tune the generator; the lexicon check
(tools/lexicon-check.py) measures velmo itself."""

from collections import Counter

from lexicon_builder import unknown_class
from scheme import gold_category, printed

UNLISTED_COST = 18.0


def readings_of(builder, form):
    items = []
    for reading, name in builder.derived(form):
        items.append(reading)
    guessed = False
    if not items:
        guessed = True
        entry = builder.entries.get(unknown_class(form))
        items = list(entry.readings) if entry else []
    return items, guessed


def costs_of(builder, form, guessed):
    key = unknown_class(form) if guessed else form.lower()
    entry = builder.entries.get(key)
    return dict(entry.costs) if entry and entry.costs else {}


def measure(builder, sentences):
    figures = Counter()
    confusions = Counter()
    for sentence in sentences:
        for token in sentence:
            gold = gold_category(token)
            items, guessed = readings_of(builder, token.form)
            figures["tokens"] += 1
            figures["readings"] += len(items)
            if guessed:
                figures["guessed"] += 1
            if not items:
                continue
            figures["covered"] += 1
            names = [printed(r.name()) for r in items]
            if gold in names:
                figures["gold_in"] += 1
            costs = costs_of(builder, token.form, guessed)
            best = min(items, key=lambda r: (costs.get(r.name(), UNLISTED_COST), r.name()))
            if printed(best.name()) == gold:
                figures["best"] += 1
            else:
                confusions[(gold, printed(best.name()), token.form.lower())] += 1
    return figures, confusions


def report(figures, confusions, stream):
    n = figures["tokens"]
    stream.write("tokens %d\n" % n)
    stream.write("covered %.2f%%\n" % (100.0 * figures["covered"] / n))
    stream.write("gold among readings %.2f%%\n" % (100.0 * figures["gold_in"] / n))
    stream.write("readings per token %.3f\n" % (figures["readings"] / n))
    stream.write("cheapest is gold %.2f%%\n" % (100.0 * figures["best"] / n))
    stream.write("guessed %.2f%%\n" % (100.0 * figures["guessed"] / n))
    for (gold, best, form), count in confusions.most_common(40):
        stream.write("  %5d %s -> %s  %s\n" % (count, gold, best, form))
