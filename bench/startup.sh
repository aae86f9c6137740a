#!/usr/bin/env bash
# Start-up benchmark: process start to first frame of the real program under
# Xvfb with a window manager, against a trivial X program launched the same
# way (first_frame prints both medians and their ratio).
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
runs=${2:-9}
panel=41aa82  # the spectrum panel's colour, 65 170 130

# The program starts in a scratch directory: no reader file, as on a fresh desktop.
scratch=$(mktemp -d /tmp/tonvisor-startup.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
E2E_SECONDS=600 "$here/../tests/e2e/xsession.sh" 1024x768 \
  "$build/bench/first_frame" "$runs" "$panel" -- "$build/tonvisor" \
  -- "$build/bench/trivial_window" 1016 714 "$panel"
