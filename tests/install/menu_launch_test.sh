#!/usr/bin/env bash
# The installed program started the way a desktop menu starts it: in the
# working directory its menu entry names (Path=), from elsewhere. "Help" must
# then open <Path>/document/Tonvisor.htm, and that file must exist. A reader
# file in that directory names a test viewer that records its arguments.
# Runs on a virtual screen: tests/e2e/xsession.sh 1024x768 menu_launch_test.sh BUILD_DIR
set -euo pipefail

build=$1
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

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

prefix="$scratch/tonvisor prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/tonvisor.desktop"
value() { sed -n "s/^$1=//p" "$entry"; }
# Exec is one quoted argument here: drop the quotes and the string escapes.
command=$(value Exec | sed -e 's/^"//' -e 's/"$//' -e 's/\\\\/\\/g')
directory=$(value Path)

cat >"$scratch/viewer" <<VIEWER
#!/bin/sh
printf '%s\n' "\$#" "\$@" >"$scratch/viewer.args"
VIEWER
chmod +x "$scratch/viewer"
printf '%s\n' "$scratch/viewer" >"$directory/HtmlReader.txt"

cd "$scratch"  # the launcher's own directory is not the program's
(cd "$directory" && exec "$command") >"$scratch/tonvisor.log" 2>&1 &
program=$!

window=$(xdotool search --sync --onlyvisible --name '^Tonvisor V1.0$' | head -n1) ||
  fail "the installed program's window did not appear"
# "Help" on a 1024 x 768 screen: 70 x 30 pixels at (250, 506) of the client area.
for _ in 1 2 3; do
  xdotool mousemove --window "$window" 285 521 click 1
  for _ in $(seq 60); do
    [ -s "$scratch/viewer.args" ] && break 2
    sleep 0.05
  done
done
[ -s "$scratch/viewer.args" ] || fail "Help started no viewer; program output: $(cat "$scratch/tonvisor.log")"
mapfile -t arguments <"$scratch/viewer.args"
[ "${arguments[0]}" = 1 ] || fail "the viewer got ${arguments[0]} arguments: ${arguments[*]:1}"
[ "${arguments[1]}" = "$directory/document/Tonvisor.htm" ] ||
  fail "the viewer was asked for ${arguments[1]}, not $directory/document/Tonvisor.htm"
[ -f "${arguments[1]}" ] || fail "${arguments[1]} does not exist"
echo "menu launch test passed: Help opened ${arguments[1]}"
