# Helpers for end-to-end scripts that drive a real window under xsession.sh.
# Source it; it expects DISPLAY set and PNG_PROBE naming the png_probe tool.
# Failures print a message, keep the last screenshot in E2E_ARTIFACTS and exit 1.

E2E_ARTIFACTS=${E2E_ARTIFACTS:-$(mktemp -d /tmp/tonvisor-e2e-shots.XXXXXX)}
mkdir -p "$E2E_ARTIFACTS"
E2E_SHOT="$E2E_ARTIFACTS/screen.png"
# A time-out stops the script with TERM: leave through the EXIT traps.
trap 'exit 143' TERM INT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$E2E_SHOT" ] && echo "screenshot kept: $E2E_SHOT" >&2
  exit 1
}

# Polls a condition every 50 ms for up to $1 seconds.
poll() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  for _ in $(seq "$tries"); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

# The id of the visible window with exactly this title, waiting up to 10 s.
find_window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# Screen position and size of a window's client area: sets CLIENT_X, CLIENT_Y,
# CLIENT_WIDTH, CLIENT_HEIGHT (xwininfo, since
# xdotool's geometry adds the frame once too often under a reparenting manager).
client_origin() {
  local info
  info=$(xwininfo -id "$1")
  CLIENT_X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  CLIENT_Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  CLIENT_WIDTH=$(sed -n 's/.*Width: *//p' <<<"$info")
  CLIENT_HEIGHT=$(sed -n 's/.*Height: *//p' <<<"$info")
}

screenshot() {
  import -window root "png:$E2E_SHOT" 2>/dev/null || fail "no screenshot"
}

# "R G B" of a screen pixel in the last screenshot.
pixel() {
  "$PNG_PROBE" "$E2E_SHOT" pixel "$1" "$2"
}

# Takes screenshots until the screen pixel (x, y) has colour "R G B" (up to $4 s).
pixel_becomes() {
  local x=$1 y=$2 want=$3 seconds=${4:-5}
  check() { screenshot && [ "$(pixel "$x" "$y")" = "$want" ]; }
  poll "$seconds" check
}

expect_pixel() {
  local x=$1 y=$2 want=$3 what=$4
  local got
  got=$(pixel "$x" "$y")
  [ "$got" = "$want" ] || fail "$what: pixel ($x, $y) is $got, expected $want"
}

# A real click with the left button at a point of the window's client area.
# (No --sync: it waits for ever when the pointer is already there.)
click_client() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Clicks "Help" (70 x 30 at (250, 506) of the client area on a 1024 x 768
# screen) until the viewer it starts has written the file RECORD. Up to three
# clicks: one that comes before the window takes input is lost.
press_help() {
  local window=$1 record=$2
  for _ in 1 2 3; do
    click_client "$window" 285 521
    poll 3 test -s "$record" && return 0
  done
  return 1
}

# Types text as a person does, after giving the window the keyboard focus.
type_into() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  xdotool type --delay 20 "$2"
}

press_key() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  xdotool key "$2"
}

# Closes the window the way a person does: Alt+F4 to the window manager.
close_window() {
  press_key "$1" alt+F4
}

# Closes the window with a click on the close box of the window manager's
# title bar (openbox's default theme: 10 pixels left of the client area's
# right edge and 10 above its top). Needs client_origin first.
click_close_box() {
  xdotool mousemove $((CLIENT_X + CLIENT_WIDTH - 10)) $((CLIENT_Y - 10)) click 1
}

# Waits for a background process and checks its exit status (up to $3 s).
expect_exit() {
  local pid=$1 want=$2 seconds=${3:-10}
  ended() { ! kill -0 "$pid" 2>/dev/null; }
  poll "$seconds" ended || { kill "$pid" 2>/dev/null; fail "process $pid did not end"; }
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq "$want" ] || fail "exit status $status, expected $want"
}

# A control fills exactly its client rectangle (x, y, width, height) on a
# background of colour "R G B": the middle of each side is inside it, the
# pixel just beyond is background. The last screenshot and CLIENT_X/Y are used.
expect_control_rect() {
  local x=$1 y=$2 width=$3 height=$4 background=$5 what=$6
  local midX=$((CLIENT_X + x + width / 2)) midY=$((CLIENT_Y + y + height / 2))
  local left=$((CLIENT_X + x)) top=$((CLIENT_Y + y))
  local right=$((left + width - 1)) bottom=$((top + height - 1))
  expect_pixel $((left - 1)) "$midY" "$background" "$what: left of it"
  expect_pixel $((right + 1)) "$midY" "$background" "$what: right of it"
  expect_pixel "$midX" $((top - 1)) "$background" "$what: above it"
  expect_pixel "$midX" $((bottom + 1)) "$background" "$what: below it"
  local edge
  for edge in "$left $midY" "$right $midY" "$midX $top" "$midX $bottom"; do
    # shellcheck disable=SC2086
    [ "$(pixel $edge)" != "$background" ] || fail "$what: ($edge) should be inside the control"
  done
}
