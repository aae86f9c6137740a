// Where the harmony changes: the beats cut into spans of one chord each, so
// that a broken chord (arpeggio, Alberti bass, strumming, walking bass) is
// one chord over its span and a passing note is no chord of its own.
#pragma once

#include <vector>

#include "piece/beat_contents.h"
#include "piece/midi_score.h"

struct ChordSpan {
    int first, last;  // beats first..last-1
    unsigned mask;    // the chord's pitch classes; 0 for no chord
};

// Consecutive spans covering every beat, in order. A change costs less on a
// bar line than within the bar, so that the chords follow the metre.
std::vector<ChordSpan> chordSpans(const std::vector<BeatContent>& beats, const std::vector<GridBeat>& grid);
