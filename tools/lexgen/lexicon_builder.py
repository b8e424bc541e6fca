"""Builds the English lexicon in memory: closed-class words from the hand
list, open-class lemmas from the treebank and WordNet with their frames,
irregular forms, multi-word items, the unknown-word classes, and every
word form's costs."""

import math
import re
from collections import Counter, defaultdict

import morphology
from scheme import Reading, gold_category
from sources import read_wn_exceptions, read_wn_index, read_wn_spellings, read_wn_verb_frames

# A frame must be seen this often, and make up this share of the verb's uses,
# to become a reading of its own.
MIN_FRAME_COUNT = 3
MIN_FRAME_SHARE = 0.08
MAX_FRAMES = 3
# Treebank readings of a form that the other sources do not give it.
MIN_FORM_READING_COUNT = 2
MIN_FORM_READING_SHARE = 0.03
# WordNet readings are trusted for words the treebank knows little about, and
# for senses the WordNet concordance saw often.
WN_TRUST_BELOW = 12
WN_TAGGED_ENOUGH = 3
# A lemma's category the treebank gives it at most this often, and in less
# than this share of its uses, is no reading of it.
MAX_RARE_CATEGORY_COUNT = 2
RARE_CATEGORY_SHARE = 0.02
# Multi-word items.
MIN_FIXED_COUNT = 2
MIN_NAME_COUNT = 3
MAX_PHRASES_PER_WORD = 40
MAX_PHRASE_WORDS = 4
# A word form the treebank has this often, and never with a root its ending
# offers (has as ha+s, number as numb+er), is not read through that ending.
MIN_FALSE_ROOT_COUNT = 2
# A word form the treebank has this often, read through an ending and with
# readings of more than one category, gets an entry of its own, so that its
# costs are its own uses' (related: mostly an adjective, though relate and
# relates are verbs).
MIN_OWN_FORM_COUNT = 7
# An entry filed under a capitalised spelling is filed in lower case when the
# treebank writes its common readings so this often, outside names.
MIN_LOWER_CASE_USES = 2
# Smoothing of the costs: add-beta over the readings the lexicon gives a form.
BETA = 0.5
# A multi-word item costs -ln P(item | its words in a row): the share of the
# treebank's occurrences of the word sequence written as the item comes out
# in UD (flat name, compound noun, verb particle, fixed expression),
# add-PHRASE_PRIOR smoothed towards PHRASE_PRIOR_SHARE, so a sequence never
# seen costs -ln PHRASE_PRIOR_SHARE; one seen MIN_PHRASE_SEEN times and never
# written so is dropped.
PHRASE_PRIOR = 1.0
PHRASE_PRIOR_SHARE = 0.5
MIN_PHRASE_SEEN = 2
# A word is a verb particle when the treebank has it as one this often.
MIN_PARTICLE_COUNT = 3
# A form read as both noun and adjective is an adjective before a noun
# (terrorist cells, online trading) when the treebank writes it as one there
# this often and in at least this share of its uses before a noun.
MIN_PRENOMINAL_COUNT = 3
MIN_PRENOMINAL_SHARE = 0.8

NOUN_SG = ("(num sg)", "(person 3)")
NOUN_PL = ("(num pl)", "(person 3)")
VERB_BASE = ("(vform fin base)", "(tense pres)")
ADJ_POS = ("(degree pos)",)

WN_CATEGORY = {"n": "N", "v": "V", "a": "A", "r": "Adv"}
WN_FRAME_OBJECT = {8, 9, 10, 11, 15, 16, 17, 18, 19, 20, 21, 30, 31}
WN_FRAME_CLAUSE = {26, 34}
WN_FRAME_INTRANSITIVE = {1, 2, 3, 4, 12, 13, 22, 23, 27}


def key_of(word):
    return word.lower()


def verb_frame(token, children):
    """The argument frame of a verb token, from its dependents."""
    iobj = obj = comp = None
    for child in children:
        rel = child.deprel.split(":")[0]
        if rel == "iobj" and iobj is None:
            iobj = "N"
        elif rel == "obj" and obj is None:
            obj = "N"
        elif rel == "ccomp" and comp is None:
            comp = "C"
        elif rel == "xcomp" and comp is None:
            comp = {"VERB": "V", "AUX": "V", "ADJ": "A", "NOUN": "N", "PROPN": "N"}.get(child.upos)
    frame = [arg for arg in (iobj, obj, comp) if arg]
    return tuple(frame[:2])


def token_features(token, category):
    feats = token.feats
    if category == "N":
        plural = feats.get("Number") == "Plur"
        features = NOUN_PL if plural else NOUN_SG
        if token.upos == "PROPN":
            features = features + ("+proper",)
        return features
    if category == "V":
        form, tense = feats.get("VerbForm"), feats.get("Tense")
        if form in ("Ger",) or (form == "Part" and tense == "Pres"):
            return ("(vform ing)",)
        if form == "Part":
            return ("(vform en)",)
        if tense == "Past":
            return ("(vform fin)", "(tense past)")
        if form == "Inf":
            return ("(vform base)",)
        if feats.get("Person") == "3" and feats.get("Number") == "Sing":
            return ("(vform fin)", "(tense pres)", "(num sg)", "(person 3)")
        return VERB_BASE
    if category == "A":
        degree = {"Cmp": "cmp", "Sup": "sup"}.get(feats.get("Degree"), "pos")
        return ("(degree %s)" % degree,)
    if category == "Num":
        return ("(num pl)",) if token.form.lower() not in ("one", "1") else ("(num sg)",)
    return ()


