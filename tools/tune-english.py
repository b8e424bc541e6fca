#!/usr/bin/env python3
"""Tunes the statistical parameters of velmo's English data on the train
split alone: every N-th train sentence is held out, the lexicon and the
corpus statistics are generated from the rest, and the held-out sentences
are parsed with each candidate setting and scored against their gold trees
(UAS and LAS after conversion to UD, velmo -u). Nothing else is read: dev
and test sentences are never used, so the choice can be checked on dev
afterwards.

  tools/tune-english.py [--ewt TRAIN] [--build DIR] [--work DIR] [--every N] [--by-document]
                        [--dist-exponent X,Y,...] [--cost-scale S,T,...]
                        [--association-power X,Y,...] [--unknown-modifier-power X,Y,...]
                        [--search-weights FACTORS] [--rounds N]
                        [--min-gain G] [--time-budget MINUTES] [--first-line N]
                        [--reuse-statistics]

--dist-exponent   powers of the distance probabilities; the default is the
                  generator's own (gen-english-stats.py DIST_EXPONENT)
--association-power, --unknown-modifier-power
                  powers the relation database applies to parts of its
                  answers (gen-english-stats.py); the default is the
                  generator's own
--by-document     hold out every N-th document instead of every N-th
                  sentence: figures nearer to those of unseen text
--cost-scale      reading costs as whole numbers round(S * cost); "none"
                  keeps two decimals (gen-english-data.py); the default is
                  the generator's own, the scale the committed data uses
--search-weights  after the first setting is scored, a coordinate search over
                  the link weights (dep-weight) and root costs of
                  en/grammar.lsp: each weight in turn is multiplied by each
                  factor (e.g. 0.5,0.75,1.5,2) and the best change is kept
                  when held-out LAS rises by at least --min-gain, or LAS
                  holds and UAS rises by that much; --rounds passes over all
                  weights. The factors are tried farthest from 1 first; when
                  the farthest below and above 1 both leave every held-out
                  parse as it was, the milder ones are skipped (a parse's
                  cost is linear in each weight, so the best parse rarely
                  changes in between). The changes are printed as line numbers with
                  old and new values, each with the held-out figures it
                  reached; data/en/grammar.lsp is left as it is.
--min-gain        the smallest held-out gain, in points, that keeps a change
                  (default 0.05: smaller differences are noise)
--time-budget     stop the search after this many minutes and print the
                  changes found so far (default: no limit)
--first-line      search only the weights on this line of en/grammar.lsp
                  and after it (to go on where a search stopped)
--reuse-statistics
                  keep the lexicon and statistics already generated in the
                  work folder when they were made from the same inputs, and
                  take everything else (the hand-written grammar, context,
                  joins, ...) from the checkout's data/: a change to
                  hand-written files is then scored in seconds, not minutes.
                  Each generation leaves a stamp (generated.stamp in the work folder)
                  with the split and generator settings and a digest of
                  every input that can change: the train file, the
                  generator scripts and their hand-written sources
                  (tools/lexgen), WordNet, and the udtool and velmo binaries.
                  When the stamp differs or a generated file is missing, the
                  data is generated again and stderr says why. Takes one
                  value of each setting.
The setting with the best held-out LAS (then UAS) is printed last. The same
inputs give the same figures: the split and the generators are
deterministic.
"""

import argparse
import hashlib
import os
import math
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lexgen"))

from sources import default_ewt  # noqa: E402
import writer  # noqa: E402

ROOT = os.path.dirname(HERE)


STATS_FILES = ("dist.txt", "bad-triples.txt", "roots.txt", "relations.hdr", "relations.qhash")
# Every file gen-english-data.py writes: the tuning copy holds them as real
# files, so that regenerating them never writes through a link into data/en.
LEXICON_FILES = ("words.dic", "words.idx", "words.hdr", "lexicon.lsp", "unknown.lsp", "false-roots.lsp",
                 "prenominal.lsp")


def read_blocks(path):
    """The sentences of a CoNLL-U file as lists of lines (comments kept)."""
    blocks, block = [], []
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if line:
                block.append(line)
            elif block:
                blocks.append(block)
                block = []
    if block:
        blocks.append(block)
    return blocks


