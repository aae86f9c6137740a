#!/usr/bin/env bash
# The wide-pen pictures that the Linux layer's tests pin, drawn by the Windows
# GDI under Wine (under xsession.sh): they must be its pixels exactly.
#   pen_probe_test.sh PEN_PROBE.EXE PICTURES
set -uo pipefail
source "$(dirname "$0")/../e2e-lib.sh"
source "$(dirname "$0")/wine-lib.sh"
need_windows_program "$1"
trap wine_stop EXIT
[ -f "$2" ] || fail "no pictures at $2"
# Z: is the prefix's drive for the whole Linux file system.
timeout 60 wine "$1" "Z:$2" || fail "the system draws some pictures otherwise (above)"
