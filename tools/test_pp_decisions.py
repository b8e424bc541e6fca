#!/usr/bin/env python3
"""Unit tests of tools/pp-decisions.py: reading the heads of a parse and
setting the parser's prepositional attachments beside the statistics'."""

import os
import tempfile
import types
import unittest
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
# The tool's file name has dashes, so it is loaded from its path.
LOADER = SourceFileLoader("pp_decisions", os.path.join(HERE, "pp-decisions.py"))
ppd = types.ModuleType(LOADER.name)
ppd.__file__ = LOADER.path
LOADER.exec_module(ppd)

# "She ate pizza with a fork ." in the dependency format of udtool
# to-scheme: the phrase "with a fork" hangs on the verb; "She" is no
# candidate head for it (the verb between is not her dependent).
SENTENCE = """(
1\t(She\t~ N\t2\ts\t(gov eat))
2\t(ate\teat V\t*\t)
3\t(pizza\t~ N\t2\tobj\t(gov eat))
4\t(with\t~ Prep\t2\tmod\t(gov eat))
5\t(a\t~ Det\t6\tdet\t(gov fork))
6\t(fork\t~ N\t4\tpcomp\t(gov with))
7\t(.\t~ Punc\t2\tpunc\t(gov eat))
)
"""
# The treebank's heads of its words: "fork" hangs on "ate".
GOLD_HEADS = ["2", "0", "2", "6", "6", "2", "2"]


def sentences(copies=1):
    return [ppd.Sentence(n) for n in ppd.gen.read_sentences((SENTENCE * copies).splitlines())]


def counts():
    made = ppd.Counts()
    for sentence in sentences(3):
        made.add(sentence)
    made.finish({})
    return made


def compare(fork_head):
    system = list(GOLD_HEADS)
    system[5] = fork_head
    return ppd.compare_parsed(counts(), sentences(), [GOLD_HEADS], [system], 0.5, 0.6, examples=5)


class CompareParsedTest(unittest.TestCase):
    """A decision is right for the parser when the object word has its gold
    head; a head no candidate of the gold tree is counted apart."""

    def test_the_statistics_choose_the_verb_seen_with_the_preposition(self):
        tally, _ = compare("2")
        self.assertEqual(tally["decisions"], 1)
        self.assertEqual(tally["statistics"], 1)
        self.assertEqual(tally["parser"], 1)
        self.assertEqual(tally["outside"], 0)

    def test_a_wrong_candidate_is_shown(self):
        tally, shown = compare("3")
        self.assertEqual(tally["parser"], 0)
        self.assertEqual(tally["outside"], 0)
        self.assertEqual(tally["statistics right, parser wrong"], 1)
        self.assertEqual(shown, ["with fork | gold eat | parser pizza"])

    def test_a_head_the_gold_tree_rules_out_is_outside(self):
        tally, shown = compare("1")
        self.assertEqual(tally["outside"], 1)
        self.assertEqual(shown, ["with fork | gold eat | parser she (no candidate)"])

    def test_a_parse_of_other_length_is_left_out(self):
        tally, _ = ppd.compare_parsed(counts(), sentences(), [GOLD_HEADS], [GOLD_HEADS[:-1]], 0.5, 0.6)
        self.assertEqual(tally["sentences left out"], 1)
        self.assertEqual(tally["decisions"], 0)


class ReadHeadsTest(unittest.TestCase):
    def test_multiword_tokens_empty_nodes_and_comments_are_skipped(self):
        text = ("# text = I don't.\n"
                "1\tI\tI\tPRON\t_\t_\t3\tnsubj\t_\t_\n"
                "2-3\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
                "2\tdo\tdo\tAUX\t_\t_\t3\taux\t_\t_\n"
                "3\tn't\tnot\tPART\t_\t_\t0\troot\t_\t_\n"
                "3.1\tx\tx\tX\t_\t_\t_\t_\t_\t_\n"
                "\n"
                "1\tYes\tyes\tINTJ\t_\t_\t0\troot\t_\t_\n")
        with tempfile.NamedTemporaryFile("w", suffix=".conllu", delete=False) as out:
            out.write(text)
        try:
            self.assertEqual(ppd.read_conllu_heads(out.name), [["3", "3", "0"], ["0"]])
        finally:
            os.unlink(out.name)


if __name__ == "__main__":
    unittest.main()