def write_blocks(path, blocks):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for block in blocks:
            out.write("\n".join(block) + "\n\n")


def document_of(block):
    """The document a sentence belongs to: its sent_id without the sentence
    number."""
    for line in block:
        if line.startswith("# sent_id = "):
            return line[len("# sent_id = "):].rsplit("-", 1)[0]
    return ""


def split_train(ewt, work, every, by_document=False):
    """train-rest.conllu (the statistics' source) and held-out.conllu: every
    N-th sentence, or every N-th document with all its sentences (the other
    sentences of a document share its words and phrases, so the held-out
    score of a sentence split rewards memorised word pairs more than new
    text does)."""
    blocks = read_blocks(ewt)
    if by_document:
        documents = {}
        for block in blocks:
            documents.setdefault(document_of(block), len(documents))
        held_out = [documents[document_of(b)] % every == every - 1 for b in blocks]
    else:
        held_out = [i % every == every - 1 for i in range(len(blocks))]
    held = [b for b, out in zip(blocks, held_out) if out]
    rest = [b for b, out in zip(blocks, held_out) if not out]
    write_blocks(os.path.join(work, "train-rest.conllu"), rest)
    write_blocks(os.path.join(work, "held-out.conllu"), held)
    return len(rest), len(held)


def words_of(block):
    """(form, head, relation) of each syntactic word, relation without its
    subtype."""
    words = []
    for line in block:
        if line.startswith("#"):
            continue
        cells = line.split("\t")
        if "-" in cells[0] or "." in cells[0]:
            continue
        words.append((cells[1], cells[6], cells[7].split(":")[0]))
    return words


def score(gold_path, system_path):
    """UAS and LAS over the sentences whose words are the gold words; the
    others are counted and left out (tokenisation differences)."""
    gold, system = read_blocks(gold_path), read_blocks(system_path)
    total = heads = labels = skipped = 0
    for g, s in zip(gold, system):
        gw, sw = words_of(g), words_of(s)
        if [w[0] for w in gw] != [w[0] for w in sw]:
            skipped += 1
            continue
        for (_, gh, gr), (_, sh, sr) in zip(gw, sw):
            total += 1
            if gh == sh:
                heads += 1
                labels += gr == sr
    skipped += abs(len(gold) - len(system))
    return 100.0 * heads / max(total, 1), 100.0 * labels / max(total, 1), skipped


def clear_folder(folder, keep):
    """Removes every entry of folder but the real files and folders named in
    keep (links are removed even when their name is kept)."""
    for name in os.listdir(folder):
        path = os.path.join(folder, name)
        if name in keep and not os.path.islink(path):
            continue
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.unlink(path)


def copy_entry(source, target):
    """Copies a file or a folder of the checkout into the work copy."""
    if os.path.isdir(source):
        shutil.copytree(source, target)
    else:
        shutil.copy(source, target)


def copy_data(work, keep_generated=False, root=ROOT):
    """A copy of data/ in the work folder, with en/ and en/stats/ as real
    folders for the generated files. Everything else is copied, not linked,
    so that a file written into the work copy never reaches the checkout.
    With keep_generated the generated files already in the copy stay and
    everything else is taken from the checkout again."""
    data = os.path.join(work, "data")
    if keep_generated:
        clear_folder(data, {"en"})
        clear_folder(os.path.join(data, "en"), set(LEXICON_FILES) | {"stats"})
        clear_folder(os.path.join(data, "en", "stats"), set(STATS_FILES))
    else:
        shutil.rmtree(data, ignore_errors=True)
    os.makedirs(os.path.join(data, "en", "stats"), exist_ok=True)
    for name in os.listdir(os.path.join(root, "data")):
        if name != "en":
            copy_entry(os.path.join(root, "data", name), os.path.join(data, name))
    for name in os.listdir(os.path.join(root, "data", "en")):
        if name != "stats" and name not in LEXICON_FILES:
            copy_entry(os.path.join(root, "data", "en", name), os.path.join(data, "en", name))
    return data


# ---- Reusing generated data: the stamp of what it was made from.

STAMP = "generated.stamp"
WORDNET = "/usr/share/wordnet"  # the generators' default, which this tool does not override


