#!/usr/bin/env bash
# The Linux program and the Windows program under Wine, side by side on the
# same screen (under xsession.sh): both go through the same run, and their
# client areas after "x Chord" must agree on at least 99.5 % of the pixels
# outside text cells and control rectangles, which depend on fonts and themes.
#   conformance_test.sh TONVISOR TONVISOR.EXE CONFORMANCE_MASK CLIENT_COMPARE
# On failure the artifacts keep both client images and the difference image.
set -uo pipefail
here=$(dirname "$0")
source "$here/../e2e-lib.sh"
source "$here/wine-lib.sh"
source "$here/sequence.sh"
need_windows_program "$2"
trap wine_stop EXIT

minimum=99.5
run_sequence linux "$1"
run_sequence wine wine "$2"
read -r width height < <(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*\)x\([0-9]*\) .*/\1 \2/p')
"$3" "$width" "$height" >"$E2E_ARTIFACTS/mask.txt" || fail "the mask run failed"
"$4" "$E2E_ARTIFACTS/linux-client.png" "$E2E_ARTIFACTS/wine-client.png" "$E2E_ARTIFACTS/mask.txt" \
  "$minimum" "$E2E_ARTIFACTS/difference.png" ||
  fail "the Linux and Wine pictures differ beyond the tolerance; see linux-client.png, wine-client.png, difference.png"
echo "conformance: all checks passed"
