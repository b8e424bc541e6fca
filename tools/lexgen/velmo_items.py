"""Reading velmo's lexical items: the commands that make velmo analyse gold
tokens (one `p` command per sentence, then `li`), and the parts of the items
it prints (span, attribute vector, category name, root). Shared by the
lexicon check (tools/lexicon-check.py) and the readings measure
(tools/lexgen/readings.py)."""

import os
import re
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

from scheme import CAT_SHORT  # noqa: E402

# Aliases of data/en/attributes.lsp that stand for a category.
ALIAS_NODES = {"prep": "Prep", "adv": "Adv", "aux": "VB", "cop": "VBE"}
ITEM_LINE = re.compile(r"^\[(\d+),(\d+)\] (.*)$")
# velmo prints this before the items of each sentence.
SENTENCE_MARK = ";; length:"


def treebank_file(split):
    """The EWT file of a split ("train", "dev"), looked for in the shared
    folder above the repository; the bare file name when there is none."""
    name = "en_ewt-ud-%s.conllu" % split
    folder = ROOT
    while folder != os.path.dirname(folder):
        folder = os.path.dirname(folder)
        candidate = os.path.join(folder, "shared", "data", "ud-english-ewt", name)
        if os.path.exists(candidate):
            return candidate
    return name


def quoted(word):
    return '"%s"' % word.replace("\\", "\\\\").replace('"', '\\"')


def sentence_commands(sentences, list_items=True):
    """One `p` command per sentence over its gold tokens, each followed by
    `li` when the items are wanted."""
    lines = []
    for sentence in sentences:
        lines.append("~(p %s)" % " ".join(quoted(token.form) for token in sentence))
        if list_items:
            lines.append("~(li)")
    return lines


def run_analysis(velmo, search_path, sentences):
    """velmo's printed items, one text per sentence, or None (with velmo's
    messages) when it answered fewer sentences than it was given."""
    result = subprocess.run([velmo, "-d", "-i", "-p", search_path],
                            input="\n".join(sentence_commands(sentences)) + "\n", capture_output=True, text=True)
    chunks = result.stdout.split(SENTENCE_MARK)[1:]
    if len(chunks) != len(sentences):
        return None, "velmo answered %d of %d sentences:\n%s" % (len(chunks), len(sentences), result.stderr[:2000])
    return chunks, ""


def balanced(text, start):
    """The end of the parenthesised group that starts at `start`."""
    depth = 0
    in_quotes = False
    i = start
    while i < len(text):
        c = text[i]
        if in_quotes:
            if c == "\\":
                i += 1
            elif c == '"':
                in_quotes = False
        elif c == '"':
            in_quotes = True
        elif c == "(":
            depth += 1
        elif c == ")":
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return len(text)


def vector_of(body):
    """The printed attribute vector "(avm ...)" of an item, or ""."""
    at = body.find("(avm ")
    return body[at:balanced(body, at)] if at >= 0 else ""


def category_name(vector, with_args=True):
    """The category name the parser derives from a printed vector: "node"
    when set, else the short name of "cat" and (with_args) of each
    argument, e.g. V_N."""
    node = re.search(r"\(node ([A-Za-z]+)\)", vector)
    if node:
        return node.group(1)
    for alias, name in ALIAS_NODES.items():
        if re.search(r"[( ]%s[ )]" % alias, vector):
            return name
    args_at = vector.find("(args ")
    head = vector if args_at < 0 else vector[:args_at]
    cat = re.search(r"\(cat ([a-z])\)", head)
    if not cat:
        return ""
    name = CAT_SHORT.get(cat.group(1), "")
    if with_args and args_at >= 0:
        body = vector[args_at:balanced(vector, args_at)]
        for element_cat in re.findall(r"\(\(cat ([a-z])\)", body):
            name += "_" + CAT_SHORT.get(element_cat, "")
    return name


class Item:
    """One printed item: span, body, vector, category name, root, and
    whether an ending made it."""
    __slots__ = ("low", "high", "body", "vector", "category", "root", "inflected")

    def __init__(self, low, high, body):
        self.low, self.high, self.body = low, high, body
        self.vector = vector_of(body)
        self.category = category_name(self.vector)
        root = re.search(r" \(root (.*)\)$", body)
        self.root = root.group(1) if root else ""
        self.inflected = " (affixes " in body


def parse_items(text):
    """The top-level items printed by `li`, in order."""
    items = []
    for line in text.splitlines():
        match = ITEM_LINE.match(line)
        if match:
            items.append(Item(int(match.group(1)), int(match.group(2)), match.group(3)))
    return items
