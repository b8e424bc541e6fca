#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the
# machine lacks. Safe to run again: it does nothing when all is there.
set -e
needed=()
# wordnet-base: WordNet 3.0, one of the sources of the English data.
for pkg in g++ cmake make ccache libgtest-dev libgmock-dev libbenchmark-dev python3 wordnet-base; do
  dpkg -s "$pkg" >/dev/null 2>&1 || needed+=("$pkg")
done
if [ ${#needed[@]} -gt 0 ]; then
  echo "Installing: ${needed[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${needed[@]}"
fi
