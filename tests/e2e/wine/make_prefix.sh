#!/usr/bin/env bash
# Makes a fresh Wine prefix for this test run (under xsession.sh).
#   make_prefix.sh PREFIX
set -uo pipefail
source "$(dirname "$0")/../e2e-lib.sh"
rm -rf "$1"
WINE_PREFIX=$1
source "$(dirname "$0")/wine-lib.sh"
trap wine_stop EXIT

started=$(date +%s)
timeout 60 wineboot --init >"$E2E_ARTIFACTS/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -5 "$E2E_ARTIFACTS/wineboot.log")"
# The prefix is complete once its server has written the registry and ended.
timeout 60 wineserver -w || fail "the Wine server did not end"
[ -f "$1/system.reg" ] || fail "no registry in the new prefix"
echo "prefix made in $(( $(date +%s) - started )) s"
