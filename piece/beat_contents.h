// What sounds in each beat of the grid: the weight of every pitch class
// (seconds sounding x velocity) and how long each key sounds, for the bass.
#pragma once

#include <cstdint>
#include <vector>

#include "piece/midi_score.h"

struct KeySound {
    std::uint8_t key;
    float seconds;  // within the beat
};

struct BeatContent {
    double start, end;
    float weight[PitchClassCount];
    std::vector<KeySound> sounds;
};

// One content per grid beat; the last ends with the piece.
std::vector<BeatContent> beatContents(const MidiScore& score);

// The bass of beats first..last-1: the lowest key among those of the pitch
// classes in `mask` that sounds for a meaningful part of the span (not a
// grace note), else the lowest of them that sounds at all; NoNote when none does.
int spanBass(const std::vector<BeatContent>& beats, int first, int last, unsigned mask);
