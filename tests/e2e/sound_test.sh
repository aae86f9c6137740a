#!/usr/bin/env bash
# The real program's sound, end to end, on the screen that xsession.sh made:
# it plays through FluidSynth's JACK driver into a private JACK server on the
# dummy driver, and jack_rec records its ports while a person acts. The
# recordings are scanned for their pitches: c e g and "Enter" sound C3 E3 G3;
# a click on the A minor 7th spike sounds A3 C4 E4 G4, root position; the
# Sound box, reached with Tab and cleared with Space, silences the next
# "Enter". Alt+F4 ends the program with status 0 and nothing on standard error.
#   sound_test.sh TONVISOR SOUND_SCAN   (PNG_PROBE and GEOMETRY set)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e-lib.sh"
source "$here/steps.sh"
source "$here/jack-lib.sh"

program=$1 sound_scan=$2
exec > >(tee "$E2E_ARTIFACTS/sound.log") 2>&1
workdir=$(mktemp -d /tmp/tonvisor-sound.XXXXXX)
recorder=""
cleanup() {
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
  [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
  stop_jack
  rm -rf "$workdir"
}
start_jack || failed "a private JACK server" "running" "not started"
trap cleanup EXIT
# The JACK driver alone: a desktop's own sound server is never played into.
export TONVISOR_AUDIO_DRIVER=jack

ports_connected() { jack_lsp -c 2>/dev/null | grep -A1 '^jackrec:input1$' | grep -q 'Tonvisor:left'; }

# record NAME ACTION...: records the program's ports for 3 s into NAME.wav
# while the action runs.
record() {
  local name=$1
  shift
  jack_rec -f "$E2E_ARTIFACTS/$name.wav" -d 3 Tonvisor:left Tonvisor:right >/dev/null 2>&1 &
  recorder=$!
  poll 5 ports_connected || failed "$name: the recorder" "connected to Tonvisor's ports" "not connected"
  "$@"
  wait "$recorder"
  recorder=""
}

# heard NAME WHAT KEY...: the recording holds exactly these keys (none: silence).
heard() {
  local name=$1 what=$2 report
  shift 2
  report=$("$sound_scan" "$E2E_ARTIFACTS/$name.wav" "$@")
  local status=$?
  echo "$report" | sed 's/^/        /'
  verify "$what" "heard" "$([ "$status" -eq 0 ] && echo heard || echo "something else")"
}

enter_notes() {
  click_control NoteEntryField
  type_notes "$1"
  click_control EnterButton
}

click_slot() { click_client "$WINDOW" $(($(slot_column "$1") - CLIENT_X)) $(($(row_of 60) - CLIENT_Y)); }

scenario "the synthesizer opens into the JACK server"
start_program "$program" "$workdir"
poll 10 jack_lsp Tonvisor:left >/dev/null || failed "the program's JACK ports" "Tonvisor:left" "none"
check_sound_box usable

scenario "c e g and \"Enter\""
record enter-c-e-g enter_notes "c e g"
heard enter-c-e-g "C3 E3 G3" 48 52 55
screenshot
keep_screenshot sound-box-ticked

scenario "a click on the A minor 7th spike (slot 6 by key)"
record spike-a-minor-7th click_slot 6
heard spike-a-minor-7th "A3 C4 E4 G4, in root position" 57 60 64 67

scenario "the Sound box, reached with Tab and cleared with Space"
click_control NoteEntryField
press shift+Tab   # EnterButton
press shift+Tab   # round the end to the OpenButton
press shift+Tab   # the ListenBox, live with the private server's capture ports
press shift+Tab   # the SoundBox
press space
screenshot
keep_screenshot sound-box-cleared
record cleared enter_notes "f a c"
heard cleared "silence after \"Enter\"" 

scenario "closing"
close_window "$WINDOW"
verify_exit_status 0
verify "standard error" "" "$(cat "$E2E_ARTIFACTS/tonvisor.err")"
echo
echo "sound: all $step_number checks passed"
