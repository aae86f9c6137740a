#!/usr/bin/env bash
# The Windows program under Wine, as a person uses it (under xsession.sh):
# c e g put the tallest spike at slot 34 in pen 21's colour and "C Major" in
# the chord field, the status says "MIDI: none" (Wine has no MIDI devices), a
# click on the spike draws the name box, "x Chord" moves it to slot 15, Alt+F4
# ends with status 0. First, what the file itself promises: a GUI program with
# icon 123 and a version resource that imports no DLL beyond the system's own.
#   acceptance_test.sh TONVISOR.EXE CONTROL_TEXTS.EXE
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"
source "$here/sequence.sh"
need_windows_program "$1"
need_windows_program "$2"
control_texts=$2
trap wine_stop EXIT

headers=$(i686-w64-mingw32-objdump -p "$1") || fail "objdump cannot read $1"
grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "not a GUI program"
foreign=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" |
  grep -viE '^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|winmm|msvcrt)\.dll$')
[ -z "$foreign" ] || fail "imports DLLs that Windows does not have: $foreign"
resources=$(i686-w64-mingw32-windres -i "$1" -O rc 2>/dev/null)
grep -q "^123 14 " <<<"$resources" || fail "no icon group 123"
grep -q "^1 VERSIONINFO" <<<"$resources" || fail "no version resource"

# Called by the sequence after "Enter": the chord field (107) and the status
# (109) as the system has them.
after_enter() {
  local texts
  texts=$(wine "$control_texts" 107 109 | tr -d '\r' | tr '\n' ';')
  [ "$texts" = "C Major;MIDI: none;" ] || fail "$1: the chord field and the status read '$texts'"
}

started=$(date +%s%N)
run_sequence wine wine "$1"
echo "tonvisor.exe under Wine: all checks passed in $(( ($(date +%s%N) - started) / 1000000 )) ms"
