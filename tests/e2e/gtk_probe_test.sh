#!/usr/bin/env bash
# The GTK backend end to end, on a 1024 x 768 screen: the probe window's line
# and text reach the screen, the edit shows the colours its parent answered,
# typing reaches the edit's text, a real click and Tab then Space on the button
# arrive as WM_COMMAND, Return and Escape as commands 1 and 2, drawing outside
# paint handling shows, a resized window shows its image at the new size, and
# Alt+F4 ends the program with status 0.
#   gtk_probe_test.sh PROBE   (under xsession.sh, with PNG_PROBE set)
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"

output="$E2E_ARTIFACTS/probe.out"
"$1" >"$output" 2>"$E2E_ARTIFACTS/probe.err" &
probe=$!
trap 'kill $probe 2>/dev/null' EXIT

window=$(find_window "Tonvisor probe") || fail "the probe window did not appear"
client_origin "$window"
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }

# Plot y 90 is row 76 on a 768-pixel screen; x 10 to 50 are columns 102 to 512.
pixel_becomes $(at 300 76) "140 90 70" 10 || fail "the painted line is not on the screen"
expect_pixel $(at 300 75) "140 90 70" "the 3-pixel line, row above"
background=$(pixel $(at 300 90))
expect_pixel $(at 300 79) "$background" "nothing below the line"
# The text cell: top-left at (102, 229), blue behind yellow letters.
expect_pixel $(at 103 230) "0 0 255" "the text's opaque cell"
"$PNG_PROBE" "$E2E_SHOT" row $((CLIENT_Y + 240)) $((CLIENT_X + 102)) $((CLIENT_X + 200)) | grep -q ' 255 255 0$' ||
  fail "no yellow letters in the text cell"
expect_pixel $(at 380 310) "255 255 200" "the edit's background from WM_CTLCOLOREDIT"

click_client "$window" 380 310
xdotool type --delay 20 "c e g"
click_client "$window" 75 318
poll 5 grep -q "command 101:" "$output" || fail "the click did not arrive as WM_COMMAND"
grep -q "^command 101: *c e g$" "$output" || fail "typed text not in the edit: $(cat "$output")"
pixel_becomes $(at 300 153) "0 255 0" || fail "drawing outside paint handling did not show"

# Focus is on the button after the click: Tab goes to the edit, Tab again
# wraps back to the button, and Space presses it.
press_key "$window" Tab
press_key "$window" Tab
press_key "$window" space
poll 5 test "$(grep -c "command 101:" "$output")" -eq 2 || fail "Tab did not bring the focus back to the button"
# In the edit, Return and Escape reach the window as commands 1 and 2 (the
# dialog navigation's), not as GTK's own activation.
press_key "$window" Tab
press_key "$window" Return
press_key "$window" Escape
poll 5 grep -q "^command 2$" "$output" || fail "Escape did not arrive as command 2: $(cat "$output")"
[ "$(grep -v "^command 101:" "$output")" = $'command 1\ncommand 2' ] ||
  fail "Return and Escape did not arrive as commands 1 and 2: $(cat "$output")"

# Made larger by the window manager, the window shows its backing image, with
# the class background, over the whole new client area.
xdotool windowsize "$window" 800 500
pixel_becomes $(at 750 450) "$background" || fail "the grown client area is not the window's own"
expect_pixel $(at 300 76) "140 90 70" "the line after the resize"

close_window "$window"
expect_exit "$probe" 0 10
trap - EXIT
echo "gtk probe: all checks passed"
