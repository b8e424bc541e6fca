#!/usr/bin/env bash
# Runs one end-to-end case: run_case.sh PROGRAM CASE_DIR
#
# The case folder is copied to a scratch directory, where PROGRAM runs with
# the arguments of `args` (shell words, optional), standard input from `stdin`
# (optional) and the variables of `env` (VAR=value lines, optional; KORVELPATH
# is unset otherwise). Standard output and standard error are compared with
# `expected_stdout` and `expected_stderr`, the exit status with
# `expected_status` (default 0), and every file under `expected_files/` with
# the file of the same name left in the scratch directory.
set -u
program=$1
case_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$case_dir"/. "$work"/
cd "$work" || exit 2

args=()
if [ -f args ]; then eval "args=($(cat args))"; fi
env_vars=()
if [ -f env ]; then mapfile -t env_vars < env; fi
input=/dev/null
[ -f stdin ] && input=stdin

env -u KORVELPATH "${env_vars[@]}" "$program" "${args[@]}" <"$input" >actual_stdout 2>actual_stderr
status=$?

failed=0
compare() {  # compare EXPECTED ACTUAL
  if ! cmp -s "$1" "$2"; then
    echo "--- $1 differs:"
    diff -u "$1" "$2" | head -n 60
    failed=1
  fi
}
[ -f expected_stdout ] && compare expected_stdout actual_stdout
[ -f expected_stderr ] && compare expected_stderr actual_stderr
expected_status=0
[ -f expected_status ] && expected_status=$(cat expected_status)
if [ "$status" != "$expected_status" ]; then
  echo "--- exit status $status, expected $expected_status"
  failed=1
fi
if [ -d expected_files ]; then
  while IFS= read -r -d '' f; do
    rel=${f#expected_files/}
    compare "$f" "$rel"
  done < <(find expected_files -type f -print0)
fi
exit $failed
