// The chord vocabulary that names are chosen from: each chord's degrees above
// its root, its lead-sheet suffix and its long name, in one table that the
// help document shows as well. The table's order is the order of commonness
// that settles a tie between names that fit equally well, so it was fixed
// before any naming was tried: the triads and sevenths people meet every day
// first, the colourful extensions last, and the rarer chords after them all.
// Limits: chords of two to five distinct pitch classes, no two alike; a chord
// of six holds a perfect fifth, and is named only with that fifth left out.
#pragma once

#include <string_view>

#include "analysis/chords.h"
#include "analysis/notenames.h"

inline constexpr int NotScored = -1;  // a chord outside the eleven scored types

struct VocabularyChord {
    const char* degrees;   // "1 3 5 b7 #11": degrees of the major scale, b flat, # sharp
    const char* suffix;    // written after the root: "m7b5"; empty for a major triad
    const char* longName;  // written after the root in the long form
    int chordType;         // its ChordType among the eleven, or NotScored
};

inline constexpr int VocabularySize = 67;

// The first rows are the chords met every day; they win a tie even against
// a rarer chord rooted on the bass (C E G over E is C/E, not Em#5).
inline constexpr int EverydayChordCount = 31;

inline constexpr VocabularyChord ChordVocabulary[VocabularySize] = {
    {"1 3 5", "", "Major", 1},
    {"1 b3 5", "m", "Minor", 0},
    {"1 3 5 b7", "7", "Dominant 7th", 7},
    {"1 b3 5 b7", "m7", "Minor 7th", 6},
    {"1 3 5 7", "maj7", "Major 7th", 8},
    {"1 3 5 6", "6", "Major 6th", 5},
    {"1 b3 5 6", "m6", "Minor 6th", 4},
    {"1 3 5 b7 9", "9", "Dominant 9th", 10},
    {"1 4 5", "sus4", "Suspended 4th", NotScored},
    {"1 2 5", "sus2", "Suspended 2nd", NotScored},
    {"1 b3 b5", "dim", "Diminished", NotScored},
    {"1 b3 b5 b7", "m7b5", "Half-Diminished 7th", NotScored},
    {"1 b3 b5 bb7", "dim7", "Diminished 7th", 3},
    {"1 3 #5", "aug", "Augmented", 2},
    {"1 5", "5", "Power Chord", NotScored},
    {"1 3 5 9", "add9", "Added 9th", NotScored},
    {"1 b3 5 b7 9", "m9", "Minor 9th", NotScored},
    {"1 3 5 7 9", "maj9", "Major 9th", NotScored},
    {"1 4 5 b7", "7sus4", "Dominant 7th Suspended 4th", NotScored},
    {"1 3 5 b7 b9", "7b9", "Dominant Minor 9th", 9},
    {"1 b3 5 9", "madd9", "Minor Added 9th", NotScored},
    {"1 3 5 6 9", "6/9", "Six-Nine", NotScored},
    {"1 b3 5 6 9", "m6/9", "Minor Six-Nine", NotScored},
    {"1 b3 5 7", "mMaj7", "Minor-Major 7th", NotScored},
    {"1 4 5 b7 9", "9sus4", "Dominant 9th Suspended 4th", NotScored},
    {"1 3 5 b7 #9", "7#9", "Dominant 7th Sharp 9th", NotScored},
    {"1 3 #5 b7", "7#5", "Augmented 7th", NotScored},
    {"1 3 b5 b7", "7b5", "Dominant 7th Flat 5th", NotScored},
    {"1 3 #5 7", "maj7#5", "Augmented Major 7th", NotScored},
    {"1 3 5 b7 #11", "7#11", "Dominant 7th Sharp 11th", NotScored},
    {"1 3 5 7 #11", "maj7#11", "Major 7th Sharp 11th", NotScored},
    // The rarer chords.
    {"1 3 b5 7", "maj7b5", "Major 7th Flat 5th", NotScored},
    {"1 3 b5 b7 9", "9b5", "Dominant 9th Flat 5th", NotScored},
    {"1 3 #5 b7 9", "9#5", "Augmented 9th", NotScored},
    {"1 b3 5 7 9", "mMaj9", "Minor-Major 9th", NotScored},
    {"1 b3 b5 7", "mMaj7b5", "Minor-Major 7th Flat 5th", NotScored},
    {"1 3 5 b7 9 13", "13", "Dominant 13th", NotScored},  // six notes: named only without its fifth
    {"1 3 #5 b7 #9", "7#5#9", "Augmented 7th Sharp 9th", NotScored},
    {"1 3 #5 b7 b9", "7#5b9", "Augmented 7th Flat 9th", NotScored},
    {"1 4 5 7", "maj7sus4", "Major 7th Suspended 4th", NotScored},
    {"1 b3 #5 b7", "m7#5", "Minor 7th Sharp 5th", NotScored},
    {"1 b3 5 b7 11", "m7add11", "Minor 7th Added 11th", NotScored},
    {"1 b3 4 5", "madd11", "Minor Added 11th", NotScored},
    {"1 3 5 b7 13", "7add13", "Dominant 7th Added 13th", NotScored},
    {"1 3 5 b7 b13", "7b13", "Dominant 7th Flat 13th", NotScored},
    {"1 3 5 7 b9", "maj7b9", "Major 7th Flat 9th", NotScored},
    {"1 3 5 b9", "addb9", "Added Flat 9th", NotScored},
    {"1 3 5 6 #11", "6#11", "Major 6th Sharp 11th", NotScored},
    {"1 3 #5 7 9", "maj9#5", "Augmented Major 9th", NotScored},
    {"1 b3 #5 b7 9", "m9#5", "Minor 9th Sharp 5th", NotScored},
    {"1 b3 b5 b7 9", "m9b5", "Half-Diminished 9th", NotScored},
    {"1 2 4 5", "sus2sus4", "Suspended 2nd and 4th", NotScored},
    {"1 4 5 b7 b9", "7b9sus4", "Dominant Minor 9th Suspended 4th", NotScored},
    {"1 4 5 7 9", "maj9sus4", "Major 9th Suspended 4th", NotScored},
    {"1 4 #5 b7", "7#5sus4", "Augmented 7th Suspended 4th", NotScored},
    {"1 3 b5", "(b5)", "Major Flat 5th", NotScored},
    {"1 b3 #5", "m#5", "Minor Sharp 5th", NotScored},
    {"1 3 #5 9", "augadd9", "Augmented Added 9th", NotScored},
    {"1 3 #5 #9", "augadd#9", "Augmented Added Sharp 9th", NotScored},
    {"1 b3 #5 7", "mMaj7#5", "Minor-Major 7th Sharp 5th", NotScored},
    {"1 b3 5 b6 7", "mMaj7b6", "Minor-Major 7th Flat 6th", NotScored},
    {"1 b3 b5 bb7 7", "dim7maj7", "Diminished 7th Added Major 7th", NotScored},
    {"1 3 b5 7 9", "maj9b5", "Major 9th Flat 5th", NotScored},
    {"1 4 #5 7", "maj7#5sus4", "Augmented Major 7th Suspended 4th", NotScored},
    {"1 4 #5 7 9", "maj9#5sus4", "Augmented Major 9th Suspended 4th", NotScored},
    {"1 b3 #5 b9", "m#5b9", "Minor Sharp 5th Flat 9th", NotScored},
    {"1 4 b7 b10", "quartal", "Quartal", NotScored},
};

