"""The English categories of velmo's default data and how treebank tokens
map onto them.

A reading is an attribute vector of the type "syn". Its category name is the
one the parser derives for a lexical item: the value of "node" when it is set,
otherwise the short name of "cat" followed by the short names of the
arguments ("V", "V_N", "V_N_N", "V_C"). Costs in a word's "freq" record are
kept under these names."""

CAT_SHORT = {"n": "N", "v": "V", "p": "P", "a": "A", "i": "I", "c": "C", "d": "Det", "j": "Conn"}

# Printed categories of the scheme that "cat" alone does not name.
NODE_OF = {
    "Num": ("n", "Num"), "VBE": ("v", "VBE"), "VB": ("v", "VB"), "Adv": ("a", "Adv"),
    "Prep": ("p", "Prep"), "Part": (None, "Part"), "Intj": (None, "Intj"), "Punc": (None, "Punc"),
    "U": (None, "U"),
}
CAT_OF = {"N": "n", "V": "v", "A": "a", "C": "c", "Det": "d", "Conn": "j"}

# Frames: the argument categories after the verb, by the short name of each.
FRAME_ARGS = {"N": "((cat n))", "C": "((cat c))", "V": "((cat v) (vform base))", "A": "((cat a))"}


OBJECT_GAP = "+gap"


class Reading:
    """One reading: a scheme category, features (attribute texts), an argument
    frame (tuple of short names, optional ones marked with a trailing '?'),
    and the lemma when the entry key is not the root."""

    __slots__ = ("category", "features", "frame", "lemma")

    def __init__(self, category, features=(), frame=(), lemma=None):
        self.category = category
        self.features = tuple(features)
        self.frame = tuple(frame)
        self.lemma = lemma

    def key(self):
        return (self.category, self.features, self.frame, self.lemma)

    def name(self):
        """The category name the parser derives for this reading."""
        if self.category in NODE_OF:
            return self.category
        return "_".join([self.category] + [arg.rstrip("?") for arg in self.frame])

    def avm(self):
        parts = []
        if self.category in NODE_OF:
            cat, node = NODE_OF[self.category]
            if cat:
                parts.append("(cat %s)" % cat)
            parts.append("(node %s)" % node)
        else:
            parts.append("(cat %s)" % CAT_OF[self.category])
        parts.extend(self.features)
        if self.frame:
            args = []
            for arg in self.frame:
                text = FRAME_ARGS[arg.rstrip("?")]
                if arg.endswith("?"):
                    text = text[:-1] + " +opt)"
                args.append(text)
            parts.append("(args %s)" % " ".join(args))
            # A verb whose frame opens with an object may lose that object to
            # a question or relative word before its clause (what did you
            # see, the book that I read): the grammar makes the gap a moved
            # element once the clause is complete.
            if self.category == "V" and self.frame[0].rstrip("?") == "N":
                parts.append(OBJECT_GAP)
        if self.lemma is not None:
            parts.append('(lemma "%s")' % self.lemma.replace("\\", "\\\\").replace('"', '\\"'))
        return "(avm (%s))" % " ".join(parts)


def printed(name):
    """The scheme category a category name prints as (V_N -> V)."""
    return name.split("_", 1)[0] if name.startswith(("V_", "A_", "N_")) else name


AUX_WORDS = {"be", "have", "do", "will", "would", "shall", "should", "can", "could", "may", "might",
             "must", "ought"}


def gold_category(token, sentence=None):
    """The scheme category of a treebank token (before frames)."""
    upos, lemma, form = token.upos, token.lemma.lower(), token.form.lower()
    if upos in ("NOUN", "PROPN", "PRON"):
        return "N"
    if upos == "NUM":
        return "Num"
    if upos == "VERB":
        return "VBE" if lemma == "be" else "V"
    if upos == "AUX":
        if lemma == "be" and token.deprel == "cop":
            return "VBE"
        return "VB"
    if upos == "ADJ":
        return "A"
    if upos == "ADV":
        return "Adv"
    if upos == "ADP":
        return "Prep"
    if upos == "DET":
        return "Det"
    if upos == "SCONJ":
        return "C"
    if upos == "CCONJ":
        return "Conn"
    if upos == "PART":
        if form in ("to",):
            return "VB"
        if lemma == "not" or form in ("not", "n't", "n’t", "nt"):
            return "Adv"
        if token.deprel == "case" or lemma in ("'s", "’s", "'", "s"):
            return "Part"
        return "Adv"
    if upos == "INTJ":
        return "Intj"
    if upos == "PUNCT":
        return "Punc"
    return "U"