def merge_vform(features_list):
    """One feature tuple for a verb form seen with several verb forms."""
    vforms, tenses, rest = [], [], []
    for features in features_list:
        for feature in features:
            match = re.match(r"\((vform|tense) (.*)\)$", feature)
            if match:
                target = vforms if match.group(1) == "vform" else tenses
                for value in match.group(2).split():
                    if value not in target:
                        target.append(value)
            elif feature not in rest:
                rest.append(feature)
    order = ["fin", "base", "ing", "en"]
    result = []
    if vforms:
        result.append("(vform %s)" % " ".join(v for v in order if v in vforms))
    if tenses and any(v in vforms for v in ("fin",)):
        result.append("(tense %s)" % " ".join(t for t in ("pres", "past") if t in tenses))
    if len(features_list) == 1:
        result.extend(rest)
    return tuple(result)


def split_features(text):
    """The attribute texts of a reading: +name, -name and parenthesised
    texts, which may hold lists of vectors ((move ((slash ctl) (role subj))))."""
    features = []
    at = 0
    while at < len(text):
        if text[at] == "(":
            depth, end = 0, at
            while end < len(text):
                depth += {"(": 1, ")": -1}.get(text[end], 0)
                end += 1
                if depth == 0:
                    break
            features.append(text[at:end])
            at = end
            continue
        match = re.match(r"[+-][a-z_]+", text[at:])
        if match:
            features.append(match.group(0))
            at += match.end()
        else:
            at += 1
    return tuple(features)


def parse_closed_class(path):
    """KEY : READING | READING lines of the hand-written list."""
    entries = {}
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if not line.strip() or line.startswith(";;"):
                continue
            if line.startswith('"'):
                end = 1
                while line[end] != '"':
                    end += 2 if line[end] == "\\" else 1
                key = line[1:end].replace('\\"', '"').replace("\\\\", "\\")
                rest = line[end + 1:].split(":", 1)[1]
            else:
                key, rest = line.split(" : ", 1)
            readings = []
            for part in rest.split("|"):
                tokens = part.split(None, 1)
                # A verb's category may name its frame (V_V: it takes a bare
                # verb, as "wanna go" does).
                category, *frame = tokens[0].split("_")
                features = split_features(tokens[1]) if len(tokens) > 1 else ()
                lemma = None
                kept = []
                for feature in features:
                    match = re.match(r'\(lemma "(.*)"\)$', feature)
                    if match:
                        lemma = match.group(1)
                    else:
                        kept.append(feature)
                readings.append(Reading(category, kept, tuple(frame), lemma))
            entries.setdefault(key_of(key), (key, []))[1].extend(readings)
    return entries


class Entry:
    __slots__ = ("key", "readings", "phrases", "costs")

    def __init__(self, key):
        self.key = key
        self.readings = []
        self.phrases = []
        self.costs = []

    def add(self, reading):
        if all(existing.key() != reading.key() for existing in self.readings):
            self.readings.append(reading)


