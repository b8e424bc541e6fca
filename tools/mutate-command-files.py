#!/usr/bin/env python3
"""Robustness check: runs velmo (preferably a sanitizer build) on randomly
mutated copies of the end-to-end command files and reports every run that
crashes, trips a sanitizer or hangs.

    tools/mutate-command-files.py VELMO [ROUNDS] [SEED]

Each round copies one case of tests/e2e/velmo into a scratch directory,
mutates its korvel.lsp (dropping, duplicating or swapping tokens, cutting
the text, inserting parentheses, quotes or stray bytes) and runs velmo with
the case's arguments and input. Commands that reach outside the scratch
directory (system) are removed from the seeds first.
"""
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CASES = os.path.join(ROOT, "tests", "e2e", "velmo")
TOKEN = re.compile(r'"(?:\\.|[^"\\])*"|[()]|[^\s()"]+|\s+')
NOISE = ["(", ")", "\"", "()", ":size", "-1", "999999999", "\\", ";", "\x00", "\xff", "~", ",", "0"]


def mutate(text, rng):
    tokens = TOKEN.findall(text)
    if not tokens:
        return text
    for _ in range(rng.randint(1, 6)):
        i = rng.randrange(len(tokens))
        choice = rng.randrange(6)
        if choice == 0:
            del tokens[i]
        elif choice == 1:
            tokens.insert(i, tokens[rng.randrange(len(tokens))])
        elif choice == 2:
            j = rng.randrange(len(tokens))
            tokens[i], tokens[j] = tokens[j], tokens[i]
        elif choice == 3:
            tokens.insert(i, rng.choice(NOISE))
        elif choice == 4:
            tokens = tokens[:i]
        else:
            tokens.insert(i, " " + rng.choice(NOISE) + " ")
        if not tokens:
            break
    return "".join(tokens)


def cases():
    for name in sorted(os.listdir(CASES)):
        path = os.path.join(CASES, name)
        lsp = os.path.join(path, "korvel.lsp")
        if os.path.isfile(lsp):
            with open(lsp, encoding="latin-1") as f:
                if "(system" not in f.read():
                    yield path


def run_round(velmo, case, rng):
    work = tempfile.mkdtemp(prefix="velmo-mutate-")
    try:
        shutil.copytree(case, work, dirs_exist_ok=True)
        lsp = os.path.join(work, "korvel.lsp")
        with open(lsp, encoding="latin-1") as f:
            mutated = mutate(f.read(), rng)
        with open(lsp, "w", encoding="latin-1") as f:
            f.write(mutated)
        stdin = open(os.path.join(work, "stdin"), "rb") if os.path.exists(os.path.join(work, "stdin")) else subprocess.DEVNULL
        env = dict(os.environ, ASAN_OPTIONS="halt_on_error=1:detect_leaks=1", UBSAN_OPTIONS="halt_on_error=1")
        env.pop("KORVELPATH", None)
        try:
            result = subprocess.run([velmo, "-i", "-d", "-p", "."], cwd=work, stdin=stdin, capture_output=True, timeout=20, env=env)
        except subprocess.TimeoutExpired:
            return "hang", mutated
        stderr = result.stderr.decode("latin-1")
        if result.returncode < 0 or "Sanitizer" in stderr or "runtime error" in stderr:
            return stderr[-3000:], mutated
        return None, mutated
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    velmo = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    seeds = list(cases())
    failures = 0
    for n in range(rounds):
        case = rng.choice(seeds)
        problem, mutated = run_round(velmo, case, rng)
        if problem:
            failures += 1
            print(f"=== round {n}: {os.path.basename(case)}\n--- korvel.lsp:\n{mutated}\n--- problem:\n{problem}\n")
    print(f"{rounds - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
