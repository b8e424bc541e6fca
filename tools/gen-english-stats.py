#!/usr/bin/env python3
"""Generates the corpus statistics of velmo's English grammar under
data/en/stats/ from the UD English Web Treebank (train split), converted to
our scheme by udtool. The output depends on nothing but the treebank and the
converter: running it again gives the same bytes.

  tools/gen-english-stats.py [--ewt TRAIN.conllu] [--udtool PATH]
                             [--scheme FILE] [--velmo PATH] [--out DIR]
                             [--dist-exponent X] [--triples FILE]
                             [--association-power X] [--unknown-modifier-power X]

--scheme reads an already converted file (udtool to-scheme output) instead
of running udtool. --velmo builds the prebuilt relation database
(relations.qhash) from the triple counts with that velmo binary; without it
the hash file is left alone. The triple counts are the database's input
only and are not kept (the database holds them); --triples FILE keeps a
copy of them as text.

Files written (data/en/stats/README describes them for grammar writers):
  dist.txt        distance table, keys HEAD:relation:MODIFIER
  bad-triples.txt triples the treebank rules out
  roots.txt       cost of each category as the root of a sentence
  relations.hdr, relations.qhash   the relation database (with --velmo)
"""

import argparse
import math
import os
import subprocess
import sys
import tempfile
from collections import Counter, defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "lexgen"))

from lexicon_builder import parse_closed_class  # noqa: E402
from sources import default_ewt, read_wn_index  # noqa: E402

ROOT = os.path.dirname(HERE)

MAX_DISTANCE = 20          # the parser clamps distances to -20..20
MIN_KEY_COUNT = 5          # rarer distance keys are left out (no preference)
DIST_SMOOTHING = 0.5       # added to every distance count of a key
# The parser adds -ln P(distance) to every dependency; the table holds
# P ** DIST_EXPONENT, which weighs the distance term against the relation
# database's. Chosen with tools/tune-english.py on held-out train sentences.
DIST_EXPONENT = 0.6
# Relations whose distances weigh less than the others': where a comma or
# other mark attaches is told by the grammar's punctuation links and by the
# tree around it far more than by how far it stands from its head, and a
# steep distance term pulls marks onto the nearest word (commas in lists).
# Chosen with tools/tune-english.py --by-document on three held-out folds
# of train (--every 7, 9 and 10).
RELATION_DIST_EXPONENTS = {"punc": 0.1}
MIN_PREP_KEY_COUNT = 20    # prepositions rarer than this get no keys of their own
# The relation of the pooled rows of all prepositions under a head category
# (the parser's DependencyWeigher::kAnyPreposition).
ANY_PREPOSITION = "<prep>"
# Powers the relation database applies to parts of its answers (written in
# its "<settings>" entry, in thousandths): to the association of a
# prepositional object with the head, and to an answer that has no modifier
# word. Chosen with tools/tune-english.py --by-document on held-out train
# documents.
ASSOCIATION_POWER = 0.5
UNKNOWN_MODIFIER_POWER = 1.2

# Keys of the relation database that no word can have: the totals over all
# heads, the totals of each head category, and the category record of a head.
ALL_HEADS = "<any>"
CLASS_PREFIX = "<class:"
CLASS_RELATION = "<class>"
ANY_MODIFIER = "*"
PREPOSITIONS = "<prepositions>"  # its relations are the prepositions
WORD_CLASS = "<wordclass>"       # (word, this, CLASS): the object's word class
OBJECT_CLASSES = "<objclass:"     # <objclass:CAT>: preposition, object class, count
OCCURRENCES = "<occurrences>"    # (word, this, "*"): how often the word occurs
LEMMA = "<lemma>"                # (word, this, LEMMA): ask LEMMA's entry about the word as a head
SETTINGS = "<settings>"          # (this, "<NAME>", "*", thousandths): a power of the answers
RARE_MODIFIERS = "<rare-modifiers>"  # (this, relation, "CAT:shape", count): relations of words seen once

# Forms the parser keeps as the root of a main verb (it reads them as
# auxiliaries first), counted here under their lemma: questions about them
# as heads go to the lemma's entry (had a car in the garage: have-in-garage).
# "has" and "did" are left out: sent to "have" and "do" they lowered dev
# (has more on ..., what did he do), and "had" alone raised it.
HEAD_LEMMAS = {"had": "have", "having": "have"}

