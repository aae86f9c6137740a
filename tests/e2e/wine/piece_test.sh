#!/usr/bin/env bash
# The Windows program opens a piece under Wine as the Linux one does:
# `tonvisor.exe song.mid` (an I-vi-IV-V in block chords) shows the piece
# window titled song.mid and names the piece in the status, and stepping with
# Left and Right through its segments puts each one's chord in the chord
# field: the same segments as on Linux. Then the same piece rendered by
# FluidSynth as song.wav, read by the program's own WAV reader: its segments
# are the ones tonvisor-cli --chords finds in it on Linux.
#   piece_test.sh TONVISOR.EXE CONTROL_TEXTS.EXE WRITE_TEST_PIECES TONVISOR_CLI
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"
need_windows_program "$1"
need_windows_program "$2"
program=$1 control_texts=$2 write_test_pieces=$3 cli=$4
workdir=$(mktemp -d /tmp/tonvisor-wine-piece.XXXXXX)
cleanup() {
  wine_stop
  rm -rf "$workdir"
}
trap cleanup EXIT
E2E_SHOT="$E2E_ARTIFACTS/piece-screen.png"
"$write_test_pieces" "$workdir" || fail "the test pieces were not written"
cp "$workdir/01.mid" "$workdir/song.mid"

chord() { wine "$control_texts" 107 | tr -d '\r'; }

# open FILE: the program started on the file, its piece window found.
open_piece() {
  (cd "$workdir" && TONVISOR_AUDIO_DRIVER=none exec wine "$program" "$1") \
    >"$E2E_ARTIFACTS/piece-$1.out" 2>"$E2E_ARTIFACTS/piece-$1.err" &
  find_window "Tonvisor V1.0" >/dev/null || fail "$1: the Tonvisor window did not appear"
  piece=$(find_window "$1") || fail "$1: no piece window titled $1"
  local status
  status=$(wine "$control_texts" 113 | tr -d '\r')
  [ "${status#Piece: }" != "$status" ] || fail "$1: the piece's status reads '$status'"
}

# step_through CHORD...: from the first segment on, each one's chord (empty
# for no chord) in the chord field, one step Right after another.
# The first Left is pressed again until it takes: the window may not be
# listening yet when it first appears.
first_shows() { press_key "$piece" Left && sleep 0.3 && chord_is "$1"; }
chord_is() { test "$(chord)" = "$1"; }
step_through() {
  local want shown="" expected=""
  poll 10 first_shows "$1"
  for want in "$@"; do
    poll 5 chord_is "$want"
    shown+="$(chord);"
    expected+="$want;"
    press_key "$piece" Right
  done
  screenshot
  [ "$shown" = "$expected" ] || fail "$piece_name: stepping through the segments showed '$shown', not '$expected'"
  echo "tonvisor.exe under Wine: $piece_name showed its $# segments: $shown"
}

piece_name=song.mid
open_piece song.mid
step_through "C Major" "A Minor" "F Major" "G Major" "C Major" "A Minor" "F Major" "G Major"
wine_stop

piece_name=song.wav
fluidsynth -ni -q -r 44100 -F "$workdir/song.wav" /usr/share/sounds/sf2/FluidR3_GM.sf2 "$workdir/song.mid" \
  >/dev/null 2>&1 || fail "song.wav was not rendered"
names=()
while IFS= read -r name; do names+=("$name"); done < <("$cli" --chords "$workdir/song.wav" | sed -E 's/^ *[0-9.]+ +[0-9.]+ +[^ ]+ +//; s/^no chord$//')
[ "${#names[@]}" -ge 8 ] || fail "tonvisor-cli found ${#names[@]} segments in song.wav"
open_piece song.wav
step_through "${names[@]}"
