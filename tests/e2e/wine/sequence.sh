# The run that both programs go through, with its checks, on a 1024 x 768
# screen: start, no sound (the Sound box greyed out, one line on standard
# error), c e g, "Enter" (spikes, the chord's name, the status), a click on
# the Major-on-C spike, "x Chord", Alt+F4. Source after e2e-lib.sh. Wine has
# no MIDI device; the Linux program runs with sound switched off, which also
# keeps a test run quiet on a desktop.
# Client-area pixels follow from the plot mapping on 1024 x 768:
# column = trunc(x * 10.24 + 0.5), row = trunc(767.5 - y * 7.68).

panel="65 170 130"
background="50 140 140"
pen21="140 90 70"
pen23="255 186 117"
frame="180 180 180"

# Every spike colour along client row 83 (y 89), less the panel and the
# group lines: above every other spike of c e g, only Major on C reaches it.
spikes_at_row83() {
  "$PNG_PROBE" "$E2E_SHOT" row $((CLIENT_Y + 83)) $((CLIENT_X + 104)) $((CLIENT_X + 912)) |
    grep -v -e " $panel\$" -e " 0 120 120\$"
}

# text_appears X0 Y0 X1 Y1 "R G B": takes screenshots until that client
# rectangle shows pixels of the colour (up to 5 s).
text_appears() {
  local x0=$1 y0=$2 x1=$3 y1=$4 colour=$5
  # shellcheck disable=SC2046,SC2086
  shows() { screenshot && [ "$("$PNG_PROBE" "$E2E_SHOT" count $(at "$x0" "$y0") $(at "$x1" "$y1") $colour)" -gt 0 ]; }
  poll 5 shows
}

# The Sound box (112, 668, 86 x 20) shows its text in grey when greyed out:
# no pixel right of the tick box darker than 100 in every component.
sound_box_greyed() {
  local r g b
  read -r r g b < <("$PNG_PROBE" "$E2E_SHOT" darkest $((CLIENT_X + 135)) $((CLIENT_Y + 670)) \
    $((CLIENT_X + 179)) $((CLIENT_Y + 685)))
  [ "$r" -ge 100 ] && [ "$g" -ge 100 ] && [ "$b" -ge 100 ]
}

# Saves the client area of the last screenshot: client_shot WINDOW FILE.
client_shot() {
  local info width height
  info=$(xwininfo -id "$1")
  width=$(sed -n 's/^ *Width: *//p' <<<"$info")
  height=$(sed -n 's/^ *Height: *//p' <<<"$info")
  convert "$E2E_SHOT" -crop "${width}x${height}+${CLIENT_X}+${CLIENT_Y}" +repage "png:$2" ||
    fail "could not cut the client area out of $E2E_SHOT"
}

# run_sequence NAME COMMAND [ARGS...]: runs the program in the artifacts
# folder (no reader file there) and leaves NAME-client.png, the client area
# after "x Chord", beside the screenshots.
run_sequence() {
  local name=$1 window program
  shift
  E2E_SHOT="$E2E_ARTIFACTS/$name-screen.png"
  (cd "$E2E_ARTIFACTS" && TONVISOR_AUDIO_DRIVER=none exec "$@") >"$E2E_ARTIFACTS/$name.out" 2>"$E2E_ARTIFACTS/$name.err" &
  program=$!
  window=$(find_window "Tonvisor V1.0") || fail "$name: the Tonvisor window did not appear"
  client_origin "$window"
  at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }
  pixel_becomes $(at 512 114) "$panel" 10 || fail "$name: the panel is not on the screen"
  poll 10 grep -q "^No sound: " "$E2E_ARTIFACTS/$name.err" || fail "$name: no line saying why there is no sound"
  screenshot
  sound_box_greyed || fail "$name: the Sound box is not greyed out"

  # c e g and a real click on "Enter" (50, 660, 50 x 36): Major on C, slot 34
  # at x 30.6519, column 314, from row 375 (y 51) up to row 68 (y 91).
  type_into "$window" "c e g"
  click_client "$window" 75 678
  pixel_becomes $(at 314 83) "$pen21" || fail "$name: no spike in pen 21 at slot 34"
  expect_pixel $(at 314 370) "$pen21" "$name: the foot of the slot 34 spike"
  [ "$(spikes_at_row83 | wc -l)" -eq 1 ] || fail "$name: not one spike reaches y 89: $(spikes_at_row83)"
  # The chord's name in orange in the chord field (440, 632, 204 x 20), the
  # status in the headings' grey (208, 668, 230 x 20); a script that knows
  # how to read their texts does so (after_enter NAME).
  text_appears 440 632 643 651 "255 100 0" || fail "$name: no name in the chord field"
  text_appears 208 668 437 687 "210 210 210" || fail "$name: no status text"
  if declare -F after_enter >/dev/null; then after_enter "$name"; fi

  # A click on the spike names it: the name box frame (row 537 at y 30) and
  # the colour sample in pen 21 (row 525 at y 31.5).
  expect_pixel $(at 481 537) "$background" "$name: no name box before the click"
  click_client "$window" 314 200
  pixel_becomes $(at 481 537) "$frame" || fail "$name: the name box was not drawn"
  expect_pixel $(at 380 525) "$pen21" "$name: the colour sample"

  # "x Chord" (176, 506, 70 x 30) moves Major on C to slot 15, column 197,
  # in the colour of root C, pen 23.
  click_client "$window" 211 521
  pixel_becomes $(at 197 83) "$pen23" || fail "$name: the spike did not move to slot 15"
  [ "$(spikes_at_row83 | wc -l)" -eq 1 ] || fail "$name: not one spike reaches y 89: $(spikes_at_row83)"
  client_shot "$window" "$E2E_ARTIFACTS/$name-client.png"

  close_window "$window"
  expect_exit "$program" 0 10
}
