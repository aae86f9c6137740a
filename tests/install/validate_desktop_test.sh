#!/usr/bin/env bash
# The installed menu entry passes desktop-file-validate (desktop-file-utils).
# Without that tool the test is skipped (status 77), not passed.
#   validate_desktop_test.sh BUILD_DIR
set -euo pipefail

if ! command -v desktop-file-validate >/dev/null; then
  echo "desktop-file-validate is not installed (Debian: desktop-file-utils): skipped"
  exit 77
fi
scratch=$(mktemp -d /tmp/tonvisor-desktop.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$1" --prefix "$scratch/tonvisor prefix" >/dev/null
desktop-file-validate "$scratch/tonvisor prefix/share/applications/tonvisor.desktop"
