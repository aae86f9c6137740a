#!/usr/bin/env bash
# Runs one command on a private virtual X screen with a window manager.
#   xsession.sh WIDTHxHEIGHT command [args...]
# The command gets at most E2E_SECONDS (default 60) before it is stopped.
# Xvfb picks a free display itself (-displayfd), openbox decorates the windows
# and moves the focus as on a desktop. Both are stopped however the command ends;
# the command's exit status is the script's.
set -euo pipefail

size=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
workdir=$(mktemp -d /tmp/tonvisor-e2e.XXXXXX)
xvfb_pid=""
wm_pid=""

cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$workdir"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Waits up to 10 s for a condition, polling every 50 ms.
wait_for() {
  for _ in $(seq 200); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

mkfifo "$workdir/displayfd"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
  3>"$workdir/displayfd" >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
if ! read -r -t 10 display <"$workdir/displayfd" || [ -z "$display" ]; then
  echo "xsession: Xvfb did not start" >&2
  cat "$workdir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
export NO_AT_BRIDGE=1  # no accessibility bus on a bare X server

openbox --sm-disable --config-file "$here/openbox-rc.xml" >"$workdir/wm.log" 2>&1 &
wm_pid=$!
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
if ! wait_for wm_ready; then
  echo "xsession: the window manager did not start" >&2
  cat "$workdir/wm.log" >&2
  exit 1
fi

status=0
timeout --kill-after=5 "${E2E_SECONDS:-60}" "$@" || status=$?
exit "$status"
