#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the
# machine lacks. Safe to run again: it does nothing when all is there.
# With --tests it also installs what only the tests use (a headless browser
# for the HTML report test).
set -e
# wordnet-base: WordNet 3.0, one of the sources of the English data.
wanted=(g++ cmake make ccache python3 libgtest-dev libgmock-dev libbenchmark-dev wordnet-base)
[ "${1:-}" = "--tests" ] && wanted+=(chromium)
needed=()
for pkg in "${wanted[@]}"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || needed+=("$pkg")
done
if [ ${#needed[@]} -gt 0 ]; then
  echo "Installing: ${needed[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${needed[@]}"
fi
