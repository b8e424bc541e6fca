#!/usr/bin/env bash
# Formats every C++ source and header of the project with clang-format and
# the root .clang-format:
#   tools/format-all.sh          rewrite the files in place
#   tools/format-all.sh --check  change nothing; list the files that need it
# Only files under version control in our own folders are touched, so build
# folders and anything else left in the tree stay as they are.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
folders=(shell lexicon lexical parser treerules corpus app analyser tests bench tools)
check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  *) echo "usage: tools/format-all.sh [--check]" >&2; exit 2 ;;
esac
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 2; }

mapfile -d '' files < <(git ls-files -z -- "${folders[@]/%//*.cpp}" "${folders[@]/%//*.h}" \
  | grep -zv -e '/third_party/' -e '/build[^/]*/')
[ "${#files[@]}" -gt 0 ] || { echo "no sources found under $root" >&2; exit 2; }

if [ "$check" = 1 ]; then
  unformatted=0
  for file in "${files[@]}"; do
    if ! clang-format --style=file --dry-run -Werror "$file" >/dev/null 2>&1; then
      echo "$file"
      unformatted=$((unformatted + 1))
    fi
  done
  echo "$unformatted of ${#files[@]} files need formatting" >&2
  [ "$unformatted" = 0 ]
else
  printf '%s\0' "${files[@]}" | xargs -0 -n 50 clang-format --style=file -i
  echo "formatted ${#files[@]} files" >&2
fi
