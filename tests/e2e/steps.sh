# The acceptance suite's steps: what a person does to the real program, and
# the checks on what the screen then shows. Source after e2e-lib.sh, with
# GEOMETRY naming the geometry tool, on the X display of the run.
# Every check prints what it expected and what it found; the first failing
# check keeps its screenshot beside the log and ends the run.

# The screen's size in pixels.
read -r SCREEN_WIDTH SCREEN_HEIGHT < <(xwininfo -root | sed -n 's/^ *\(Width\|Height\): *//p' | tr '\n' ' ')

# Pixel colours "R G B".
background="50 140 140"
panel="65 170 130"
guide="0 120 120"
yellow="255 255 0"
frame="180 180 180"
text_grey="210 210 210"
prompt_colour="190 190 100"
orange="255 100 0"
# The colour pens 20 + i: colour index i.
pen_colours=("0 0 0" "140 90 70" "234 21 85" "255 186 117" "255 255 0" "0 255 0"
  "90 255 255" "70 70 255" "180 0 255" "255 128 255" "255 255 255" "200 200 200")

# The controls in creation order, laid out in fractions of half the screen:
# x, y, width, height.
declare -A control_fractions=(
  [EnterButton]="0.05 0.86 0.05 0.048"
  [NoteEntryField]="0.05 0.825 0.24 0.028"
  [RecognisedNotesField]="0.3 0.825 0.12 0.028"
  [KeyButton]="0.1 0.66 0.07 0.04"
  [ChordButton]="0.172 0.66 0.07 0.04"
  [HelpButton]="0.245 0.66 0.07 0.04"
  [ChordField]="0.43 0.825 0.20 0.028"
  [SoundBox]="0.11 0.870 0.085 0.028"
  [MidiStatus]="0.205 0.870 0.225 0.028"
  [ListenBox]="0.44 0.870 0.075 0.028"
  [AudioStatus]="0.525 0.870 0.17 0.028"
)
# The status text has no edges of its own: it is not among them.
controls_in_order=(EnterButton NoteEntryField RecognisedNotesField KeyButton ChordButton HelpButton ChordField SoundBox)

step_number=0

# --- reporting -------------------------------------------------------------

scenario() {
  echo
  echo "== $*"
}

passed() {
  echo "  ok    $1: expected $2, found $3"
}

# Keeps the last screenshot as failed-N.png beside the log and stops the run.
failed() {
  echo "  FAIL  $1: expected $2, found $3" >&2
  if [ -f "$E2E_SHOT" ]; then
    cp "$E2E_SHOT" "$E2E_ARTIFACTS/failed-$step_number.png"
    echo "  screenshot: $E2E_ARTIFACTS/failed-$step_number.png" >&2
  fi
  exit 1
}

# verify WHAT EXPECTED FOUND: equal texts pass.
verify() {
  step_number=$((step_number + 1))
  if [ "$2" = "$3" ]; then passed "$@"; else failed "$@"; fi
}

# verify_more WHAT LIMIT FOUND: a number above the limit passes.
verify_more() {
  step_number=$((step_number + 1))
  if [ "$3" -gt "$2" ]; then passed "$1" "more than $2" "$3"; else failed "$1" "more than $2" "$3"; fi
}

# Saves the screen under a name in the artifacts, for people to look at.
keep_screenshot() {
  cp "$E2E_SHOT" "$E2E_ARTIFACTS/$1.png"
}

# --- where things are ------------------------------------------------------

geometry() {
  "$GEOMETRY" "$SCREEN_WIDTH" "$SCREEN_HEIGHT" "$@"
}

# Screen position "X Y" of a plot point (x, y) of the client area.
plot_at() {
  local column row
  read -r column row < <(geometry point "$1" "$2")
  echo $((CLIENT_X + column)) $((CLIENT_Y + row))
}

