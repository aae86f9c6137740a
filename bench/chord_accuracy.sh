#!/bin/sh
# The accuracy of the chords over time on the test pieces: every progression
# in every texture written as a MIDI file, read back by tonvisor-cli --chords
# --lab, and scored against the chords it was made of with mir_eval (MIREX
# majmin and sevenths, weighted chord symbol recall).
# usage: bench/chord_accuracy.sh BUILD [MIN_MAJMIN MIN_SEVENTHS]
# With the minimums it fails (status 1) when the figures over all pieces fall short.
set -eu
build=$1
here=$(dirname "$0")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$build/tests/support/write_test_pieces" "$folder"
set --
for midi in "$folder"/*.mid; do
    stem=${midi%.mid}
    "$build/tonvisor-cli" --chords "$midi" --lab > "$stem.est"
    set -- "$@" "$stem.lab" "$stem.est"
done
/usr/bin/python3 "$here/../tests/support/chord_score.py" "$@" > "$folder/scores"
paste -d ' ' "$folder/names.txt" "$folder/scores" | sed 's|[^ ]*/\([0-9]*\)\.est|\1|'
tail -n 1 "$folder/scores"
if [ "${minimums:=${2:-}}" ]; then
    tail -n 1 "$folder/scores" | awk -v majmin="$2" -v sevenths="$3" \
        '{ exit !($3 >= majmin && $5 >= sevenths) }'
fi
