#!/usr/bin/env python3
"""zentra-check over a document of 100,000 lines (run in the optimised build)."""
import unittest

from test_zentra_check import FAKE_VELMO, TempDirTest, run_tool, summary_rows


class LargeDocument(TempDirTest):
    def test_document_of_100000_lines(self):
        lines = ["The system shall be fast." if i % 10 == 0 else f"The pump {i} shall stop."
                 for i in range(100000)]
        path = self.write("large.txt", "\n".join(lines).encode())
        result = run_tool(path, velmo=FAKE_VELMO)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(summary_rows(result.stdout)["Vague or subjective wording"], (100000, 10000, 10))




if __name__ == "__main__":
    unittest.main(verbosity=1)