# Screen row of a plot y; screen column of a plot x or of a spike slot.
row_of() { plot_at 0 "$1" | cut -d' ' -f2; }
column_of() { plot_at "$1" 0 | cut -d' ' -f1; }
slot_column() { echo $((CLIENT_X + $(geometry slot "$1"))); }
# Screen position of the spike of slot S at plot height y.
slot_pixel() { echo "$(slot_column "$1")" "$(row_of "$2")"; }

# A control's client rectangle "X Y WIDTH HEIGHT" in pixels.
control_rect() {
  # shellcheck disable=SC2086
  geometry layout ${control_fractions[$1]}
}

control_centre() {
  local x y width height
  read -r x y width height < <(control_rect "$1")
  echo $((x + width / 2)) $((y + height / 2))
}

# Screen rectangle "X0 Y0 X1 Y1" of a text cell written at plot (x, y) in a
# font of SIZE, reaching right to plot x RIGHT.
text_cell() {
  local x=$1 y=$2 size=$3 right=$4 left top
  read -r left top < <(plot_at "$x" "$y")
  echo "$left" "$top" "$(column_of "$right")" $((top + $(geometry font "$size") - 1))
}

# A control's rectangle "X0 Y0 X1 Y1" on the screen, its edges included.
control_cell() {
  local x y width height
  read -r x y width height < <(control_rect "$1")
  echo $((CLIENT_X + x)) $((CLIENT_Y + y)) $((CLIENT_X + x + width - 1)) $((CLIENT_Y + y + height - 1))
}

# Cuts a control out of the last screenshot into the artifacts, as NAME.png.
control_shot() {
  local x y width height
  read -r x y width height < <(control_rect "$1")
  convert "$E2E_SHOT" -crop "${width}x$height+$((CLIENT_X + x))+$((CLIENT_Y + y))" +repage \
    "png:$E2E_ARTIFACTS/$2.png"
}

# The number of pixels that differ between two pictures in the artifacts.
same_picture() {
  compare -metric AE "$E2E_ARTIFACTS/$1.png" "$E2E_ARTIFACTS/$2.png" null: 2>&1
}

# --- reading the screen ----------------------------------------------------

colour_count() {
  # shellcheck disable=SC2086
  "$PNG_PROBE" "$E2E_SHOT" count $1 $2
}

# The runs of colour along screen row Y from X0 to X1 that are not the panel,
# its fill gaps or a guide or group line: "FIRST LAST R G B" per run.
spike_runs() {
  "$PNG_PROBE" "$E2E_SHOT" row "$1" "$2" "$3" |
    grep -v -e " $panel\$" -e " $guide\$" -e " $background\$"
}

# The spikes that cross plot height y, across the whole panel.
spikes_at() {
  spike_runs "$(row_of "$1")" $(($(slot_column 0) - 2)) $(($(slot_column 131) + 2)) | tr '\n' ';'
}

# A spike of slot S in pen 20 + I, three pixels wide, as a spike run.
spike_run() {
  local column
  column=$(slot_column "$1")
  echo "$((column - 1)) $((column + 1)) ${pen_colours[$2]};"
}

# The group lines along plot height 94.5, above the captions.
group_line_count() {
  "$PNG_PROBE" "$E2E_SHOT" row "$(row_of 94.5)" "$(slot_column 0)" "$(slot_column 131)" |
    grep -c " $guide\$"
}

# --- checks on the screen --------------------------------------------------

check_pixel() {
  local what=$1 x=$2 y=$3 want=$4
  verify "$what at ($x, $y)" "$want" "$("$PNG_PROBE" "$E2E_SHOT" pixel "$x" "$y")"
}

# Takes screenshots until the pixel shows the colour (up to 5 s), then checks it.
check_pixel_soon() {
  local what=$1 x=$2 y=$3 want=$4
  pixel_becomes "$x" "$y" "$want" 5
  check_pixel "$what" "$x" "$y" "$want"
}

