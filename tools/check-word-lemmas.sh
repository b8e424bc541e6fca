#!/usr/bin/env bash
# Regenerates the lemma table of the UD conversion into a scratch folder and
# compares it, byte for byte, with the committed parser/ud/word_lemmas.inc.
#   tools/check-word-lemmas.sh
# Exits 0 when they agree, 1 when they differ, 77 (skipped) when the EWT
# train split is not on this machine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/ewt-train-or-skip.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/gen-word-lemmas.py" --ewt "$ewt" --out-dir "$work" >/dev/null || exit 1
"$root/tools/compare-generated.sh" "$work" parser/ud "tools/gen-word-lemmas.py" word_lemmas.inc
exit $?
