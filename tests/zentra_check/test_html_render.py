#!/usr/bin/env python3
"""Opens zentra-check's HTML report in headless Chromium and checks, on the
screenshot, that the summary table and the highlighted words were rendered.

Environment as for test_zentra_check.py, plus CHROMIUM (the browser)."""
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import zlib

from test_zentra_check import FAKE_VELMO, DOCUMENT, run_tool

CHROMIUM = os.environ.get("CHROMIUM") or shutil.which("chromium")
TABLE_HEADER = (0xDD, 0xDD, 0xEE)  # background of the table headings
HIGHLIGHT = (0xFF, 0xDD, 0x55)     # background of a highlighted word


def read_png(path):
    """Decodes an 8-bit RGB or RGBA PNG into (width, height, rows of pixels)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", chunk)
        elif kind == b"IDAT":
            idat += chunk
        pos += 12 + length
    width, height, depth, color, _, _, interlace = header
    if depth != 8 or color not in (2, 6) or interlace:
        raise ValueError("unsupported PNG layout")
    channels = 3 if color == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = previous[x]
            c = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + a) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + b) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[x] = (line[x] + pred) & 0xFF
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, channels)])
        previous = line
    return width, height, rows


def count_colour(rows, colour):
    return sum(pixel == colour for row in rows for pixel in row)


class RenderedReport(unittest.TestCase):
    def test_summary_table_and_highlights_are_rendered(self):
        tmp = tempfile.mkdtemp(prefix="zentra-check-render-")
        self.addCleanup(shutil.rmtree, tmp, True)
        result = run_tool("-o", tmp, DOCUMENT, velmo=FAKE_VELMO)
        self.assertEqual(result.returncode, 0, result.stderr)
        shot = os.path.join(tmp, "shot.png")
        browser = subprocess.run(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
             f"--user-data-dir={os.path.join(tmp, 'profile')}", "--window-size=1000,900",
             f"--screenshot={shot}", "file://" + os.path.join(tmp, "report.html")],
            capture_output=True, timeout=120)
        self.assertTrue(os.path.exists(shot), browser.stderr.decode(errors="replace"))
        width, height, rows = read_png(shot)
        self.assertEqual((width, height), (1000, 900))
        # Two tables of headings (summary: 4 cells, sections: 3) at about 25 pixels high.
        self.assertGreater(count_colour(rows, TABLE_HEADER), 5000)
        self.assertGreater(count_colour(rows, HIGHLIGHT), 200)
        # The summary table's heading row lies near the top of the page.
        first_header_row = next(y for y, row in enumerate(rows) if TABLE_HEADER in row)
        self.assertLess(first_header_row, 300)


if __name__ == "__main__":
    unittest.main(verbosity=1)