check_plot_pixel() {
  # shellcheck disable=SC2046
  check_pixel "$1" $(plot_at "$2" "$3") "$4"
}

check_slot_pixel() {
  # shellcheck disable=SC2046
  check_pixel "$1" $(slot_pixel "$2" "$3") "$4"
}

check_plot_pixel_soon() {
  # shellcheck disable=SC2046
  check_pixel_soon "$1" $(plot_at "$2" "$3") "$4"
}

# Text of a colour shows inside a cell: some of its pixels, not all of them.
check_text_shows() {
  verify_more "$1: pixels of $3 in $2" 0 "$(colour_count "$2" "$3")"
}

check_no_text() {
  verify "$1: pixels of $3 in $2" 0 "$(colour_count "$2" "$3")"
}

# "R G B" is within 8 of the form's background in each component: GTK's theme
# gives buttons a faint shadow just outside their rectangle.
near_background() {
  local r g b
  read -r r g b <<<"$1"
  [ $((r - 50)) -ge -8 ] && [ $((r - 50)) -le 8 ] && [ $((g - 140)) -ge -8 ] &&
    [ $((g - 140)) -le 8 ] && [ $((b - 140)) -ge -8 ] && [ $((b - 140)) -le 8 ]
}

# A control fills its client rectangle: the pixels just outside each side are
# (nearly) the form's background, those on its edges are not.
check_control_at() {
  local name=$1 x y width height point found=""
  read -r x y width height < <(control_rect "$name")
  local left=$((CLIENT_X + x)) top=$((CLIENT_Y + y))
  local right=$((left + width - 1)) bottom=$((top + height - 1))
  local midX=$(((left + right) / 2)) midY=$(((top + bottom) / 2))
  local outside=("$((left - 1)) $midY" "$((right + 1)) $midY" "$midX $((top - 1))" "$midX $((bottom + 1))")
  local edges=("$left $midY" "$right $midY" "$midX $top" "$midX $bottom")
  for point in "${outside[@]}"; do
    # shellcheck disable=SC2086
    near_background "$(pixel $point)" || found+="($point) is not background; "
  done
  for point in "${edges[@]}"; do
    # shellcheck disable=SC2086
    ! near_background "$(pixel $point)" || found+="($point) is background; "
  done
  verify "$name fills ($x, $y) ${width}x$height" "its edges drawn, background around" \
    "${found:-its edges drawn, background around}"
}

# The spikes that cross plot height y are exactly the given runs; waits for
# them (up to 5 s) after an action.
check_spikes_at() {
  local y=$1 want=$2 what=$3
  current() { screenshot && [ "$(spikes_at "$y")" = "$want" ]; }
  poll 5 current
  local found
  found=$(spikes_at "$y")
  verify "$what: spikes crossing y $y" "${want:-none}" "${found:-none}"
}

# The Sound box's text, right of its tick box, is drawn in grey when the box
# is greyed out: "greyed" when its darkest pixel has no component below 100,
# else "usable".
sound_box_state() {
  local x y width height r g b
  read -r x y width height < <(control_rect SoundBox)
  read -r r g b < <("$PNG_PROBE" "$E2E_SHOT" darkest $((CLIENT_X + x + width / 3)) $((CLIENT_Y + y + 2)) \
    $((CLIENT_X + x + width - 3)) $((CLIENT_Y + y + height - 3)))
  if [ "$r" -ge 100 ] && [ "$g" -ge 100 ] && [ "$b" -ge 100 ]; then echo greyed; else echo usable; fi
}

# Waits (up to 5 s) for the Sound box to look greyed out or usable, then checks it.
check_sound_box() {
  looks() { screenshot && [ "$(sound_box_state)" = "$1" ]; }
  poll 5 looks "$1"
  verify "the Sound box" "$1" "$(sound_box_state)"
}

# --- what a person does ----------------------------------------------------

