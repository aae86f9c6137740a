#!/usr/bin/env bash
# Live audio into the real program and into tonvisor-cli --listen-audio at
# once, through a private JACK server (under xsession.sh). Plucked strings
# rendered by sox play C E G for 2 s, then A C E, into both programs' inputs
# (jack-play, one for each). Once the Listen box is ticked the window's fields
# must show exactly what typing c e g, then a c e shows. Then the server
# stops while both listen: the inputs are closed quietly and the status
# changes; the server starts again, both inputs open again at their next
# scan, and C E G is heard again. --listen-audio must print C, Am, C
# (inversions of them aside). Ticking the box opens the piece window on the
# live session (set aside while the fields are looked at); at the end,
# Ctrl+S there saves it through the save dialog as a .lab whose chords are
# C, Am, then C again, and space plays it back: the server records C E G.
# (The save comes last: GTK draws the labels of every
# window smoothed once a file chooser has been open, which the status checks
# would see.)
#   listen_window_test.sh TONVISOR TONVISOR_CLI SOUND_SCAN
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/e2e-lib.sh"
source "$here/steps.sh"
source "$here/jack-lib.sh"

program=$1 cli=$2 sound_scan=$3
exec > >(tee "$E2E_ARTIFACTS/listen-window.log") 2>&1
start_jack || fail "no JACK server"
export TONVISOR_AUDIO_DRIVER=jack
export TONVISOR_SOUNDFONT=/nonexistent  # no synthesizer: the server's going is the inputs' alone
export GSETTINGS_BACKEND=memory  # the file chooser keeps its settings here, not in a desktop's dconf

