// Chord naming: the one name that best fits an entry, from the chord
// vocabulary, with its bass: "C/E (C Major, E in the bass)".
//
// The rule, in order:
// 1. a chord whose notes are exactly the entered pitch classes, or (for three
//    notes or more) exactly the entered ones and its perfect fifth, which was
//    left out: "no 5th". Among several: an everyday chord with all its notes
//    first; then the one whose root is the bass; then, in a fixed order of
//    commonness, the everyday chords, the rarer chords, then the everyday and
//    the rarer chords without their fifth, each in vocabulary order; then the
//    root reached first counting up from the bass;
// 2. otherwise the best score among the eleven scored types on the twelve
//    roots, the bass as root first, then commonness, then the root nearest
//    above the bass; such a name is partial, with its match ratio, and its
//    symbol ends in '?';
// 3. a slash and the bass when the bass is not the root.
// Fewer than two notes name nothing; two notes name only a power chord.
// Spelling: a written note keeps the user's spelling ('%' written as 'b'); a
// root or bass that was not written takes flats where the set asks for them,
// as a typed entry with a flat does, sharps otherwise.
// The result lives in fixed fields: no heap, no failure, any entry.
#pragma once

#include "analysis/analysis.h"
#include "analysis/vocabulary.h"

inline constexpr int SymbolCapacity = 16;    // "C#maj9#5sus4/G#", "C#maj7/G#?" and their NUL
inline constexpr int LongNameCapacity = 64;  // "C# Augmented Major 9th Suspended 4th, G# in the bass"

struct ChordName {
    bool named;                       // false: nothing to name; every text below is empty
    bool exact;                       // the entered pitch classes are exactly the chord's,
                                      // or all but its fifth
    bool fifthOmitted;                // exact without the chord's perfect fifth: "no 5th"
    int chord;                        // index into ChordVocabulary
    int root;                         // pitch classes
    int bass;
    int matches;                      // the match ratio matches / divisor, as the
    int divisor;                      // scores count it; equal when exact
    char rootName[3];                 // "Bb", "E#", "C"
    char bassName[3];
    char symbol[SymbolCapacity];      // "C/E", "Bbm7b5", "C7/E?"
    char longName[LongNameCapacity];  // "C Major, E in the bass", "C Dominant 7th, E in the bass, partial 3/4",
                                      // "C Dominant 7th, no 5th, E in the bass"
};

// The name of what sounds, over its bass; a bass that does not sound is
// replaced by the first note.
ChordName nameChord(const PitchSet& set);

// The name of a typed entry over the given bass, a pitch class: the first
// note typed (entry.typed[0]) or, from a keyboard, the lowest key held.
ChordName nameChord(const NoteEntry& entry, int bassPitch);
