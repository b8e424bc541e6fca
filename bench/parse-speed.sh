#!/usr/bin/env bash
# Parsing speed of velmo with its default English data on a text of one
# sentence per line (by default the EWT dev text made by udtool).
#
#   bench/parse-speed.sh [TEXT] [BUILD_DIR]
#
# Reports, from processor time (user + system), never wall-clock time:
#   - start-up: velmo on empty input (the least of three runs);
#   - end to end: the whole text in one run (start-up, reading, lexical
#     analysis, parsing, trees and output), words per second and peak
#     resident memory;
#   - per sentence: a second run with "(parse-stats :time)" and
#     "(parse-stats)" after every line gives each sentence's processor time
#     and whether the 40,000-item pool ran out; from these, words per second
#     by sentence length (1-10, 11-20, 21-40, over 40 words), the sentences
#     over 50 ms and the ten slowest.
# Words are the blank-separated tokens of each line.
# BUILD_DIR is build/ by default; give build-release for the optimised velmo
# of tools/build-release.sh.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}
velmo=$build/app/velmo
[ -x "$velmo" ] || { echo "no velmo binary at $velmo" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=${1:-}
if [ -z "$text" ]; then
  text=$work/dev.txt
  train=$("$root/tools/ewt-train-path.sh")
  [ -n "$train" ] || { echo "no EWT treebank found beside the checkout; give TEXT" >&2; exit 2; }
  "$build/tools/udtool/udtool" text "$(dirname "$train")/en_ewt-ud-dev.conllu" >"$text"
fi

# cpu_of TIME_FILE: user + system seconds from /usr/bin/time -v.
cpu_of() {
  awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } END { printf "%.3f", u + s }' "$1"
}

cd "$root/data"
# Start-up takes milliseconds, below the resolution of /usr/bin/time: the
# children's resource usage is read directly.
startup=$(python3 -c '
import resource, subprocess, sys
best = None
for _ in range(3):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run([sys.argv[1], "-i", "-p", "."], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    best = cpu if best is None else min(best, cpu)
print(f"{best:.4f}")
' "$velmo")

/usr/bin/time -v "$velmo" -i -p . <"$text" >"$work/out.txt" 2>"$work/run.time"
total=$(cpu_of "$work/run.time")
rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/run.time")

# Lines that begin with "~" would be commands under -d: a blank in front
# keeps them sentences.
awk '{ if (substr($0, 1, 1) == "~") $0 = " " $0; print; print "~(parse-stats :time)"; print "~(parse-stats)" }' \
  "$text" >"$work/timed.txt"
"$velmo" -i -d -p . <"$work/timed.txt" >"$work/timed.out" 2>/dev/null

python3 - "$text" "$work/timed.out" "$startup" "$total" "$rss" <<'EOF'
import sys

text, timed, startup, total, rss = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4]), sys.argv[5]
lines = open(text, encoding="utf-8", errors="replace").read().split("\n")
if lines and lines[-1] == "":
    lines.pop()
times, pools = [], []
for line in open(timed, encoding="utf-8", errors="replace"):
    if line.startswith(";; sentence cpu: "):
        times.append(float(line.split()[3]))
    elif line.startswith(";; words: "):
        pools.append("exhausted" in line)
if len(times) != len(lines) or len(pools) != len(lines):
    sys.exit(f"expected {len(lines)} timings, read {len(times)} and {len(pools)} pool reports")

words = [len(line.split()) for line in lines]
all_words = sum(words)
print(f"text: {len(lines)} sentences, {all_words} words")
print(f"start-up: {startup * 1000:.1f} ms")
print(f"end to end: {total:.2f} s, {all_words / total if total else 0:,.0f} words/s; peak resident {int(rss) / 1024:.1f} MB")
buckets = [("1-10", 1, 10), ("11-20", 11, 20), ("21-40", 21, 40), ("over 40", 41, 10**9)]
print("by sentence length (parse-stats :time):")
for name, low, high in buckets:
    chosen = [i for i, n in enumerate(words) if low <= n <= high]
    n_words = sum(words[i] for i in chosen)
    ms = sum(times[i] for i in chosen)
    rate = n_words / (ms / 1000) if ms else 0
    mean = ms / len(chosen) if chosen else 0
    print(f"  {name:>8}: {len(chosen):5d} sentences {n_words:6d} words {ms / 1000:7.2f} s {rate:10,.0f} words/s  mean {mean:6.2f} ms")
ms = sum(times)
print(f"  {'all':>8}: {len(lines):5d} sentences {all_words:6d} words {ms / 1000:7.2f} s {all_words / (ms / 1000) if ms else 0:10,.0f} words/s")
over = sum(1 for t in times if t > 50.0)
exhausted = sum(pools)
print(f"sentences over 50 ms: {over}")
print(f"pool exhausted: {exhausted} of {len(lines)} ({100.0 * exhausted / max(len(lines), 1):.2f}%)")
print("slowest:")
for i in sorted(range(len(lines)), key=lambda i: -times[i])[:10]:
    shown = lines[i] if len(lines[i]) <= 70 else lines[i][:67] + "..."
    pool = " pool exhausted" if pools[i] else ""
    print(f"  {times[i]:8.2f} ms {words[i]:4d} words  line {i + 1}{pool}: {shown}")
EOF
