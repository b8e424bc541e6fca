#!/usr/bin/env python3
"""Scores the relation database's prepositional attachment decisions offline,
on the train split alone, in seconds instead of full parses.

The train split (converted to our scheme by udtool) is cut into folds by
document. For each fold, the counts of the other folds give the statistics
the parser would have (the distance rows of prepositions and the triple
counts behind the relation database's prepositional answers), and each
prepositional phrase of the fold (a preposition with an object, attached to
a word before it) is a decision among the heads the gold tree of the words
before it leaves open: the words to its left whose subtree reaches up to the
preposition (attaching there keeps the tree projective). Every candidate is
weighed as the parser weighs a prepositional dependency, -ln P(distance) of
the head category's row plus -ln of the database's answer for
("<CAT>head", preposition, object), and the decision is right when the gold
head weighs least. Decisions with one candidate are not counted.

  tools/pp-decisions.py [--ewt TRAIN] [--udtool PATH | --scheme FILE] [--folds N]
                        [--score-folds F,G] [--db-scale X,Y] [--association-power X,Y]
                        [--dist-exponent X,Y] [--variant NAME [--k K]] [--biases]
                        [--in-sample] [--examples N] [--confusions N]
  tools/pp-decisions.py --ewt TRAIN --held-out GOLD --parsed SYSTEM [--examples N]

With --held-out and --parsed, the statistics of all of TRAIN weigh the
decisions of GOLD (a treebank file TRAIN does not hold, such as a held-out
fold's held-out.conllu) and the parser's output SYSTEM for the same
sentences is set beside them: how many the statistics get right, how many
the parse gets right, and how many of the parse's heads are no candidate
at all (the tree around the phrase went wrong, not the choice of head).

The weights are those of the committed settings (distance exponent 0.6,
association power 0.5) unless other values are listed; every combination
is scored. A variant (VARIANTS) replaces a part of the database's estimate;
--biases also learns a cost per (head category, preposition) on the other
folds' decisions. --in-sample counts the scored fold too, which shows how
much of the accuracy is memorised word triples. What the figures said
(train, 10 folds by document, 12,652 decisions): the database's estimate
77.2% (77.6% since rare prepositions take the pooled distance rows);
distance alone 65.1%, the database alone 63.9%; in sample 98.5%;
the database's weight x0.75 78.0%, with learned biases 79.0% -- but
neither carried to full parses of held-out documents (UAS 81.36 -> 81.32
and 81.28): the chart weighs heads the gold prefix rules out.

Later figures (10 folds by document unless said otherwise). A rate of
attachment learned from the candidate sets themselves (how often a
candidate head is the chosen one, backed off from (head, preposition) plus
(head category, preposition, object) to (category, preposition, object
class) and (category, preposition)), added at half weight: 78.4% offline,
but on the fold held out every 10th document it scores 774 of its 963
decisions against 777, and full parses of both folds fall (as a cost,
normalised by the preposition's mean rate, or as log-odds alike). A
(head category, preposition, object word) level in the association: 77.9%.
WordNet classes of head words (verb and noun lexicographer files) in the
rate or the class association: 77.4-77.6%. Distance counted in words that
are not determiners, adjectives, adverbs, numbers or marks: 77.1-77.5%.
"N1 of N2 P": gold N1 in 134 decisions, the weights choose N1 in 29; a
constant in favour of N1 (0.25-2) or N2's distance for N1 gains at most
4 of 557. A cost on capitalised noun heads gains 50 offline and 0.01-0.03
UAS on the folds but 0.01 less on dev. --parsed, with main's parses: the
statistics get 777/963 (fold every 10th document), 1,056/1,315 (every
7th) and 946/1,226 (dev, statistics of all of train); the parser 747, 959
and 898. Among heads the gold tree allows, the parser beats its statistics
(ho10: 51 decisions only it gets right against 35); the loss is in the
57, 119 and 106 heads the gold tree rules out, most of them in the
object's own phrase (which word of a name or date heads it) rather than
in where the phrase attaches.
"""

import argparse
import math
import os
import subprocess
import sys
import types
from collections import Counter, defaultdict
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(HERE, "lexgen"))

from sources import default_ewt  # noqa: E402


def load_generator():
    # The generator's file name has dashes, so it is loaded from its path.
    loader = SourceFileLoader("gen_english_stats", os.path.join(HERE, "gen-english-stats.py"))
    module = types.ModuleType(loader.name)
    module.__file__ = loader.path  # the generator finds its data beside it
    loader.exec_module(module)
    return module


