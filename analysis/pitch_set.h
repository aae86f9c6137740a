// The note model: what sounds at one moment, whatever it came from: names
// typed into the entry, keys held on a keyboard, a span of a MIDI file, a
// frame of a recording. Scoring and naming read nothing else, so every input
// is scored and named alike.
#pragma once

#include "analysis/notenames.h"

inline constexpr int MaxPitchSetNotes = 5;  // as many as the scores count

struct PitchSet {
    int count;                            // distinct pitch classes, 0..MaxPitchSetNotes
    int notes[MaxPitchSetNotes];          // in order of precedence (as typed, lowest key first,
                                          // strongest first); NoNote from count on
    int bass;                             // the pitch class heard lowest; NoNote when nothing sounds
    float weight[PitchClassCount];        // how much each pitch class sounds: 1 for a typed or held
                                          // note, duration x velocity or chroma energy otherwise
    char spelling[MaxPitchSetNotes][2];   // letter and accidental ('#', 'b', ' ') as notes[i] was
                                          // written; a zero letter where it was not
    bool flats;                           // notes not written are spelled with flats
};

// Nothing sounds.
PitchSet emptyPitchSet();

// Bit p set for every pitch class p in the set.
unsigned pitchMask(const PitchSet& set);

// A note joins the set once, after those already in it, with the given weight
// and spelling (letter 0: not written); a full set or a note already in it
// changes nothing. The first note added is the bass until one is named.
void addPitch(PitchSet& set, int pitchClass, float weight, char letter = 0, char accidental = ' ');

// The strongest pitch classes by weight, at most MaxPitchSetNotes, strongest
// first (the lower pitch class first among equals); classes of no weight
// are left out. The bass stays in the set if it sounds at all: it takes the
// weakest place when it is not among the strongest.
PitchSet strongestPitches(const float (&weight)[PitchClassCount], int bass, bool flats);
