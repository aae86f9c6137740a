#!/usr/bin/env bash
# The recordings' benchmarks, against the reference chord estimator on the
# same audio in the same run:
#  - accuracy: MIREX majmin and sevenths WCSR over the rendered pieces in four
#    conditions (clean, a third of a semitone sharp, noise at 20 dB SNR, MP3);
#  - speed: a 3-minute stereo 44.1 kHz file end to end, CPU seconds of each,
#    and Tonvisor's callgrind instruction count (CALLGRIND=0 skips it);
#  - memory: peak resident size for a one-hour recording.
#   bench/recordings.sh BUILD_DIR
# The material is made once into BUILD_DIR/bench-recordings (about 400 MB).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
material=$build/bench-recordings
tonvisor=$build/bench/recording_chords
reference=${REFERENCE_ESTIMATOR:-/work/shared/peers/chordino}  # its build and lab scripts
python=/usr/bin/python3

if [ ! -f "$material/.made" ]; then
  echo "making the material (FluidSynth, sox) in $material"
  rm -rf "$material"
  (cd "$here/recordings" && $python make_material.py "$material")
  touch "$material/.made"
fi
chordino_ok=0
[ -x "$reference/build" ] && "$reference/build" >/dev/null 2>&1 && chordino_ok=1

# score REFERENCE_DIR ESTIMATE_DIR SUFFIX: WCSR over all pieces, in percent.
score() {
  local refs=$1 ests=$2 suffix=$3 pairs=()
  for lab in "$refs"/*.lab; do
    pairs+=("$lab" "$ests/$(basename "$lab" .lab)$suffix.lab")
  done
  $python "$here/../tests/support/chord_score.py" "${pairs[@]}" |
    awk '/^all/ { printf "majmin %.1f  sevenths %.1f", 100 * $3, 100 * $5 }'
}

cpu_seconds() {  # the user and system CPU seconds of a command
  local t; t=$(mktemp)
  /usr/bin/time -f "%U %S %M" -o "$t" "$@" >/dev/null
  awk '{printf "%.2f", $1 + $2}' "$t"; rm -f "$t"
}

echo "== accuracy (WCSR, percent)"
printf "%-9s %-26s %-26s\n" condition Tonvisor reference
for condition in clean detuned noise mp3; do
  suffix=.wav; [ "$condition" = mp3 ] && suffix=.mp3
  ours=$material/estimates/tonvisor/$condition; mkdir -p "$ours"
  rm -f "$material/$condition"/*.lab
  "$tonvisor" "$material/$condition"/*"$suffix"
  mv "$material/$condition"/*.lab "$ours/"
  line="$(score "$material/reference" "$ours" "$suffix")"
  theirs="-"
  if [ $chordino_ok = 1 ]; then
    ref=$material/estimates/reference/$condition; mkdir -p "$ref"
    "$reference/lab" "$ref" "$material/$condition"/*"$suffix" >/dev/null 2>&1
    theirs="$(score "$material/reference" "$ref" "$suffix")"
  fi
  printf "%-9s %-26s %-26s\n" "$condition" "$line" "$theirs"
done

echo "== accuracy on the tests' pieces: 30 progressions in six textures, each rendered by both soundfonts"
textures=$material/textures
if [ ! -f "$textures/.made" ]; then
  rm -rf "$textures" && mkdir -p "$textures/reference"
  "$build/tests/support/write_test_pieces" "$textures/reference" >/dev/null
  for mid in "$textures"/reference/*.mid; do
    for font in TimGM6mb FluidR3_GM; do
      fluidsynth -ni -q -r 44100 -F "$textures/$(basename "$mid" .mid)-$font.wav" \
        "/usr/share/sounds/sf2/$font.sf2" "$mid" >/dev/null 2>&1
    done
  done
  touch "$textures/.made"
fi
# score_textures ESTIMATE_DIR: each piece's two renderings against its lab.
score_textures() {
  local pairs=()
  for lab in "$textures"/reference/*.lab; do
    for font in TimGM6mb FluidR3_GM; do pairs+=("$lab" "$1/$(basename "$lab" .lab)-$font.wav.lab"); done
  done
  $python "$here/../tests/support/chord_score.py" "${pairs[@]}" |
    awk '/^all/ { printf "majmin %.1f  sevenths %.1f", 100 * $3, 100 * $5 }'
}
ours=$material/estimates/tonvisor/textures; mkdir -p "$ours"
"$tonvisor" "$textures"/*.wav
mv "$textures"/*.lab "$ours/"
theirs="-"
if [ $chordino_ok = 1 ]; then
  ref=$material/estimates/reference/textures; mkdir -p "$ref"
  "$reference/lab" "$ref" "$textures"/*.wav >/dev/null 2>&1
  theirs="$(score_textures "$ref")"
fi
printf "%-9s %-26s %-26s\n" textures "$(score_textures "$ours")" "$theirs"

echo "== speed: a 3-minute stereo 44.1 kHz recording, CPU seconds (median of 3)"
three=$material/three-minutes.wav
[ -f "$three" ] || sox "$material"/clean/{canon-fluidr3,autumn-timgm,blues_a-fluidr3,jazz_turn-timgm,rising_sun-fluidr3}.wav "$three" trim 0 180
median() { sort -n | sed -n 2p; }
ours=$(for i in 1 2 3; do cpu_seconds "$tonvisor" "$three"; echo; done | median)
echo "Tonvisor   $ours s"
if [ $chordino_ok = 1 ]; then
  out=$(mktemp -d)
  theirs=$(for i in 1 2 3; do cpu_seconds "$reference/lab" "$out" "$three"; echo; done | median)
  rm -rf "$out"
  echo "reference  $theirs s (including its Python wrapper's start)"
  awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "Tonvisor takes %.2f of the reference'\''s time (%.1f times as fast)\n", a / b, b / a }'
fi
if [ "${CALLGRIND:-1}" != 0 ]; then
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$tonvisor" "$three" 2>&1 >/dev/null |
    awk '/refs:/ { gsub(",", "", $NF); printf "Tonvisor   %.2f G instructions (callgrind)\n", $NF / 1e9 }'
fi

echo "== memory: a one-hour stereo 44.1 kHz recording"
hour=$(mktemp --suffix=.wav)
sox "$three" "$hour" repeat 19
t=$(mktemp)
/usr/bin/time -f "%M %U %S" -o "$t" "$tonvisor" "$hour" >/dev/null
awk '{ printf "Tonvisor   peak resident %.1f MB, %.1f CPU seconds\n", $1 / 1024, $2 + $3 }' "$t"
rm -f "$hour" "$t"