scratch=$(mktemp -d /tmp/tonvisor-listen.XXXXXX)
listener="" recorder=""
cleanup() {
  [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
  [ -n "$listener" ] && kill "$listener" 2>/dev/null
  [ -n "$recorder" ] && kill "$recorder" 2>/dev/null
  stop_jack
  rm -rf "$scratch"
}
trap cleanup EXIT

# pluck NAME SECONDS NOTES...: C E G sounds long enough for the screen to be
# looked at several times before A C E follows. Each chord has its root an
# octave below, as a guitarist plays it: with the three notes in one octave
# alone, which of them is the bass was left to chance, and a glitch of the
# server under load once made it E.
pluck() { sox -n -r 44100 -b 16 -c 1 "$scratch/$1.wav" synth "$2" pluck "$3" pluck "$4" pluck "$5" fade 0 "$2" 0.1; }
pluck c-e-g 4 C3 E4 G4
pluck a-c-e 2 A2 C4 E4
sox "$scratch/c-e-g.wav" "$scratch/a-c-e.wav" "$scratch/progression.wav"

start_program "$program" "$scratch"
mkfifo "$scratch/listen-input"
"$cli" --listen-audio <"$scratch/listen-input" >"$E2E_ARTIFACTS/listen.out" 2>"$E2E_ARTIFACTS/listen.err" &
listener=$!
exec 3>"$scratch/listen-input"   # held open: the listener stops when it closes

# shellcheck disable=SC2046
pixel_becomes $(plot_at 50 85) "$panel" 10 || failed "the first picture" "the panel" "none"

scenario "references typed by hand"
enter_typed "c e g" 34 1 typed-ceg
enter_typed "a c e" 0 0 typed-ace

inputs_open() { [ "$(jack_lsp 2>/dev/null | grep -c '^Tonvisor-in.*:in_1$')" = "$1" ]; }
# play FILE: into every open input at once, until it ends.
play() {
  local port players=()
  for port in $(jack_lsp 2>/dev/null | grep '^Tonvisor-in.*:in_1$'); do
    JACK_PLAY_CONNECT_TO="${port%_1}_%d" jack-play "$1" >>"$E2E_ARTIFACTS/players.log" 2>&1 &
    players+=($!)
  done
  wait "${players[@]}"
}

scenario "the Listen box ticked"
sleep 1  # the first look for the input, 0.3 s after the start
screenshot
control_shot AudioStatus status-before
click_control ListenBox
poll 10 inputs_open 2 || failed "the inputs in the JACK server" "2" "$(jack_lsp | grep -c Tonvisor-in)"
SESSION=$(find_window Session) || failed "the piece window on the session" "a window \"Session\"" "none"
passed "the piece window" "on the session" "window $SESSION"
xdotool windowminimize --sync "$SESSION"  # it opens over the fields, as a piece's window does
xdotool windowactivate --sync "$WINDOW"     # the fields look as they do in the active window
sleep 0.5                                   # what it covered drawn again
screenshot
control_shot AudioStatus status-listening

scenario "C E G, then A C E, played into both"
play "$scratch/progression.wav" &
player=$!
fields_become typed-ceg 5
keep_screenshot heard-c-e-g
fields_become typed-ace 7
keep_screenshot heard-a-c-e
wait "$player"

scenario "the server stops while both listen, and comes back"
stop_jack
status_changed() { screenshot && control_shot AudioStatus status-now && [ "$(same_picture status-now status-listening)" != 0 ]; }
status_back() { screenshot && control_shot AudioStatus status-now && [ "$(same_picture status-now status-listening)" = 0 ]; }
seen=unchanged
poll 5 status_changed && seen=changed
verify "the status once the server has gone" changed "$seen"
kill -0 "$PROGRAM_PID" 2>/dev/null && alive=yes || alive=no
verify "the program, its server gone" yes "$alive"
start_jack 3>&- || fail "no JACK server the second time"  # the listener's input stays ours to close
seen=changed
poll 10 status_back && seen="as before"
verify "the status with the server back" "as before" "$seen"
poll 10 inputs_open 2 || failed "the inputs opened again" "2" "$(jack_lsp | grep -c Tonvisor-in)"
play "$scratch/c-e-g.wav" &
player=$!
fields_become typed-ceg 5
wait "$player"

scenario "tonvisor-cli --listen-audio heard the same"
exec 3>&-
expect_exit "$listener" 0 10
listener=""
# The chords by root and type, each that held for a quarter of a second: at
# an attack, the notes still ringing may make another chord for an instant.
verify "the chords --listen-audio printed" "C Major;A Minor;C Major;" \
  "$(awk -F' [|] ' '{ time[NR] = $1 + 0; name[NR] = $3 }
       END { for (i = 1; i <= NR; ++i) if (i == NR || time[i + 1] - time[i] >= 0.25) print name[i] }' \
       "$E2E_ARTIFACTS/listen.out" | sed 's/^[^(]*(\([^,)]*\).*/\1/' | uniq | tr '\n' ';')"
# Closed when the server goes: "none" if a scan comes while it is away, the
# device without "listening" if the server is back first.
verify "the input --listen-audio saw go and come" "listening;closed;listening;" \
  "$(sed -n 's/^tonvisor-cli: Audio in: \(none\|default (JACK)\)\(, listening\)\{0,1\}$/\1\2/p' "$E2E_ARTIFACTS/listen.err" |
    sed 's/^default (JACK), listening$/listening/; s/^\(none\|default (JACK)\)$/closed/' | uniq | tr '\n' ';')"

scenario "the session in the piece window, saved with Ctrl+S"
xdotool windowactivate --sync "$SESSION"
sleep 0.5
screenshot
keep_screenshot session
press_key "$SESSION" ctrl+s
dialog=$(find_window "Save the chords") || failed "the save dialog" "a window \"Save the chords\"" "none"
xdotool windowactivate --sync "$dialog" key ctrl+a type "$scratch/session.lab"
sleep 0.5
xdotool key Return
poll 5 test -s "$scratch/session.lab" || failed "the session's .lab" "written" "no file"
cp "$scratch/session.lab" "$E2E_ARTIFACTS/session.lab"
# Its chords by root and type, no chord left out, each that held for a
# quarter of a second (as for --listen-audio above).
verify "the chords of the saved session" "C:maj;A:min;C:maj;" \
  "$(awk -F'\t' '$2 - $1 >= 0.25 { print $3 }' "$scratch/session.lab" | sed 's|/.*||' | grep -vx N | uniq | tr '\n' ';')"
verify "the lab's lines" "start<TAB>end<TAB>label" \
  "$(grep -cvP '^\d+\.\d{3}\t\d+\.\d{3}\t\S+$' "$scratch/session.lab" | sed 's/^0$/start<TAB>end<TAB>label/')"

scenario "the session played back into the server"
ports_open() { jack_lsp 2>/dev/null | grep -q '^Tonvisor-out:left$'; }
recorder_connected() { jack_lsp -c 2>/dev/null | grep -A1 '^jackrec:input1$' | grep -q Tonvisor-out:left; }
press_key "$SESSION" space  # plays from the start: the audio output opens
poll 10 ports_open || failed "the session's sound in the server" "Tonvisor-out:left" "none"
press_key "$SESSION" space  # paused there, the output still open
jack_rec -f "$E2E_ARTIFACTS/session-played.wav" -d 3 Tonvisor-out:left Tonvisor-out:right >/dev/null 2>&1 &
recorder=$!
poll 5 recorder_connected || failed "the recorder" "connected to Tonvisor-out's ports" "not connected"
press_key "$SESSION" space
wait "$recorder"
recorder=""
press_key "$SESSION" space
report=$("$sound_scan" "$E2E_ARTIFACTS/session-played.wav" 48 64 67)
status=$?
echo "$report" | sed 's/^/        /'
verify "the session's first chord played back" "C3 E4 G4 heard" "$([ "$status" -eq 0 ] && echo "C3 E4 G4 heard" || echo "something else")"

scenario "closing the window"
close_window "$WINDOW"
verify_exit_status 0
verify "standard error" "No sound:" "$(cut -d' ' -f1,2 "$E2E_ARTIFACTS/tonvisor.err" | sort -u | tr '\n' ' ' | sed 's/ $//')"
echo "listen window: all checks passed"