class LexiconBuilder:
    def __init__(self, treebank, wordnet_dir, closed_class_path):
        self.sentences = list(treebank)
        self.wordnet_dir = wordnet_dir
        self.closed = parse_closed_class(closed_class_path)
        self.entries = {}
        self.form_counts = defaultdict(Counter)     # form key -> category name -> count
        self.token_names = []                       # per treebank token: (form key, gold category, frame)
        self.lemma_counts = Counter()               # lemma key -> tokens
        self.lemma_categories = defaultdict(Counter)
        self.verb_frames = defaultdict(Counter)
        self.spellings = defaultdict(Counter)       # lemma key -> written forms of the lemma
        self.common_spellings = defaultdict(Counter)  # (key, category) -> its spellings outside names
        self.inflected = defaultdict(list)          # (form key, lemma key, category) -> features
        self.wn = {}                                # (lemma key, category) -> tagged sense count
        self.wn_frames = {}
        self.form_lemmas = defaultdict(set)         # form key -> lemma keys the treebank gives it
        self.false_roots = set()                    # (form key, ending name) the analyzer must not use
        self.prenominal_adjectives = []             # form keys that are adjectives before a noun

    # -- entries --------------------------------------------------------------------

    def entry(self, key):
        lowered = key_of(key)
        if lowered not in self.entries:
            self.entries[lowered] = Entry(key)
        return self.entries[lowered]

    # -- treebank -------------------------------------------------------------------

    def read_treebank(self):
        for sentence in self.sentences:
            children = defaultdict(list)
            for token in sentence:
                children[token.head].append(token)
            for token in sentence:
                category = gold_category(token)
                form = key_of(token.form)
                # A participle that marks a noun (including, regarding) is
                # read as the preposition the hand-written list makes it.
                if category == "V" and token.deprel == "case" and form in self.closed:
                    category = "Prep"
                # A possessor written as a word the hand-written list makes a
                # determiner and no possessive pronoun ("you" for "your") is
                # counted as that determiner.
                if category == "N" and token.deprel == "nmod:poss" and self.determiner_for_possessive(form):
                    category = "Det"
                lemma = key_of(token.lemma)
                frame = verb_frame(token, children[token.id]) if category == "V" else ()
                self.token_names.append((form, category, frame))
                self.form_lemmas[form].add(lemma)
                if category in ("N", "V", "A", "Adv", "Num"):
                    self.lemma_counts[lemma] += 1
                    self.lemma_categories[lemma][category] += 1
                    if token.upos == "PROPN" or token.upos == "NOUN":
                        self.spellings[lemma][token.lemma] += 1
                    if token.upos != "PROPN":
                        self.common_spellings[(lemma, category)][token.lemma] += 1
                        # An entry of the form itself (said, heard) is
                        # written as the form is inside a sentence.
                        if form != lemma and token.id > 1:
                            self.common_spellings[(form, category)][token.form] += 1
                    if category == "V":
                        self.verb_frames[lemma][frame] += 1
                    if form != lemma or category in ("N", "V", "A"):
                        self.inflected[(form, lemma, category)].append(token_features(token, category))
                self.form_counts[form][category] += 1

    # -- WordNet --------------------------------------------------------------------

    def read_wordnet(self):
        self.collocations = []
        for pos in ("n", "v", "a", "r"):
            for item in read_wn_index(self.wordnet_dir, pos):
                category = WN_CATEGORY[pos]
                if "_" in item.lemma:
                    self.collocations.append((item.lemma.replace("_", " "), category, item.tagged))
                    continue
                key = (item.lemma, category)
                self.wn[key] = self.wn.get(key, 0) + item.tagged
        self.wn_frames = read_wn_verb_frames(self.wordnet_dir)
        self.wn_spellings = read_wn_spellings(self.wordnet_dir)
        self.exceptions = {pos: read_wn_exceptions(self.wordnet_dir, pos) for pos in ("n", "v", "a")}

    # -- building -------------------------------------------------------------------

    def frames_of(self, lemma):
        counts = self.verb_frames.get(lemma, Counter())
        total = sum(counts.values())
        frames = []
        if total >= MIN_FRAME_COUNT:
            for frame, count in sorted(counts.items(), key=lambda item: (-item[1], item[0])):
                if count >= MIN_FRAME_COUNT and count >= MIN_FRAME_SHARE * total:
                    frames.append(frame)
        if not frames:
            numbers = self.wn_frames.get(lemma, set())
            if counts:
                frames.append(max(counts.items(), key=lambda item: (item[1], item[0]))[0])
            if numbers & WN_FRAME_OBJECT and ("N",) not in frames:
                frames.append(("N",))
            if numbers & WN_FRAME_CLAUSE and ("C",) not in frames:
                frames.append(("C",))
            if numbers & WN_FRAME_INTRANSITIVE and () not in frames:
                frames.append(())
            if not frames:
                frames.append(())
        frames = frames[:MAX_FRAMES]
        # An intransitive use next to a transitive one: one reading with an
        # optional object.
        if () in frames and ("N",) in frames:
            frames.remove(())
            frames[frames.index(("N",))] = ("N?",)
        return frames

    def bare_verb_features(self, lemma):
        """A verb's own form; also its past or participle when the treebank
        uses it so (put, set, cut)."""
        seen = self.inflected.get((lemma, lemma, "V"), [])
        extra = [features for features in seen if "(vform en)" in features or "(tense past)" in features]
        if len(extra) < 2:
            return VERB_BASE
        return merge_vform([VERB_BASE] + extra)

    def open_class_readings(self, lemma, category, features=None, lemma_attr=None):
        if category == "V":
            features = features or self.bare_verb_features(lemma)
            return [Reading("V", features, frame, lemma_attr) for frame in self.frames_of(lemma)]
        if category == "N":
            feats = features or NOUN_SG
            spelled = self.spellings.get(lemma)
            if spelled and "+proper" not in feats and not self.wordnet_common_noun(lemma):
                best = max(spelled.items(), key=lambda item: (item[1], item[0]))[0]
                if best[:1].isupper():
                    feats = feats + ("+proper",)
            return [Reading("N", feats, (), lemma_attr)]
        if category == "A":
            return [Reading("A", features or ADJ_POS, (), lemma_attr)]
        if category == "Num":
            return [Reading("Num", features or (), (), lemma_attr)]
        return [Reading(category, features or (), (), lemma_attr)]

    def build(self):
        self.read_treebank()
        self.read_wordnet()
        self.add_closed_class()
        self.add_lemmas()
        self.find_false_roots()
        self.add_irregular_forms()
        self.add_treebank_form_readings()
        self.find_false_roots()
        self.add_multiword_items()
        self.give_frequent_forms_own_entries()
        self.add_unknown_word_classes()
        self.lower_case_common_readings()
        self.drop_comma_keys()
        self.compute_costs()
        self.compute_phrase_costs()
        self.find_prenominal_adjectives()

    def find_prenominal_adjectives(self):
        """Forms with a noun and an adjective reading that the treebank, right
        before a noun they modify, mostly writes as the adjective (other,
        military, online): the noun reading is left out there, where the
        parser would often join the two words as a compound."""
        uses = defaultdict(Counter)
        for sentence in self.sentences:
            for token, following in zip(sentence, sentence[1:]):
                if following.upos == "NOUN" and token.head > token.id:
                    uses[key_of(token.form)][token.upos] += 1
        found = []
        for form, counts in uses.items():
            entry = self.entries.get(form)
            adjective = counts["ADJ"]
            if entry is None or '"' in form or "\\" in form:
                continue
            if adjective < MIN_PRENOMINAL_COUNT or adjective < MIN_PRENOMINAL_SHARE * sum(counts.values()):
                continue
            categories = {reading.category for reading in entry.readings}
            if "N" in categories and "A" in categories:
                found.append(form)
        self.prenominal_adjectives = sorted(found)

    def lower_case_common_readings(self):
        """An entry is filed under the spelling its lemma mostly has in the
        treebank, names included (Court, New, North, Village), and the key's
        spelling is the root of every reading without a lemma of its own.
        When the entry holds a common reading the treebank writes in lower
        case (the verb sue, the adjective new, the adverb north), the entry is
        filed in lower case. Its proper-noun readings then name the
        capitalised lemma (the name Sue), unless the treebank writes the word
        as a common noun in lower case often enough (the north of the
        country): the reading is the common noun then, as the grammar reads
        a capitalised common noun inside a name anyway. A word the treebank
        writes with its capital outside names too (American, English) keeps
        it, and so does a name alone. A common-noun reading keeps no lemma of
        its own, so that its plural is still derived (Squares: square)."""
        for lowered, entry in self.entries.items():
            if entry.key == lowered or " " in entry.key or lowered in self.closed:
                continue
            common = [reading for reading in entry.readings
                      if reading.lemma is None and not (reading.category == "N" and "+proper" in reading.features)]
            if not common or not self.common_in_lower_case(lowered, common):
                continue
            common_noun = self.lower_case_uses(lowered, "N") >= MIN_LOWER_CASE_USES
            for reading in entry.readings:
                if reading.lemma is None and reading.category == "N" and "+proper" in reading.features:
                    if common_noun:
                        reading.features = tuple(f for f in reading.features if f != "+proper")
                    else:
                        reading.lemma = entry.key
            entry.key = lowered
            if common_noun:
                # The proper-noun reading may have become a copy of a common one.
                readings, entry.readings = entry.readings, []
                for reading in readings:
                    entry.add(reading)

    def lower_case_uses(self, lowered, category):
        seen = self.common_spellings.get((lowered, category), Counter())
        return sum(count for spelling, count in seen.items() if not spelling[:1].isupper())

    def common_in_lower_case(self, lowered, readings):
        """Whether the treebank writes the lemma in lower case in its uses
        other than names, in the categories of these readings, often enough.
        A verb always is; a word the treebank has in names only (Times,
        Heather) is not."""
        if any(reading.category == "V" for reading in readings):
            return True
        categories = {reading.category for reading in readings}
        lower = sum(self.lower_case_uses(lowered, category) for category in categories)
        upper = sum(sum(self.common_spellings.get((lowered, category), Counter()).values())
                    for category in categories) - lower
        return lower > upper and lower >= MIN_LOWER_CASE_USES

    def drop_comma_keys(self):
        """The lexicon reads a key with a comma as a phrase written around its
        comma (3,000 would get the root "000 3"): words with commas (numbers,
        addresses) are left to the guesser."""
        for key in [key for key in self.entries if "," in key and key != ","]:
            del self.entries[key]

    def add_closed_class(self):
        for lowered, (key, readings) in self.closed.items():
            entry = self.entry(key)
            for reading in readings:
                entry.add(reading)

    def determiner_for_possessive(self, form):
        """Whether the hand-written list gives the form a determiner reading
        but no genitive pronoun ("you", "there"; not "whose")."""
        readings = self.closed.get(form, (None, []))[1]
        return (any(reading.category == "Det" for reading in readings)
                and not any(reading.category == "N" and "(case gen)" in reading.features for reading in readings))

    def inflected_form_of_known(self, word):
        for root, name in morphology.candidate_roots(word):
            if name is None or root == word:
                continue
            if self.lemma_counts.get(root, 0) >= 2 or any((root, c) in self.wn for c in ("N", "V", "A")):
                return True
        for pos in ("n", "v", "a"):
            if word in self.exceptions.get(pos, {}):
                return True
        return False

    def wordnet_common_noun(self, lemma):
        """Whether WordNet has the lemma as a noun written in lower case
        (lounge, avenue): such a word stays a common noun even where the
        treebank mostly meets it inside names, so that its plural is read."""
        return (lemma, "N") in self.wn and not self.wn_spellings.get(lemma, lemma)[:1].isupper()

    def lemma_key_spelling(self, lemma, category="N"):
        """A noun's lemma keeps the capital the treebank mostly writes it
        with (Sue, Google); other categories' lemmas stay in lower case."""
        if category != "N":
            return lemma
        spelled = self.spellings.get(lemma)
        if spelled:
            best = max(spelled.items(), key=lambda item: (item[1], item[0]))[0]
            if best[:1].isupper() and best.lower() == lemma:
                return best
        return lemma

    def add_lemmas(self):
        candidates = defaultdict(set)
        for lemma, categories in self.lemma_categories.items():
            for category, count in categories.items():
                # A rare treebank lemma that is an inflected form of another
                # word (dogs, Children) is an annotation slip, not a word.
                if count < 3 and (lemma, category) not in self.wn and self.inflected_form_of_known(lemma):
                    continue
                # A use or two among many (know as a noun once in 429) is a
                # slip or a rare sense; WordNet keeps the senses it saw often.
                if (count <= MAX_RARE_CATEGORY_COUNT and count < RARE_CATEGORY_SHARE * sum(categories.values())
                        and self.wn.get((lemma, category), 0) < WN_TAGGED_ENOUGH):
                    continue
                candidates[lemma].add(category)
        for (lemma, category), tagged in self.wn.items():
            if lemma in self.closed:
                continue
            if category == "N" and self.plural_of_listed_noun(lemma):
                continue
            seen = self.lemma_counts.get(lemma, 0)
            if seen < WN_TRUST_BELOW or tagged >= WN_TAGGED_ENOUGH:
                candidates[lemma].add(category)
        for lemma in sorted(candidates):
            if not lemma or " " in lemma:
                continue
            categories = candidates[lemma]
            if lemma in self.closed:
                # Hand-written words take only what the treebank adds to them.
                continue
            entry = self.entry(self.lemma_key_spelling(lemma))
            for category in ("N", "V", "A", "Adv", "Num"):
                if category in categories:
                    for reading in self.open_class_readings(lemma, category, self.uninflected_features(lemma, category)):
                        entry.add(reading)

    def plural_of_listed_noun(self, lemma):
        """Whether a WordNet noun (hours, folks, years) is the plural of
        another noun that the treebank gives its uses as lemma (hour, folk,
        year). As an entry of its own it would read the plural as a
        singular noun whose root the relation statistics do not know; left
        out, the plural ending leads the form to its singular."""
        for root, name in morphology.candidate_roots(lemma):
            if name is None or morphology.group_of(name) is not morphology.PLURAL_OR_3SG:
                continue
            as_root = len(self.inflected.get((lemma, key_of(root), "N"), ()))
            as_itself = len(self.inflected.get((lemma, lemma, "N"), ()))
            if as_root > as_itself:
                return True
        return False

    def uninflected_features(self, lemma, category):
        """Plural features for a noun that the treebank mostly uses as a
        plural in its own form (people, police, staff), so that a verb after
        it is not taken for the second noun of a compound; None otherwise."""
        if category != "N":
            return None
        seen = self.inflected.get((lemma, lemma, "N"), [])
        plural = sum(1 for features in seen if "(num pl)" in features)
        return NOUN_PL if seen and plural * 2 > len(seen) else None

    def find_false_roots(self):
        """Endings that lead a frequent treebank form to a root the treebank
        never gives it: has is no plural of "ha", after no comparative of
        "aft", best no superlative of "b". The lexical rules delete the items
        found that way."""
        for form, lemmas in sorted(self.form_lemmas.items()):
            if sum(self.form_counts[form].values()) < MIN_FALSE_ROOT_COUNT or not form.isalpha() or not form.isascii():
                continue
            for root, name in morphology.candidate_roots(form):
                if name is None or key_of(root) in lemmas or (form, name) in self.false_roots:
                    continue
                entry = self.entries.get(key_of(root))
                if entry and any(inflects(reading, name) for reading in entry.readings):
                    self.false_roots.add((form, name))

    def derived(self, form):
        """The readings the analyzer makes for a form: its own entry, and the
        entries of the roots its endings give, as the lexical rules keep them.
        Yields (reading, ending name)."""
        for root, name in morphology.candidate_roots(form):
            entry = self.entries.get(key_of(root))
            if not entry or (key_of(form), name) in self.false_roots:
                continue
            for reading in entry.readings:
                if name is None:
                    yield reading, None
                elif inflects(reading, name):
                    yield reading, name

    def explained(self, form, lemma, category):
        for reading, name in self.derived(form):
            if name is not None and reading.category == category and key_of(self.root_of(form, name)) == lemma:
                return True
        return False

    @staticmethod
    def root_of(form, name):
        for root, ending in morphology.candidate_roots(form):
            if ending == name:
                return root
        return form

    def add_irregular_forms(self):
        # Treebank forms that no ending explains.
        grouped = defaultdict(list)
        for (form, lemma, category), features in self.inflected.items():
            if form == lemma or not lemma or not form:
                continue
            if category not in self.lemma_categories.get(lemma, ()) and (lemma, category) not in self.wn:
                continue
            if self.explained(form, lemma, category):
                continue
            if len(features) < 2 or len(features) < 0.05 * sum(self.form_counts[form].values()):
                continue
            grouped[(form, category)].append((lemma, features))
        for (form, category), items in sorted(grouped.items()):
            if form in self.closed:
                continue
            lemma, features = max(items, key=lambda item: (len(item[1]), item[0]))
            merged = merge_vform(features) if category == "V" else Counter(features).most_common(1)[0][0]
            entry = self.entry(form)
            for reading in self.open_class_readings(lemma, category, merged, self.lemma_key_spelling(lemma, category)):
                entry.add(reading)
        # WordNet's exception lists.
        for pos, category in (("n", "N"), ("v", "V"), ("a", "A")):
            for form, bases in sorted(self.exceptions[pos].items()):
                if "_" in form or form in self.closed:
                    continue
                for base in bases:
                    known = category in self.lemma_categories.get(base, ()) or (base, category) in self.wn
                    if not known:
                        continue
                    if self.explained(form, base, category):
                        continue
                    entry = self.entries.get(form)
                    if entry and any(r.lemma == base and r.category == category for r in entry.readings):
                        continue
                    for reading in self.open_class_readings(base, category, exception_features(form, category), base):
                        self.entry(form).add(reading)

    def add_treebank_form_readings(self):
        """Readings the treebank shows often enough that the lexicon does not
        give yet: kept under the form itself."""
        for form, counts in sorted(self.form_counts.items()):
            total = sum(counts.values())
            have = {reading.category for reading, _ in self.derived(form)}
            for category, count in sorted(counts.items()):
                if category in have:
                    continue
                if count < MIN_FORM_READING_COUNT and total > 1:
                    continue
                if count < MIN_FORM_READING_SHARE * total:
                    continue
                if category in ("N", "V", "A"):
                    if form in self.closed or category == "V":
                        reading = Reading(category, VERB_BASE if category == "V" else
                                          (NOUN_SG if category == "N" else ADJ_POS))
                    else:
                        reading = self.open_class_readings(form, category)[0]
                    if category == "V":
                        reading = Reading("V", VERB_BASE, self.frames_of(form)[0])
                else:
                    reading = Reading(category, default_features(category))
                self.entry(form).add(reading)

    def give_frequent_forms_own_entries(self):
        """Frequent ambiguous forms read through an ending (related, done,
        surprised) take the readings the ending gives them into an entry of
        their own, with the root in "lemma"; the ending no longer leads
        them to the root's entry. Their costs then count their own uses
        only."""
        for form, counts in sorted(self.form_counts.items()):
            if sum(counts.values()) < MIN_OWN_FORM_COUNT or not form.isalpha() or form in self.closed:
                continue
            found = list(self.derived_with_entries(form))
            if len({reading.category for reading, _, _ in found}) < 2:
                continue
            inflected = [(reading, name, key) for reading, name, key in found if name is not None]
            if not inflected:
                continue
            entry = self.entry(form)
            for reading, name, key in inflected:
                entry.add(Reading(reading.category, inflected_features(reading, name), reading.frame,
                                  self.lemma_key_spelling(key, reading.category)))
                self.false_roots.add((form, name))

    # -- multi-word items -----------------------------------------------------------

    def add_multiword_items(self):
        phrases = {}
        # Fixed expressions and flat names of the treebank.
        fixed = Counter()
        names = Counter()
        particles = Counter()
        for sentence in self.sentences:
            for token in sentence:
                if token.deprel == "compound:prt":
                    particles[key_of(token.form)] += 1
            groups = defaultdict(list)
            for token in sentence:
                if token.deprel in ("fixed", "flat"):
                    groups[token.head].append(token)
            for head_id, members in groups.items():
                head = sentence[head_id - 1]
                words = [head] + members
                ids = [t.id for t in words]
                if ids != list(range(ids[0], ids[0] + len(ids))) or len(words) > MAX_PHRASE_WORDS:
                    continue
                text = " ".join(t.form for t in words)
                if members[0].deprel == "fixed":
                    # A fixed expression that marks a noun (due to, such as,
                    # according to) is a preposition, whatever its first word
                    # is; one headed by a noun that modifies as an adverb does
                    # (I kind of like it, it sort of works) is an adverb: as
                    # a noun it would have to come out as a compound.
                    category = gold_category(head)
                    if head.deprel == "case":
                        category = "Prep"
                    elif head.deprel == "advmod" and category == "N":
                        category = "Adv"
                    fixed[(text.lower(), category)] += 1
                elif head.upos == "PROPN":
                    names[text] += 1
        # The commonest category of an expression comes first and is kept.
        for (text, category), count in sorted(fixed.items(), key=lambda item: (-item[1], item[0])):
            if count >= MIN_FIXED_COUNT and plain_phrase(text):
                phrases.setdefault(key_of(text), (text, category, count))
        for text, count in sorted(names.items()):
            if count >= MIN_NAME_COUNT and plain_phrase(text):
                phrases.setdefault(key_of(text), (text, "N", count))
        for text, category, tagged in self.collocations:
            text = self.wn_spellings.get(text.replace(" ", "_").lower(), text.replace(" ", "_")).replace("_", " ")
            words = text.split()
            if len(words) > MAX_PHRASE_WORDS or not plain_phrase(text):
                continue
            if tagged < 1 and (category != "N" or words[0].lower() in self.closed):
                continue
            if tagged < 1 and not all(key_of(word) in self.entries for word in words):
                continue
            if not self.collocation_fits(words, category, particles):
                continue
            phrases.setdefault(key_of(text), (text, category, 0))
        by_anchor = defaultdict(list)
        for lowered, (text, category, count) in sorted(phrases.items()):
            by_anchor[key_of(text.split()[0])].append((-count, len(text.split()), lowered, text, category))
        for anchor, items in sorted(by_anchor.items()):
            items.sort()
            for _, _, lowered, text, category in items[:MAX_PHRASES_PER_WORD]:
                entry = self.entry(text)
                if category == "N":
                    features = NOUN_SG + (("+proper",) if text[:1].isupper() else ())
                    entry.add(Reading("N", features))
                elif category == "V":
                    entry.add(Reading("V", VERB_BASE, ("N?",)))
                elif category == "A":
                    entry.add(Reading("A", ADJ_POS))
                else:
                    entry.add(Reading(category, default_features(category)))
                self.entry(text.split()[0]).phrases.append(text)

    def collocation_fits(self, words, category, particles):
        """Whether a WordNet collocation can come out in UD as the treebank
        writes such words: a noun without function words inside (not "Gulf
        of Mexico": of is the case of a modifier), a verb with particles
        only (go on, not "take care" or "speak for"). Other collocations
        (again and again, after all) the treebank writes as phrases of their
        own; its fixed expressions come in from the treebank itself."""
        if category == "N":
            if any(word.islower() and key_of(word) in self.closed for word in words):
                return False
            # A first word the treebank writes as an adjective or participle
            # more often than as a noun (personal check, hard drive, leading
            # edge) comes out as amod there, not as a compound: the grammar
            # builds it from the words.
            counts = self.form_counts.get(key_of(words[0]), Counter())
            participle = words[0].endswith("ing") or words[0].endswith("ed")
            modifier = counts["A"] + (counts["V"] if participle else 0)
            return not (words[0].islower() and modifier > counts["N"])
        if category == "V":
            return all(particles[key_of(word)] >= MIN_PARTICLE_COUNT for word in words[1:])
        return False

    # -- unknown words --------------------------------------------------------------

    def add_unknown_word_classes(self):
        """The readings of each class of unknown word, learned from the words
        seen once in the treebank."""
        totals = Counter(form for form, _, _ in self.token_names)
        counts = defaultdict(Counter)
        for (form, category, _), token_form in zip(self.token_names, self._surface_forms()):
            if totals[form] == 1:
                counts[unknown_class(token_form)][category] += 1
        self.unknown_costs = {}
        for name, _ in UNKNOWN_CLASSES:
            seen = counts.get(name, Counter())
            total = sum(seen.values())
            kept = [(c, n) for c, n in seen.most_common() if n >= 0.05 * total][:4] or [("N", 1)]
            entry = self.entry(name)
            for category, _ in sorted(kept):
                entry.add(Reading(category, unknown_features(name, category)))
            denominator = sum(n for _, n in kept) + BETA
            entry.costs = sorted(((c, -math.log((n + BETA / len(kept)) / denominator)) for c, n in kept),
                                 key=lambda item: (item[1], item[0]))

    def _surface_forms(self):
        for sentence in self.sentences:
            for token in sentence:
                yield token.form

    # -- costs ----------------------------------------------------------------------

    def compute_costs(self):
        """Each entry's record. The parser weighs an item by the record of the
        entry it was made from, so an entry's cost of a reading is -ln of the
        chance that a treebank word the analyzer reads through the entry
        (walk, walks, walked through walk; was through wa) has that reading,
        smoothed: a reading an ending offers but the words never have becomes
        dear."""
        chosen = defaultdict(Counter)
        bare = defaultdict(Counter)                 # uses of the entry's own form, no ending
        offered = Counter()
        for form, category, frame in self.token_names:
            found = self.derived_with_entries(form)
            names = []
            for reading, _, key in found:
                if reading.name() not in names:
                    names.append(reading.name())
            for key in {key for _, _, key in found}:
                offered[key] += 1
            name = closest_name(names, category, frame)
            if name is not None:
                key, ending = next((key, ending) for reading, ending, key in found if reading.name() == name)
                chosen[key][name] += 1
                if ending is None:
                    bare[key][name] += 1
        for lowered, entry in self.entries.items():
            if lowered in self.unknown_keys() or not entry.readings:
                continue
            names = []
            for reading in entry.readings:
                if reading.name() not in names:
                    names.append(reading.name())
            seen = chosen.get(lowered, Counter())
            total = offered.get(lowered, 0)
            costs = dict((name, -math.log((seen[name] + BETA / len(names)) / (total + BETA))) for name in names)
            if "A" in costs and "N" in costs:
                costs["A"] = min(costs["A"], adjective_cost(costs["N"], bare.get(lowered, Counter())))
            entry.costs = sorted(costs.items(), key=lambda item: (item[1], item[0]))

    def compute_phrase_costs(self):
        """Each multi-word item's record: how often its words, where they
        stand in a row in the treebank (by form or by lemma), are written
        there the way the item comes out in UD (see written_as_item): "grow
        up" (a particle) and "New York" (a name) mostly are, "work on" +
        noun (on is the noun's case) and "at the same time" (a phrase of its
        own) are not. An item whose words the treebank has in a row at
        least MIN_PHRASE_SEEN times and never writes so is dropped: it can
        only give wrong trees."""
        phrases = {}
        for lowered, entry in self.entries.items():
            if " " in lowered and entry.readings:
                phrases[tuple(lowered.split())] = entry
        if not phrases:
            return
        longest = max(len(words) for words in phrases)
        seen = Counter()
        units = Counter()
        for sentence in self.sentences:
            forms = [token.form.lower() for token in sentence]
            lemmas = [token.lemma.lower() for token in sentence]
            for start in range(len(sentence)):
                for length in range(2, min(longest, len(sentence) - start) + 1):
                    stretch = range(start, start + length)
                    found = {tuple(forms[i] for i in stretch), tuple(lemmas[i] for i in stretch)}
                    for words in found:
                        if words not in phrases:
                            continue
                        seen[words] += 1
                        category = phrases[words].readings[0].category
                        if written_as_item([sentence[i] for i in stretch], category):
                            units[words] += 1
        for words, entry in sorted(phrases.items()):
            if units[words] == 0 and (seen[words] >= MIN_PHRASE_SEEN or self.compound_like_name(entry.key)):
                self.drop_phrase(" ".join(words))
                continue
            share = (units[words] + PHRASE_PRIOR * PHRASE_PRIOR_SHARE) / (seen[words] + PHRASE_PRIOR)
            names = []
            for reading in entry.readings:
                if reading.name() not in names:
                    names.append(reading.name())
            entry.costs = sorted(((name, -math.log(share)) for name in names), key=lambda item: (item[1], item[0]))

    def compound_like_name(self, text):
        """Whether a capitalised item ends in a common noun (the Oval Office,
        the Defense Department): the item comes out as a flat name, but the
        treebank writes such words as a compound, which the grammar builds.
        Only the treebank's own flat uses keep one."""
        words = text.split()
        return (len(words) > 1 and all(word[:1].isupper() for word in words)
                and self.wordnet_common_noun(key_of(words[-1])))

    def drop_phrase(self, lowered):
        del self.entries[lowered]
        anchor = self.entries.get(lowered.split()[0])
        if anchor:
            anchor.phrases = [text for text in anchor.phrases if key_of(text) != lowered]

    def derived_with_entries(self, form):
        result = []
        for root, name in morphology.candidate_roots(form):
            lowered = key_of(root)
            entry = self.entries.get(lowered)
            if not entry or (key_of(form), name) in self.false_roots:
                continue
            for reading in entry.readings:
                if name is None or inflects(reading, name):
                    result.append((reading, name, lowered))
        return result

    @staticmethod
    def unknown_keys():
        return {name for name, _ in UNKNOWN_CLASSES}


