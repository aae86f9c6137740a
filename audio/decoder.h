// Chords over time from the front end's frames: a hidden Markov model whose
// states are the chords of the vocabulary that a recording is decoded into
// (major, minor, dominant, major and minor sevenths, diminished, half-
// diminished, suspended fourth, each over any of its notes as the bass) and
// "N", no chord, decoded by Viterbi. A chord stays with a high probability
// and changes to any other alike, so a change costs the same whatever follows.
// Frames go in one at a time; the path is traced back at the end.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/naming.h"
#include "analysis/pitch_set.h"
#include "audio/frontend.h"

inline constexpr int NoChordState = 0;

// One state: a chord over a bass, or nothing (state 0).
struct ChordState {
    unsigned mask;                   // its pitch classes, bit p for pitch class p; 0 for "N"
    int root, bass;                  // pitch classes; NoNote for "N"
    int chord;                       // index into ChordVocabulary; -1 for "N"
    float prior;                     // added to its fit: simpler chords win ties
    PitchSet pitches;                // root first, then upward, over the bass
    ChordName name;                  // as nameChord names those pitches
};

// The states, built once.
const std::vector<ChordState>& chordStates();

struct DecodedChord {
    int state;                       // into chordStates()
    int64_t firstFrame, endFrame;    // frames [first, end)
};

// The decoder's state record.
struct ChordDecoder {
    std::vector<float> score;        // per state: the best path's log score ending there
    std::vector<float> fit;          // scratch: this frame's fit per state
    std::vector<uint64_t> stayed;    // per frame, a bit per state: its best path stayed in it
    std::vector<int> bestBefore;     // per frame: the best state of the frame before
    int words;                       // 64-bit words of `stayed` per frame
    int64_t frames;
};

void startDecoder(ChordDecoder& decoder);
inline constexpr float SwitchCost = 2.2f;  // in fit units: a change must pay for itself

// A frame decoded; a live input lowers the switching cost where it hears an onset.
void decodeFrame(ChordDecoder& decoder, const AudioFrame& frame, float switchCost = SwitchCost);

// The most likely chord now, on what has been heard so far (for live input).
int leadingState(const ChordDecoder& decoder);

// The whole best path, as runs of one state.
std::vector<DecodedChord> finishDecoding(const ChordDecoder& decoder);

// How well each state fits one frame, in the decoder's units (for tests and tuning).
void fitFrame(const AudioFrame& frame, std::vector<float>& fit);
