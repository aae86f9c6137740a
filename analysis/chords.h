// The eleven chord types: each spelled on C in two-character note slots, and
// named in the forms the program's lists and name box show. Both tables run
// in ChordType order, the order of every chord list the program shows.
#pragma once

inline constexpr int ChordTypeCount = 11;
inline constexpr int MaxChordNotes = 5;

struct ChordTemplate {
    const char* text;  // note slots read with lookupNote
    int noteCount;     // half the text's length; also the score's divisor
};

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

struct ChordTypeName {
    const char* symbol;        // written after the root: "m" in "Cm"; Major has none
    const char* name;          // in full, as the name box shows it
    const char* shortName;     // at most 15 characters: the by-key legend, tonvisor-cli
    const char* abbreviation;  // the by-chord captions
};

inline constexpr ChordTypeName ChordTypeNames[ChordTypeCount] = {
    {"m", "Minor", "Minor", "Min"},
    {"", "Major", "Major", "Maj"},
    {"+", "Augmented", "Augmented", "Aug"},
    {"dim7", "Diminished 7th", "Diminished 7th", "Dim7"},
    {"m6", "Minor 6th", "Minor 6th", "Min6"},
    {"6", "Major 6th", "Major 6th", "Maj6"},
    {"m7", "Minor 7th", "Minor 7th", "Min7"},
    {"7", "Dominant 7th", "Dominant 7th", "Dom7"},
    {"maj7", "Major 7th", "Major 7th", "Maj7"},
    {"7-9", "Dominant Minor 9th", "Dominant Min9th", "Dom M7-9"},
    {"9", "Dominant 9th", "Dominant 9th", "Dom9"},
};