gen = load_generator()

CANDIDATE_CATEGORIES = {"N", "V", "VBE", "A", "Num", "Adv"}
CEILING = 0.99
FLOOR_WEIGHT = 0.1


def document_ids(conllu):
    ids = []
    with open(conllu, encoding="utf-8") as stream:
        for line in stream:
            if line.startswith("# sent_id = "):
                ids.append(line[len("# sent_id = "):].strip().rsplit("-", 1)[0])
    return ids


class Sentence:
    def __init__(self, nodes):
        self.nodes = nodes
        self.by_label = {n.label: n for n in nodes}
        self.children = defaultdict(list)
        for n in nodes:
            self.children[n.gov].append(n)


def word(node):
    return gen.word_key(node.root)


def cat_key(node):
    return gen.category_key(node.cat)


class Counts:
    """What the statistics of some folds hold for prepositional questions."""

    def __init__(self):
        self.triples = Counter()        # (head, prep, object)
        self.head_rel = Counter()       # (head, relation) over all relations
        self.head_rel_types = defaultdict(set)
        self.occurrences = Counter()    # word -> occurrences
        self.categories = defaultdict(Counter)
        self.dist = defaultdict(Counter)  # (headcat, prep) -> distance -> count
        self.prep_obj = Counter()       # (prep, object) over all heads
        self.prep_total = Counter()
        self.prep_obj_types = defaultdict(set)
        self.modifier_total = Counter()  # word as modifier over all relations
        self.total = 0
        self.words_known = set()

    def add(self, sentence):
        for node in sentence.nodes:
            if node.position is not None:
                self.occurrences[word(node)] += 1
            head = sentence.by_label.get(node.gov)
            if head is None:
                continue
            hw = word(head)
            self.categories[hw][head.cat] += 1
            rel = node.rel
            mw = word(node)
            if node.cat == "Prep":
                rel = word(node)
                objs = [c for c in sentence.children.get(node.label, []) if c.rel == "pcomp"]
                mw = word(objs[0]) if objs else mw
                if head.position is not None and node.position is not None:
                    d = max(-20, min(20, node.position - head.position))
                    self.dist[(cat_key(head), rel)][d] += 1
                self.prep_obj[(rel, mw)] += 1
                self.prep_total[rel] += 1
                self.prep_obj_types[rel].add(mw)
                self.triples[(hw, rel, mw)] += 1
            self.head_rel[(hw, rel)] += 1
            self.head_rel_types[hw].add(rel)
            self.modifier_total[mw] += 1
            self.total += 1

    def finish(self, noun_classes):
        self.head_class = {h: gen.head_class(c) for h, c in self.categories.items()}
        self.head_total = Counter()
        for (h, r), c in self.head_rel.items():
            self.head_total[h] += c
        self.class_rel = Counter()
        self.class_types = defaultdict(set)
        self.class_occ = Counter()
        for (h, r), c in self.head_rel.items():
            self.class_rel[(self.head_class[h], r)] += c
            self.class_types[self.head_class[h]].add(r)
        for h, cls in self.head_class.items():
            self.class_occ[cls] += self.occurrences[h]
        self.all_occ = sum(self.occurrences.values())
        self.rel_total = Counter()
        for (h, r), c in self.head_rel.items():
            self.rel_total[r] += c
        # head -> prep -> object types
        self.head_prep_types = defaultdict(set)
        for (h, r, m) in self.triples:
            self.head_prep_types[(h, r)].add(m)
        # object classes
        self.noun_classes = noun_classes
        self.objclass = Counter()
        self.objclass_types = defaultdict(set)
        self.objclass_total = Counter()
        for (h, r, m), c in self.triples.items():
            wc = gen.word_class(m, noun_classes)
            for cat in (self.head_class[h], "any"):
                self.objclass[(cat, r, wc)] += c
                self.objclass_total[(cat, r)] += c
                self.objclass_types[(cat, r)].add(wc)
        self.object_words = {m for (h, r, m) in self.triples}
        self.head_prep_class = Counter()
        self.head_prep_class_types = defaultdict(set)
        for (h, r, m), c in self.triples.items():
            wc = gen.word_class(m, noun_classes)
            self.head_prep_class[(h, r, wc)] += c
            self.head_prep_class_types[(h, r)].add(wc)
        # entries the database has: heads, object words (word class)
        self.entries = set(self.head_class) | self.object_words
        self.dist_total = {k: sum(v.values()) for k, v in self.dist.items()}
        self.pooled = defaultdict(Counter)
        for (hc, r), cnt in self.dist.items():
            self.pooled[hc].update(cnt)


