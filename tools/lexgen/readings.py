#!/usr/bin/env python3
"""The readings the English parse starts from, measured with velmo itself.

Runs velmo's lexical analyzer with the default English data over the gold
tokens of treebank files (the EWT train and dev splits by default) twice:
once without the contextual rules of data/en/context.lsp and once with all
rules. For each file it prints

  - readings per word (lexical items: a multi-word item counts once), before
    and after the contextual rules,
  - how often the gold reading is among the readings kept: by category
    (UPOS mapped to our categories; "be" that is not an auxiliary is VBE) and, for verbs, also by verb form
    (XPOS: VB base, VBD/VBP/VBZ/MD finite, VBG ing, VBN en),
  - how often a contextual rule deleted the gold reading, and the share of
    deleted readings that were wrong (the rules' precision),
  - with --per-rule, the same deletion figures for every contextual rule
    (the rules run in order, so the rule set is cut after each rule in turn),
  - with --show N, the commonest losses and the commonest extra readings.

  tools/lexgen/readings.py [--velmo PATH] [--per-rule] [--show N] [FILE ...]
"""

import argparse
import os
import re
import sys
import tempfile
from collections import Counter

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
DATA = os.path.join(ROOT, "data")
sys.path.insert(0, HERE)

from scheme import gold_category, printed  # noqa: E402
from sources import read_conllu  # noqa: E402
from velmo_items import balanced, category_name, parse_items, run_analysis, treebank_file  # noqa: E402

VERB_CATEGORIES = ("V", "VB", "VBE")
GOLD_VFORM = {"VB": "base", "VBD": "fin", "VBP": "fin", "VBZ": "fin", "MD": "fin", "VBG": "ing", "VBN": "en"}


def default_files():
    return [treebank_file(split) for split in ("train", "dev")]


# -- reading command files --------------------------------------------------------


def forms(text):
    """The top-level parenthesised forms of a command file, as (start, end)
    offsets; comments and strings are passed over."""
    spans = []
    depth = 0
    start = 0
    i = 0
    while i < len(text):
        c = text[i]
        if c == ";":
            end = text.find("\n", i)
            i = len(text) if end < 0 else end
            continue
        if c == '"':
            i += 1
            while i < len(text) and text[i] != '"':
                i += 2 if text[i] == "\\" else 1
        elif c == "(":
            if depth == 0:
                start = i
            depth += 1
        elif c == ")":
            depth -= 1
            if depth == 0:
                spans.append((start, i + 1))
        i += 1
    return spans


def split_context_rules(path):
    """(the forms before the rule set, [(rule name, rule text)]) of context.lsp."""
    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    prelude = []
    rules = []
    for start, end in forms(text):
        form = text[start:end]
        if form.startswith("(def-rules"):
            inner = form[1:-1]
            for rule_start, rule_end in forms(inner):
                rule = inner[rule_start:rule_end]
                rules.append((re.match(r"\(\s*([^\s()]+)", rule).group(1), rule))
        else:
            prelude.append(form)
    return prelude, rules


def write_start_up(folder, prelude, rules):
    """A start-up file that loads the English data with the given contextual
    rules and a parser without categories."""
    with open(os.path.join(folder, "context-cut.lsp"), "w", encoding="utf-8") as stream:
        stream.write("\n".join(prelude) + "\n")
        stream.write("(def-rules english-rules\n%s)\n" % "\n".join(text for _, text in rules))
    with open(os.path.join(folder, "korvel.lsp"), "w", encoding="utf-8") as stream:
        stream.write('(load "en/attributes.lsp")\n(load "en/lexicon.lsp")\n(load "en/morphology.lsp")\n'
                     '(load "context-cut.lsp")\n'
                     "(make-lex-analyzer english-analyzer :lexicon english :lexical-rules english-rules\n"
                     "  :meaning-selector (comp (meaning-type) (str= avm)))\n"
                     "(def-korvel-parser readings :attribute-vector-type syn :lexical-analyzer english-analyzer)\n")


# -- running velmo ------------------------------------------------------------------


def reading_of(vector):
    """(category, verb forms or None) of a printed attribute vector."""
    args_at = vector.find("(args ")
    head = vector if args_at < 0 else vector[:args_at] + vector[balanced(vector, args_at):]
    vform = re.search(r"\(vform ([a-z ]+)\)", head)
    return category_name(vector, with_args=False), frozenset(vform.group(1).split()) if vform else None


def run_velmo(velmo, path, sentences):
    """For every sentence, for every position, the list of readings of the
    one-word items there; a multi-word item is listed, as ("phrase", None), at its
    first word only (it enters the chart once)."""
    chunks, problem = run_analysis(velmo, path, sentences)
    if chunks is None:
        sys.exit(problem)
    lattices = []
    for sentence, chunk in zip(sentences, chunks):
        positions = [[] for _ in sentence]
        for item in parse_items(chunk):
            reading = reading_of(item.vector) if item.low == item.high else ("phrase", None)
            positions[item.low - 1].append(reading)
        lattices.append(positions)
    return lattices


# -- figures ------------------------------------------------------------------------


def gold_reading(token):
    category = gold_category(token)
    if category == "VB" and token.lemma.lower() == "be" and not token.deprel.startswith("aux"):
        # "be" heading its clause without a predicate (there it was) is VBE
        # in our scheme, whatever the treebank's relation.
        category = "VBE"
    return category, GOLD_VFORM.get(token.xpos) if category in VERB_CATEGORIES else None


