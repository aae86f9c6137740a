#!/usr/bin/env bash
# The real program on an 800 x 600 screen (under xsession.sh, with PNG_PROBE
# set): the two edit fields keep their 16-pixel rectangles, lower than GTK's
# own minimum for an entry, the panel stands where the plot mapping puts it,
# and a click on the close box ends the program with status 0.
#   small_screen_test.sh TONVISOR
# W = 400, H = 300, products truncated at extended precision (0.24 x 400 comes
# out just below 96): NoteEntryField at (40, 494), 190 x 16; RecognisedNotesField
# at (238, 494), 94 x 16. Plot (50, 85) is column trunc(50 * 8 + 0.5) = 400,
# row trunc(599.5 - 85 * 6) = 89.
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"

cd "$E2E_ARTIFACTS"
"$1" >"$E2E_ARTIFACTS/tonvisor.out" 2>"$E2E_ARTIFACTS/tonvisor.err" &
program=$!
trap 'kill $program 2>/dev/null' EXIT

window=$(find_window "Tonvisor V1.0") || fail "the Tonvisor window did not appear"
client_origin "$window"
background="50 140 140"

pixel_becomes $((CLIENT_X + 400)) $((CLIENT_Y + 89)) "65 170 130" 10 || fail "the panel is not on the screen"
expect_control_rect 40 494 190 16 "$background" "NoteEntryField"
expect_control_rect 238 494 94 16 "$background" "RecognisedNotesField"

click_close_box
expect_exit "$program" 0 10
trap - EXIT
echo "small screen: all checks passed"