def interpolate(seen, total, types, backoff):
    if total == 0:
        return backoff
    return (seen + types * backoff) / (total + types)


# Other estimates to compare with the database's (name: what changes).
VARIANTS = {
    "head-word-class": "the object class's association with the head word comes before the category's",
    "assoc-unseen-class": "an object never seen with the head has the association of its class alone",
    "assoc-k": "the object association's prior strength is --k instead of the head's object types",
    "rate-k": "the rate's prior strength is --k instead of the head's relation types",
}


class ParserModel:
    """The parts of the database's prepositional answer as
    corpus/smoothed_triple_db.cpp computes them from the counts (the rate
    of the preposition per occurrence of the head, and the association of
    the object with the head), or another estimate (VARIANTS)."""

    def __init__(self, counts, variants=None):
        self.c = counts
        self.variants = dict(variants or {})

    def head(self, hw, cat):
        """The head's entry (None when the database lacks the word) and the
        category its rates back off to: the entry's, else the question's."""
        c = self.c
        if hw in c.entries:
            return hw, c.head_class.get(hw) or cat
        return None, cat

    def rate_class(self, cls, rel):
        c = self.c
        prior = (c.rel_total[rel] + 0.5) / (max(c.all_occ, 1) + 0.5)
        if not cls:
            return prior
        return interpolate(c.class_rel[(cls, rel)], c.class_occ[cls], len(c.class_types[cls]), prior)

    def rate(self, entry, cls, rel):
        c = self.c
        backoff = self.rate_class(cls, rel)
        if entry is None:
            return backoff
        types = self.variants.get("rate-k", len(c.head_rel_types[entry]))
        occurrences = c.occurrences[entry] if entry in c.head_class else 0
        return interpolate(c.head_rel[(entry, rel)], occurrences, types, backoff)

    def modifier_given_relation(self, rel, m):
        c = self.c
        prior = (c.modifier_total[m] + 0.5) / (c.total + 0.5 * (len(c.modifier_total) + 1))
        return interpolate(c.prep_obj[(rel, m)], c.prep_total[rel], len(c.prep_obj_types[rel]), prior)

    def class_association(self, cls, rel, m, entry=None):
        c = self.c
        if not cls:
            return 1.0
        if m not in c.entries:
            return 1.0
        wc = gen.word_class(m, c.noun_classes)
        types_any = len(c.objclass_types[("any", rel)])
        if types_any == 0:
            return 1.0
        even = 1.0 / (types_any + 1)
        in_rel = interpolate(c.objclass[("any", rel, wc)], c.objclass_total[("any", rel)], types_any, even)
        if (cls, rel) not in c.objclass_total:
            return 1.0
        given = interpolate(c.objclass[(cls, rel, wc)], c.objclass_total[(cls, rel)],
                            len(c.objclass_types[(cls, rel)]), in_rel)
        if "head-word-class" in self.variants and entry is not None:
            given = interpolate(c.head_prep_class[(entry, rel, wc)], c.head_rel[(entry, rel)],
                                len(c.head_prep_class_types[(entry, rel)]), given)
        return given / in_rel

    def association(self, entry, cls, rel, m):
        c = self.c
        of_class = self.class_association(cls, rel, m, entry)
        total = c.head_rel[(entry, rel)] if entry is not None else 0
        if total == 0:
            return of_class
        backoff = self.modifier_given_relation(rel, m)
        seen = c.triples[(entry, rel, m)]
        if seen == 0 and "assoc-unseen-class" in self.variants:
            return of_class
        types = self.variants.get("assoc-k", len(c.head_prep_types[(entry, rel)]))
        smoothed = interpolate(seen, total, types, backoff * of_class)
        return smoothed / backoff



def dist_weight(counts, headcat, rel, d):
    """-ln P(distance) of the row the distance table would have for the
    head category and the preposition (a preposition too rare there for a
    row of its own takes all prepositions' under the category); None
    without a row (the parser charges the floor)."""
    key = (headcat, rel)
    total = counts.dist_total.get(key, 0)
    if total >= 20:
        row = counts.dist[key]
    elif sum(counts.pooled[headcat].values()) >= 20:
        row = counts.pooled[headcat]
        total = sum(row.values())
    else:
        return None
    d = max(-20, min(20, d))
    p = (row.get(d, 0) + 0.5) / (total + 0.5 * 41)
    return -math.log(p)


