#!/usr/bin/env bash
# Regenerates the English data into a scratch folder and compares it, byte
# for byte, with the committed files under data/en/. Exits 0 when they agree,
# 1 when they differ, and 77 (skipped) when the treebank or WordNet is not
# on this machine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
wordnet=${WORDNET_DIR:-/usr/share/wordnet}
ewt=$("$root/tools/ewt-train-path.sh")
if [ -z "$ewt" ] || [ ! -f "$ewt" ] || [ ! -f "$wordnet/index.noun" ]; then
  echo "skipped: the EWT train split or WordNet is missing"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/gen-english-data.py" --ewt "$ewt" --wordnet "$wordnet" --out "$work" 2>/dev/null || exit 1
"$root/tools/compare-generated.sh" "$work" data/en "the generator" words.dic words.idx words.hdr lexicon.lsp unknown.lsp false-roots.lsp prenominal.lsp
exit $?
