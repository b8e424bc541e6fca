#!/usr/bin/env bash
# Builds velmo and udtool for speed, in a build folder of their own
# (build-release beside the sources by default): the Release build with
# link-time optimisation, so that the compiler can inline the small functions
# the layers call across their library boundaries (attribute vectors,
# condition plans, the weigher, the relation database), and with
# profile-guided optimisation: a first, instrumented velmo parses
# bench/profile-sentences.txt (every 6th sentence of the EWT train split,
# under the treebank's CC BY-SA 4.0 licence) with the default data, and the
# final build lays out and inlines the code by the branch and call counts of
# that run. The plain Release build in build/ stays as it is, for the tests and
# for quick rebuilds; this one takes longer, as velmo is compiled twice and
# every object is optimised again when it is linked.
#
#   tools/build-release.sh [BUILD_DIR]
#
# Installs what the build needs when it is missing, as the README's scripts do.
# VELMO_JOBS sets the parallel compile jobs (nproc by default); VELMO_PGO=0
# leaves out the profile (link-time optimisation only). At the end the new
# velmo runs every end-to-end velmo case of tests/e2e with the default data;
# the script fails if any case fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-release}
jobs=${VELMO_JOBS:-$(nproc)}
"$root/tools/ensure-packages.sh"

configure() {
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMO_TESTS=OFF "$@" >/dev/null
}

if [ "${VELMO_PGO:-1}" != 0 ]; then
  # The instrumented objects write their counts (.gcda files) beside
  # themselves; the final build must compile the same objects in the same
  # folder to find them, and a stale count from an older source is dropped.
  configure -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=OFF \
    -DCMAKE_CXX_FLAGS="-fprofile-generate -fprofile-update=single" \
    -DCMAKE_EXE_LINKER_FLAGS="-fprofile-generate"
  find "$build" -name '*.gcda' -delete
  cmake --build "$build" -j "$jobs" --target velmo
  for output in -i -u; do
    "$build/app/velmo" "$output" -p "$root/data" <"$root/bench/profile-sentences.txt" >/dev/null
  done
  configure -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON \
    -DCMAKE_CXX_FLAGS="-fprofile-use -fprofile-partial-training -Wno-missing-profile" \
    -DCMAKE_EXE_LINKER_FLAGS="-fprofile-use"
  # The compiler cache would not see that the counts changed.
  CCACHE_DISABLE=1 cmake --build "$build" -j "$jobs" --target velmo udtool
else
  configure -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS=
  cmake --build "$build" -j "$jobs" --target velmo udtool
fi

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
