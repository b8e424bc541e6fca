#!/usr/bin/env bash
# Runs velmo -u in a copy of a case folder (search path ".", input from
# `stdin`) and checks that what it prints is valid CoNLL-U by the project's
# own reader (udtool check), with one sentence per input line that has words.
#   check_conllu_output.sh VELMO UDTOOL CASE_DIR
set -u
velmo=$1
udtool=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$3"/. "$work"/
cd "$work" || exit 2
env -u KORVELPATH "$velmo" -u -p . < stdin > output.conllu 2> stderr.txt || { cat stderr.txt; exit 1; }
report=$("$udtool" check output.conllu 2>&1) || { echo "$report"; exit 1; }
expected=$(grep -c '[^[:space:]]' stdin)
if [ "$report" != "$expected sentences, 0 problems" ]; then
  echo "expected $expected sentences, udtool says: $report"
  exit 1
fi
# Every word has a head and a relation, and the tokens spell the text.
awk -F'\t' '
  function check() {
    gsub(/[ \t]/, "", text)
    if (text != spelled) { print "tokens \"" spelled "\" do not spell \"" text "\""; bad = 1 }
    text = ""; spelled = ""; skip = 0
  }
  /^# text = / { text = substr($0, 10) }
  /^[0-9]+-[0-9]+\t/ { split($1, range, "-"); skip = range[2]; spelled = spelled $2 }
  /^[0-9]+\t/ {
    if ($7 == "_" || $8 == "_") { print "unattached: " $0; bad = 1 }
    if ($1 > skip) spelled = spelled $2
  }
  /^$/ { if (previous == "") { print "two blank lines in a row"; bad = 1 } check() }
  { previous = $0 }
  END { exit bad }' output.conllu
