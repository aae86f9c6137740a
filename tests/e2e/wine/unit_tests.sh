#!/usr/bin/env bash
# Runs the Windows test program under Wine (under xsession.sh).
#   unit_tests.sh TESTS.EXE
set -uo pipefail
source "$(dirname "$0")/../e2e-lib.sh"
source "$(dirname "$0")/wine-lib.sh"
need_windows_program "$1"
trap wine_stop EXIT
wine "$1"
