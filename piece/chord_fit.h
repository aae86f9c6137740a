// How well the weights of a span fit one chord: which pitch classes are the
// chord's and which are passing notes around it. The segmentation compares
// spans by this fit; naming is left to the analysis, from the chord's tones.
#pragma once

#include "analysis/notenames.h"

struct ChordFit {
    unsigned mask;  // the chord's pitch classes, bit p for pitch class p; 0: no chord
    float score;    // up to 1 for weights that are the chord's tones and nothing else
};

// The best of the chord shapes the segmentation knows (triads, sevenths,
// sixths, diminished and augmented chords, suspensions, power chords) on
// every root. Fewer than two pitch classes of weight fit no chord.
ChordFit fitChord(const float (&weight)[PitchClassCount]);