def written_as_item(tokens, category):
    """Whether treebank tokens in a row are written as the UD converter
    writes a multi-word item of this category: a name (every word
    capitalised) flat under its first word, another noun item a compound
    headed by its last word, a verb with its particles (compound:prt), any
    other item fixed under its first word."""
    first, last = tokens[0], tokens[-1]
    if category == "N" and all(token.form[:1].isupper() for token in tokens):
        head, relation = first, "flat"
    elif category == "N":
        head, relation = last, "compound"
    elif category == "V":
        head, relation = first, "compound:prt"
    else:
        head, relation = first, "fixed"
    return all(token.head == head.id and token.deprel.split(":")[0] == relation.split(":")[0]
               and (relation != "compound:prt" or token.deprel == relation)
               for token in tokens if token is not head)


def adjective_cost(noun_cost, bare_uses):
    """The cost of the adjective reading of an entry that is a noun too. The
    two compete only on the entry's own form (official, chief, firm): the
    plural (officials) has no adjective reading, so its uses say nothing of
    the choice. The adjective costs what the noun costs, plus the log odds
    of the noun over the adjective among the uses of that form. The caller
    keeps the entry-wide cost where it is lower: a noun seldom seen (better)
    would otherwise lend the adjective its own dear smoothing."""
    nouns, adjectives = bare_uses["N"], bare_uses["A"]
    return noun_cost + math.log((nouns + BETA / 2) / (adjectives + BETA / 2))


