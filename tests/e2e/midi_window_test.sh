#!/usr/bin/env bash
# A keyboard played into the real program and into tonvisor-cli --listen at
# once, through a private JACK server (under xsession.sh). The test keyboard,
# in a process of its own, first plays C E G and exits with the keys held (it
# is unplugged); the program keeps the chord, closes the input and goes on. The
# keyboard comes back under its name and plays its whole script: C E G held
# with the pedal, then E G C an inversion higher, then lets go. The fields
# must then show exactly what typing the same notes shows: "C E G" and C major
# for the first chord, C/E for the second, with Major on C the highest spike.
# Then the window alone: a keyboard that quits and comes back 0.3 s, 1 s and
# 1.9 s later is listened to again within 5 s each time (the first key opens
# the piece window on the live session, which is set aside), and the JACK server
# stopped (TERM, then KILL) under a connected keyboard leaves the window
# running with "MIDI: none" and the Sound box greyed out; started again, the
# server gives it sound and MIDI back.
#   midi_window_test.sh TONVISOR TONVISOR_CLI KEYBOARD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e-lib.sh"
source "$here/steps.sh"
source "$here/jack-lib.sh"

program=$1 cli=$2 keyboard=$3
exec > >(tee "$E2E_ARTIFACTS/midi-window.log") 2>&1
start_jack || fail "no JACK server"
export TONVISOR_AUDIO_DRIVER=jack  # the sound goes where the keyboards are

scratch=$(mktemp -d /tmp/tonvisor-midi.XXXXXX)
listener=""
cleanup() {
  [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
  [ -n "$listener" ] && kill "$listener" 2>/dev/null
  stop_jack
  rm -rf "$scratch"
}
trap cleanup EXIT

start_program "$program" "$scratch"
mkfifo "$scratch/listen-input"
"$cli" --listen <"$scratch/listen-input" >"$E2E_ARTIFACTS/listen.out" 2>"$E2E_ARTIFACTS/listen.err" &
listener=$!
exec 3>"$scratch/listen-input"   # held open: the listener stops when it closes

# shellcheck disable=SC2046
pixel_becomes $(plot_at 50 85) "$panel" 10 || failed "the first picture" "the panel" "none"
screenshot
control_shot MidiStatus status-none

scenario "references typed by hand"
enter_typed "c e g" 34 1 typed-ceg
enter_typed "e g c" 34 1 typed-egc
verify_more "pixels that differ between the names of c e g and e g c" 0 "$(same_picture typed-ceg-name typed-egc-name)"
enter_typed "a c e" 0 0 typed-ace


# Whether the status reads as it did with no keyboard, or otherwise.
status_differs() { screenshot && control_shot MidiStatus status-now && [ "$(same_picture status-now status-none)" != 0 ]; }
status_is_none() { screenshot && control_shot MidiStatus status-now && [ "$(same_picture status-now status-none)" = 0 ]; }

scenario "C E G played, the keyboard unplugged with its keys down"
"$keyboard" test-keyboard --hold --listeners 2 >"$E2E_ARTIFACTS/keyboard1.log" 2>&1 &
first=$!
seen="as with none"
poll 10 status_differs && seen=changed
verify "the status while the keyboard is there" changed "$seen"
expect_exit "$first" 0 30
SESSION=$(find_window Session) || failed "the piece window on the session" "a window \"Session\"" "none"
xdotool windowminimize --sync "$SESSION"  # it opens over the fields, as a piece's window does
xdotool windowactivate --sync "$WINDOW"     # the fields look as they do in the active window
check_spikes_at 89 "$(spike_run 34 1)" "C E G played: only Major on C reaches y 89"
fields_become typed-ceg
keep_screenshot played-c-e-g
seen=changed
poll 5 status_is_none && seen="as with none"
verify "the status after unplugging" "as with none" "$seen"

scenario "the keyboard back under its name: C E G with the pedal, then E G C"
"$keyboard" test-keyboard --listeners 2 >"$E2E_ARTIFACTS/keyboard2.log" 2>&1 ||
  failed "the second keyboard" "played" "status $?"
check_spikes_at 89 "$(spike_run 34 1)" "E G C played: only Major on C reaches y 89"
fields_become typed-egc
keep_screenshot played-e-g-c

scenario "tonvisor-cli --listen heard the same: C E G played twice, then E G C"
ceg="C  E  G | C (C Major) | C Major 100%, A Minor 7th 75%, C Major 6th 75%"
# The second keyboard has quit too: the listener's next scan closes it.
listener_saw_it_go() { [ "$(grep -c 'MIDI: none' "$E2E_ARTIFACTS/listen.err")" -ge 2 ]; }
poll 5 listener_saw_it_go
exec 3>&-
expect_exit "$listener" 0 10
listener=""
verify "the chords --listen printed" \
  "$ceg;$ceg;E  G  C | C/E (C Major, E in the bass) | C Major 100%, A Minor 7th 75%, C Major 6th 75%;" \
  "$(tr '\n' ';' <"$E2E_ARTIFACTS/listen.out")"
verify "the keyboards --listen saw come and go" "1 input;none;1 input;none;" \
  "$(sed -n 's/^tonvisor-cli: MIDI: \([^(]*[a-z]\).*/\1/p' "$E2E_ARTIFACTS/listen.err" | tr '\n' ';')"

scenario "a keyboard that quits and comes back under its name"
"$keyboard" test-keyboard --hold --wait 5 2>>"$E2E_ARTIFACTS/gaps.log" || failed "the keyboard" "listened to" "status $?"
for gap in 0.3 1 1.9; do
  sleep "$gap"
  "$keyboard" test-keyboard --hold --wait 5 2>>"$E2E_ARTIFACTS/gaps.log"
  verify "the keyboard back after $gap s, listened to within 5 s" 0 $?
done

scenario "the JACK server stopped under a connected keyboard, and started again"
for signal in TERM KILL; do
  "$keyboard" test-keyboard --hold --stay >>"$E2E_ARTIFACTS/stay.log" 2>&1 &
  staying=$!
  seen="as with none"
  poll 10 status_differs && seen=changed
  verify "the status with the keyboard before $signal" changed "$seen"
  check_sound_box usable
  kill_jack "$signal"
  kill "$staying" 2>/dev/null  # it may not hear of its server's end either
  wait "$staying" 2>/dev/null
  seen=changed
  poll 5 status_is_none && seen="as with none"
  verify "the status once the server is stopped with $signal" "as with none" "$seen"
  check_sound_box greyed
  verify "the window after the server's end" running "$(kill -0 "$PROGRAM_PID" 2>/dev/null && echo running)"
  start_jack || fail "no JACK server again"
  poll 10 sh -c 'jack_lsp 2>/dev/null | grep -q "^Tonvisor:left$"'
  check_sound_box usable
  "$keyboard" test-keyboard --wait 5 >>"$E2E_ARTIFACTS/stay.log" 2>&1
  verify "the keyboard on the new server, listened to within 5 s" 0 $?
done

scenario "closing the window"
close_window "$WINDOW"
verify_exit_status 0
lost="No sound: the sound output stopped (its server or device went away)"
verify "standard error" "$lost;$lost;" "$(tr '\n' ';' <"$E2E_ARTIFACTS/tonvisor.err")"
echo "midi window: all checks passed"
