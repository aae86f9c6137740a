#!/usr/bin/env bash
# The program started the way a desktop menu starts it: in the working
# directory its menu entry names (Path=), from elsewhere. "Help" must then
# open <Path>/document/Tonvisor.htm, and that file must exist. A reader file
# in that directory names a test viewer that records its arguments.
# The tree is either a build installed into a fresh prefix, or the Debian
# package unpacked into a fresh folder: its entry names paths under /usr,
# which are taken under that folder.
# Runs on a virtual screen:
#   tests/e2e/xsession.sh 1024x768 menu_launch_test.sh install BUILD_DIR
#   tests/e2e/xsession.sh 1024x768 menu_launch_test.sh package FILE.deb
set -euo pipefail
source "$(dirname "$0")/../e2e/e2e-lib.sh"

kind=$1
tree=$2
scratch=$(mktemp -d /tmp/tonvisor-menu.XXXXXX)
program=""
cleanup() {
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  rm -rf "$scratch"
  return 0
}
trap cleanup EXIT

if [ "$kind" = install ]; then
  root=""
  cmake --install "$tree" --prefix "$scratch/tonvisor prefix" >/dev/null
  entry="$scratch/tonvisor prefix/share/applications/tonvisor.desktop"
else
  [ -f "$tree" ] || fail "$tree is missing: build the packages first (make package)"
  root="$scratch/unpacked package"
  dpkg-deb -x "$tree" "$root"
  entry="$root/usr/share/applications/tonvisor.desktop"
fi
value() { sed -n "s/^$1=//p" "$entry"; }
# Exec is one quoted argument here: drop the quotes and the string escapes.
command=$root$(value Exec | sed -e 's/^"//' -e 's/"$//' -e 's/\\\\/\\/g')
directory=$root$(value Path)

cat >"$scratch/viewer" <<VIEWER
#!/bin/sh
printf '%s\n' "\$#" "\$@" >"$scratch/viewer.args"
VIEWER
chmod +x "$scratch/viewer"
printf '%s\n' "$scratch/viewer" >"$directory/HtmlReader.txt"

cd "$scratch"  # the launcher's own directory is not the program's
(cd "$directory" && exec "$command") >"$scratch/tonvisor.log" 2>&1 &
program=$!

window=$(find_window "Tonvisor V1.0") || fail "the $kind's program did not show its window"
press_help "$window" "$scratch/viewer.args" ||
  fail "Help started no viewer; program output: $(cat "$scratch/tonvisor.log")"
mapfile -t arguments <"$scratch/viewer.args"
[ "${arguments[0]}" = 1 ] || fail "the viewer got ${arguments[0]} arguments: ${arguments[*]:1}"
[ "${arguments[1]}" = "$directory/document/Tonvisor.htm" ] ||
  fail "the viewer was asked for ${arguments[1]}, not $directory/document/Tonvisor.htm"
[ -f "${arguments[1]}" ] || fail "${arguments[1]} does not exist"

close_window "$window"
expect_exit "$program" 0 10
program=""
echo "menu launch test passed ($kind): Help opened ${arguments[1]}"