def closest_name(names, category, frame):
    """The reading name a treebank use counts for: the exact frame when the
    lexicon has it, else the verb reading sharing the most arguments."""
    if category != "V":
        return category if category in names else None
    exact = "_".join(("V",) + frame)
    if exact in names:
        return exact
    verbs = [name for name in names if name == "V" or name.startswith("V_")]
    if not verbs:
        return None
    def shared(name):
        args = name.split("_")[1:]
        return (sum(1 for a in frame if a in args), -abs(len(args) - len(frame)))
    return max(verbs, key=lambda name: (shared(name), name))


def inflects(reading, name):
    """Whether the lexical rules keep a reading found through an ending."""
    if reading.lemma is not None:
        return False
    group = morphology.group_of(name)
    features = reading.features
    if group is morphology.PLURAL_OR_3SG:
        if reading.category == "N":
            return "+pron" not in features and "+proper" not in features and "(num pl)" not in features
        return reading.category == "V"
    if group in (morphology.PAST, morphology.ING):
        return reading.category == "V"
    if group in (morphology.COMPARATIVE, morphology.SUPERLATIVE):
        return reading.category in ("A", "Adv")
    return False


_INFLECTED_ATTRIBUTES = {"N": ("num", "person"), "V": ("vform", "tense", "num", "person"), "A": ("degree",),
                         "Adv": ("degree",)}


