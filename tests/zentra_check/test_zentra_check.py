#!/usr/bin/env python3
"""End-to-end tests of zentra-check: the built velmo and zentra, the default
dictionaries and a requirements document written for these tests.

Environment: ZENTRA_CHECK (the script), VELMO and ZENTRA (the built programs),
VELMO_DATA (the default data folder)."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.realpath(__file__))
TOOL = os.environ["ZENTRA_CHECK"]
VELMO = os.environ["VELMO"]
ZENTRA = os.environ["ZENTRA"]
DATA = os.environ["VELMO_DATA"]
DOCUMENT = os.path.join(HERE, "requirements.txt")
FAKE_VELMO = os.path.join(HERE, "fake_velmo.py")


def run_tool(*args, velmo=VELMO, cwd=None):
    command = [sys.executable, TOOL, "--velmo", velmo, "--zentra", ZENTRA, "--data", DATA, *args]
    return subprocess.run(command, capture_output=True, text=True, cwd=cwd)


def findings(report):
    """Sentence number -> list of reasons, from the text report."""
    result, current = {}, None
    for line in report.splitlines():
        m = re.match(r"^(\d+): ", line)
        if m:
            current = int(m.group(1))
            result[current] = []
        elif line.startswith("    - ") and current is not None:
            result[current].append(line[6:])
    return result


def summary_rows(report):
    """Indicator title -> (sentences, defective, rate) from the text report."""
    rows = {}
    for line in report.splitlines():
        m = re.match(r"^(.*?)\s+(\d+)\s+(\d+)\s+(-?\d+)%$", line)
        if m:
            rows[m.group(1)] = tuple(int(g) for g in m.groups()[1:])
    return rows


class TempDirTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="zentra check test ")
        self.addCleanup(shutil.rmtree, self.tmp, True)

    def write(self, name, data):
        path = os.path.join(self.tmp, name)
        with open(path, "wb") as f:
            f.write(data)
        return path


class Findings(TempDirTest):
    def test_wording_indicators_find_words_next_to_punctuation_and_capitals(self):
        result = run_tool(DOCUMENT)
        self.assertEqual(result.returncode, 0, result.stderr)
        found = findings(result.stdout)
        self.assertIn('vague or subjective wording: "fast"', found[3])  # "fast."
        self.assertIn('loophole or open end: "if possible"', found[9])
        self.assertIn('vague or subjective wording: "user-friendly"', found[9])
        self.assertIn('weak verb: "should"', found[11])
        self.assertIn('loophole or open end: "etc."', found[11])
        self.assertIn('comparative without reference: "better"', found[13])
        self.assertIn('loophole or open end: "as appropriate"', found[17])
        self.assertIn('weak verb: "may"', found[18])
        self.assertIn('vague or subjective wording: "easy to use"', found[20])
        # With the default grammar the parse-based indicators report too;
        # the wording indicators stay silent on the clean sentences.
        wording = ("vague or subjective wording", "loophole or open end", "weak verb",
                   "comparative without reference")
        for clean in (2, 12, 16, 19, 21):
            self.assertEqual([f for f in found.get(clean, []) if f.startswith(wording)], [])

    def test_parse_based_indicators_read_the_trees(self):
        # The stand-in prints recorded trees in velmo's dependency format.
        result = run_tool(DOCUMENT, velmo=FAKE_VELMO)
        self.assertEqual(result.returncode, 0, result.stderr)
        found = findings(result.stdout)
        self.assertIn('implicit subject: "It"', found[3])
        self.assertIn('implicit subject: "This"', found[4])
        self.assertIn('implicit object: "This"', found[4])  # the passive's object gap
        self.assertIn('implicit object: "it"', found[14])
        self.assertIn("more than one subject", found[5])
        self.assertIn("more than one main verb", found[8])
        self.assertIn('unspecified term "data"', found[10])
        self.assertIn('implicit subject: "It"', found[22])  # the subject of "to restart"

    def test_parse_based_indicators_with_the_default_grammar(self):
        result = run_tool(DOCUMENT)
        self.assertEqual(result.returncode, 0, result.stderr)
        found = findings(result.stdout)
        self.assertIn("more than one subject", found[5])
        self.assertIn("more than one main verb", found[8])
        self.assertIn('unspecified term "data"', found[10])

    def test_sentences_are_reported_as_written(self):
        result = run_tool(DOCUMENT)
        self.assertIn("\n9: The display shall be user-friendly if possible.\n", result.stdout)

    def test_section_table_follows_the_numbered_headings(self):
        result = run_tool(DOCUMENT)
        rows = re.findall(r"^(\S+)\s+(\d+)\s+(\d+)$", result.stdout, re.M)
        self.assertEqual([r[0] for r in rows], ["1", "2", "2.1", "2.2"])
        self.assertEqual(sum(int(r[2]) for r in rows), 22)


class Counts(TempDirTest):
    def test_combined_counts_equal_the_individual_reports(self):
        result = run_tool("--keep-work", DOCUMENT, velmo=FAKE_VELMO)
        self.assertEqual(result.returncode, 0, result.stderr)
        work = re.search(r"working files kept in (.*)$", result.stderr, re.M).group(1)
        self.addCleanup(shutil.rmtree, work, True)
        rows = summary_rows(result.stdout)
        reports = {"Implicit subject, object or determiner": "i/implicity.sdc.log",
                   "More than one subject or main verb": "m/multiplicity.sdc.log",
                   "Generic noun without qualifier": "u/underspecification.sdc.log",
                   "Vague or subjective wording": "l1/lexical1.log",
                   "Weak verb": "l3/lexical3.log"}
        for title, report in reports.items():
            with open(os.path.join(work, report), encoding="utf-8") as f:
                text = f.read()
            n, d, r = (int(x) for x in re.search(
                r"evaluated sentences: (\d+)\nNumber of defective sentences: (\d+)\n"
                r"Defect rate: (\d+)%", text).groups())
            self.assertEqual(rows[title], (n, d, r), title)
        with open(os.path.join(work, "r/readability.log")) as f:
            index = f.read().split()[-1]
        self.assertIn(f"Readability index (Coleman-Liau): {index}\n", result.stdout)

    def test_crlf_document_gives_the_same_report(self):
        crlf = os.path.join(self.tmp, "crlf.txt")
        with open(DOCUMENT, "rb") as f, open(crlf, "wb") as out:
            out.write(f.read().replace(b"\n", b"\r\n"))
        plain = run_tool(DOCUMENT).stdout
        self.assertEqual(run_tool(crlf).stdout.replace(crlf, DOCUMENT), plain)


class Files(TempDirTest):
    def test_writes_text_and_html_into_a_folder_with_spaces(self):
        out = os.path.join(self.tmp, "out folder")
        document = os.path.join(self.tmp, "my requirements.txt")
        shutil.copyfile(DOCUMENT, document)
        result = run_tool("-o", out, document)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(sorted(os.listdir(out)), ["report.html", "report.txt"])
        with open(os.path.join(out, "report.txt"), encoding="utf-8") as f:
            self.assertEqual(f.read(), result.stdout)
        with open(os.path.join(out, "report.html"), encoding="utf-8") as f:
            page = f.read()
        self.assertIn("<table id=summary>", page)
        self.assertIn("<mark>fast.</mark>", page)
        self.assertIn("<mark>if</mark> <mark>possible.</mark>", page)

    def test_nothing_is_written_into_the_current_folder(self):
        result = run_tool(DOCUMENT, cwd=self.tmp)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(os.listdir(self.tmp), [])

    def test_unwritable_output_folder_is_reported_and_nothing_half_written(self):
        blocker = os.path.join(self.tmp, "taken")
        with open(blocker, "w") as f:
            f.write("a file, not a folder")
        result = run_tool("-o", blocker, DOCUMENT)
        self.assertEqual(result.returncode, 1)
        self.assertIn(f"zentra-check: cannot write the report into {blocker}", result.stderr)
        self.assertEqual(result.stdout, "")


class BadInput(TempDirTest):
    def test_empty_document(self):
        path = self.write("empty.txt", b"\n\n")
        result = run_tool(path)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, f"zentra-check: {path} is empty: there is nothing to check\n")

    def test_binary_file(self):
        path = self.write("image.bin", bytes(range(256)) * 4)
        result = run_tool(path)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, f"zentra-check: {path} is a binary file, not a text document\n")

    def test_missing_document(self):
        result = run_tool(os.path.join(self.tmp, "absent.txt"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("cannot read", result.stderr)

    def test_long_lines_and_angle_brackets_keep_sentences_in_step(self):
        path = self.write("odd.txt", ("x " * 1500 + "fast\n"
                                      "The value shall be > 5 and < 7 if possible.\n"
                                      "It shall be fast.").encode())
        result = run_tool(path, velmo=FAKE_VELMO)
        self.assertEqual(result.returncode, 0, result.stderr)
        found = findings(result.stdout)
        self.assertIn('loophole or open end: "if possible"', found[2])
        self.assertIn('implicit subject: "It"', found[3])


if __name__ == "__main__":
    unittest.main(verbosity=1)
