#!/usr/bin/env python3
"""Unit tests of tools/gen-english-stats.py: the roots words are counted
under and the classes of prepositional objects."""

import os
import types
import unittest
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
# The generator's file name has dashes, so it is loaded from its path.
LOADER = SourceFileLoader("gen_english_stats", os.path.join(HERE, "gen-english-stats.py"))
gen = types.ModuleType(LOADER.name)
gen.__file__ = LOADER.path
LOADER.exec_module(gen)

# "He talked to me about them as well." in the dependency format of
# udtool to-scheme: the treebank's lemmas of "me" and "them" are "I" and
# "they", and "as well" is a fixed phrase headed by "as".
SENTENCE = """(
1\t(He\t~ N\t2\ts\t(gov talk))
2\t(talked\ttalk V\t*\t)
3\t(to\t~ Prep\t2\tmod\t(gov talk))
4\t(me\tI N\t3\tpcomp\t(gov to))
5\t(about\t~ Prep\t2\tmod\t(gov talk))
6\t(them\tthey N\t5\tpcomp\t(gov about))
7\t(as\t"as well" Adv\t2\tmod\t(gov talk))
8\t(well\t~ Adv\t7\tlex-dep\t(gov "as well"))
9\t(.\t~ Punc\t2\tpunc\t(gov talk))
)
"""


def nodes():
    return next(gen.read_sentences(SENTENCE.splitlines()))


class ParserRootTest(unittest.TestCase):
    """Words are counted under the roots the parser asks the relation
    database with."""

    def setUp(self):
        self.closed = gen.read_closed_roots()
        self.by_word = {node.word: node for node in nodes()}

    def root(self, word):
        return gen.parser_root(self.by_word[word], self.closed)

    def test_closed_class_words_are_their_own_roots(self):
        self.assertEqual(self.root("me"), "me")
        self.assertEqual(self.root("them"), "them")
        self.assertEqual(self.root("He"), "he")

    def test_open_class_words_keep_the_treebank_lemma(self):
        self.assertEqual(self.root("talked"), "talk")

    def test_a_fixed_phrase_keeps_its_root(self):
        self.assertEqual(self.root("as"), "as well")

    def test_a_listed_lemma_is_the_root(self):
        node = gen.parse_node("1\t(is\tbe VB\t2\taux\t(gov go))")
        self.assertEqual(gen.parser_root(node, self.closed), "be")

    def test_prepositional_objects_are_counted_under_the_parser_roots(self):
        stats = gen.Statistics(self.closed)
        stats.add_sentence(nodes())
        self.assertEqual(stats.triples[("talk", "to", "me")], 1)
        self.assertEqual(stats.triples[("talk", "about", "them")], 1)
        self.assertNotIn(("talk", "to", "i"), stats.triples)
        self.assertEqual(stats.occurrences["me"], 1)


class ObjectClassTest(unittest.TestCase):
    """Pronouns have a class of their own, not the WordNet class of a noun
    spelt like them (me: Maine, us: United States, he: helium)."""

    def test_pronouns_are_read_from_the_closed_class_list(self):
        pronouns = gen.read_pronouns()
        for word in ("me", "us", "he", "him", "them", "it", "someone"):
            self.assertIn(word, pronouns)
        self.assertNotIn("there", pronouns)
        self.assertNotIn("the", pronouns)

    def test_a_pronoun_object_has_the_pronoun_class(self):
        nouns = {"me": "n15", "us": "n15", "there": "n15", "garden": "n15"}
        classes = gen.object_classes(nouns, gen.read_pronouns())
        self.assertEqual(gen.word_class("me", classes), gen.PRONOUN_CLASS)
        self.assertEqual(gen.word_class("us", classes), gen.PRONOUN_CLASS)
        self.assertEqual(gen.word_class("there", classes), "n15")
        self.assertEqual(gen.word_class("garden", classes), "n15")
        self.assertEqual(gen.word_class("2012", classes), "num")



# "Kevin Boone called Acme." with "Kevin Boone" a name: every word is seen
# once.
NAME_SENTENCE = """(
1\t(Kevin\t~ N\t2\tlex-mod\t(gov Boone))
2\t(Boone\t~ N\t3\ts\t(gov call))
3\t(called\tcall V\t*\t)
4\t(Acme\t~ N\t3\tobj\t(gov call))
)
"""


class RareWordTest(unittest.TestCase):
    """The relations of the words seen once, by category and shape: what
    the relation database knows of a word it lacks."""

    def test_shapes_of_words(self):
        self.assertEqual(gen.word_shape("Smith"), "cap")
        self.assertEqual(gen.word_shape("NASA"), "caps")
        self.assertEqual(gen.word_shape("widget"), "low")
        self.assertEqual(gen.word_shape("713.837.1638"), "num")
        self.assertEqual(gen.word_shape("kent@ae.ge.com"), "web")
        self.assertEqual(gen.word_shape("--"), "sym")

    def test_words_seen_once_are_counted_by_class(self):
        stats = gen.Statistics(gen.read_closed_roots())
        stats.add_sentence(next(gen.read_sentences(NAME_SENTENCE.splitlines())))
        path = os.path.join(self.tmp(), "triples.txt")
        gen.write_triples(stats, path, {})
        with open(path, encoding="utf-8") as lines:
            records = {tuple(line.rstrip("\n").split("\t")) for line in lines}
        self.assertIn((gen.RARE_MODIFIERS, "lex-mod", "N:cap", "1"), records)
        self.assertIn((gen.RARE_MODIFIERS, "obj", "N:cap", "1"), records)
        self.assertIn(("<class:N:cap>", "lex-mod", "*", "1"), records)
        self.assertIn(("<class:V:low>", "s", "*", "1"), records)

    def tmp(self):
        import tempfile
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        return folder.name


if __name__ == "__main__":
    unittest.main()
