#!/usr/bin/env bash
# The Windows program under Wine, as a person uses it (under xsession.sh):
# c e g put the tallest spike at slot 34 in pen 21's colour, a click on it
# draws the name box, "x Chord" moves it to slot 15, Alt+F4 ends with status 0.
#   acceptance_test.sh TONVISOR.EXE
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"
source "$here/sequence.sh"
need_windows_program "$1"
trap wine_stop EXIT

started=$(date +%s%N)
run_sequence wine wine "$1"
echo "tonvisor.exe under Wine: all checks passed in $(( ($(date +%s%N) - started) / 1000000 )) ms"
