#!/usr/bin/env bash
# Prints the path of the EWT train split the data checks read: $EWT_TRAIN
# when set, else the first shared/data/ud-english-ewt/en_ewt-ud-train.conllu
# in a folder above this checkout; prints nothing when there is none.
set -u
if [ -n "${EWT_TRAIN:-}" ]; then
  echo "$EWT_TRAIN"
  exit 0
fi
dir=$(cd "$(dirname "$0")/.." && pwd)
while [ "$dir" != / ]; do
  dir=$(dirname "$dir")
  candidate=$dir/shared/data/ud-english-ewt/en_ewt-ud-train.conllu
  if [ -f "$candidate" ]; then
    echo "$candidate"
    exit 0
  fi
done
