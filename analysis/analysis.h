// Chord analysis: an entry text becomes a set of pitch classes, and every
// chord type on every root gets a score for how well the notes fit it.
#pragma once

#include "analysis/chords.h"
#include "analysis/notenames.h"

inline constexpr int RootCount = 12;
inline constexpr int MaxEnteredNotes = 5;
inline constexpr int EchoCapacity = 2 + 3 * MaxEnteredNotes + 1;

struct NoteEntry {
    int notes[MaxEnteredNotes];    // pitch classes, ascending; NoNote in empty places
    int typed[MaxEnteredNotes];    // the same in the order typed: echo place i spells typed[i]
    int count;                     // notes taken, 0..5
    bool seen[PitchClassCount];    // which pitch classes were taken
    char echo[EchoCapacity];       // the recognised-notes text
};

// Reads note names out of an entry of any length; never fails.
NoteEntry parseEntry(const char* entry);

// Scores, row ChordType, column DisplayRoot (A = 0 ... G# = 11): type * 12 + root.
extern float MatchMatrix[ChordTypeCount * RootCount];

// Fills MatchMatrix for the entry and returns its echo, held until the next call.
const char* runAnalysis(const char* entry);
