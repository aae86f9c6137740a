// Chord analysis: an entry text becomes a set of pitch classes, and every
// chord type on every root gets a score for how well the notes fit it. Also
// the names of roots and chord types that every list of them shows.
#pragma once

#include <string_view>

#include "analysis/chords.h"
#include "analysis/notenames.h"
#include "analysis/pitch_set.h"

inline constexpr int RootCount = 12;
inline constexpr int MaxEnteredNotes = MaxPitchSetNotes;
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

// The entry as the note model: its notes in the order typed, as typed, over
// the given bass (a pitch class), or over the first note typed when the
// entry does not hold that bass.
PitchSet pitchSetOf(const NoteEntry& entry, int bassPitch);

// Roots are counted from A (DisplayRoot: A = 0 ... G# = 11), the order of
// every root list the program shows.
constexpr int displayRootOf(int pitchClass) { return (pitchClass + 3) % RootCount; }

// A root's name: the sharp name of its pitch class, "A", "A#" ... "G#".
constexpr std::string_view rootName(int root) {
    const char* slot = SharpNames + 2 * ((root + 9) % RootCount);
    return std::string_view(slot, slot[1] == ' ' ? 1 : 2);
}

// The cell of chord type t on root r in the score matrix: row t, column r.
constexpr int matchCell(int type, int root) { return type * RootCount + root; }

struct AnalysisRecord {
    float MatchMatrix[ChordTypeCount * RootCount];  // scores 0.0 .. 2.0 by matchCell
    PitchSet pitches;                               // what sounded in the last analysis
    char echo[EchoCapacity];                        // its recognised-notes text
};

extern AnalysisRecord Analysis;
extern float (&MatchMatrix)[ChordTypeCount * RootCount];

inline float matchScore(int type, int root) { return MatchMatrix[matchCell(type, root)]; }

// The 132 scores of what sounds, by matchCell; the weights do not count.
void scoreChords(const PitchSet& set, float (&scores)[ChordTypeCount * RootCount]);

// The recognised-notes text of what sounds: two blanks, then each note in
// the set's order as a letter, an accidental ('#', '%' or a blank) and a
// blank. A written note keeps its letter and accidental; one not written
// takes its sharp name, or its flat name where the set asks for flats. The
// echo of a typed entry's set is the parse's echo.
void writeEcho(const PitchSet& set, char (&echo)[EchoCapacity]);

// Fills MatchMatrix and Analysis for what sounds and returns its echo, held
// until the next call.
const char* runAnalysis(const PitchSet& set);

// The same for an entry's text, its first note typed the bass.
const char* runAnalysis(const char* entry);

// Back to the state at start: no entry, every score 0.
void resetAnalysis();