# Bad triples: modifiers of these categories never seen in these relations,
# although their frequencies predict it, are ruled out for frequent heads.
BAD_MODIFIER_CATEGORIES = {"Det", "Conn", "Part", "C", "VB", "Punc"}
BAD_RELATIONS = {"s", "obj", "obj2", "pred", "nn", "gen", "pcomp", "appo", "num"}
BAD_MIN_MODIFIER = 100     # occurrences of the modifier word as a dependent
BAD_MIN_EXPECTED = 10.0    # expected count of (relation, modifier) under independence
BAD_MIN_HEAD = 50          # occurrences of (head, relation)

MAX_ROOT_COST = 10

# Relations whose dependent is placed at its first word in the distance
# table (see Statistics.add_dependency).
FIRST_WORD_RELATIONS = {"rel"}


def default_tool(name, subdir):
    path = os.path.join(ROOT, "build", subdir, name)
    return path if os.path.exists(path) else None


# ---- Reading the dependency format.

def unquote(text):
    if len(text) >= 2 and text[0] == '"' and text[-1] == '"':
        return text[1:-1].replace('\\"', '"').replace("\\\\", "\\")
    return text


class Node:
    __slots__ = ("label", "word", "root", "cat", "gov", "rel", "antecedent", "position")

    def __init__(self, label, word, root, cat, gov, rel, antecedent):
        self.label = label
        self.word = word
        self.root = root
        self.cat = cat
        self.gov = gov
        self.rel = rel
        self.antecedent = antecedent
        self.position = int(label) if label.isdigit() else None


def parse_node(line):
    fields = line.split("\t")
    label = fields[0]
    word = unquote(fields[1][1:])
    root_cat = fields[2]
    space = root_cat.rfind(" ")
    root = unquote(root_cat[:space])
    cat = root_cat[space + 1:]
    gov = fields[3]
    rel = fields[4].rstrip(")") if len(fields) > 4 else ""
    antecedent = None
    for extra in fields[5:]:
        if extra.startswith("(antecedent "):
            antecedent = extra[len("(antecedent "):].rstrip(")")
    if root == "~":
        root = word
    return Node(label, word, root, cat, gov, rel, antecedent)


def read_sentences(lines):
    nodes = None
    for line in lines:
        line = line.rstrip("\n")
        if line == "(":
            nodes = []
        elif line == ")":
            if nodes is not None:
                yield nodes
            nodes = None
        elif line and nodes is not None:
            nodes.append(parse_node(line))


# ---- What a sentence contributes.

def word_key(text):
    return text.lower()


CLOSED_CLASS = os.path.join(HERE, "lexgen", "closed-class.txt")


def read_closed_roots(path=CLOSED_CLASS):
    """Maps each closed-class word (lower case) to the root the lexicon
    gives it in each of its closed-class categories: the reading's lemma
    when it names one ("is" -> "be"), else the word itself. The parser asks
    the relation database with these roots ("him", "these", "an"), not with
    the treebank's lemmas ("he", "this", "a")."""
    roots = {}
    for lowered, (key, readings) in parse_closed_class(path).items():
        for reading in readings:
            roots.setdefault(lowered, {}).setdefault(reading.category, word_key(reading.lemma or key))
    return roots


def parser_root(node, closed_roots):
    """The root the parser gives a word: the closed-class list's for a
    closed-class word in one of its listed categories, else the treebank's
    lemma. A word heading a fixed phrase (as well, so that) keeps the
    phrase, the root of the lexicon's entry for it."""
    by_category = closed_roots.get(word_key(node.word))
    if by_category and " " not in node.root:
        root = by_category.get(category_key(node.cat))
        if root is not None:
            return root
    return word_key(node.root)


