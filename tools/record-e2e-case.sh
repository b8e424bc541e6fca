#!/usr/bin/env bash
# Records the current output of an end-to-end case as its expectation:
#   tools/record-e2e-case.sh PROGRAM CASE_DIR
# Review the recorded files before committing them: they become the contract.
set -eu
program=$(realpath "$1")
case_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$case_dir"/. "$work"/
cd "$work"
rm -f expected_stdout expected_stderr expected_status
args=()
if [ -f args ]; then eval "args=($(cat args))"; fi
env_vars=()
if [ -f env ]; then mapfile -t env_vars < env; fi
input=/dev/null
[ -f stdin ] && input=stdin
set +e
env -u KORVELPATH "${env_vars[@]}" "$program" "${args[@]}" <"$input" >"$case_dir/expected_stdout" 2>"$case_dir/expected_stderr"
status=$?
set -e
[ "$status" != 0 ] && echo "$status" >"$case_dir/expected_status"
echo "== stdout"; cat -A "$case_dir/expected_stdout" | head -40
echo "== stderr"; cat -A "$case_dir/expected_stderr" | head -40
echo "== status $status"
