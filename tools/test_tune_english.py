#!/usr/bin/env python3
"""Unit tests of tools/tune-english.py: when the generated data of a work
folder may be reused, and what a reused data copy is made of."""

import os
import tempfile
import types
import unittest
from importlib.machinery import SourceFileLoader

HERE = os.path.dirname(os.path.abspath(__file__))
# The tool's file name has dashes, so it is loaded from its path.
LOADER = SourceFileLoader("tune_english", os.path.join(HERE, "tune-english.py"))
tune = types.ModuleType(LOADER.name)
tune.__file__ = LOADER.path
LOADER.exec_module(tune)

SETTINGS = [("ewt", "/corpus/train.conllu"), ("every", 10), ("by-document", True), ("cost-scale", "20"),
            ("dist-exponent", "default"), ("association-power", "default"), ("unknown-modifier-power", "default")]


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def read(path):
    with open(path, encoding="utf-8") as stream:
        return stream.read()


class StampTest(unittest.TestCase):
    """Generated data is reused only when the stamp of what it was made
    from matches the present inputs and settings exactly."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        top = self.folder.name
        self.tools = os.path.join(top, "tools")
        self.wordnet = os.path.join(top, "wordnet")
        self.work = os.path.join(top, "work")
        write(os.path.join(self.tools, "gen-english-data.py"), "# lexicon generator\n")
        write(os.path.join(self.tools, "gen-english-stats.py"), "DIST_EXPONENT = 1.0\n")
        write(os.path.join(self.tools, "lexgen", "closed-class.txt"), "the Det\n")
        write(os.path.join(self.tools, "lexgen", "writer.py"), "COST_SCALE = 20\n")
        write(os.path.join(self.tools, "lexgen", "test_writer.py"), "# a test, not an input\n")
        write(os.path.join(self.wordnet, "data.noun"), "00001740 03 n 01 entity 0\n")
        self.train = os.path.join(top, "train.conllu")
        write(self.train, "1\tHi\thi\tINTJ\tUH\t_\t0\troot\t_\t_\n\n")
        self.velmo = os.path.join(top, "velmo")
        self.udtool = os.path.join(top, "udtool")
        write(self.velmo, "velmo binary")
        write(self.udtool, "udtool binary")
        # The generated files of a finished generation.
        for path in tune.generated_files(os.path.join(self.work, "data")):
            write(path, "generated\n")
        tune.write_stamp(self.work, self.stamp())

    def tearDown(self):
        self.folder.cleanup()

    def stamp(self, settings=SETTINGS):
        inputs = tune.generator_inputs(self.train, self.velmo, self.udtool, self.wordnet, self.tools)
        return tune.make_stamp(settings, inputs)

    def test_same_inputs_and_settings_reuse(self):
        self.assertIsNone(tune.stamp_difference(self.work, self.stamp()))

    def test_inputs_are_named_apart_from_the_checkout_folder(self):
        names = [name for name, _ in tune.generator_inputs(self.train, self.velmo, self.udtool, self.wordnet,
                                                           self.tools)]
        self.assertIn("tools/lexgen/closed-class.txt", names)
        self.assertIn("wordnet/data.noun", names)
        self.assertNotIn("tools/lexgen/test_writer.py", names)
        self.assertFalse(any(self.folder.name in name for name in names))

    def test_changed_input_regenerates_and_names_it(self):
        for path, name in ((os.path.join(self.tools, "gen-english-stats.py"), "tools/gen-english-stats.py"),
                           (os.path.join(self.tools, "lexgen", "closed-class.txt"), "tools/lexgen/closed-class.txt"),
                           (os.path.join(self.wordnet, "data.noun"), "wordnet/data.noun"),
                           (self.train, "train"), (self.udtool, "udtool"), (self.velmo, "velmo")):
            with self.subTest(name=name):
                original = read(path)
                write(path, original + "changed\n")
                reason = tune.stamp_difference(self.work, self.stamp())
                self.assertIsNotNone(reason)
                self.assertIn("(%s changed)" % name, reason)
                write(path, original)
                self.assertIsNone(tune.stamp_difference(self.work, self.stamp()))

    def test_new_generator_source_regenerates(self):
        write(os.path.join(self.tools, "lexgen", "morphology.py"), "SUFFIXES = ()\n")
        self.assertIn("(tools/lexgen/morphology.py changed)", tune.stamp_difference(self.work, self.stamp()))

    def test_changed_setting_regenerates(self):
        for index, value in ((1, 7), (2, False), (3, "none"), (4, "1.5"), (5, "0.8"), (6, "0.9"),
                             (0, "/corpus/other.conllu")):
            settings = list(SETTINGS)
            settings[index] = (settings[index][0], value)
            with self.subTest(setting=settings[index][0]):
                reason = tune.stamp_difference(self.work, self.stamp(settings))
                self.assertIsNotNone(reason)
                self.assertIn("(%s changed)" % settings[index][0], reason)

    def test_missing_stamp_or_generated_file_regenerates(self):
        relations = os.path.join(self.work, "data", "en", "stats", "relations.qhash")
        os.unlink(relations)
        self.assertIn("relations.qhash", tune.stamp_difference(self.work, self.stamp()))
        os.symlink(self.velmo, relations)  # a link is not a generated file
        self.assertIn("relations.qhash", tune.stamp_difference(self.work, self.stamp()))
        tune.remove_stamp(self.work)
        self.assertIn("no stamp", tune.stamp_difference(self.work, self.stamp()))


class CopyDataTest(unittest.TestCase):
    """A reused data copy keeps the generated files and takes every other
    file from the checkout as it is now."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = os.path.join(self.folder.name, "checkout")
        self.work = os.path.join(self.folder.name, "work")
        write(os.path.join(self.root, "data", "korvel.lsp"), "(load en)\n")
        write(os.path.join(self.root, "data", "en", "grammar.lsp"), "(link old)\n")
        write(os.path.join(self.root, "data", "en", "joins.lsp"), "(join old)\n")
        write(os.path.join(self.root, "data", "en", "words.dic"), "committed lexicon\n")
        write(os.path.join(self.root, "data", "en", "stats", "dist.txt"), "committed distances\n")
        self.data = tune.copy_data(self.work, root=self.root)
        for path in tune.generated_files(self.data):
            write(path, "generated from the train part\n")

    def tearDown(self):
        self.folder.cleanup()

    def test_reuse_keeps_generated_files_and_refreshes_the_rest(self):
        write(os.path.join(self.root, "data", "en", "grammar.lsp"), "(link new)\n")
        write(os.path.join(self.root, "data", "en", "context.lsp"), "(context new)\n")
        os.unlink(os.path.join(self.root, "data", "en", "joins.lsp"))
        write(os.path.join(self.data, "en", "stats", "left-over.txt"), "from an older run\n")
        data = tune.copy_data(self.work, keep_generated=True, root=self.root)
        for path in tune.generated_files(data):
            self.assertEqual(read(path), "generated from the train part\n")
            self.assertFalse(os.path.islink(path))
        self.assertEqual(read(os.path.join(data, "en", "grammar.lsp")), "(link new)\n")
        self.assertEqual(read(os.path.join(data, "en", "context.lsp")), "(context new)\n")
        self.assertFalse(os.path.lexists(os.path.join(data, "en", "joins.lsp")))
        self.assertFalse(os.path.lexists(os.path.join(data, "en", "stats", "left-over.txt")))
        self.assertEqual(read(os.path.join(data, "korvel.lsp")), "(load en)\n")

    def test_writing_into_the_copy_leaves_the_checkout_alone(self):
        write(os.path.join(self.root, "data", "zentra", "rules.txt"), "checkout rules\n")
        data = tune.copy_data(self.work, keep_generated=True, root=self.root)
        for name in (("en", "grammar.lsp"), ("en", "joins.lsp"), ("korvel.lsp",), ("zentra", "rules.txt")):
            write(os.path.join(data, *name), "edited in the work copy\n")
        self.assertEqual(read(os.path.join(self.root, "data", "en", "grammar.lsp")), "(link old)\n")
        self.assertEqual(read(os.path.join(self.root, "data", "en", "joins.lsp")), "(join old)\n")
        self.assertEqual(read(os.path.join(self.root, "data", "korvel.lsp")), "(load en)\n")
        self.assertEqual(read(os.path.join(self.root, "data", "zentra", "rules.txt")), "checkout rules\n")

    def test_without_reuse_generated_files_go(self):
        data = tune.copy_data(self.work, root=self.root)
        for path in tune.generated_files(data):
            self.assertFalse(os.path.lexists(path))


if __name__ == "__main__":
    unittest.main()