// Semitones above the root of one degree such as "b7", "#11" or "bb7", or
// NoNote for a text that is not a degree.
constexpr int degreeSemitones(std::string_view degree) {
    int shift = 0;
    while (!degree.empty() && (degree[0] == 'b' || degree[0] == '#')) {
        shift += degree[0] == '#' ? 1 : -1;
        degree.remove_prefix(1);
    }
    // Semitones of the major scale's degrees 1 to 13 above the root.
    constexpr int ScaleSemitones[14] = {NoNote, 0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21};
    int number = 0;
    for (char c : degree) {
        if (c < '0' || c > '9' || number > 13) return NoNote;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 13) return NoNote;
    return ((ScaleSemitones[number] + shift) % 12 + 12) % 12;
}

// The chord's pitch classes on C as a 12-bit set, bit p for pitch class p.
// A degree that is not one gives an empty set, which the checks below reject.
constexpr unsigned vocabularyShape(int chord) {
    std::string_view degrees = ChordVocabulary[chord].degrees;
    unsigned shape = 0;
    while (!degrees.empty()) {
        std::size_t blank = degrees.find(' ');
        int semitones = degreeSemitones(degrees.substr(0, blank));
        if (semitones == NoNote) return 0;
        shape |= 1u << semitones;
        degrees.remove_prefix(blank == std::string_view::npos ? degrees.size() : blank + 1);
    }
    return shape;
}