def candidate_parts(model, counts, p, obj, cands):
    """(rate, association, distance weight) of each candidate head of the
    preposition p with object obj."""
    rel, m = word(p), word(obj)
    parts = []
    for w in cands:
        cat = cat_key(w)
        entry, cls = model.head(word(w), cat)
        parts.append((model.rate(entry, cls, rel), model.association(entry, cls, rel, m),
                      dist_weight(counts, cat, rel, p.position - w.position)))
    return parts


def decisions(sentence):
    """(preposition, object, gold head, candidates) of each prepositional
    phrase attached to a word before it."""
    nodes = sentence.nodes
    positioned = {n.position: n for n in nodes if n.position is not None}
    parent = {}
    for n in nodes:
        h = sentence.by_label.get(n.gov)
        parent[n.label] = h

    def ancestors(n):
        seen = set()
        while n is not None and n.label not in seen:
            seen.add(n.label)
            yield n
            n = parent.get(n.label)

    for p in nodes:
        if p.cat != "Prep" or p.position is None:
            continue
        head = parent.get(p.label)
        if head is None or head.position is None or head.position >= p.position:
            continue
        objs = [c for c in sentence.children.get(p.label, []) if c.rel == "pcomp"]
        if not objs:
            continue
        obj = objs[0]
        cands = []
        for pos in range(p.position - 1, 0, -1):
            w = positioned.get(pos)
            if w is None or gen.category_key(w.cat) not in CANDIDATE_CATEGORIES:
                continue
            # every word between w and p descends from w (p's subtree aside)
            ok = True
            for q in range(pos + 1, p.position):
                x = positioned.get(q)
                if x is None:
                    continue
                anc = {a.label for a in ancestors(x)}
                if w.label not in anc and p.label not in anc:
                    ok = False
                    break
            if ok:
                cands.append(w)
        if head not in cands:
            continue
        yield p, obj, head, cands


def decision_rows(sentences, fold, folds, noun_classes, variants=(), in_sample=False):
    """The decisions of the given folds, each weighed with the counts of
    the other folds (of all, in sample): the gold candidate's index, its
    category, and per candidate the rate, the association and -ln
    P(distance) (None without a distance row), the candidates' categories
    and words, the preposition, the object and the fold."""
    rows = []
    for f in folds:
        counts = Counts()
        for s, k in zip(sentences, fold):
            if k != f or in_sample:
                counts.add(s)
        counts.finish(noun_classes)
        model = ParserModel(counts, variants)
        for s, k in zip(sentences, fold):
            if k != f:
                continue
            for p, obj, head, cands in decisions(s):
                if len(cands) < 2:
                    continue
                rel = word(p)
                m = word(obj)
                parts = candidate_parts(model, counts, p, obj, cands)
                rows.append((cands.index(head), cat_key(head), parts, [cat_key(w) for w in cands], rel,
                             [word(w) for w in cands], m, f))
    return rows


def base_weights(parts, scale, power, exponent):
    """The parser's weight of each candidate: -ln of the database's answer
    (times `scale`) plus the distance weight."""
    weights = []
    for rate, association, distance in parts:
        prob = min(CEILING, rate * association ** power)
        dw = FLOOR_WEIGHT if distance is None else max(FLOOR_WEIGHT, distance * exponent)
        weights.append(scale * -math.log(prob) + dw)
    return weights


def learn_biases(rows, scale, power, exponent, rounds=50, rate=1.0, min_count=20):
    """A cost per (head category, preposition) that makes the expected
    choices of the decisions (a softmax over the candidates' negated
    weights) match the gold ones, by gradient steps; pairs met in fewer
    than `min_count` decisions keep none."""
    bias = Counter()
    weighed = [(row[0], row[3], row[4], base_weights(row[2], scale, power, exponent)) for row in rows]
    seen = Counter()
    for gold, cats, rel, weights in weighed:
        for c in set(cats):
            seen[(c, rel)] += 1
    for _ in range(rounds):
        gradient = Counter()
        for gold, cats, rel, weights in weighed:
            biased = [w + bias[(c, rel)] for w, c in zip(weights, cats)]
            low = min(biased)
            shares = [math.exp(low - w) for w in biased]
            total = sum(shares)
            for i, c in enumerate(cats):
                gradient[(c, rel)] += shares[i] / total - (1.0 if i == gold else 0.0)
        for key, g in gradient.items():
            if seen[key] >= min_count:
                bias[key] += rate * g / seen[key]
    return bias