def inflected_features(reading, name):
    """The features the lexical rule of an ending gives a reading it
    inflects: its own, with the ending's values in place of theirs."""
    group = morphology.group_of(name)
    if group is morphology.PLURAL_OR_3SG:
        added = NOUN_PL if reading.category == "N" else ("(vform fin)", "(tense pres)", "(num sg)", "(person 3)")
    elif group is morphology.PAST:
        added = ("(vform fin en)", "(tense past)")
    elif group is morphology.ING:
        added = ("(vform ing)",)
    else:
        added = ("(degree %s)" % ("cmp" if group is morphology.COMPARATIVE else "sup"),)
    replaced = set(_INFLECTED_ATTRIBUTES.get(reading.category, ()))
    if group is morphology.ING:
        replaced.add("tense")
    kept = [feature for feature in reading.features
            if not (feature.startswith("(") and feature[1:].split(" ", 1)[0] in replaced)]
    return tuple(kept) + tuple(added)


def plain_phrase(text):
    return all(re.match(r"^[A-Za-z][A-Za-z.&]*$", word) for word in text.split()) and len(text.split()) > 1


def exception_features(form, category):
    if category == "N":
        return NOUN_PL
    if category == "A":
        return ("(degree sup)",) if form.endswith("st") else ("(degree cmp)",)
    if form.endswith("ing"):
        return ("(vform ing)",)
    if form.endswith("s") and not form.endswith("ss"):
        return ("(vform fin)", "(tense pres)", "(num sg)", "(person 3)")
    return ("(vform fin en)", "(tense past)")


