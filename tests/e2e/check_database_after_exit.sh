#!/usr/bin/env bash
# A writable database that velmo changes is still whole after the process
# ends, whether the input ran out or the exit command ended it: each run
# writes counts without syncing, and a later run reads them back.
#   check_database_after_exit.sh VELMO CASE_DIR
set -u
velmo=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$2"/. "$work"/
cd "$work" || exit 2
cp deps.hdr.in deps.hdr
run() {  # run SCRIPT: velmo with SCRIPT as its start-up file
  cp "$1" korvel.lsp
  env -u KORVELPATH "$velmo" -i -p . < /dev/null 2>> stderr.txt
}
{
  run write.lsp
  echo "after the end of the input"
  run read.lsp
  run add.lsp
  echo "after the exit command"
  run read.lsp
} > actual_stdout
status=0
if ! cmp -s expected_stdout actual_stdout; then
  diff -u expected_stdout actual_stdout
  status=1
fi
if [ -s stderr.txt ]; then
  echo "--- messages:"
  cat stderr.txt
  status=1
fi
exit $status
