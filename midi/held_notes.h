// Held notes: the keys held on the MIDI keyboards, the sustain pedal, and the
// chord they form once the hands have settled.
//
// Keys count from any channel; a note-on with velocity 0 is a note-off; the
// sustain pedal (controller 64 at 64 or more) keeps the keys let go on its own
// keyboard held until it is lifted. The chord is the note model of the held
// keys: their distinct pitch classes, lowest key first, at most the five
// lowest, each of weight 1; the lowest key is its bass. A change counts once
// the held keys have stayed the same for ChordSettleTime, or for
// ReleaseSettleTime when keys were only let go: a hand lifting off a chord
// leaves it key by key, and what it leaves on the way is no chord. Letting go
// of every key keeps the last chord. A chord is played when the held keys
// settle into other notes than the last chord's, or into the same notes once
// one of them has stopped sounding on the way (struck again, after the hands
// lifted or not); a chord held still, or joined by a key doubling one of its
// notes, is not played again. Times are milliseconds from any clock.
#pragma once

#include "analysis/analysis.h"
#include "platform/win32.h"

#include <bitset>

inline constexpr int KeyCount = 128;
inline constexpr int MaxKeyboards = 16;
inline constexpr DWORD ChordSettleTime = 30;
inline constexpr DWORD ReleaseSettleTime = 250;

struct HeldKeyboard {
    HMIDIIN input = nullptr;           // nullptr: a free place
    std::bitset<KeyCount> down;        // keys held down
    std::bitset<KeyCount> sustained;   // let go while the pedal was down
    bool pedalDown = false;
};

struct HeldNoteState {
    HeldKeyboard keyboards[MaxKeyboards];
    std::bitset<KeyCount> held;        // down or sustained, on any keyboard
    bool unsettled = false;            // the held keys changed since the chord was last looked for
    bool pressedSinceSettled = false;  // ... and a key went down among the changes
    DWORD lastChange = 0;
    PitchSet chord = emptyPitchSet();  // the last chord played; no notes before the first
    unsigned lapsed = 0;               // its pitch classes (bit p) that stopped sounding since
};

extern HeldNoteState HeldNotes;

// Nothing held, no chord yet.
void resetHeldNotes();
// A short message (MM_MIM_DATA's lParam) from an input, arriving at now.
void takeMidiMessage(HMIDIIN input, DWORD message, DWORD now);
// The input has gone: its keys count as let go, its pedal as lifted.
void forgetKeyboard(HMIDIIN input, DWORD now);
// How long after the last change the held keys settle.
DWORD settleTime();
// True once for each chord played: HeldNotes.chord then holds it.
bool chordSettled(DWORD now);
