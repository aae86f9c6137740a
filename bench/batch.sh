#!/usr/bin/env bash
# Batch benchmark: tonvisor-cli --batch over 100,000 entries of 1 to 6 notes,
# written to a file, as JSON and as text with --top 5; the baseline is cat
# writing the very same output bytes to a file, in the same run. Prints the
# median wall and processor times of RUNS runs per entry, and the ratio of
# the wall times to the baseline's.
#   bench/batch.sh BUILD_DIR [RUNS]
set -euo pipefail

cli=$(cd "$1" && pwd)/tonvisor-cli
runs=${2:-5}
entries=100000

scratch=$(mktemp -d /tmp/tonvisor-batch.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The same entries every run: a fixed linear congruential sequence, 21 spellings.
awk -v count="$entries" 'BEGIN {
  split("c C# d% D d# e% E f F# g% g G# a% a A# b% B c% b# e# f%", names, " ")
  state = 12345
  for (i = 0; i < count; i++) {
    line = ""
    state = (state * 69069 + 1) % 4294967296; notes = 1 + int(state / 65536) % 6
    for (n = 0; n < notes; n++) {
      state = (state * 69069 + 1) % 4294967296; line = line names[1 + int(state / 65536) % 21]
      state = (state * 69069 + 1) % 4294967296; if (int(state / 65536) % 2) line = line " "
    }
    print line
  }
}' >"$scratch/entries"

# Median wall time and median processor time (user and system) in
# microseconds of running the command RUNS times, as "WALL CPU".
medians_us() {
  local walls=() cpus=() TIMEFORMAT='%R %U %S' timing
  for _ in $(seq "$runs"); do
    timing=$({ time "$@"; } 2>&1)
    walls+=("$(awk '{ printf "%d", $1 * 1e6 }' <<<"$timing")")
    cpus+=("$(awk '{ printf "%d", ($2 + $3) * 1e6 }' <<<"$timing")")
  done
  median() { printf '%s\n' "$@" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
  echo "$(median "${walls[@]}") $(median "${cpus[@]}")"
}

json() { "$cli" --batch --json <"$scratch/entries" >"$scratch/out.jsonl"; }
top5() { "$cli" --batch --top 5 <"$scratch/entries" >"$scratch/out.txt"; }
copy_json() { cat "$scratch/out.jsonl" >"$scratch/copy"; }
copy_top5() { cat "$scratch/out.txt" >"$scratch/copy"; }

json
top5
# WHAT PROGRAM_TIMES CAT_TIMES BYTES
report() {
  awk -v what="$1" -v t="$2" -v base="$3" -v n="$entries" -v bytes="$4" 'BEGIN {
    split(t, p, " "); split(base, c, " ")
    printf "%-16s %6.3f us per entry wall, %6.3f us processor; cat of the same %d MB: %6.3f us wall, %6.3f us processor; wall ratio %.2f\n",
      what, p[1] / n, p[2] / n, bytes / 1e6, c[1] / n, c[2] / n, p[1] / c[1] }'
}
report "--batch --json" "$(medians_us json)" "$(medians_us copy_json)" "$(stat -c %s "$scratch/out.jsonl")"
report "--batch --top 5" "$(medians_us top5)" "$(medians_us copy_top5)" "$(stat -c %s "$scratch/out.txt")"
