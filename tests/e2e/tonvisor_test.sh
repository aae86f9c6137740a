#!/usr/bin/env bash
# The real program end to end on a 1024 x 768 screen (under xsession.sh, with
# PNG_PROBE set): it starts and shows the panel; Tab and Shift+Tab move the
# focus in creation order (proved by pressing the arrangement buttons with the
# space bar); c e g typed and "Enter" clicked put the tallest spike at slot 34
# in pen 21's colour; a click on it draws the name box; "x Chord" moves it to
# slot 15, and a click still finds it after the window moved; Alt+F4 ends the
# program with status 0.
#   tonvisor_test.sh TONVISOR
# Client-area pixels below follow from the plot mapping on 1024 x 768:
# column = trunc(x * 10.24 + 0.5), row = trunc(767.5 - y * 7.68).
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"

cd "$E2E_ARTIFACTS"  # no reader file here: the program runs with its defaults
started=$(date +%s%N)
"$1" >"$E2E_ARTIFACTS/tonvisor.out" 2>"$E2E_ARTIFACTS/tonvisor.err" &
program=$!
trap 'kill $program 2>/dev/null' EXIT

window=$(find_window "Tonvisor V1.0") || fail "the Tonvisor window did not appear"
client_origin "$window"
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }

panel="65 170 130"
background="50 140 140"
yellow="255 255 0"
pen21="140 90 70"
pen23="255 186 117"
frame="180 180 180"

# Panel inside at (50, 85); background at (3, 41).
pixel_becomes $(at 512 114) "$panel" 10 || fail "the panel is not on the screen"
echo "first frame after $(( ($(date +%s%N) - started) / 1000000 )) ms (screenshot polling included)"
expect_pixel $(at 31 450) "$background" "the form's background"
# The by-key marker at (13.5, 35); the by-chord place at (20, 35) is blank.
expect_pixel $(at 138 498) "$yellow" "the by-key marker"
expect_pixel $(at 205 498) "$background" "no by-chord marker"

# The focus starts in the note field: Tab three times reaches "x Chord".
press_key "$window" Tab
press_key "$window" Tab
press_key "$window" Tab
press_key "$window" space
pixel_becomes $(at 205 498) "$yellow" || fail "Tab did not reach \"x Chord\""
expect_pixel $(at 138 498) "$background" "the by-key marker blanked"
# The focus is back in the note field: Shift+Tab four times wraps round to "x Key".
for _ in 1 2 3 4; do press_key "$window" shift+Tab; done
press_key "$window" space
pixel_becomes $(at 138 498) "$yellow" || fail "Shift+Tab did not reach \"x Key\""

# c e g and a real click on "Enter" (50, 660, 50 x 36).
type_into "$window" "c e g"
click_client "$window" 75 678
# Major on C, slot 34 at x 30.6519: column 314, from row 375 (y 51) up to row 68 (y 91).
# Row 83 (y 89) lies above every other spike of c e g; only the group lines
# (pen 4) cross it.
spikes_at_row83() {
  "$PNG_PROBE" "$E2E_SHOT" row $((CLIENT_Y + 83)) $((CLIENT_X + 104)) $((CLIENT_X + 912)) |
    grep -v -e " $panel\$" -e " 0 120 120\$"
}
pixel_becomes $(at 314 83) "$pen21" || fail "no spike in pen 21 at slot 34"
expect_pixel $(at 314 370) "$pen21" "the foot of the slot 34 spike"
[ "$(spikes_at_row83 | wc -l)" -eq 1 ] || fail "not one spike reaches y 89: $(spikes_at_row83)"

# A click on the spike names it: the name box frame (row 537 at y 30) and the
# colour sample in pen 21 (row 525 at y 31.5, x 35 to 39).
expect_pixel $(at 481 537) "$background" "no name box before the click"
click_client "$window" 314 200
pixel_becomes $(at 481 537) "$frame" || fail "the name box was not drawn"
expect_pixel $(at 380 525) "$pen21" "the colour sample"

# "x Chord" (176, 506, 70 x 30): Major on C moves to slot 15 at x 19.2229,
# column 197, in the colour of root C, pen 23.
click_client "$window" 211 521
pixel_becomes $(at 197 83) "$pen23" || fail "the spike did not move to slot 15"
[ "$(spikes_at_row83 | wc -l)" -eq 1 ] || fail "not one spike reaches y 89: $(spikes_at_row83)"

# Moved by the window manager, the window still names the spike under the
# pointer: Major on C by chord, whose sample is drawn in pen 23.
xdotool windowmove "$window" $((CLIENT_X + 36)) "$CLIENT_Y"
moved() { local before=$CLIENT_X; client_origin "$window"; [ "$CLIENT_X" -ne "$before" ] || { CLIENT_X=$before; false; }; }
poll 5 moved || fail "the window did not move"
click_client "$window" 197 200
pixel_becomes $(at 380 525) "$pen23" || fail "after a move, the click did not name slot 15"

close_window "$window"
expect_exit "$program" 0 10
trap - EXIT
echo "tonvisor: all checks passed"