def default_features(category):
    return {"N": NOUN_SG, "A": ADJ_POS, "V": VERB_BASE}.get(category, ())


# Classes of unknown words, tried in this order; the regular expressions are
# the ones the lexical rules use (anchored at the start of the word). A class
# name ends in "_" so that no ending finds another entry in it.
UNKNOWN_CLASSES = [
    ("_url_", r"(.*://|www[.]|.*@.*[.]|.*[.](com|org|net|edu|gov)$)"),
    ("_num_", r"[-+]?[$]?[0-9][-0-9.,:/]*(%|s|st|nd|rd|th|am|pm|k|m)?$"),
    ("_digit_", r".*[0-9]"),
    ("_sym_", r"[^A-Za-z]*$"),
    ("_hyph_", r".*[A-Za-z]-[A-Za-z]"),
    ("_allcap_", r"[A-Z][A-Z.&]+$"),
    ("_cap_", r"[A-Z]"),
    ("_ly_", r".*ly$"),
    ("_ing_", r".*ing$"),
    ("_ed_", r".*ed$"),
    ("_adj_", r".*(able|ible|ful|ous|ive|less|ic|ical|ish|ary|al)$"),
    ("_noun_", r".*(tion|sion|ment|ness|ity|ism|ist|ance|ence|ship|er|or|ism)$"),
    ("_s_", r".*[^s]s$"),
    ("_unk_", r""),
]
_UNKNOWN_RE = [(name, re.compile(expression)) for name, expression in UNKNOWN_CLASSES]


def unknown_class(word):
    for name, expression in _UNKNOWN_RE:
        if expression.match(word):
            return name
    return "_unk_"


def unknown_features(name, category):
    if category == "N":
        if name in ("_cap_", "_allcap_"):
            return NOUN_SG + ("+proper",)
        return NOUN_PL if name == "_s_" else NOUN_SG
    if category == "V":
        return {"_s_": ("(vform fin)", "(tense pres)", "(num sg)", "(person 3)"),
                "_ed_": ("(vform fin en)", "(tense past)"),
                "_ing_": ("(vform ing)",)}.get(name, VERB_BASE)
    if category == "A":
        return ADJ_POS
    return ()
