#!/usr/bin/env python3
"""Unit tests of tools/first-pass-gaps.py: the grammar reading, the grammar
without its last-resort links, the trees and the pieces of a cover."""

import os
import types
import unittest
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
# The tool's file name has dashes, so it is loaded from its path.
LOADER = SourceFileLoader("first_pass_gaps", os.path.join(HERE, "first-pass-gaps.py"))
gaps = types.ModuleType(LOADER.name)
LOADER.exec_module(gaps)

GRAMMAR = """
;; a comment (last-resort) that stays
(def-modifiers N
  (? (U (dep-type punc) (max-dist 12) (last-resort)))
  (? (Det (dep-type det) (max-dist 8))
     (N (dep-type det) (max-dist 5) (dep-weight 60.0) (last-resort)
        (modifier-cond (comp (pitem-head-word) (reg-match "^[(]$")))))
  (:head)
  (* (Prep (dep-type mod) (max-dist 7))))
"""

PIECES = """(
E3\t(()\t U\t*\t)
E1\t(()\tfin C\tE3\t)
1\t(They\t~ N\t2\ts\t(gov leave))
2\t(left\tleave V\tE1\ti\t(gov fin))
3\t(home\t~ N\tE3\t)
)
"""


class GrammarTest(unittest.TestCase):
    def test_links_know_side_distance_and_last_resort(self):
        links = gaps.grammar_links_of_text(GRAMMAR)
        self.assertIn(gaps.Link("N", "Det", "det", "left", 8, False), links)
        self.assertIn(gaps.Link("N", "N", "det", "left", 5, True), links)
        self.assertIn(gaps.Link("N", "Prep", "mod", "right", 7, False), links)
        self.assertEqual(len(links), 4)

    def test_last_resort_links_are_removed_with_groups_left_empty(self):
        text = gaps.without_last_resort(GRAMMAR)
        links = gaps.grammar_links_of_text(text)
        self.assertEqual(sorted(l.mod for l in links), ["Det", "Prep"])
        self.assertNotIn("(U ", text)
        self.assertIn(";; a comment (last-resort) that stays", text)


class PiecesTest(unittest.TestCase):
    def test_pieces_hang_from_the_fragment_root(self):
        tree = next(gaps.read_trees(PIECES.split("\n")))
        piece, tops = gaps.pieces_of(tree)
        self.assertEqual(piece["1"], piece["2"])
        self.assertNotEqual(piece["2"], piece["3"])
        self.assertEqual(tops, {"2", "3"})

    def test_an_empty_clause_head_stands_for_its_verb(self):
        tree = next(gaps.read_trees(PIECES.split("\n")))
        head, rel, cat = gaps.attachment(tree, tree["2"])
        self.assertEqual((head.id, rel, cat), ("2", "i", "C"))  # the clause's own link: never counted
        head, rel, cat = gaps.attachment(tree, tree["1"])
        self.assertEqual((head.id, rel, cat), ("2", "s", "V"))

    def test_a_whole_tree_has_no_pieces(self):
        whole = PIECES.replace("E3\t(()\t U\t*\t)\n", "").replace("fin C\tE3", "fin C\t*")
        self.assertIsNone(gaps.pieces_of(next(gaps.read_trees(whole.split("\n")))))


class LastResortArcsTest(unittest.TestCase):
    SYSTEM = """(
1\t(the\t~ Det\t2\tdet\t(gov rooms))
2\t(rooms\troom N\t3\tdet\t(gov clean))
3\t(clean\t~ N\t*\t)
)
"""

    def test_only_arcs_no_first_pass_link_makes_are_scored(self):
        links = gaps.grammar_links_of_text(GRAMMAR)
        system = next(gaps.read_trees(self.SYSTEM.split("\n")))
        gold = next(gaps.read_trees(self.SYSTEM.replace("2\tdet\t(gov rooms)", "3\tdet\t(gov clean)")
                                    .split("\n")))
        arcs = gaps.last_resort_arcs(links, gold, system)
        # N <-det- Det is a first-pass link; N <-det- N only a last-resort one
        self.assertEqual(arcs, [(("N", "det", "N", "left"), True, "same")])

    def test_a_wrong_arc_says_what_gold_has_instead(self):
        links = gaps.grammar_links_of_text(GRAMMAR)
        system = next(gaps.read_trees(self.SYSTEM.split("\n")))
        gold = next(gaps.read_trees(self.SYSTEM.replace("3\tdet\t(gov clean)", "1\tnn\t(gov the)")
                                    .split("\n")))
        self.assertEqual(gaps.last_resort_arcs(links, gold, system),
                         [(("N", "det", "N", "left"), False, "Det<-nn")])


if __name__ == "__main__":
    unittest.main()
