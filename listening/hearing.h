// Hearing chords in a live input: samples in, block by block, through the
// recording front end (its live window, 0.19 s, every 23 ms, the tuning
// followed as it goes) and the recordings' chord decoder, whose leading chord changes
// only when another has fitted better for long enough; then the stability
// rule. Long enough is short for a window's length after an onset (new notes
// coming into the chroma), so that a change shows at once, and long otherwise,
// so that a chord held as it decays stays what it is. Out come the chords as they change (the chord's notes over its
// bass), with the time they were heard at, in seconds from the first
// sample. The decoder is asked only for its leading chord, never for the
// path behind it, so the path it keeps for tracing back is dropped after
// every frame: nothing grows however long the input runs.
#pragma once

#include <vector>

#include "audio/decoder.h"
#include "audio/frontend.h"
#include "listening/stability.h"

struct HearingRecord {
    AudioFrontEnd frontEnd;
    ChordDecoder decoder;
    std::vector<AudioFrame> frames;  // scratch: the frames of one block
    StabilityRecord stability;
    float previous[PitchClassCount];  // the last frame's treble chroma
    double changeableUntil;           // seconds: the end of the window after the last onset
    bool started;
};

using ChordHeard = void (*)(const PitchSet& chord, double time);

void startHearing(HearingRecord& hearing, int sampleRate);
void stopHearing(HearingRecord& hearing);
// Mono samples, full scale -1 .. 1.
void hearSamples(HearingRecord& hearing, const float* samples, int count, ChordHeard chordHeard);
