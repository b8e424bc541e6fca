"""Measures the lexicon on treebank sentences the way velmo's analyzer uses
it: a word's readings are those of its own entry and of the roots its endings
give (as the lexical rules keep them); a word without any takes the readings
of its unknown-word class. Used to tune the generator; the lexicon check
(tools/lexicon-check.py) measures velmo itself."""

from collections import Counter

import context
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


def items_of(builder, form):
    items = [context.Item(reading, name, key) for reading, name, key in builder.derived_with_entries(form)]
    if items:
        return items, False
    key = unknown_class(form)
    entry = builder.entries.get(key)
    return [context.Item(reading, None, key) for reading in (entry.readings if entry else [])], True


def measure(builder, sentences, use_context=True):
    figures = Counter()
    confusions = Counter()
    for sentence in sentences:
        words = [token.form for token in sentence]
        analysed = [items_of(builder, word) for word in words]
        lattice = [items for items, _ in analysed]
        if use_context:
            context.apply(words, lattice)
        for token, (_, guessed), found in zip(sentence, analysed, lattice):
            gold = gold_category(token)
            items = [item.reading for item in found]
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
            def cost(item):
                entry = builder.entries.get(item.root)
                table = dict(entry.costs) if entry and entry.costs else {}
                return table.get(item.reading.name(), UNLISTED_COST), item.reading.name()
            best = min(found, key=cost).reading
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
    for (gold, best, form), count in confusions.most_common(25):
        stream.write("  %5d %s -> %s  %s\n" % (count, gold, best, form))
