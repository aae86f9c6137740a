# The tests' one way of starting a private JACK server. A script sources it
# and calls start_jack; a test in another language runs it as a program,
# `jack-lib.sh NAME`, which keeps a server of that name until it is terminated.
# The server runs on the dummy driver (no sound card needed) under a name of
# its own, exported as JACK_DEFAULT_SERVER for every client the test starts;
# JACK_NO_START_SERVER keeps any client from starting one itself. Realtime
# scheduling (-R) matters: without it, under full load, jackd dropped MIDI.
# The EXIT trap (the script's own, or one set here) stops the server by its
# own process id.

export JACK_NO_START_SERVER=1
JACK_PID=""
JACK_KILLED=""

# A server killed outright keeps its place in JACK's table of servers, eight
# for the whole machine, until one of the same name runs: stop_jack then
# starts one under the name again and stops it properly, which frees it.
stop_jack() {
  [ -z "$JACK_PID" ] && [ -n "$JACK_KILLED" ] && start_jack >/dev/null 2>&1
  [ -n "$JACK_PID" ] && kill "$JACK_PID" 2>/dev/null && wait "$JACK_PID" 2>/dev/null
  JACK_PID=""
  return 0
}

# Ends the server with a signal: TERM as when it is shut down, KILL as when it crashes.
kill_jack() {
  kill -"$1" "$JACK_PID"
  wait "$JACK_PID" 2>/dev/null
  JACK_PID=""
  [ "$1" = KILL ] && JACK_KILLED=1
  return 0
}

# Starts the server, named $1 or after this shell's process id, and waits up
# to 10 s until it runs; fails otherwise.
# jack_wait says "running" or "not running": only the whole line counts.
start_jack() {
  export JACK_DEFAULT_SERVER="${1:-tonvisor-test-$$}"
  jackd -n "$JACK_DEFAULT_SERVER" -R -P 70 -d dummy -r 48000 -p 128 \
    >"${E2E_ARTIFACTS:-/tmp}/jackd.log" 2>&1 &
  JACK_PID=$!
  [ -n "$(trap -p EXIT)" ] || trap 'stop_jack' EXIT  # a script's own trap calls stop_jack itself
  for _ in $(seq 200); do
    if [ "$(jack_wait -c -s "$JACK_DEFAULT_SERVER" 2>/dev/null)" = running ]; then
      JACK_KILLED=""  # its place taken again under the same name
      return 0
    fi
    kill -0 "$JACK_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "jack-lib: the JACK server did not start" >&2
  cat "${E2E_ARTIFACTS:-/tmp}/jackd.log" >&2
  return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  [ $# -eq 1 ] || { echo "usage: jack-lib.sh SERVER-NAME" >&2; exit 2; }
  start_jack "$1" || exit 1
  trap 'exit 0' TERM INT
  wait "$JACK_PID"
fi
