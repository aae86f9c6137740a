// An approximate transcription of one frame: how loud each note from A0 to
// G#7 sounds, found by non-negative least squares against note profiles
// whose harmonics decay geometrically, so that a note's overtones are heard
// as that note and not as notes of their own. Then the bass and treble chroma.
#pragma once

#include <vector>

#include "analysis/notenames.h"
#include "audio/spectrum.h"

inline constexpr int TranscribedNotes = 84;  // MIDI notes LowestNote .. LowestNote + 83

struct NoteDictionary {
    double tuningCents;
    std::vector<float> profiles;  // TranscribedNotes x LogBinCount: each note's log spectrum
    std::vector<float> gram;      // TranscribedNotes x TranscribedNotes: profiles' dot products
};

void buildNoteDictionary(NoteDictionary& dictionary, const LogKernel& kernel);

// The spectrum with its broad shape taken away: each bin less the mean of the
// octave around it, over that octave's spread (but never over a spread near
// nothing); what is not above the mean is 0.
void whiten(const float* logBins, float* whitened);

// Note activations (TranscribedNotes, each >= 0) that best rebuild the
// whitened spectrum; `activations` holds the previous frame's on entry, a
// good start since music changes slowly.
void transcribe(const NoteDictionary& dictionary, const float* whitened, float* activations);

// Treble and bass chroma: the activations summed by pitch class, each over
// its range of notes.
void chromaOf(const float* activations, float (&treble)[PitchClassCount], float (&bass)[PitchClassCount]);
