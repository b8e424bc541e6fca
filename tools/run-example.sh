#!/usr/bin/env bash
# Builds velmo and runs it on example sentences with the default data.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/ensure-packages.sh" || exit 1
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build "$root/build" -j "$(nproc)" --target velmo || exit 1
examples=${1:-$root/data/examples.txt}
KORVELPATH="$root/data" "$root/build/app/velmo" -i < "$examples"
