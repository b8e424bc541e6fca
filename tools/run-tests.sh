#!/usr/bin/env bash
# Builds everything twice, optimised and with AddressSanitizer plus
# UndefinedBehaviorSanitizer, and runs every test in both builds.
# Exits non-zero when anything fails; ends with ctest's summary.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/ensure-packages.sh" --tests || exit 1
jobs=$(nproc)
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

build() {  # build DIR CMAKE-ARGS...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" "$@" >/dev/null && cmake --build "$dir" -j "$jobs"
}

status=0
build "$root/build" -DCMAKE_BUILD_TYPE=Release || exit 1
build "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVELMO_SANITIZE=ON || exit 1
echo "== optimised build"
(cd "$root/build" && ctest -j "$jobs" --output-on-failure) || status=1
echo "== sanitizer build"
(cd "$root/build-asan" && ctest -j "$jobs" --output-on-failure) || status=1
exit $status
