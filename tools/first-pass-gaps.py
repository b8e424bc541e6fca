#!/usr/bin/env python3
"""Which gold dependencies the parser's first pass cannot make.

A sentence that no first-pass item covers whole is parsed again with the
last-resort links and the wider head reach (the second pass). This tool
finds those sentences in a CoNLL-U file, compares their scores with the
rest, and counts the gold dependencies (in our own scheme) that join two
different pieces of the first pass's cover: the attachments the first pass
failed to make.

    tools/first-pass-gaps.py [--gold FILE] [--build DIR] [--data DIR]
                             [--work DIR] [--top N] [--examples KEY]

The first-pass pieces come from a copy of the data whose grammar has no
last-resort links (so no second pass runs). Each failed dependency is
counted by (head category, relation, modifier category, side, reason):
  no-link      the grammar has no link of that relation from the head's
               category to the modifier's on that side
  last-resort  only last-resort links have it
  max-dist     every such link has a max-dist below the distance
  reach        the head words lie more than 20 apart (first-pass reach)
  other-cat    the first pass gave the head or modifier another category
  inner        the modifier's piece was built differently (the modifier
               word is not the root of its piece)
  refused      links exist: a condition refused it, or items it needs
               were not made
Categories and relations are the gold ones after `udtool to-scheme`.
Use the TRAIN split to choose rules; the dev split only to measure.
"""
import argparse
import collections
import os
import re
import shutil
import subprocess
import sys

FIRST_PASS_REACH = 20


# ---------------------------------------------------------------- trees

class Node:
    __slots__ = ("id", "word", "cat", "head", "rel", "children")

    def __init__(self, id_, word, cat, head, rel):
        self.id, self.word, self.cat, self.head, self.rel = id_, word, cat, head, rel
        self.children = []


def read_trees(lines):
    """Yields the trees of the dependency output, each a dict id -> Node."""
    cur = None
    for line in lines:
        line = line.rstrip("\n")
        if line == "(":
            cur = {}
        elif line == ")":
            if cur is not None:
                for n in cur.values():
                    if n.head in cur:
                        cur[n.head].children.append(n)
                yield cur
            cur = None
        elif cur is not None and "\t" in line:
            f = line.split("\t")
            word = f[1][1:] if f[1].startswith("(") else f[1]
            cat = f[2].split(" ")[-1]
            rel = f[4] if len(f) > 4 and not f[4].startswith("(") else ""
            cur[f[0]] = Node(f[0], word, cat, f[3], rel)


def is_empty(node):
    return node.id.startswith("E")


def lexical_word(tree, node, depth=0):
    """The word standing for a node: an empty clause head stands for its
    verb (its `i` dependent, or its first lexical dependent)."""
    if not is_empty(node):
        return node
    if depth > 20:
        return None
    kids = sorted(node.children, key=lambda k: (k.rel != "i", is_empty(k)))
    for k in kids:
        w = lexical_word(tree, k, depth + 1)
        if w is not None:
            return w
    return None


def word_number(node_id):
    return int(node_id) if node_id.isdigit() else None


# ---------------------------------------------------------------- grammar

def char_kinds(text):
    """For each character of a command file, what it belongs to: "code",
    "string" (the quotes included) or "comment" (from ";" to the line's end,
    the newline excluded)."""
    kinds, instr, incomment = [], False, False
    i = 0
    while i < len(text):
        c = text[i]
        if incomment and c != "\n":
            kinds.append("comment")
        elif instr:
            kinds.append("string")
            if c == "\\" and i + 1 < len(text):
                kinds.append("string")
                i += 1
            elif c == '"':
                instr = False
        elif c == '"':
            instr = True
            kinds.append("string")
        elif c == ";":
            incomment = True
            kinds.append("comment")
        else:
            incomment = False
            kinds.append("code")
        i += 1
    return kinds


def strip_comments(text):
    return "".join(c for c, kind in zip(text, char_kinds(text)) if kind != "comment")


def parse_sexpr(text):
    tokens = re.findall(r'"(?:\\.|[^"\\])*"|[()]|[^\s()]+', text)
    stack = [[]]
    for t in tokens:
        if t == "(":
            stack.append([])
        elif t == ")":
            if len(stack) > 1:
                done = stack.pop()
                stack[-1].append(done)
        else:
            stack[-1].append(t)
    return stack[0]


