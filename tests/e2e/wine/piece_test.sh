#!/usr/bin/env bash
# The Windows program opens a piece under Wine as the Linux one does:
# `tonvisor.exe song.mid` (an I-vi-IV-V in block chords) shows the piece
# window titled song.mid and names the piece in the status, and stepping with
# Left and Right through its segments puts each one's chord in the chord
# field: the same segments as on Linux.
#   piece_test.sh TONVISOR.EXE CONTROL_TEXTS.EXE WRITE_TEST_PIECES
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"
need_windows_program "$1"
need_windows_program "$2"
program=$1 control_texts=$2 write_test_pieces=$3
workdir=$(mktemp -d /tmp/tonvisor-wine-piece.XXXXXX)
cleanup() {
  wine_stop
  rm -rf "$workdir"
}
trap cleanup EXIT
E2E_SHOT="$E2E_ARTIFACTS/piece-screen.png"
"$write_test_pieces" "$workdir" || fail "the test pieces were not written"
cp "$workdir/01.mid" "$workdir/song.mid"

(cd "$workdir" && TONVISOR_AUDIO_DRIVER=none exec wine "$program" song.mid) \
  >"$E2E_ARTIFACTS/piece.out" 2>"$E2E_ARTIFACTS/piece.err" &
find_window "Tonvisor V1.0" >/dev/null || fail "the Tonvisor window did not appear"
piece=$(find_window "song.mid") || fail "no piece window titled song.mid"
chord() { wine "$control_texts" 107 | tr -d '\r'; }
status=$(wine "$control_texts" 113 | tr -d '\r')
[ "${status#Piece: }" != "$status" ] || fail "the piece's status reads '$status'"

shown=""
press_key "$piece" Left
for step in 1 2 3 4 5 6 7 8; do
  poll 5 test -n "$(chord)" || fail "segment $step: the chord field stays empty"
  shown+="$(chord);"
  [ "$step" -lt 8 ] && press_key "$piece" Right && sleep 0.3
done
screenshot
want="C Major;A Minor;F Major;G Major;C Major;A Minor;F Major;G Major;"
[ "$shown" = "$want" ] || fail "stepping through the segments showed '$shown', not '$want'"
echo "tonvisor.exe under Wine: the piece window showed its 8 segments: $shown"
