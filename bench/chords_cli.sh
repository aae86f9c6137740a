#!/usr/bin/env bash
# tonvisor-cli --chords --lab end to end on the 5-minute, 16-track piece of
# 20,000 notes (piece_bench --write), against tonvisor-cli --version (the
# process's own start and exit) in the same run: medians of RUNS of each;
# then the process's peak memory for 5,000 to 40,000 notes.
#   bench/chords_cli.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-21}
scratch=$(mktemp -d /tmp/tonvisor-chords.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/piece_bench" --write "$scratch/piece.mid" 20000

# The medians of RUNS runs of the command: wall time and processor time
# (user and system), in ms; processor time holds up on a busy machine.
medians() {
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %U %S" "$@" 2>&1 > /dev/null | tail -n 1
    done > "$scratch/times"
    wall=$(awk '{ print $1 * 1000 }' "$scratch/times" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
    cpu=$(awk '{ print ($2 + $3) * 1000 }' "$scratch/times" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
    echo "$wall ms wall, $cpu ms processor"
}

chords=$(medians "$build/tonvisor-cli" --chords "$scratch/piece.mid" --lab)
start=$(medians "$build/tonvisor-cli" --version)
echo "tonvisor-cli --chords --lab, 20,000 notes: $chords; --version: $start (medians of $runs)"

# Peak resident memory of the whole process as the notes grow (same length).
for notes in 5000 10000 20000 40000; do
    "$build/bench/piece_bench" --write "$scratch/n.mid" "$notes"
    peak=$(/usr/bin/time -f %M "$build/tonvisor-cli" --chords "$scratch/n.mid" --lab 2>&1 > /dev/null | tail -n 1)
    echo "$notes notes: peak resident $peak KiB"
done