Link = collections.namedtuple("Link", "head mod rel side max_dist last_resort")


def grammar_links(path):
    return grammar_links_of_text(open(path, encoding="utf-8").read())


def grammar_links_of_text(text):
    """The links of the def-modifiers forms: (head, modifier, relation,
    side, max-dist, last-resort)."""
    links = []
    for form in parse_sexpr(strip_comments(text)):
        if not (isinstance(form, list) and form and form[0] == "def-modifiers"):
            continue
        head, side = form[1], "left"
        for group in form[2:]:
            if isinstance(group, list) and group and group[0] == ":head":
                side = "right"
                continue
            if not (isinstance(group, list) and group and group[0] in ("?", "*")):
                continue
            for link in group[1:]:
                if not isinstance(link, list) or not link or isinstance(link[0], list):
                    continue
                opts = {o[0]: o[1:] for o in link[1:] if isinstance(o, list) and o}
                rel = opts.get("dep-type", [""])[0]
                max_dist = int(opts["max-dist"][0]) if "max-dist" in opts else 64
                links.append(Link(head, link[0], rel, side, max_dist, "last-resort" in opts))
    return links


def code_mask(text):
    """For each character, whether it is code (neither in a string nor in
    a comment)."""
    return [kind == "code" for kind in char_kinds(text)]


def without_last_resort(text):
    """The grammar text without its last-resort links (and groups left empty)."""
    mask = code_mask(text)
    spans = []
    k = text.find("(last-resort)")
    while k >= 0:
        if mask[k]:
            depth, j = 0, k - 1
            while j >= 0 and not (mask[j] and text[j] == "(" and depth == 0):
                if mask[j]:
                    depth += text[j] == ")"
                    depth -= text[j] == "("
                j -= 1
            depth, e = 0, j
            while e < len(text):
                if mask[e]:
                    depth += text[e] == "("
                    depth -= text[e] == ")"
                    if depth == 0:
                        break
                e += 1
            spans.append((j, e + 1))
        k = text.find("(last-resort)", k + 1)
    for j, e in reversed(spans):
        text = text[:j] + text[e:]
    return re.sub(r"\((\?|\*)\s*\)", "", text)


# ---------------------------------------------------------------- running

def run(cmd, stdin_path=None, **kw):
    with open(stdin_path) if stdin_path else open(os.devnull) as inp:
        return subprocess.run(cmd, stdin=inp, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, check=True, **kw).stdout


def cached(path, reuse, make):
    """The text in `path`, made by `make` unless reusing a kept one."""
    if not (reuse and os.path.exists(path)):
        with open(path, "w") as f:
            f.write(make())
    return open(path).read()


def parse_with_passes(velmo, data, work, sentences, reuse):
    """Trees of velmo -i and, for each, the number of passes it took."""
    wrapper = os.path.join(work, "stats")
    os.makedirs(wrapper, exist_ok=True)
    with open(os.path.join(wrapper, "korvel.lsp"), "w") as f:
        f.write('(load "%s")\n(parse-stats 1)\n' % os.path.abspath(os.path.join(data, "korvel.lsp")))
    out = cached(os.path.join(work, "parsed.txt"), reuse,
                 lambda: run([velmo, "-i", "-p", wrapper + ";" + data], sentences)).split("\n")
    passes, pending = [], []
    body = []
    for line in out:
        m = re.match(r";; words: .* passes: (\d+)", line)
        if m:
            pending.append(int(m.group(1)))
            continue
        if line == "(":
            passes.append(pending.pop(0) if pending else 0)
        body.append(line)
    return list(read_trees(body)), passes


def first_pass_data(data, work):
    copy = os.path.join(work, "first-pass-data")
    if os.path.exists(copy):
        shutil.rmtree(copy)
    shutil.copytree(data, copy)
    grammar = os.path.join(copy, "en", "grammar.lsp")
    text = open(grammar, encoding="utf-8").read()
    open(grammar, "w", encoding="utf-8").write(without_last_resort(text))
    return copy


# ---------------------------------------------------------------- analysis

def lines_up(gold, system):
    """Whether the system's words are the gold ones: every gold word but
    punctuation (which the output may leave out) has its place, and the
    words agree at all but a few places (multiword names)."""
    n = differ = 0
    for k, g in gold.items():
        if is_empty(g):
            continue
        s = system.get(k)
        if s is None:
            if g.cat != "Punc":
                return False
            continue
        n += 1
        differ += s.word.strip('"') != g.word.strip('"')
    return differ * 10 <= n