class Statistics:
    def __init__(self, closed_roots=None):
        self.closed_roots = closed_roots or {}
        self.distances = defaultdict(Counter)   # key -> distance -> count
        self.triples = Counter()                # (head, relation, modifier) -> count
        self.categories = defaultdict(Counter)  # head word -> category -> count
        self.roots = Counter()                  # category -> sentences
        self.occurrences = Counter()            # word -> occurrences
        # (relation, modifier word, its class) -> count: the class
        # (modifier_class) is what the database knows a word it lacks by.
        self.modifier_classes = Counter()
        # word -> the class (modifier_class) of its last occurrence: the
        # class of a word seen once.
        self.last_class = {}
        self.sentences = 0

    def add_sentence(self, nodes):
        self.sentences += 1
        by_label = {node.label: node for node in nodes}
        children = defaultdict(list)
        for node in nodes:
            children[node.gov].append(node)
        for node in children.get("*", []):
            self.roots[node.cat] += 1

        def position(node, seen=()):
            """A word's position; an empty node stands where its antecedent
            stands, else where its first word is."""
            if node.position is not None:
                return node.position
            if node.antecedent in by_label and node.antecedent not in seen:
                return position(by_label[node.antecedent], seen + (node.label,))
            below = [position(c, seen + (node.label,)) for c in children.get(node.label, [])
                     if c.label not in seen]
            below = [p for p in below if p is not None]
            return min(below) if below else None

        def first_word(node, seen=()):
            """The first word a node spans (itself and all below it)."""
            below = [first_word(c, seen + (node.label,)) for c in children.get(node.label, [])
                     if c.label not in seen]
            below = [p for p in below + [node.position] if p is not None]
            return min(below) if below else None

        for node in nodes:
            if node.position is not None:
                self.occurrences[self.root_of(node)] += 1
                self.last_class[self.root_of(node)] = modifier_class(node)
            head = by_label.get(node.gov)
            if head is None:
                continue
            self.add_dependency(head, node, children, position, first_word)

    def root_of(self, node):
        return parser_root(node, self.closed_roots)

    def add_dependency(self, head, node, children, position, first_word):
        head_word = self.root_of(head)
        modifier_word = self.root_of(node)
        self.categories[head_word][head.cat] += 1
        relations = [node.rel]
        modifier = node
        if node.cat == "Prep":
            # The parser names a prepositional modifier's relation by the
            # preposition itself; its object is the word that matters.
            relations.append(word_key(node.root))
            objects = [c for c in children.get(node.label, []) if c.rel == "pcomp"]
            modifier = objects[0] if objects else node
            modifier_word = self.root_of(modifier)
        head_position = position(head)
        # A relative clause stands where it begins, as the parser places a
        # clause head without a word of its own (at ", which ..." its
        # comma); other clauses keep their verb's position, which the
        # grammar's link weights were set against.
        modifier_position = first_word(node) if node.rel in FIRST_WORD_RELATIONS else position(node)
        for relation in relations:
            if head_position is not None and modifier_position is not None:
                d = max(-MAX_DISTANCE, min(MAX_DISTANCE, modifier_position - head_position))
                self.distances[distance_key(head.cat, relation, node.cat)][d] += 1
        self.triples[(head_word, relations[-1], modifier_word)] += 1
        self.modifier_classes[(relations[-1], modifier_word, modifier_class(modifier))] += 1


def distance_key(head_cat, relation, modifier_cat):
    return "%s:%s:%s" % (category_key(head_cat), relation, category_key(modifier_cat))


def category_key(cat):
    return cat.split("_")[0] if cat else "U"


def word_shape(word):
    """The shape class of a word, as the relation database's
    SmoothedTripleDb::shape_of classes a word it lacks (bytes, ASCII cases)."""
    if "@" in word or word.startswith("http") or word.startswith("www."):
        return "web"
    data = word.encode("utf-8")
    if any(48 <= b <= 57 for b in data):
        return "num"
    letters = sum(1 for b in data if 65 <= b <= 90 or 97 <= b <= 122 or b >= 0x80)
    small = sum(1 for b in data if 97 <= b <= 122)
    if letters == 0:
        return "sym"
    if not 65 <= data[0] <= 90:
        return "low"
    return "caps" if letters >= 2 and small == 0 else "cap"


def modifier_class(node):
    """A modifier's class: its category and the shape of its root (the text
    the parser asks with: an empty node's is its antecedent's), "N:cap"."""
    return "%s:%s" % (category_key(node.cat), word_shape(node.root))


# ---- Writing.

def number(value):
    return ("%.6g" % value)


def prepositional_rows(stats, prep_relations):
    """The distances of all prepositions under each head category pooled,
    keyed HEAD:<prep>:MODIFIER (ANY_PREPOSITION): the parser weighs a
    preposition too rare under a head category for a row of its own by
    that row (without one it would charge the floor at any distance, and
    the preposition would attach anywhere more cheaply than where it is
    common: into under a noun, including under a verb, among or due to
    under the farthest head)."""
    pooled = defaultdict(Counter)
    for key, counts in stats.distances.items():
        head, relation, modifier = key.split(":")
        if relation in prep_relations:
            pooled[(head, modifier)].update(counts)
    return {"%s:%s:%s" % (head, ANY_PREPOSITION, modifier): counts
            for (head, modifier), counts in pooled.items() if sum(counts.values()) >= MIN_PREP_KEY_COUNT}


