#!/usr/bin/env bash
# The real program where no synthesizer can be had, on the screen that
# xsession.sh made: no soundfont, sound switched off, a pulse server that
# never plays (PipeWire's, without its session manager), and no sound server
# at all. Each time the window comes up and draws, the Sound box is greyed
# out, standard error has one line that says why, and Alt+F4 ends the program
# with status 0 within 2 s, also while the open still waits on the hanging
# server and after it gave that server up; also when it was started with
# standard error closed, where the window must still take typing. Every
# server is private.
#   no_sound_test.sh TONVISOR   (PNG_PROBE and GEOMETRY set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e-lib.sh"
source "$here/steps.sh"

program=$1
exec > >(tee "$E2E_ARTIFACTS/no-sound.log") 2>&1
scratch=$(mktemp -d /tmp/tonvisor-no-sound.XXXXXX)
servers=()
cleanup() {
  [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
  local pid
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# Nothing to be found: no pulse server, no JACK server of this name, no ALSA card.
mkdir -p "$scratch/work" "$scratch/run"
: >"$scratch/no-devices.conf"
export XDG_RUNTIME_DIR="$scratch/run" PULSE_SERVER="unix:$scratch/no-pulse"
export JACK_DEFAULT_SERVER="tonvisor-absent-$$" JACK_NO_START_SERVER=1 ALSA_CONFIG_PATH="$scratch/no-devices.conf"
unset TONVISOR_AUDIO_DRIVER TONVISOR_SOUNDFONT
all_failed="No sound: no audio output: pulseaudio, jack and alsa all failed"

# start CASE [NAME=VALUE...]: the program in that environment, its window and
# its first frame.
start() {
  scenario "$1"
  shift
  (cd "$scratch/work" && exec env "$@" "$program") >"$E2E_ARTIFACTS/tonvisor.out" 2>"$E2E_ARTIFACTS/tonvisor.err" &
  PROGRAM_PID=$!
  WINDOW=$(find_window "Tonvisor V1.0") || failed "the main window" "a window \"Tonvisor V1.0\"" "none"
  client_origin "$WINDOW"
  # shellcheck disable=SC2046
  pixel_becomes $(plot_at 50 85) "$panel" 10
  check_plot_pixel "the first frame" 50 85 "$panel"
}

closes_promptly() {
  close_window "$WINDOW"
  local status=0
  program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }
  if poll 2 program_ended; then wait "$PROGRAM_PID" || status=$?; else status="still running after 2 s"; fi
  kill "$PROGRAM_PID" 2>/dev/null
  PROGRAM_PID=""
  verify "exit status" 0 "$status"
}

# finish LINE: the box greyed out, the one line on standard error, and Alt+F4.
finish() {
  poll 10 test -s "$E2E_ARTIFACTS/tonvisor.err"
  check_sound_box greyed
  verify "standard error" "$1" "$(cat "$E2E_ARTIFACTS/tonvisor.err")"
  closes_promptly
}

start "no soundfont" TONVISOR_SOUNDFONT=/nonexistent/none.sf2
finish "No sound: no soundfont: cannot load /nonexistent/none.sf2 (TONVISOR_SOUNDFONT names another SF2 or SF3 file)"

start "sound switched off" TONVISOR_AUDIO_DRIVER=none
finish "No sound: sound is off: TONVISOR_AUDIO_DRIVER is none"

start "no sound server at all"
finish "$all_failed"

# PipeWire's pulse server without its session manager takes a stream and never
# plays it: the pulseaudio driver is given up after 3 s, JACK and ALSA fail.
runtime="$scratch/pipewire"
mkdir -p "$runtime"
for server in pipewire pipewire-pulse; do
  XDG_RUNTIME_DIR="$runtime" "$server" >"$E2E_ARTIFACTS/$server.log" 2>&1 &
  servers+=($!)
  [ "$server" = pipewire ] && socket="$runtime/pipewire-0" || socket="$runtime/pulse/native"
  poll 10 test -S "$socket" || failed "$server" "listening on $socket" "not started"
done
hanging="PULSE_SERVER=unix:$runtime/pulse/native"

# A second is far longer than any other case takes to say why; the empty
# standard error then shows that the open is still waiting.
start "a pulse server that never plays, closed while the open waits on it" "$hanging"
check_sound_box greyed
sleep 1
verify "standard error while the open waits" "" "$(cat "$E2E_ARTIFACTS/tonvisor.err")"
closes_promptly
verify "standard error" "" "$(cat "$E2E_ARTIFACTS/tonvisor.err")"

start "a pulse server that never plays, given up" "$hanging"
finish "$all_failed"

# With standard error closed the "No sound:" line has nowhere to go, and must
# not land in a file the program opened since (the X server's socket).
scenario "standard error closed"
(cd "$scratch/work" && exec "$program" 2>&-) >"$E2E_ARTIFACTS/tonvisor.out" &
PROGRAM_PID=$!
WINDOW=$(find_window "Tonvisor V1.0") || failed "the main window" "a window \"Tonvisor V1.0\"" "none"
client_origin "$WINDOW"
check_sound_box greyed
sleep 1  # past the open's answer and its line
type_notes "c e g"
click_control EnterButton
check_spikes_at 89 "$(spike_run 34 1)" "c e g typed"
closes_promptly
echo
echo "no sound: all $step_number checks passed"
