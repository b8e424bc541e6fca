#!/usr/bin/env bash
# Builds velmo and udtool for speed, in a build folder of their own
# (build-release beside the sources by default): the Release build with
# link-time optimisation, so that the compiler can inline the small functions
# the layers call across their library boundaries (attribute vectors,
# condition plans, the weigher, the relation database). The plain Release
# build in build/ stays as it is, for the tests and for quick rebuilds; this
# one takes longer, as every object is optimised again when velmo is linked.
#
#   tools/build-release.sh [BUILD_DIR]
#
# Installs what the build needs when it is missing, as the README's scripts do.
# VELMO_JOBS sets the parallel compile jobs (nproc by default). At the end the
# new velmo runs every end-to-end velmo case of tests/e2e with the default
# data; the script fails if any case fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-release}
jobs=${VELMO_JOBS:-$(nproc)}
"$root/tools/ensure-packages.sh"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
  -DVELMO_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target velmo udtool

velmo=$(cd "$build/app" && pwd)/velmo
failed=0
cases=0
for case_dir in "$root"/tests/e2e/velmo/*/; do
  cases=$((cases + 1))
  if ! VELMO_DATA="$root/data" "$root/tests/e2e/run_case.sh" "$velmo" "$case_dir" >"$build/e2e-case.log" 2>&1; then
    echo "build-release: end-to-end case $(basename "$case_dir") fails:" >&2
    cat "$build/e2e-case.log" >&2
    failed=$((failed + 1))
  fi
done
rm -f "$build/e2e-case.log"
if [ "$failed" -gt 0 ]; then
  echo "build-release: $failed of $cases end-to-end velmo cases fail with $velmo" >&2
  exit 1
fi
echo "build-release: $velmo built; all $cases end-to-end velmo cases pass"
