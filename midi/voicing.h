// Which keys a chord sounds as: the notes of an entry or of a clicked spike,
// stacked upward from C3 as MIDI key numbers. No platform calls.
#pragma once

#include "analysis/analysis.h"

inline constexpr int VoicingBass = 48;  // C3: a voicing's lowest key lies in the octave from here
inline constexpr int MaxVoicedNotes = MaxEnteredNotes > MaxChordNotes ? MaxEnteredNotes : MaxChordNotes;

struct Voicing {
    int keys[MaxVoicedNotes];  // MIDI key numbers, ascending
    int count;
};

// "Enter": the recognised notes in the order typed, each once. The first is
// the bass, in the octave from C3; each further note is the next key above the
// one before it.
Voicing voiceEntry(const NoteEntry& entry);

// What sounds: its bass first, in the octave from C3, then its other notes in
// the set's order, each the next key above the one before.
Voicing voicePitches(const PitchSet& set);

// A spike: the chord type on a root (a pitch class, C = 0) in root position,
// the root in the octave from C3. MatchMatrix's root r (A = 0) is pitch class
// (r + 9) % 12.
Voicing voiceChord(int chordType, int root);
