#!/usr/bin/env python3
"""Stands in for velmo in the tests of zentra-check: prints, with velmo's
prompt, the dependency-format analysis recorded in canned_trees.txt for each
sentence it knows, and an empty analysis for any other."""
import os
import sys

def load(path):
    trees, key, lines = {}, None, []
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if line.startswith("## "):
                if key is not None:
                    trees[key] = lines
                key, lines = line[3:], []
            elif key is not None and line:
                lines.append(line)
    if key is not None:
        trees[key] = lines
    return trees

trees = load(os.path.join(os.path.dirname(os.path.realpath(__file__)), "canned_trees.txt"))
out = sys.stdout
for line in sys.stdin.read().splitlines():
    out.write("> ")
    out.write("(\n" + "".join(l + "\n" for l in trees.get(line, [])) + ")\n")
out.write("> ")