def write_dist(stats, path, prep_relations, exponent=DIST_EXPONENT):
    rows = dict(stats.distances)
    rows.update(prepositional_rows(stats, prep_relations))
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("# Distance table of velmo's English grammar, generated by tools/gen-english-stats.py\n")
        out.write("# from the UD English Web Treebank (train split; CC BY-SA 4.0).\n")
        out.write("# key HEAD:relation:MODIFIER, distance (modifier - head), probability\n")
        for key in sorted(rows):
            relation = key.split(":")[1]
            counts = rows[key]
            total = sum(counts.values())
            limit = MIN_PREP_KEY_COUNT if relation in prep_relations else MIN_KEY_COUNT
            # The table's fields are separated by blanks: a multi-word
            # preposition cannot be a key.
            if total < limit or " " in key:
                continue
            slots = 2 * MAX_DISTANCE + 1
            denominator = total + DIST_SMOOTHING * slots
            power = RELATION_DIST_EXPONENTS.get(relation, exponent)
            for d in sorted(counts):
                share = (counts[d] + DIST_SMOOTHING) / denominator
                out.write("%s\t%d\t%s\n" % (key, d, number(share ** power)))
            out.write("%s\t*\t%s\n" % (key, number((DIST_SMOOTHING / denominator) ** power)))


def head_class(categories):
    """The category a head word has most often (ties: the first by name)."""
    best = max(categories.values())
    return min(cat for cat, count in categories.items() if count == best)


def read_noun_classes(wordnet_dir):
    """Maps each WordNet noun (lower case, blanks for underscores) to the
    lexicographer file of its first (most frequent) sense, as "n" and the
    file's number (n28: noun.time); nothing when WordNet is missing."""
    data = os.path.join(wordnet_dir, "data.noun")
    if not os.path.exists(data):
        return {}
    files = {}
    with open(data, encoding="latin-1") as stream:
        for line in stream:
            if not line.startswith(" "):
                fields = line.split(" ", 2)
                files[fields[0]] = fields[1]
    classes = {}
    for item in read_wn_index(wordnet_dir, "n"):
        if item.offsets and item.offsets[0] in files:
            classes[item.lemma.replace("_", " ").lower()] = "n" + files[item.offsets[0]]
    return classes


# The class of a pronoun as a prepositional object. WordNet's first noun
# sense of a pronoun's spelling is another word's (me: Maine, us: United
# States, he: helium), which would make "with me" a place and "to him" a
# substance. "there" keeps its sense, a place.
PRONOUN_CLASS = "pron"
PLACE_PRONOUNS = {"there"}


def read_pronouns(path=CLOSED_CLASS):
    """The words the closed-class list reads as pronouns (lower case)."""
    return {lowered for lowered, (key, readings) in parse_closed_class(path).items()
            if any(r.category == "N" and "+pron" in r.features for r in readings)} - PLACE_PRONOUNS


def object_classes(noun_classes, pronouns):
    """The classes of prepositional objects: WordNet's noun classes, and
    PRONOUN_CLASS for the pronouns."""
    classes = dict(noun_classes)
    classes.update((word, PRONOUN_CLASS) for word in pronouns)
    return classes


def word_class(word, noun_classes):
    """The class of a prepositional object: its WordNet noun class (or
    PRONOUN_CLASS), "num" for a number, else "other"."""
    if word in noun_classes:
        return noun_classes[word]
    if any(c.isdigit() for c in word):
        return "num"
    return "other"


