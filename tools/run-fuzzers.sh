#!/usr/bin/env bash
# Runs the libFuzzer targets one after another, each for SECONDS (default
# 600), at the lowest priority, as the unprivileged user "nobody" when run by
# root (command files may write files), in a scratch directory. Seeds come
# from the end-to-end cases; findings go to FUZZ_OUT/<target>/.
#
#   tools/run-fuzzers.sh BUILD-DIR [SECONDS] [TARGET...]
#
# BUILD-DIR was configured with CXX=clang++ -DVELMO_FUZZ=ON. Prints, per
# target, the executions and the number of findings.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : $# ))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(reader_fuzz alias_fuzz dictionary_fuzz hash_file_fuzz lexicon_fuzz zentra_fuzz command_fuzz)
out=${FUZZ_OUT:-$build/fuzz-out}
cases=$root/tests/e2e
sep=$'\n--8<--\n'

seed() {  # seed TARGET DIR
  local target=$1 dir=$2 i=0 f
  case $target in
    reader_fuzz|command_fuzz)
      for f in "$cases"/velmo/*/korvel.lsp "$cases"/velmo/*/*.lsp; do
        grep -q "(system" "$f" || cp "$f" "$dir/$((i++)).lsp"
      done ;;
    alias_fuzz)
      for f in "$cases"/velmo/att_*/*.dat "$cases"/velmo/att_*/expected_files/*.dat; do
        [ -f "$f" ] && cp "$f" "$dir/$((i++)).dat"
      done ;;
    lexicon_fuzz)
      for f in "$cases"/velmo/lex_*/*.lex; do cp "$f" "$dir/$((i++)).lex"; done ;;
    dictionary_fuzz)
      local words=$cases/velmo/lex_disk_dictionary/words.txt
      printf '"fuzz.txt" 3 "fuzz.idx"\n( )%s%s%s' "$sep" "$(head -c 2000 "$words")" "$sep" > "$dir/0"
      printf 'fuzz.txt 1 fuzz.idx [ ]%s[w1 (gloss 1)]\n[a (gloss "x y")]\n%s' "$sep" "$sep" > "$dir/1" ;;
    hash_file_fuzz)
      local work
      work=$(mktemp -d)
      printf 'h.qh 7 32\n' > "$work/h.hdr"
      cp "$cases"/velmo/corpus_disk_file/triples.txt "$work/"
      printf '(make-tripledb db 7)\n(link-file db "h.hdr")\n(populate db "triples.txt")\n(sync db)\n(unlink-file db)\n' \
        > "$work/korvel.lsp"
      (cd "$work" && "$build/app/velmo" -i -p . < /dev/null > /dev/null 2>&1)
      [ -f "$work/h.qh" ] && cp "$work/h.qh" "$dir/0"
      [ -f "$work/h.qh" ] && { cat "$work/h.qh"; printf '%s' "$sep"; printf 'VJOURNL1\0\0\0\0'; } > "$dir/1"
      rm -rf "$work" ;;
    zentra_fuzz)
      for c in "$cases"/zentra/*/; do
        [ -f "$c/args" ] || continue
        read -r mode doc dict < "$c/args" || true
        {
          printf '%s%s' "$mode" "$sep"
          [ -n "${doc:-}" ] && [ -f "$c/$doc" ] && cat "$c/$doc"; printf '%s' "$sep"
          [ -f "$c/parsed.txt" ] && cat "$c/parsed.txt"; printf '%s' "$sep"
          [ -n "${dict:-}" ] && [ -f "$c/$dict" ] && cat "$c/$dict"; printf '%s' "$sep"
          [ -f "$c/no_show.txt" ] && cat "$c/no_show.txt"
        } > "$dir/$((i++))"
      done ;;
  esac
}

as_user=()
[ "$(id -u)" = 0 ] && as_user=(runuser -u nobody --)
for target in "${targets[@]}"; do
  dir=$out/$target
  mkdir -p "$dir/corpus" "$dir/seeds" "$dir/artifacts"
  seed "$target" "$dir/seeds"
  chown -R nobody "$dir" 2>/dev/null
  scratch=$(mktemp -d)
  chown nobody "$scratch" 2>/dev/null
  (cd "$scratch" && nice -n 19 "${as_user[@]}" "$build/tests/fuzz/$target" \
     -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=8192 -close_fd_mask=3 \
     -print_final_stats=1 -artifact_prefix="$dir/artifacts/" "$dir/corpus" "$dir/seeds" \
     < /dev/null > "$dir/log" 2>&1)
  rm -rf "$scratch" /tmp/velmo-fuzz-* /tmp/zentra-fuzz-* 2>/dev/null
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$dir/log" | grep -o '[0-9]*$')
  echo "$target: ${runs:-?} executions, $(ls "$dir/artifacts" | wc -l) findings"
done
