#!/usr/bin/env bash
# The real program as a person uses it, on the virtual screen that xsession.sh
# made (PNG_PROBE and GEOMETRY set): the start-up picture, notes typed and
# "Enter" clicked, spikes named in several groups and at the edges of a slot,
# both arrangements, the window moved, covered and uncovered, and repainted
# after a change of size, Return and Escape, Tab through the controls, "Help"
# with the viewer from HtmlReader.txt, closing; then a reader file that cannot
# be read. Positions come from the geometry tool, not from fixed pixels. Sound
# is switched off (TONVISOR_AUDIO_DRIVER=none), so that a test run never plays
# on a desktop: the Sound box is greyed out, and standard error has the line
# that says so; the sound test (sound_test.sh) hears it.
#   acceptance_test.sh TONVISOR alt-f4|close-box lf|crlf
# The last two choose how the window is closed and the reader file's line end.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=e2e-lib.sh
source "$here/e2e-lib.sh"
# shellcheck source=steps.sh
source "$here/steps.sh"

program=$1 close_way=$2 line_end=$3
export TONVISOR_AUDIO_DRIVER=none
no_sound="No sound: sound is off: TONVISOR_AUDIO_DRIVER is none"
E2E_SHOT="$E2E_ARTIFACTS/screen.png"
rm -f "$E2E_ARTIFACTS"/failed-*.png
exec > >(tee "$E2E_ARTIFACTS/acceptance.log") 2>&1
echo "screen ${SCREEN_WIDTH}x$SCREEN_HEIGHT, artifacts in $E2E_ARTIFACTS"