def write_triples(stats, path, noun_classes, powers=(ASSOCIATION_POWER, UNKNOWN_MODIFIER_POWER)):
    association_power, unknown_modifier_power = powers
    lines = [(SETTINGS, "<association-power>", ANY_MODIFIER, int(round(1000 * association_power))),
             (SETTINGS, "<unknown-modifier-power>", ANY_MODIFIER, int(round(1000 * unknown_modifier_power)))]
    by_relation_modifier = Counter()
    by_class = Counter()
    for (head, relation, modifier), count in stats.triples.items():
        lines.append((head, relation, modifier, count))
        by_relation_modifier[(relation, modifier)] += count
    classes = {head: head_class(cats) for head, cats in stats.categories.items()}
    for (head, relation, modifier), count in stats.triples.items():
        by_class[(classes[head], relation)] += count
    by_class_occurrences = Counter()
    for head, cat in classes.items():
        lines.append((head, CLASS_RELATION, cat, 1))
        lines.append((head, OCCURRENCES, ANY_MODIFIER, stats.occurrences[head]))
        by_class_occurrences[cat] += stats.occurrences[head]
    for cat, count in by_class_occurrences.items():
        lines.append((CLASS_PREFIX + cat + ">", OCCURRENCES, ANY_MODIFIER, count))
    lines.append((ALL_HEADS, OCCURRENCES, ANY_MODIFIER, sum(stats.occurrences.values())))
    for (relation, modifier), count in by_relation_modifier.items():
        lines.append((ALL_HEADS, relation, modifier, count))
    for (cat, relation), count in by_class.items():
        lines.append((CLASS_PREFIX + cat + ">", relation, ANY_MODIFIER, count))
    by_preposition = Counter()
    for (head, relation, modifier), count in stats.triples.items():
        if relation not in SCHEME_RELATIONS:
            by_preposition[relation] += count
    for relation, count in by_preposition.items():
        lines.append((PREPOSITIONS, relation, ANY_MODIFIER, count))
    # The classes of each preposition's objects, over the heads of each
    # category and over all heads, and the class of every object word.
    by_object_class = Counter()
    objects = set()
    for (head, relation, modifier), count in stats.triples.items():
        if relation not in SCHEME_RELATIONS:
            cls = word_class(modifier, noun_classes)
            by_object_class[(classes[head], relation, cls)] += count
            by_object_class[("any", relation, cls)] += count
            objects.add(modifier)
    for (cat, relation, cls), count in by_object_class.items():
        lines.append((OBJECT_CLASSES + cat + ">", relation, cls, count))
    for word in objects:
        lines.append((word, WORD_CLASS, word_class(word, noun_classes), 1))
    for form, lemma in HEAD_LEMMAS.items():
        lines.append((form, LEMMA, lemma, 1))
    # The relations of the modifiers seen once, by class: what the database
    # knows of a modifier it lacks.
    rare = Counter()
    for (relation, modifier, cls), count in stats.modifier_classes.items():
        if stats.occurrences[modifier] == 1:
            rare[(relation, cls)] += count
    for (relation, cls), count in rare.items():
        lines.append((RARE_MODIFIERS, relation, cls, count))
    # The dependents of the heads seen once, by class ("<class:N:cap>"):
    # what the database knows of a head it lacks.
    rare_heads = Counter()
    for (head, relation, modifier), count in stats.triples.items():
        if stats.occurrences[head] == 1 and head in stats.last_class:
            rare_heads[(stats.last_class[head], relation)] += count
    for (cls, relation), count in rare_heads.items():
        lines.append((CLASS_PREFIX + cls + ">", relation, ANY_MODIFIER, count))
    lines.sort()
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for head, relation, modifier, count in lines:
            if readable(head, relation, modifier):
                out.write("%s\t%s\t%s\t%d\n" % (head, relation, modifier, count))
    return len({line[0] for line in lines})


def bad_triples(stats):
    modifier_counts = Counter()
    relation_counts = Counter()
    relation_modifier = Counter()
    head_relation = Counter()
    total = 0
    for (head, relation, modifier), count in stats.triples.items():
        modifier_counts[modifier] += count
        relation_counts[relation] += count
        relation_modifier[(relation, modifier)] += count
        head_relation[(head, relation)] += count
        total += count
    closed = sorted(m for m, c in modifier_counts.items()
                    if c >= BAD_MIN_MODIFIER and m in stats.modifier_categories
                    and head_class(stats.modifier_categories[m]) in BAD_MODIFIER_CATEGORIES)
    result = []
    for relation in sorted(BAD_RELATIONS):
        heads = sorted(h for (h, r), c in head_relation.items() if r == relation and c >= BAD_MIN_HEAD)
        for modifier in closed:
            expected = relation_counts[relation] * modifier_counts[modifier] / max(total, 1)
            if relation_modifier[(relation, modifier)] == 0 and expected >= BAD_MIN_EXPECTED:
                result.extend("%s\t%s\t%s" % (h, relation, modifier) for h in heads)
    return sorted(set(result))


def write_roots(stats, path):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("# Root categories of velmo's English grammar, generated by tools/gen-english-stats.py\n")
        out.write("# category, sentences rooted in it (EWT train), cost = round(-ln share), at most %d\n"
                  % MAX_ROOT_COST)
        for cat in sorted(stats.roots, key=lambda c: (-stats.roots[c], c)):
            share = stats.roots[cat] / stats.sentences
            cost = min(MAX_ROOT_COST, int(round(-math.log(share))))
            out.write("%s\t%d\t%d\n" % (cat, stats.roots[cat], cost))