def score(rows, scored, scale, power, exponent, biased=False, examples=0, confusions=0):
    """Prints how many decisions of the scored folds the weights get right
    (with biases learned on the other folds, when asked)."""
    biases = {}
    if biased:
        for f in sorted(scored):
            biases[f] = learn_biases([r for r in rows if r[-1] != f], scale, power, exponent)
    right = 0
    by_gold = Counter()
    by_gold_right = Counter()
    confusion = Counter()
    shown = []
    total = 0
    for gold, category, parts, cats, rel, words, obj, f in rows:
        if f not in scored:
            continue
        total += 1
        bias = biases.get(f, {})
        weights = [w + bias.get((c, rel), 0.0) for w, c in zip(base_weights(parts, scale, power, exponent), cats)]
        chosen = min(range(len(weights)), key=lambda i: weights[i])
        by_gold[category] += 1
        if chosen == gold:
            right += 1
            by_gold_right[category] += 1
            continue
        confusion[(category, cats[chosen], "nearer" if chosen < gold else "farther", rel)] += 1
        if len(shown) < examples:
            shown.append("%s %s | gold %s %s r=%.3g a=%.3g w=%.2f | chosen %s %s r=%.3g a=%.3g w=%.2f" % (
                rel, obj, category, words[gold], parts[gold][0], parts[gold][1], weights[gold],
                cats[chosen], words[chosen], parts[chosen][0], parts[chosen][1], weights[chosen]))
    print("scale %.2f power %.2f exponent %.2f%s: %d/%d (%.2f%%) " % (
        scale, power, exponent, " biased" if biased else "", right, total, 100.0 * right / max(total, 1)) +
        " ".join("%s %d/%d" % (g, by_gold_right[g], by_gold[g]) for g in sorted(by_gold, key=lambda g: -by_gold[g])[:4]))
    for line in shown:
        print("   ", line)
    for key, n in confusion.most_common(confusions):
        print("   ", n, "gold %s chosen %s (%s) %s" % key)


def read_conllu_heads(path):
    """The head of each word of each sentence of a CoNLL-U file (multiword
    token and empty node lines left out), as strings."""
    sentences, current = [], []
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if not line:
                if current:
                    sentences.append(current)
                current = []
            elif not line.startswith("#"):
                fields = line.split("\t")
                if "-" not in fields[0] and "." not in fields[0]:
                    current.append(fields[6])
    if current:
        sentences.append(current)
    return sentences


def compare_parsed(counts, held_out, gold_heads, system_heads, power, exponent, examples=0):
    """Weighs the decisions of held-out sentences with `counts` (made from
    other text) and sets them beside a parse of the same sentences: the
    decision's object word is the word whose head the treebank's tree
    names (its gold head there must be the decision's gold head). Returns
    the tally -- "decisions", "statistics" (the weights choose the gold
    head), "parser" (the parse gives the object the gold head), "outside"
    (the parse's head is no candidate: the tree around the phrase went
    wrong, not the choice among heads), and the pairs
    ("statistics right, parser wrong", ...) -- and up to `examples` lines
    on decisions the statistics get right and the parser gets wrong."""
    model = ParserModel(counts)
    tally = Counter()
    shown = []
    for sentence, gold, system in zip(held_out, gold_heads, system_heads):
        if len(gold) != len(system):
            tally["sentences left out"] += 1
            continue
        for p, obj, head, cands in decisions(sentence):
            if len(cands) < 2 or obj.position is None or obj.position > len(gold):
                continue
            if gold[obj.position - 1] != str(head.position):
                continue
            rel = word(p)
            m = word(obj)
            parts = candidate_parts(model, counts, p, obj, cands)
            weights = base_weights(parts, 1.0, power, exponent)
            chosen = min(range(len(weights)), key=lambda i: weights[i])
            statistics_right = cands[chosen] is head
            parsed = system[obj.position - 1]
            parser_right = parsed == gold[obj.position - 1]
            inside = any(str(w.position) == parsed for w in cands)
            tally["decisions"] += 1
            tally["statistics"] += statistics_right
            tally["parser"] += parser_right
            tally["outside"] += not inside
            tally["statistics %s, parser %s" % ("right" if statistics_right else "wrong",
                                                "right" if parser_right else "wrong")] += 1
            if statistics_right and not parser_right and len(shown) < examples:
                by_position = {n.position: n for n in sentence.nodes if n.position is not None}
                got = by_position.get(int(parsed)) if parsed.isdigit() else None
                shown.append("%s %s | gold %s | parser %s%s" % (
                    rel, m, word(head), word(got) if got else parsed, "" if inside else " (no candidate)"))
    return tally, shown


