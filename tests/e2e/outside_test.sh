#!/usr/bin/env bash
# What the world outside the program can do to it, on the screen that
# xsession.sh made: a reader file that is a named pipe with no writer ends the
# start-up at once with the reader-file message and status 1; a reader file
# linked to /dev/null reads as empty and the window comes up; that window,
# destroyed by another X client without a close request, ends the program with
# status 0 within 2 s and nothing on standard error but, had the sound's open
# answered in time, its line: sound is switched off here.
#   outside_test.sh TONVISOR DESTROY_WINDOW
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"

program=$1 destroy_window=$2
export TONVISOR_AUDIO_DRIVER=none
workdir=$(mktemp -d /tmp/tonvisor-outside.XXXXXX)
errors="$E2E_ARTIFACTS/tonvisor.err"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$workdir"' EXIT

start_program() {
  (cd "$workdir" && exec "$program") 2>"$errors" &
  pid=$!
}

mkfifo "$workdir/HtmlReader.txt"
start_program
expect_exit "$pid" 1 2
printf "Can't open file HtmlReader.txt\n" | cmp -s - "$errors" ||
  fail "named pipe: standard error was \"$(cat "$errors")\""

rm "$workdir/HtmlReader.txt"
ln -s /dev/null "$workdir/HtmlReader.txt"
start_program
window=$(find_window "Tonvisor V1.0") || fail "no window with the reader file linked to /dev/null"
# The person is at work: notes typed, the focus in the entry field.
type_into "$window" "c e g"
"$destroy_window" "$window" || fail "the window could not be destroyed"
expect_exit "$pid" 0 2
pid=""
! grep -v '^No sound: sound is off: TONVISOR_AUDIO_DRIVER is none$' "$errors" ||
  fail "destroyed window: standard error was \"$(cat "$errors")\""
echo "outside: all checks passed"