def readable(*fields):
    """velmo's record reader takes ";" as the start of a comment and a
    backslash as an escape: triples with either (punctuation, emoticons)
    are left out."""
    return not any(";" in f or "\\" in f for f in fields)


def bucket_count(entries):
    """An odd bucket count about twice the number of entries."""
    n = 2 * entries + 1
    while any(n % p == 0 for p in (3, 5, 7, 11, 13)):
        n += 2
    return n


def build_database(velmo, out_dir, heads, triples):
    """Builds relations.qhash from the triple counts file with velmo's own commands."""
    buckets = bucket_count(heads)
    header = os.path.join(out_dir, "relations.hdr")
    with open(header, "w", encoding="utf-8", newline="\n") as out:
        out.write("relations.qhash %d 64\n" % buckets)
    qhash = os.path.join(out_dir, "relations.qhash")
    if os.path.exists(qhash):
        os.remove(qhash)
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, "korvel.lsp"), "w", encoding="utf-8") as out:
            out.write('(make-tripledb relations %d)\n' % buckets)
            out.write('(link-file relations "%s")\n' % header)
            out.write('(populate relations "%s")\n' % triples)
            out.write('(sync relations)\n(unlink-file relations)\n')
        subprocess.run([velmo, "-p", work], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--ewt", default=default_ewt(ROOT))
    parser.add_argument("--udtool", default=default_tool("udtool", os.path.join("tools", "udtool")))
    parser.add_argument("--scheme", help="udtool to-scheme output to read instead of running udtool")
    parser.add_argument("--velmo", help="velmo binary that builds relations.qhash")
    parser.add_argument("--wordnet", default="/usr/share/wordnet", help="WordNet folder (noun classes)")
    parser.add_argument("--out", default=os.path.join(ROOT, "data", "en", "stats"))
    parser.add_argument("--triples", help="also keep the triple counts (the database's input) in this text file")
    parser.add_argument("--dist-exponent", type=float, default=DIST_EXPONENT,
                        help="power the distance probabilities are raised to (tuning)")
    parser.add_argument("--association-power", type=float, default=ASSOCIATION_POWER,
                        help="power of a prepositional object's association with its head (tuning)")
    parser.add_argument("--unknown-modifier-power", type=float, default=UNKNOWN_MODIFIER_POWER,
                        help="power of an answer without a modifier word (tuning)")
    args = parser.parse_args()

    if args.scheme:
        with open(args.scheme, encoding="utf-8") as f:
            text = f.read()
    else:
        if not args.udtool:
            sys.exit("gen-english-stats: udtool not found; build it or pass --udtool")
        text = subprocess.run([args.udtool, "to-scheme", args.ewt], check=True,
                              stdout=subprocess.PIPE).stdout.decode("utf-8")
    stats = Statistics(read_closed_roots())
    stats.modifier_categories = defaultdict(Counter)
    for nodes in read_sentences(text.splitlines()):
        stats.add_sentence(nodes)
        for node in nodes:
            stats.modifier_categories[stats.root_of(node)][node.cat] += 1

    os.makedirs(args.out, exist_ok=True)
    prep_relations = {r for (h, r, m) in stats.triples if r not in SCHEME_RELATIONS}
    write_dist(stats, os.path.join(args.out, "dist.txt"), prep_relations, args.dist_exponent)
    with open(os.path.join(args.out, "bad-triples.txt"), "w", encoding="utf-8", newline="\n") as out:
        for line in bad_triples(stats):
            out.write(line + "\n")
    write_roots(stats, os.path.join(args.out, "roots.txt"))
    with tempfile.TemporaryDirectory() as work:
        triples = os.path.abspath(args.triples) if args.triples else os.path.join(work, "triples.txt")
        classes = object_classes(read_noun_classes(args.wordnet), read_pronouns())
        heads = write_triples(stats, triples, classes,
                              (args.association_power, args.unknown_modifier_power))
        if args.velmo:
            build_database(args.velmo, os.path.abspath(args.out), heads, triples)


SCHEME_RELATIONS = {
    "i", "s", "expl", "subj", "obj", "obj2", "pred", "comp", "aux", "det", "gen", "poss", "nn", "num",
    "mod", "pcomp", "rel", "appo", "conj", "cc", "prt", "lex-mod", "lex-dep", "punc", "para", "list",
    "voc", "disc", "guest", "dep",
}

if __name__ == "__main__":
    main()