def scheme_sentences(args, conllu):
    text = subprocess.run([args.udtool, "to-scheme", conllu], check=True,
                          stdout=subprocess.PIPE).stdout.decode("utf-8")
    return [Sentence(n) for n in gen.read_sentences(text.splitlines())]


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--ewt", default=default_ewt(ROOT))
    ap.add_argument("--udtool", default=os.path.join(ROOT, "build", "tools", "udtool", "udtool"))
    ap.add_argument("--scheme", help="udtool to-scheme output of --ewt to read instead of running udtool")
    ap.add_argument("--wordnet", default="/usr/share/wordnet")
    ap.add_argument("--folds", type=int, default=10)
    ap.add_argument("--score-folds", default="all", help="folds to score, e.g. 9 or 0,3 (default all)")
    ap.add_argument("--association-power", default="0.5", help="powers of the association, e.g. 0.5,1")
    ap.add_argument("--dist-exponent", default="0.6", help="powers of the distance probabilities")
    ap.add_argument("--db-scale", default="1", help="factors of the database's weight")
    ap.add_argument("--variant", action="append", default=[], choices=sorted(VARIANTS),
                    help="another estimate (may be repeated)")
    ap.add_argument("--k", type=float, default=5.0, help="the prior strength of the rate-k and assoc-k variants")
    ap.add_argument("--biases", action="store_true", help="also score with (category, preposition) costs "
                    "learned on the other folds' decisions")
    ap.add_argument("--in-sample", action="store_true", help="count the scored fold too (an upper bound)")
    ap.add_argument("--examples", type=int, default=0, help="print this many wrong decisions")
    ap.add_argument("--confusions", type=int, default=0, help="print this many commonest kinds of error")
    ap.add_argument("--held-out", help="with --parsed: a treebank file of sentences --ewt does not hold")
    ap.add_argument("--parsed", help="the parser's CoNLL-U output for --held-out: its decisions are set "
                    "beside those of the statistics of all of --ewt")
    args = ap.parse_args()

    if args.scheme:
        with open(args.scheme, encoding="utf-8") as stream:
            text = stream.read()
    else:
        text = subprocess.run([args.udtool, "to-scheme", args.ewt], check=True,
                              stdout=subprocess.PIPE).stdout.decode("utf-8")
    sentences = [Sentence(n) for n in gen.read_sentences(text.splitlines())]
    if args.parsed or args.held_out:
        if not (args.parsed and args.held_out):
            sys.exit("pp-decisions: --parsed and --held-out go together")
        counts = Counts()
        for s in sentences:
            counts.add(s)
        counts.finish(gen.read_noun_classes(args.wordnet))
        tally, shown = compare_parsed(counts, scheme_sentences(args, args.held_out),
                                      read_conllu_heads(args.held_out), read_conllu_heads(args.parsed),
                                      float(args.association_power.split(",")[0]),
                                      float(args.dist_exponent.split(",")[0]), args.examples)
        for key in sorted(tally):
            print("%s: %d" % (key, tally[key]))
        for line in shown:
            print("   ", line)
        return
    documents = document_ids(args.ewt)
    if len(documents) != len(sentences):
        sys.exit("pp-decisions: %d sentence ids but %d converted sentences" % (len(documents), len(sentences)))
    index = {}
    fold = [index.setdefault(d, len(index)) % args.folds for d in documents]
    folds = range(args.folds) if args.score_folds == "all" else [int(f) for f in args.score_folds.split(",")]
    variants = {name: args.k for name in args.variant}
    # Biases are learned on the other folds' decisions: those are weighed too.
    weighed = range(args.folds) if args.biases else folds
    rows = decision_rows(sentences, fold, weighed, gen.read_noun_classes(args.wordnet), variants, args.in_sample)
    for scale in [float(x) for x in args.db_scale.split(",")]:
        for power in [float(x) for x in args.association_power.split(",")]:
            for exponent in [float(x) for x in args.dist_exponent.split(",")]:
                for biased in ([False, True] if args.biases else [False]):
                    score(rows, set(folds), scale, power, exponent, biased, args.examples, args.confusions)


if __name__ == "__main__":
    main()