# start_program PROGRAM DIRECTORY: starts the program there, waits for its
# window and its first picture. Sets PROGRAM_PID, WINDOW and the client origin.
start_program() {
  (cd "$2" && exec "$1") >"$E2E_ARTIFACTS/tonvisor.out" 2>"$E2E_ARTIFACTS/tonvisor.err" &
  PROGRAM_PID=$!
  WINDOW=$(find_window "Tonvisor V1.0") || failed "the main window" "a window \"Tonvisor V1.0\"" "none"
  client_origin "$WINDOW"
}

type_notes() {
  type_into "$WINDOW" "$1"
}

press() {
  press_key "$WINDOW" "$1"
}

click_control() {
  # shellcheck disable=SC2046
  click_client "$WINDOW" $(control_centre "$1")
}

# Moves the window by (dx, dy) as the window manager does, and waits until
# the program's window is there.
move_window() {
  local x=$((CLIENT_X + $1)) y=$((CLIENT_Y + $2))
  xdotool windowmove "$WINDOW" "$x" "$y"
  arrived() { client_origin "$WINDOW"; [ "$CLIENT_X $CLIENT_Y" = "$x $y" ]; }
  poll 5 arrived
  verify "client origin after the move" "$x $y" "$CLIENT_X $CLIENT_Y"
}

# Resizes the window's client area as the window manager does, and waits
# until the program's window has that size.
resize_window() {
  xdotool windowsize "$WINDOW" "$1" "$2"
  resized() { client_origin "$WINDOW"; [ "$CLIENT_WIDTH" = "$1" ]; }
  poll 5 resized "$1"
  verify "client width after resizing" "$1" "$CLIENT_WIDTH"
}

# Makes the window 100 pixels narrower and then its own width again, which
# repaints it whole.
repaint_by_resizing() {
  local width height
  read -r _ _ width height < <(geometry layout 0.001 0.028 0.993 0.932)
  resize_window $((width - 100)) "$height"
  resize_window "$width" "$height"
}

# enter_typed NOTES SLOT PEN NAME: types the notes, enters them, waits for the
# spike and keeps the two result fields as NAME-notes.png and NAME-name.png.
enter_typed() {
  type_notes "$1"
  click_control EnterButton
  check_spikes_at 89 "$(spike_run "$2" "$3")" "$1 typed"
  sleep 0.3  # the fields take their text with the spikes; let GTK draw them
  screenshot
  control_shot RecognisedNotesField "$4-notes"
  control_shot ChordField "$4-name"
}

# The number of pixels that differ between two pictures of a field, its ends
# left out: GTK smooths their rounded corners against whatever it last drew
# beside them (another window over the field shifts them by a level or two).
same_field() {
  local name
  for name in "$1" "$2"; do
    convert "$E2E_ARTIFACTS/$name.png" -shave 5x0 +repage "png:$E2E_ARTIFACTS/$name-inside.png"
  done
  same_picture "$1-inside" "$2-inside"
}

# fields_become NAME [SECONDS]: waits (up to 10 s) until both result fields
# look as they did for the reference NAME, then checks them.
fields_become() {
  matches() {
    screenshot && control_shot RecognisedNotesField now-notes && control_shot ChordField now-name &&
      [ "$(same_field now-notes "$1-notes")" = 0 ] && [ "$(same_field now-name "$1-name")" = 0 ]
  }
  poll "${2:-10}" matches "$1"
  verify "recognised notes as for $1: pixels that differ" 0 "$(same_field now-notes "$1-notes")"
  verify "the chord's name as for $1: pixels that differ" 0 "$(same_field now-name "$1-name")"
}

# Waits for the program to end (up to 10 s) and checks its exit status.
verify_exit_status() {
  local want=$1 status=0
  program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
  if poll 10 program_ended; then
    wait "$PROGRAM_PID" || status=$?
  else
    kill "$PROGRAM_PID" 2>/dev/null
    status="still running"
  fi
  PROGRAM_PID=""
  verify "exit status" "$want" "$status"
}
