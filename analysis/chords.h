// The eleven chord types, each spelled on C in two-character note slots.
#pragma once

inline constexpr int ChordTypeCount = 11;
inline constexpr int MaxChordNotes = 5;

struct ChordTemplate {
    const char* text;  // note slots read with lookupNote
    int noteCount;     // half the text's length; also the score's divisor
};

// In ChordType order: the order of every chord list the program shows.
inline constexpr ChordTemplate ChordTemplates[ChordTypeCount] = {
    {"C E*G ", 3},      // Minor
    {"C E G ", 3},      // Major
    {"C E G#", 3},      // Augmented
    {"C E*G*A ", 4},    // Diminished 7th
    {"C E*G A ", 4},    // Minor 6th
    {"C E G A ", 4},    // Major 6th
    {"C E*G B*", 4},    // Minor 7th
    {"C E G B*", 4},    // Dominant 7th
    {"C E G B ", 4},    // Major 7th
    {"C E G B*D*", 5},  // Dominant Min9th
    {"C E G B*D ", 5},  // Dominant 9th
};