# The program runs in a directory with a blank in its name, holding the help
# document and a reader file that names a viewer which records its arguments.
scratch=$(mktemp -d /tmp/tonvisor-accept.XXXXXX)
workdir="$scratch/Chord work"
viewer="$workdir/record viewer"
launches="$scratch/launches"
cover_pid=""
cleanup() {
  [ -n "$cover_pid" ] && kill "$cover_pid" 2>/dev/null
  [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# make_viewer PATH NAME: a viewer that records its name and its arguments.
make_viewer() {
  cat >"$1" <<EOF
#!/bin/sh
{ echo "launch $2 \$#"; for argument in "\$@"; do echo "argument \$argument"; done; } >>"$launches"
EOF
  chmod +x "$1"
}

# Names the viewer on the reader file's first line, with the line end chosen.
write_reader_file() {
  local end=$'\n'
  [ "$line_end" = crlf ] && end=$'\r\n'
  printf '%s%ssecond line%s' "$1" "$end" "$end" >"$workdir/HtmlReader.txt"
}

prepare_workdir() {
  mkdir -p "$workdir/document"
  echo "<html><body>help</body></html>" >"$workdir/document/Tonvisor.htm"
  make_viewer "$viewer" first
  make_viewer "$workdir/other viewer" other
  : >"$launches"
  write_reader_file "$viewer"
}

launch_count() { grep -c '^launch' "$launches"; }

# --- scenarios -------------------------------------------------------------

startup_picture() {
  scenario "start-up picture"
  local width height
  read -r _ _ width height < <(geometry layout 0.001 0.028 0.993 0.932)
  verify "client size" "${width}x$height" "$(xwininfo -id "$WINDOW" | sed -n 's/^ *\(Width\|Height\): *//p' | paste -sd x)"
  # Centred in the work area (the whole screen here) with the layer's frame
  # of 4 pixels at the sides and bottom and 20 at the top.
  verify "client origin, centred" \
    "$(((SCREEN_WIDTH - width - 8) / 2 + 4)) $(((SCREEN_HEIGHT - height - 24) / 2 + 20))" "$CLIENT_X $CLIENT_Y"
  # shellcheck disable=SC2046
  pixel_becomes $(plot_at 50 85) "$panel" 10
  keep_screenshot startup
  check_plot_pixel "the form's background" 4 60 "$background"
  check_plot_pixel "the outer frame's left side" 1.2 60 "$frame"
  check_plot_pixel "the panel's inside" 50 85 "$panel"
  check_plot_pixel "the 100% guide line" 50 91.1 "$guide"
  check_plot_pixel "the by-key marker" 13.5 35 "$yellow"
  check_plot_pixel "no by-chord marker" 20 35 "$background"
  verify "group lines by key" 11 "$(group_line_count)"
  check_spikes_at 89 "" "no entry yet"
  local i
  for i in $(seq 0 10); do
    check_plot_pixel "colour table sample $i" 71.5 $((35 - 2 * i)) "${pen_colours[$i]}"
  done
  check_plot_pixel "no twelfth colour sample" 71.5 13 "$background"
  check_text_shows "the title" "$(text_cell 38 99 14 60)" "$text_grey"
  check_text_shows "the entry help line" "$(text_cell 5.5 20 11 30)" "$text_grey"
  # Over the chord field, or after the help line where that reaches further.
  check_text_shows "the chord field's heading" "$(text_cell 43 20 11 60)" "$text_grey"
  check_text_shows "the status text" "$(control_cell MidiStatus)" "$text_grey"
  check_no_text "no prompt before the first entry" "$(text_cell 40 45 10 60)" "$prompt_colour"
  local control
  for control in "${controls_in_order[@]}"; do check_control_at "$control"; done
  check_sound_box greyed
}

# c e g typed (the focus starts in the note field) and "Enter" clicked.
entering_notes() {
  scenario "typing c e g and clicking \"Enter\""
  type_notes "c e g"
  click_control EnterButton
  # Major on C scores 2.0: slot 34 by key, pen 21, up to y 91.
  check_spikes_at 89 "$(spike_run 34 1)" "only Major on C reaches y 89"
  check_slot_pixel "the foot of the Major-on-C spike" 34 52 "${pen_colours[1]}"
  # Dominant 7th on C scores 1.125 (3 of 4): slot 40, pen 27, up to y 73.5.
  check_slot_pixel "Dominant 7th on C below 73.5" 40 72 "${pen_colours[7]}"
  check_slot_pixel "Dominant 7th on C ends at 73.5" 40 75 "$panel"
  check_text_shows "the prompt" "$(text_cell 40 45 10 60)" "$prompt_colour"
  check_text_shows "recognised notes in orange" "$(control_cell RecognisedNotesField)" "$orange"
  check_text_shows "the chord's name in orange" "$(control_cell ChordField)" "$orange"
  recognised_notes_shot echo-c-e-g
  keep_screenshot entered
}

# The recognised-notes field, cut out of the screen, for comparing echoes.
recognised_notes_shot() {
  control_shot RecognisedNotesField "$1"
}

# The name band's text, cut out of the screen, for comparing names.
name_text_shot() {
  local x0 y0 x1 y1
  read -r x0 y0 x1 y1 < <(text_cell 40 33 12 59)
  convert "$E2E_SHOT" -crop "$((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0" +repage "png:$E2E_ARTIFACTS/$1.png"
}

# name_at COLUMN ROW PEN_INDEX WHAT: a click at a client point draws the name
# box with a sample in the colour of the slot's spikes and the name in the band.
name_at() {
  click_client "$WINDOW" "$1" "$2"
  check_plot_pixel_soon "$4: the colour sample" 37 31.5 "${pen_colours[$3]}"
  check_plot_pixel "$4: the name box" 47 30 "$frame"
  check_text_shows "$4: the name" "$(text_cell 40 33 12 59)" "$text_grey"
}

# name_slot SLOT PEN_INDEX: a click on the slot's spike names it.
name_slot() {
  name_at $(($(slot_column "$1") - CLIENT_X)) $(($(row_of 60) - CLIENT_Y)) "$2" "slot $1"
}

# A click names a slot across its whole range of columns, and at the top and
# bottom rows that the program accepts, which it measures from the window's
# outer edges; one pixel further names the neighbour or nothing.
click_edges() {
  local first last top bottom middle
  read -r first last < <(geometry slotclicks 34)
  read -r top bottom < <(geometry clickrows)
  middle=$(($(row_of 60) - CLIENT_Y))
  name_at $((first - 1)) "$middle" 0 "left of slot 34's columns: slot 33, Minor on C"
  name_at "$first" "$middle" 1 "slot 34's first column"
  name_at $((last + 1)) "$middle" 2 "right of slot 34's columns: slot 35, Augmented on C"
  name_at "$last" "$middle" 1 "slot 34's last column"
  # Nothing follows a refused click to wait for: give it a second to show.
  click_client "$WINDOW" $(($(slot_column 0) - CLIENT_X)) $((top - 1))
  sleep 1
  screenshot
  check_plot_pixel "a click above the accepted rows: the sample stays" 37 31.5 "${pen_colours[1]}"
  name_at $(($(slot_column 0) - CLIENT_X)) "$top" 0 "slot 0 at the top accepted row"
  name_at $(($(slot_column 131) - CLIENT_X)) "$bottom" 10 "slot 131 at the bottom accepted row"
}

naming_by_key() {
  scenario "naming spikes by key"
  check_plot_pixel "no name box before a click" 47 30 "$background"
  name_slot 34 1   # C group: Major on C
  name_text_shot name-c-major-by-key
  name_slot 0 0    # A group: Minor on A
  name_text_shot name-a-minor
  verify_more "pixels that differ between the names of slots 34 and 0" 0 \
    "$(same_picture name-c-major-by-key name-a-minor)"
  name_slot 63 8   # D group: Major 7th on D
  name_slot 131 10 # G# group: Dominant 9th on G#
  click_edges
  keep_screenshot named-by-key
}

by_chord() {
  scenario "\"x Chord\""
  click_control ChordButton
  check_plot_pixel_soon "the by-chord marker" 20 35 "$yellow"
  check_plot_pixel "the by-key marker blanked" 13.5 35 "$background"
  verify "group lines by chord" 10 "$(group_line_count)"
  check_plot_pixel "the twelfth colour sample" 71.5 13 "${pen_colours[11]}"
  check_spikes_at 89 "$(spike_run 15 3)" "Major on C by chord: slot 15, root C's pen 23"
  check_plot_pixel "the name stays after a change of arrangement" 37 31.5 "${pen_colours[10]}"
  keep_screenshot by-chord

  scenario "naming spikes by chord"
  name_slot 15 3    # Major group: root C
  name_text_shot name-c-major-by-chord
  verify "slot 15 by chord names what slot 34 named by key" 0 \
    "$(same_picture name-c-major-by-key name-c-major-by-chord)"
  name_slot 31 7    # Augmented group: root E
  name_slot 131 11  # Dom9 group: root G#
  move_window 24 10
  name_slot 15 3
  move_window -24 -10
}

back_to_key() {
  scenario "back to \"x Key\""
  click_control KeyButton
  check_plot_pixel_soon "the by-key marker again" 13.5 35 "$yellow"
  check_plot_pixel "the by-chord marker blanked" 20 35 "$background"
  verify "group lines by key" 11 "$(group_line_count)"
  check_plot_pixel "the twelfth colour sample removed" 71.5 13 "$background"
  check_spikes_at 89 "$(spike_run 34 1)" "Major on C by key again"
}

panel_shot() {
  local x0 y0 x1 y1
  read -r x0 y0 < <(plot_at 8 97)
  read -r x1 y1 < <(plot_at 92 29)
  convert "$E2E_SHOT" -crop "$((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0" +repage "png:$E2E_ARTIFACTS/$1.png"
}

covering() {
  scenario "covering and uncovering the window"
  screenshot
  panel_shot panel-before-cover
  local x y
  read -r x y < <(plot_at 12 95)
  xmessage -geometry "$((SCREEN_WIDTH / 2))x$((SCREEN_HEIGHT / 3))+$x+$y" "covering Tonvisor" 2>/dev/null &
  cover_pid=$!
  # shellcheck disable=SC2046
  covered() { screenshot && [ "$(pixel $(slot_pixel 15 89))" != "${pen_colours[3]}" ]; }
  poll 5 covered
  # shellcheck disable=SC2046
  verify "the Major-on-C spike while covered" "hidden" \
    "$([ "$(pixel $(slot_pixel 15 89))" != "${pen_colours[3]}" ] && echo hidden || echo visible)"
  keep_screenshot covered
  kill "$cover_pid"
  wait "$cover_pid" 2>/dev/null
  cover_pid=""
  check_spikes_at 89 "$(spike_run 15 3)" "uncovered"
  panel_shot panel-after-cover
  verify "panel and name box after uncovering: pixels that differ" 0 \
    "$(same_picture panel-before-cover panel-after-cover)"
}

# A change of size repaints the whole window: the painting removes the name
# box, and the last entry's spikes come back in the arrangement chosen.
resize_repaint() {
  scenario "a repaint after the window was made narrower and wide again"
  repaint_by_resizing
  check_plot_pixel_soon "the name box removed by the painting" 47 30 "$background"
  check_spikes_at 89 "$(spike_run 15 3)" "the spikes after the repaint"
  check_plot_pixel "the by-chord marker after the repaint" 20 35 "$yellow"
  verify "group lines by chord after the repaint" 10 "$(group_line_count)"
  check_plot_pixel "the twelfth colour sample after the repaint" 71.5 13 "${pen_colours[11]}"
  check_text_shows "the prompt after the repaint" "$(text_cell 40 45 10 60)" "$prompt_colour"
  keep_screenshot repainted
}

# Return and Escape in the note field do nothing: the typed notes are still
# there for the "Enter" button, and the window stays.
return_and_escape() {
  scenario "Return and Escape"
  type_notes "a c e"
  press Return
  press Escape
  click_control EnterButton
  # Minor on A scores 2.0 at slot 0 in pen 20; Major on C only 0.8889.
  check_spikes_at 89 "$(spike_run 0 0)" "a c e entered after Return and Escape"
  recognised_notes_shot echo-a-c-e
  verify_more "pixels that differ between the echoes of c e g and a c e" 0 \
    "$(same_picture echo-c-e-g echo-a-c-e)"
  verify "the window after Escape" "$WINDOW" "$(find_window "Tonvisor V1.0")"
}

# The focus moves through the controls in creation order, both ways and
# round the end, passing over the greyed-out Sound box; the buttons pressed
# with the space bar show where it is.
tab_order() {
  scenario "Tab through the controls"
  # "Enter" left the focus in the note field. Only 31 characters are read:
  # the a in 32nd place would make the notes A minor 7th.
  type_notes "c e g$(printf '%26s' '')a"
  press shift+Tab             # EnterButton
  press space
  check_spikes_at 89 "$(spike_run 34 1)" "Shift+Tab reached \"Enter\"; 31 characters read"
  recognised_notes_shot echo-c-e-g-again
  verify "pixels that differ between the echoes of c e g, first and again" 0 \
    "$(same_picture echo-c-e-g echo-c-e-g-again)"
  press Tab; press Tab; press Tab   # RecognisedNotesField, KeyButton, ChordButton
  press space
  check_plot_pixel_soon "three Tabs reached \"x Chord\"" 20 35 "$yellow"
  for _ in 1 2 3 4 5 6; do press shift+Tab; done   # EnterButton, OpenButton, ChordField, HelpButton, ChordButton, KeyButton
  press space
  check_plot_pixel_soon "six Shift+Tabs reached \"x Key\"" 13.5 35 "$yellow"
  local before
  before=$(launch_count)
  for _ in 1 2 3 4; do press Tab; done   # ... HelpButton
  press space
  launched_since() { [ "$(launch_count)" -gt "$1" ]; }
  poll 5 launched_since "$before"
  verify "four Tabs reached \"Help\": viewer launches" $((before + 1)) "$(launch_count)"
  press Tab; press Tab; press Tab   # ChordField, OpenButton, past the greyed-out SoundBox, round the end to EnterButton
  press space
  check_spikes_at 52 "" "Tab from \"Help\" reached \"Enter\", with an empty field"
}

help_viewer() {
  scenario "\"Help\" starts the viewer from HtmlReader.txt ($line_end line end)"
  : >"$launches"
  click_control HelpButton
  poll 5 test -s "$launches"
  # The parameters are the current directory and \document\Tonvisor.htm;
  # the layer passes them as one argument, backslashes made slashes.
  verify "the viewer's arguments" \
    "launch first 1;argument $(cd "$workdir" && pwd -P)/document/Tonvisor.htm;" "$(tr '\n' ';' <"$launches")"
  verify "the document it names" "a file" \
    "$([ -f "$(sed -n 's/^argument //p' "$launches")" ] && echo "a file" || echo missing)"

  # The reader file is read again at every painting, which a named spike's
  # box going away shows.
  write_reader_file "$workdir/other viewer"
  name_slot 34 1
  repaint_by_resizing
  check_plot_pixel_soon "the name box removed by the painting" 47 30 "$background"
  : >"$launches"
  click_control HelpButton
  poll 5 test -s "$launches"
  verify "the viewer after a new reader file and a repaint" "launch other 1" "$(head -n1 "$launches")"
}

closing() {
  scenario "closing the window ($close_way)"
  if [ "$close_way" = close-box ]; then
    client_origin "$WINDOW"
    click_close_box
  else
    close_window "$WINDOW"
  fi
  verify_exit_status 0
  verify "standard error" "$no_sound" "$(cat "$E2E_ARTIFACTS/tonvisor.err")"
}

unreadable_reader_file() {
  scenario "a reader file that cannot be read"
  local broken="$scratch/broken"
  mkdir -p "$broken/HtmlReader.txt"
  (cd "$broken" && exec "$program") >/dev/null 2>"$E2E_ARTIFACTS/broken.err" &
  PROGRAM_PID=$!
  verify_exit_status 1
  verify "standard error" "Can't open file HtmlReader.txt" "$(cat "$E2E_ARTIFACTS/broken.err")"
}

# --- the run ---------------------------------------------------------------

started=$(date +%s)
prepare_workdir
start_program "$program" "$workdir"
startup_picture
entering_notes
naming_by_key
by_chord
covering
resize_repaint
back_to_key
return_and_escape
tab_order
help_viewer
closing
unreadable_reader_file
echo
echo "acceptance on ${SCREEN_WIDTH}x$SCREEN_HEIGHT: $step_number checks passed in $(($(date +%s) - started)) s"