def generator_inputs(train, velmo, udtool, wordnet=WORDNET, tools=HERE):
    """(name, path) of every file the generated data depends on that can
    change between runs: the train file, the generator scripts and the
    hand-written sources they read (tools/lexgen), WordNet, and the binaries
    that convert the treebank (udtool) and build the relation database
    (velmo). Names do not depend on where the checkout is."""
    inputs = [("train", train), ("velmo", velmo), ("udtool", udtool)]
    for script in ("gen-english-data.py", "gen-english-stats.py"):
        inputs.append(("tools/" + script, os.path.join(tools, script)))
    lexgen = os.path.join(tools, "lexgen")
    for name in sorted(os.listdir(lexgen)):
        path = os.path.join(lexgen, name)
        if os.path.isfile(path) and not name.startswith("test_") and name.endswith((".py", ".txt")):
            inputs.append(("tools/lexgen/" + name, path))
    for name in sorted(os.listdir(wordnet)):
        path = os.path.join(wordnet, name)
        if os.path.isfile(path):
            inputs.append(("wordnet/" + name, path))
    return inputs


def file_digest(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for chunk in iter(lambda: stream.read(1 << 20), b""):
            digest.update(chunk)
    return digest.hexdigest()


def make_stamp(settings, inputs):
    """The stamp text: one line per setting (name, value) and per input
    (name, digest of its content), tab-separated."""
    lines = ["setting\t%s\t%s" % (name, value) for name, value in settings]
    lines += ["file\t%s\t%s" % (name, file_digest(path)) for name, path in inputs]
    return "\n".join(lines) + "\n"


def generated_files(data):
    return ([os.path.join(data, "en", name) for name in LEXICON_FILES]
            + [os.path.join(data, "en", "stats", name) for name in STATS_FILES])


def stamp_difference(work, stamp):
    """None when the work folder holds generated data made from the inputs
    and settings the stamp describes, else why it cannot be reused."""
    try:
        with open(os.path.join(work, STAMP), encoding="utf-8") as stream:
            old = stream.read()
    except FileNotFoundError:
        return "no stamp of generated data in %s" % work
    if old != stamp:
        def entries(text):
            return {tuple(line.split("\t")[:2]): line for line in text.splitlines()}
        old_entries, new_entries = entries(old), entries(stamp)
        changed = sorted(key[1] for key in set(old_entries) | set(new_entries)
                         if old_entries.get(key) != new_entries.get(key))
        return "the generated data in %s was made from other inputs (%s changed)" % (work, ", ".join(changed))
    for path in generated_files(os.path.join(work, "data")):
        if not os.path.isfile(path) or os.path.islink(path):
            return "generated file %s is missing" % path
    return None


def write_stamp(work, stamp):
    with open(os.path.join(work, STAMP), "w", encoding="utf-8", newline="\n") as out:
        out.write(stamp)


def remove_stamp(work):
    try:
        os.unlink(os.path.join(work, STAMP))
    except FileNotFoundError:
        pass


# A tunable number of the grammar: a link weight or a root cost.
WEIGHT = re.compile(r"\(dep-weight ([0-9.]+)\)|\((?:[A-Za-z]+) \([^()]*(?:\([^()]*\))?[^()]*\) \(int ([0-9]+)\)\)")


class GrammarWeights:
    """The weights of a grammar file, rewritten in place one at a time."""

    def __init__(self, path):
        self.path = path
        with open(path, encoding="utf-8") as stream:
            self.text = stream.read()
        self.spans = []
        for match in WEIGHT.finditer(self.text):
            group = 1 if match.group(1) is not None else 2
            self.spans.append([match.start(group), match.end(group), float(match.group(group)), group == 2])
        self.original = [span[2] for span in self.spans]

    def line_of(self, index):
        return self.text.count("\n", 0, self.spans[index][0]) + 1

    def set(self, index, value):
        start, end, _, integral = self.spans[index]
        written = str(int(round(value))) if integral else ("%.2f" % value).rstrip("0").rstrip(".")
        if "." not in written and not integral:
            written += ".0"
        shift = len(written) - (end - start)
        self.text = self.text[:start] + written + self.text[end:]
        self.spans[index][1] = end + shift
        self.spans[index][2] = float(written)
        for span in self.spans[index + 1:]:
            span[0] += shift
            span[1] += shift
        with open(self.path, "w", encoding="utf-8") as out:
            out.write(self.text)


def better(result, best, min_gain):
    """Whether (LAS, UAS) beats the best by a real margin."""
    las_gain, uas_gain = result[0] - best[0], result[1] - best[1]
    return las_gain >= min_gain - 1e-9 or (las_gain >= -1e-9 and uas_gain >= min_gain - 1e-9)


def search_weights(grammar, factors, rounds, evaluate, min_gain=0.05, budget=None, first_line=1):
    """Coordinate search: keep each change of one weight that raises the
    held-out (LAS, UAS) by at least min_gain. evaluate() returns
    ((LAS, UAS), parses); budget is a time.monotonic() deadline or None."""
    factors = sorted(factors, key=lambda f: -abs(math.log(f)))
    best, parses = evaluate()
    print("weights: start UAS %.2f LAS %.2f, %d weights" % (best[1], best[0], len(grammar.spans)), flush=True)
    out_of_time = False
    for _ in range(rounds):
        changed = False
        for index in range(len(grammar.spans)):
            if grammar.line_of(index) < first_line:
                continue
            if budget is not None and time.monotonic() > budget:
                out_of_time = True
                break
            current = grammar.spans[index][2]
            inert = {False: False, True: False}  # factors below / above 1 that changed nothing
            chosen = None  # (result, value, parses) of the best factor for this weight
            for factor in factors:
                if inert[False] and inert[True]:
                    break
                candidate = current * factor
                if grammar.spans[index][3] and round(candidate) == round(current):
                    continue
                grammar.set(index, candidate)
                result, candidate_parses = evaluate()
                if candidate_parses == parses:
                    inert[factor > 1] = True
                elif better(result, best, min_gain) and (chosen is None or result > chosen[0]):
                    chosen = (result, grammar.spans[index][2], candidate_parses)
                grammar.set(index, current)
            if chosen is not None:
                result, value, parses = chosen
                grammar.set(index, value)
                print("line %d: %s -> %s UAS %.2f LAS %.2f" % (grammar.line_of(index), current, value, result[1],
                                                             result[0]), flush=True)
                best, changed = result, True
        if not changed or out_of_time:
            break
    print("weights: end UAS %.2f LAS %.2f%s" % (best[1], best[0], " (time budget spent)" if out_of_time else ""))
    for index, value in enumerate(grammar.original):
        if grammar.spans[index][2] != value:
            print("  line %d: %s -> %s" % (grammar.line_of(index), value, grammar.spans[index][2]))


def run(command, **kwargs):
    subprocess.run(command, check=True, **kwargs)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--ewt", default=default_ewt(ROOT))
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--work", default=os.path.join(ROOT, "build", "tune-english"))
    parser.add_argument("--every", type=int, default=20, help="hold out every N-th train sentence")
    parser.add_argument("--by-document", action="store_true",
                        help="hold out every N-th train document instead of every N-th sentence")
    parser.add_argument("--dist-exponent", default="default")
    parser.add_argument("--association-power", default="default")
    parser.add_argument("--unknown-modifier-power", default="default")
    parser.add_argument("--cost-scale", default="none" if writer.COST_SCALE is None else str(writer.COST_SCALE))
    parser.add_argument("--search-weights", default="", help="factors, e.g. 0.5,0.75,1.5,2")
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--min-gain", type=float, default=0.05, help="smallest held-out gain that keeps a change")
    parser.add_argument("--time-budget", type=float, default=None, help="minutes the weight search may take")
    parser.add_argument("--first-line", type=int, default=1, help="search the weights from this grammar line on")
    parser.add_argument("--reuse-statistics", action="store_true",
                        help="keep the generated lexicon and statistics of the work folder when its stamp shows "
                             "they were made from the same inputs; take the rest from the checkout's data/")
    args = parser.parse_args()
    if args.reuse_statistics and any("," in value for value in (args.cost_scale, args.dist_exponent,
                                                                 args.association_power, args.unknown_modifier_power)):
        sys.exit("tune-english: --reuse-statistics takes one value of each setting")

    velmo = os.path.join(args.build, "app", "velmo")
    udtool = os.path.join(args.build, "tools", "udtool", "udtool")
    for program in (velmo, udtool):
        if not os.access(program, os.X_OK):
            sys.exit("tune-english: %s is missing; build the project first" % program)
    os.makedirs(args.work, exist_ok=True)
    rest, held = split_train(args.ewt, args.work, args.every, args.by_document)
    print("train sentences for the statistics: %d, held out: %d" % (rest, held))
    train_rest = os.path.join(args.work, "train-rest.conllu")
    held_out = os.path.join(args.work, "held-out.conllu")
    text = os.path.join(args.work, "held-out.txt")
    with open(text, "w", encoding="utf-8") as out:
        run([udtool, "text", held_out], stdout=out)
    inputs = generator_inputs(os.path.abspath(args.ewt), velmo, udtool)

    def stamp_of(scale, exponent, association, unknown):
        return make_stamp([("ewt", os.path.abspath(args.ewt)), ("every", args.every),
                           ("by-document", args.by_document), ("cost-scale", scale),
                           ("dist-exponent", exponent), ("association-power", association),
                           ("unknown-modifier-power", unknown)], inputs)

    reuse = False
    if args.reuse_statistics:
        reason = stamp_difference(args.work, stamp_of(args.cost_scale, args.dist_exponent, args.association_power,
                                                      args.unknown_modifier_power))
        reuse = reason is None
        if reuse:
            print("tune-english: reusing the generated data in %s" % args.work, file=sys.stderr)
        else:
            print("tune-english: %s; generating it again" % reason, file=sys.stderr)
    data = copy_data(args.work, keep_generated=reuse)
    stats_dir = os.path.join(data, "en", "stats")
    lexicon_dir = os.path.join(data, "en")

    results = []
    for scale in args.cost_scale.split(","):
        if not reuse:
            remove_stamp(args.work)
            run([sys.executable, os.path.join(HERE, "gen-english-data.py"), "--ewt", train_rest, "--out",
                 lexicon_dir, "--cost-scale", scale], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        settings = [(exponent, association, unknown) for exponent in args.dist_exponent.split(",")
                    for association in args.association_power.split(",")
                    for unknown in args.unknown_modifier_power.split(",")]
        for exponent, association, unknown in settings:
            options = []
            for option, value in (("--dist-exponent", exponent), ("--association-power", association),
                                  ("--unknown-modifier-power", unknown)):
                if value != "default":
                    options += [option, value]
            if not reuse:
                remove_stamp(args.work)
                run([sys.executable, os.path.join(HERE, "gen-english-stats.py"), "--ewt", train_rest, "--udtool",
                     udtool, "--velmo", velmo, "--out", stats_dir] + options, stdout=subprocess.DEVNULL)
                write_stamp(args.work, stamp_of(scale, exponent, association, unknown))
            system = os.path.join(args.work, "system.conllu")
            with open(text, encoding="utf-8") as stdin, open(system, "w", encoding="utf-8") as stdout:
                run([velmo, "-i", "-u", "-p", data], stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL)
            uas, las, skipped = score(held_out, system)
            setting = "cost-scale %s dist-exponent %s association-power %s unknown-modifier-power %s" % (
                scale, exponent, association, unknown)
            results.append((las, uas, setting))
            print("%s UAS %.2f LAS %.2f (%d sentences left out)" % (setting, uas, las, skipped), flush=True)
            if args.search_weights:
                def evaluate():
                    with open(text, encoding="utf-8") as stdin, open(system, "w", encoding="utf-8") as stdout:
                        run([velmo, "-i", "-u", "-p", data], stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL)
                    las, uas = score(held_out, system)[1::-1]
                    with open(system, encoding="utf-8") as parsed:
                        return (round(las, 2), round(uas, 2)), parsed.read()
                factors = [float(f) for f in args.search_weights.split(",")]
                budget = None if args.time_budget is None else time.monotonic() + 60 * args.time_budget
                search_weights(GrammarWeights(os.path.join(data, "en", "grammar.lsp")), factors, args.rounds,
                               evaluate, args.min_gain, budget, args.first_line)
                return
    las, uas, setting = max(results)
    print("best: %s (UAS %.2f LAS %.2f)" % (setting, uas, las))


if __name__ == "__main__":
    main()
