// Note names: the three name tables and the lookup that reads them.
// Slot i of a table (two characters) names pitch class i, counted from C.
// Inside the program a flat is written '*'; the user types '%'.
#pragma once

#include <string_view>

inline constexpr int PitchClassCount = 12;
inline constexpr int NoNote = 99;  // a name that is not a note; an empty place in a note list

inline constexpr char SharpNames[] = "C C#D D#E F F#G G#A A#B ";
inline constexpr char FlatNames[] = "C D*D E*E F G*G A*A B*B ";
inline constexpr char EnharmonicNames[] = "B#C#D D#F*E#F#G G#A A#C*";
inline constexpr const char* NoteNameTables[3] = {SharpNames, FlatNames, EnharmonicNames};

// Only ASCII letters change case: bytes above 127 mean nothing here.
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The pitch class named by a one- or two-character name, or NoNote.
constexpr int lookupNote(std::string_view name) {
    if (name.empty() || name.size() > 2) return NoNote;
    char first = upperAscii(name[0]);
    char second = name.size() == 1 ? ' ' : upperAscii(name[1]);
    if (second == '%') second = '*';
    for (const char* table : NoteNameTables)
        for (int slot = 0; slot < PitchClassCount; ++slot)
            if (table[2 * slot] == first && table[2 * slot + 1] == second) return slot;
    return NoNote;
}
