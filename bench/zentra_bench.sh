#!/usr/bin/env bash
# Times every zentra mode on a generated 20,000-sentence document with its
# parser output (about 20 tree lines a sentence) and a 200-word dictionary.
#
#   bench/zentra_bench.sh [ZENTRA_BINARY] [SENTENCES]
#
# The binary defaults to build-zentra/analyser/zentra under the project root.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
zentra=${1:-$root/build-zentra/analyser/zentra}
sentences=${2:-20000}
[ -x "$zentra" ] || { echo "no zentra binary at $zentra" >&2; exit 2; }
zentra=$(cd "$(dirname "$zentra")" && pwd)/$(basename "$zentra")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/zentra_generate.py" "$work" "$sentences" 200
printf 'document: %s lines, %s bytes; parsed.txt: %s lines, %s bytes\n' \
  "$(wc -l <"$work/doc.txt")" "$(wc -c <"$work/doc.txt")" \
  "$(wc -l <"$work/parsed.txt")" "$(wc -c <"$work/parsed.txt")"
# Every tenth sentence is hidden, so the no_show.txt lookups are exercised.
seq 10 10 "$sentences" >"$work/no_show.txt"

cd "$work"
for mode in i l m r u v; do
  start=$(date +%s.%N)
  "$zentra" "$mode" doc.txt dict.txt 2>/dev/null || true
  end=$(date +%s.%N)
  printf 'mode %s: %6.2f s\n' "$mode" "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
done
