#!/usr/bin/env bash
# Regenerates the corpus statistics into a scratch folder and compares them,
# byte for byte, with the committed files under data/en/stats/.
#   tools/check-english-stats.sh UDTOOL VELMO
# Exits 0 when they agree, 1 when they differ, 77 (skipped) when the EWT
# train split is not on this machine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
udtool=$1
velmo=$2
. "$root/tools/ewt-train-or-skip.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/gen-english-stats.py" --ewt "$ewt" --udtool "$udtool" --velmo "$velmo" --out "$work" || exit 1
"$root/tools/compare-generated.sh" "$work" data/en/stats "the generator" dist.txt bad-triples.txt roots.txt relations.hdr relations.qhash
exit $?
