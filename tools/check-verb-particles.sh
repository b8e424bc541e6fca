#!/usr/bin/env bash
# Regenerates the verb particle pairs into a scratch folder and compares
# them, byte for byte, with the committed parser/ud/verb_particles*.inc.
#   tools/check-verb-particles.sh
# Exits 0 when they agree, 1 when they differ, 77 (skipped) when the EWT
# train split is not on this machine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/ewt-train-or-skip.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/gen-verb-particles.py" --ewt "$ewt" --out-dir "$work" >/dev/null || exit 1
"$root/tools/compare-generated.sh" "$work" parser/ud "tools/gen-verb-particles.py" verb_particles.inc verb_adverbs.inc verb_particles_before_objects.inc
exit $?
