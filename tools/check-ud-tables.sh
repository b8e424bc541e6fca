#!/usr/bin/env bash
# Regenerates tables of the UD conversion into a scratch folder and compares
# them, byte for byte, with the committed copies in parser/ud/.
#   tools/check-ud-tables.sh GENERATOR FILE...
# GENERATOR is a generator's name in tools/ (gen-verb-particles,
# gen-word-lemmas); FILE the tables it writes. Exits 0 when they agree, 1
# when they differ, 77 (skipped) when the EWT train split is not on this
# machine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
generator=$1
shift
. "$root/tools/ewt-train-or-skip.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/$generator.py" --ewt "$ewt" --out-dir "$work" >/dev/null || exit 1
"$root/tools/compare-generated.sh" "$work" parser/ud "tools/$generator.py" "$@"
exit $?