constexpr int shapeSize(unsigned shape) {
    int size = 0;
    for (; shape != 0; shape &= shape - 1) ++size;
    return size;
}

// A scored type's notes on C, read from its template by name.
constexpr unsigned templateShape(int type) {
    const char* text = ChordTemplates[type].text;
    unsigned shape = 0;
    for (int slot = 0; slot < ChordTemplates[type].noteCount; ++slot) {
        const char name[] = {text[2 * slot], text[2 * slot + 1], '\0'};
        shape |= 1u << lookupNote(name);
    }
    return shape;
}

// Every chord's set on C, read once.
struct VocabularyShapes {
    unsigned onC[VocabularySize];
};

constexpr VocabularyShapes buildShapes() {
    VocabularyShapes shapes{};
    for (int chord = 0; chord < VocabularySize; ++chord) shapes.onC[chord] = vocabularyShape(chord);
    return shapes;
}

inline constexpr VocabularyShapes ShapeOnC = buildShapes();

inline constexpr int FifthSemitones = 7;

constexpr bool holdsFifth(unsigned shape) { return (shape >> FifthSemitones & 1u) != 0; }

// Calls `each` with every blank-separated degree of the text.
template <typename Each>
constexpr void forEachDegree(std::string_view degrees, Each each) {
    while (!degrees.empty()) {
        std::size_t blank = degrees.find(' ');
        each(degrees.substr(0, blank));
        degrees.remove_prefix(blank == std::string_view::npos ? degrees.size() : blank + 1);
    }
}

// Whether the degrees include that one as written.
constexpr bool listsDegree(std::string_view degrees, std::string_view degree) {
    bool listed = false;
    forEachDegree(degrees, [&](std::string_view each) { listed = listed || each == degree; });
    return listed;
}

constexpr int degreeCount(const char* degrees) {
    int count = 1;
    for (; *degrees != '\0'; ++degrees) count += *degrees == ' ';
    return count;
}

// What naming relies on: every chord holds its root, two to five distinct
// notes (six with a fifth to leave out), one shape per chord, the perfect
// fifth written "5", and the scored types as their templates spell them and
// named as the name box names them, all among the everyday chords.
constexpr bool vocabularyIsSound() {
    int timesScored[ChordTypeCount] = {};
    for (int chord = 0; chord < VocabularySize; ++chord) {
        unsigned shape = ShapeOnC.onC[chord];
        int size = shapeSize(shape);
        if ((shape & 1u) == 0 || size < 2 || size > MaxChordNotes + holdsFifth(shape)) return false;
        if (size != degreeCount(ChordVocabulary[chord].degrees)) return false;
        if (holdsFifth(shape) != listsDegree(ChordVocabulary[chord].degrees, "5")) return false;
        for (int other = 0; other < chord; ++other)
            if (ShapeOnC.onC[other] == shape) return false;
        int type = ChordVocabulary[chord].chordType;
        if (type == NotScored) continue;
        if (type < 0 || type >= ChordTypeCount || chord >= EverydayChordCount || templateShape(type) != shape)
            return false;
        if (std::string_view(ChordVocabulary[chord].longName) != ChordTypeNames[type].name) return false;
        ++timesScored[type];
    }
    for (int times : timesScored)
        if (times != 1) return false;
    return true;
}

static_assert(vocabularyIsSound());
