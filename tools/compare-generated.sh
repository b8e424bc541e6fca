#!/usr/bin/env bash
# Compares freshly generated files, byte for byte, with their committed copies
# and names each one that differs. Used by the data checks after they have
# regenerated into a scratch folder.
#   tools/compare-generated.sh SCRATCH COMMITTED_DIR WRITER FILE...
# COMMITTED_DIR is relative to the checkout (data/en, parser/ud, ...); WRITER
# ends the message ("the generator", "tools/gen-verb-particles.py").
# Exits 0 when every file agrees, 1 otherwise.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$1
committed=$2
writer=$3
shift 3
status=0
for file in "$@"; do
  if ! cmp -s "$scratch/$file" "$root/$committed/$file"; then
    echo "$committed/$file differs from what $writer writes"
    status=1
  fi
done
exit $status
