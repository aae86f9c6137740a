#!/usr/bin/env bash
# MIDI input end to end on the GTK backend, through a private JACK server: the
# test keyboard, in a process of its own, plays into the probe program, which
# finds it by name with a window timer, opens it with CALLBACK_WINDOW and
# prints what arrives as MM_MIM_DATA. The first keyboard exits with its keys
# held (unplugged); the probe notices and closes the input, then opens the
# keyboard that comes back under the same name and receives its whole script.
#   midi_probe_test.sh PROBE KEYBOARD   (under xsession.sh)
set -uo pipefail
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/jack-lib.sh"

probe_tool=$1
keyboard=$2
start_jack || fail "no JACK server"

output="$E2E_ARTIFACTS/probe.out"
"$probe_tool" test-keyboard:out >"$output" 2>"$E2E_ARTIFACTS/probe.err" &
probe=$!
trap 'kill $probe 2>/dev/null; stop_jack' EXIT

"$keyboard" test-keyboard --hold || fail "the first keyboard did not play (status $?)"
poll 10 grep -qx close "$output" || fail "the probe did not notice the keyboard leave: $(cat "$output")"
"$keyboard" test-keyboard || fail "the second keyboard did not play (status $?)"
expect_exit "$probe" 0 10

expected="open
on 60
on 64
on 67
close
open
on 60
on 64
on 67
controller 64 127
off 60
off 64
off 67
controller 64 0
on 64
on 67
on 72
off 64
off 67
off 72
close"
[ "$(cat "$output")" = "$expected" ] ||
  fail "the probe received: $(tr '\n' '|' <"$output") expected: $(tr '\n' '|' <<<"$expected")"
trap - EXIT
stop_jack
echo "midi probe: all checks passed"