def attachment(tree, node):
    """(head word node, relation, head category) of a real word, looking
    through empty clause heads (their category is the head's)."""
    head = tree.get(node.head)
    if head is None:
        return None
    return lexical_word(tree, head), node.rel, head.cat


def uas(gold, system):
    n = ok = 0
    for k, g in gold.items():
        if is_empty(g) or g.cat == "Punc":
            continue
        s = system.get(k)
        if s is None:
            continue
        ga, sa = attachment(gold, g), attachment(system, s)
        n += 1
        if ga and sa and ga[0] is not None and sa[0] is not None and ga[0].id == sa[0].id:
            ok += 1
    return n, ok


def pieces_of(tree):
    """Word id -> piece number (the top-level subtree under a fragment
    root), and the set of piece roots; None when the tree is whole."""
    roots = [n for n in tree.values() if n.head == "*"]
    if len(roots) != 1 or roots[0].cat != "U":
        return None
    piece, tops = {}, set()

    def walk(n, p):
        piece[n.id] = p
        for k in n.children:
            walk(k, p)

    for i, top in enumerate(roots[0].children):
        walk(top, i)
        w = lexical_word(tree, top)
        if w is not None:
            tops.add(w.id)
    return piece, tops


def reason(links, hcat, rel, dcat, side, dist, hw_dist, fp, g_head, g_dep, dep_is_top):
    same = [l for l in links if l.head == hcat and l.mod == dcat and l.rel == rel and l.side == side]
    if not same:
        return "no-link"
    first = [l for l in same if not l.last_resort]
    if not first:
        return "last-resort"
    if all(dist > l.max_dist for l in first):
        return "max-dist"
    if hw_dist > FIRST_PASS_REACH:
        return "reach"
    fh, fd = fp.get(g_head.id), fp.get(g_dep.id)
    if (fh and fh.cat != g_head.cat) or (fd and fd.cat != g_dep.cat):
        return "other-cat"
    if not dep_is_top:
        return "inner"
    return "refused"


def last_resort_arcs(links, gold, system):
    """The system's arcs that only last-resort links make, each as
    ((head, relation, modifier, side), right head?, what gold has instead:
    its relation and head category, or "same" when the head is right)."""
    only_last = {(l.head, l.mod, l.rel, l.side) for l in links if l.last_resort}
    only_last -= {(l.head, l.mod, l.rel, l.side) for l in links if not l.last_resort}
    arcs = []
    for k, s in system.items():
        if is_empty(s) or k not in gold:
            continue
        att = attachment(system, s)
        if att is None or att[0] is None or word_number(att[0].id) is None:
            continue
        head, rel, hcat = att
        side = "left" if word_number(k) < word_number(head.id) else "right"
        if (hcat, s.cat, rel, side) not in only_last:
            continue
        gatt = attachment(gold, gold[k])
        right = gatt is not None and gatt[0] is not None and gatt[0].id == head.id
        instead = "same" if right else ("%s<-%s" % (gatt[2], gatt[1]) if gatt else "?")
        arcs.append(((hcat, rel, s.cat, side), right, instead))
    return arcs