def has_category(readings, gold):
    return any(printed(category) == gold[0] for category, _ in readings)


def has_reading(readings, gold):
    category, vform = gold
    return any(printed(c) == category and (vform is None or v is None or vform in v) for c, v in readings)


class Figures:
    def __init__(self):
        self.counts = Counter()
        self.lost = Counter()
        self.extra = Counter()

    def add(self, sentences, before, after):
        c = self.counts
        for sentence, lattice_before, lattice_after in zip(sentences, before, after):
            for token, was, kept in zip(sentence, lattice_before, lattice_after):
                gold = gold_reading(token)
                c["tokens"] += 1
                c["before"] += len(was)
                c["after"] += len(kept)
                c["deleted"] += len(was) - len(kept)
                c["gold_before"] += has_category(was, gold)
                c["gold_after"] += has_category(kept, gold)
                c["form_before"] += has_reading(was, gold)
                c["form_after"] += has_reading(kept, gold)
                deleted = list((Counter(was) - Counter(kept)).elements())
                c["deleted_gold"] += sum(1 for category, _ in deleted if printed(category) == gold[0])
                if has_category(was, gold) and not has_category(kept, gold):
                    c["lost"] += 1
                    self.lost[(gold[0], token.form.lower(), " ".join(sorted({printed(x) for x, _ in kept})))] += 1
                if has_reading(was, gold) and not has_reading(kept, gold):
                    c["form_lost"] += 1
                for category, _ in kept:
                    if printed(category) != gold[0]:
                        self.extra[(token.form.lower(), gold[0], printed(category))] += 1

    def report(self, title, stream, show=0):
        c = self.counts
        n = c["tokens"] or 1
        stream.write("%s: %d words\n" % (title, c["tokens"]))
        stream.write("  readings per word          %.3f before the contextual rules, %.3f after\n"
                     % (c["before"] / n, c["after"] / n))
        stream.write("  gold category kept         %.2f%% (%.2f%% before the contextual rules)\n"
                     % (100.0 * c["gold_after"] / n, 100.0 * c["gold_before"] / n))
        stream.write("  gold category and form     %.2f%% (%.2f%% before)\n"
                     % (100.0 * c["form_after"] / n, 100.0 * c["form_before"] / n))
        stream.write("  gold deleted by a rule     %d words (%.3f%%), %d with the verb form\n"
                     % (c["lost"], 100.0 * c["lost"] / n, c["form_lost"]))
        deleted = c["deleted"] or 1
        stream.write("  readings deleted           %d, %.2f%% of them not gold\n"
                     % (c["deleted"], 100.0 - 100.0 * c["deleted_gold"] / deleted))
        if show:
            stream.write("  commonest losses (gold, word, kept):\n")
            for (gold, word, kept), count in self.lost.most_common(show):
                stream.write("    %5d %-5s %-15s %s\n" % (count, gold, word, kept))
            stream.write("  commonest extra readings (word, gold, extra):\n")
            for (word, gold, extra), count in self.extra.most_common(show):
                stream.write("    %5d %-15s %-5s %s\n" % (count, word, gold, extra))


def rule_figures(sentences, before, after):
    """(readings deleted, of them gold category, words whose gold category was lost)."""
    deleted = gold_deleted = lost = 0
    for sentence, lattice_before, lattice_after in zip(sentences, before, after):
        for token, was, kept in zip(sentence, lattice_before, lattice_after):
            gold = gold_reading(token)[0]
            gone = list((Counter(was) - Counter(kept)).elements())
            deleted += len(gone)
            gold_deleted += sum(1 for category, _ in gone if printed(category) == gold)
            lost += has_category(was, (gold,)) and not has_category(kept, (gold,))
    return deleted, gold_deleted, lost


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--velmo", default=os.path.join(ROOT, "build", "app", "velmo"))
    parser.add_argument("--context", default=os.path.join(DATA, "en", "context.lsp"))
    parser.add_argument("--per-rule", action="store_true", help="deletion figures of every contextual rule")
    parser.add_argument("--show", type=int, default=0, help="list the N commonest losses and extra readings")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()

    files = args.files or default_files()
    prelude, rules = split_context_rules(args.context)
    with tempfile.TemporaryDirectory() as folder:
        path = "%s;%s" % (folder, DATA)
        for name in files:
            sentences = list(read_conllu(name))
            write_start_up(folder, prelude, [])
            before = run_velmo(args.velmo, path, sentences)
            rows = []
            if args.per_rule:
                # One lattice at a time: a rule's deletions are what the
                # rule set cut after it removes from the set cut before it.
                was = before
                for count in range(1, len(rules) + 1):
                    write_start_up(folder, prelude, rules[:count])
                    kept = run_velmo(args.velmo, path, sentences)
                    rows.append((rules[count - 1][0], rule_figures(sentences, was, kept)))
                    was = kept
                after = was
            else:
                write_start_up(folder, prelude, rules)
                after = run_velmo(args.velmo, path, sentences)
            figures = Figures()
            figures.add(sentences, before, after)
            figures.report(os.path.basename(name), sys.stdout, args.show)
            if rows:
                sys.stdout.write("  %-30s %8s %8s %8s %8s\n" % ("rule", "deleted", "wrong", "correct", "lost"))
                for rule, (deleted, wrong, lost) in rows:
                    if deleted:
                        sys.stdout.write("  %-30s %8d %8d %7.2f%% %8d\n"
                                         % (rule, deleted, wrong, 100.0 - 100.0 * wrong / deleted, lost))
            sys.stdout.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