def print_last_resort_arcs(table, top):
    """Per last-resort link: how often its arcs have the gold head, and the
    gold attachments most often found instead."""
    print("\nlast-resort arcs of second-pass sentences (right head / all):")
    totals = collections.Counter()
    for key, right, _ in table:
        totals[key] += 1
    for key, n in totals.most_common(top):
        ok = sum(1 for k, r, _ in table if k == key and r)
        instead = collections.Counter(i for k, r, i in table if k == key and not r)
        print("%6d  %5.1f%%  %-4s %-5s %-5s %-5s  instead: %s" % (
            n, 100.0 * ok / n, key[0], key[1], key[2], key[3],
            ", ".join("%s %d" % kv for kv in instead.most_common(4))))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    ap.add_argument("--gold", default=os.path.join(root, "..", "..", "shared", "data", "ud-english-ewt",
                                                   "en_ewt-ud-train.conllu"))
    ap.add_argument("--build", default=os.path.join(root, "build"))
    ap.add_argument("--data", default=os.path.join(root, "data"))
    ap.add_argument("--work", default="/tmp/first-pass-gaps")
    ap.add_argument("--top", type=int, default=40)
    ap.add_argument("--examples", action="append", default=[],
                    help="HEAD,REL,MOD[,SIDE[,REASON]]: print sentences of that kind (may be repeated)")
    ap.add_argument("--reuse", action="store_true", help="reuse the parses kept in the work folder")
    args = ap.parse_args()

    os.makedirs(args.work, exist_ok=True)
    velmo = os.path.join(args.build, "app", "velmo")
    udtool = os.path.join(args.build, "tools", "udtool", "udtool")
    sentences = os.path.join(args.work, "sentences.txt")
    cached(sentences, args.reuse, lambda: run([udtool, "text", args.gold]))
    gold = list(read_trees(cached(os.path.join(args.work, "gold.scheme"), args.reuse,
                                  lambda: run([udtool, "to-scheme", args.gold])).split("\n")))
    system, passes = parse_with_passes(velmo, args.data, args.work, sentences, args.reuse)
    first = list(read_trees(cached(os.path.join(args.work, "first-pass.txt"), args.reuse,
                                   lambda: run([velmo, "-i", "-p", first_pass_data(args.data, args.work)],
                                               sentences)).split("\n")))
    texts = open(sentences).read().split("\n")
    links = grammar_links(os.path.join(args.data, "en", "grammar.lsp"))

    score = {1: [0, 0, 0], 2: [0, 0, 0]}
    counts = collections.Counter()
    examples = []
    wanted = [w.split(",") for w in args.examples]
    shown = collections.Counter()
    aligned = skipped = 0
    arc_table = []
    for i, (g, s, fp) in enumerate(zip(gold, system, first)):
        if not lines_up(g, s) or not lines_up(g, fp):
            skipped += 1
            continue
        aligned += 1
        p = 2 if passes[i] == 2 else 1
        n, ok = uas(g, s)
        score[p][0] += 1
        score[p][1] += n
        score[p][2] += ok
        if p != 2:
            continue
        arc_table.extend(last_resort_arcs(links, g, s))
        pieces = pieces_of(fp)
        if pieces is None:
            continue
        piece, tops = pieces
        for dep in g.values():
            if is_empty(dep):
                continue
            att = attachment(g, dep)
            if att is None or att[0] is None:
                continue
            head, rel, hcat = att
            if piece.get(head.id) == piece.get(dep.id) or dep.id not in piece or head.id not in piece:
                continue
            hn, dn = word_number(head.id), word_number(dep.id)
            side = "left" if dn < hn else "right"
            dist = abs(hn - dn)
            hw = abs(hn - dn)  # words apart: an upper bound of the head words apart
            why = reason(links, hcat, rel, dep.cat, side, dist, hw, fp, head, dep, dep.id in tops)
            key = (hcat, rel, dep.cat, side, why)
            counts[key] += 1
            for n, want in enumerate(wanted):
                if list(key[:len(want)]) == want and shown[n] < 12:
                    shown[n] += 1
                    examples.append("%s %d: %s  [%s <-%s- %s] (%s)" % (
                        "/".join(want), i + 1, texts[i], head.word, rel, dep.word, why))

    print("sentences aligned %d, skipped %d" % (aligned, skipped))
    for p, name in ((1, "first pass"), (2, "second pass")):
        c, n, ok = score[p]
        print("%-12s sentences %5d  words %6d  UAS %.2f" % (name, c, n, 100.0 * ok / max(n, 1)))
    total = sum(counts.values())
    print("\ngold dependencies joining two first-pass pieces: %d" % total)
    by_reason = collections.Counter()
    for k, v in counts.items():
        by_reason[k[4]] += v
    print("by reason: " + ", ".join("%s %d" % kv for kv in by_reason.most_common()))
    by_triple = collections.Counter()
    for k, v in counts.items():
        by_triple[k[:4]] += v
    print("\nby (head, relation, modifier, side):")
    for k, v in by_triple.most_common(args.top):
        detail = ", ".join("%s %d" % (kk[4], vv) for kk, vv in counts.most_common() if kk[:4] == k)
        print("%6d  %-4s %-9s %-5s %-5s  (%s)" % (v, k[0], k[1], k[2], k[3], detail))
    print_last_resort_arcs(arc_table, args.top)
    for e in examples:
        print(e)


if __name__ == "__main__":
    sys.exit(main())
