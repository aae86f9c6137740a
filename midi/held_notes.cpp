// Held notes (held_notes.h): keys and pedal per keyboard, and the settled chord.
#include "midi/held_notes.h"

#include <algorithm>

HeldNoteState HeldNotes;

namespace {

HeldKeyboard* placeOf(HMIDIIN input) {
    for (HeldKeyboard& keyboard : HeldNotes.keyboards)
        if (keyboard.input == input) return &keyboard;
    return nullptr;
}

// The input's keyboard, given a free place when it is new; nullptr when none is left.
HeldKeyboard* keyboardOf(HMIDIIN input) {
    if (HeldKeyboard* known = placeOf(input)) return known;
    HeldKeyboard* free = placeOf(nullptr);
    if (free) free->input = input;
    return free;
}

unsigned heldPitchClasses() {
    unsigned mask = 0;
    for (int key = 0; key < KeyCount; ++key)
        if (HeldNotes.held.test(key)) mask |= 1u << (key % PitchClassCount);
    return mask;
}

// Gathers every keyboard's keys and notes when that changes the held set.
void noteChange(DWORD now) {
    std::bitset<KeyCount> held;
    for (const HeldKeyboard& keyboard : HeldNotes.keyboards) held |= keyboard.down | keyboard.sustained;
    if (held == HeldNotes.held) return;
    if ((held & ~HeldNotes.held).any()) HeldNotes.pressedSinceSettled = true;
    HeldNotes.held = held;
    HeldNotes.unsettled = true;
    HeldNotes.lastChange = now;
    HeldNotes.lapsed |= pitchMask(HeldNotes.chord) & ~heldPitchClasses();
}

void press(HeldKeyboard& keyboard, int key) { keyboard.down.set(key); }

void release(HeldKeyboard& keyboard, int key) {
    if (keyboard.down.test(key) && keyboard.pedalDown) keyboard.sustained.set(key);
    keyboard.down.reset(key);
}

void pedal(HeldKeyboard& keyboard, bool down) {
    keyboard.pedalDown = down;
    if (!down) keyboard.sustained.reset();
}

// The held keys' pitch classes, lowest key first, five at most.
PitchSet heldChord() {
    PitchSet chord = emptyPitchSet();
    for (int key = 0; key < KeyCount; ++key)
        if (HeldNotes.held.test(key)) addPitch(chord, key % PitchClassCount, 1.0f);
    return chord;
}

bool sameNotes(const PitchSet& one, const PitchSet& other) {
    return one.count == other.count && std::equal(one.notes, one.notes + one.count, other.notes);
}

}  // namespace

void resetHeldNotes() { HeldNotes = HeldNoteState{}; }

void takeMidiMessage(HMIDIIN input, DWORD message, DWORD now) {
    const int status = message & 0xF0, key = (message >> 8) & 0x7F, value = (message >> 16) & 0x7F;
    constexpr int noteOff = 0x80, noteOn = 0x90, controller = 0xB0, sustainPedal = 64;
    const bool keyMessage = status == noteOn || status == noteOff;
    if (!input || (!keyMessage && !(status == controller && key == sustainPedal))) return;
    HeldKeyboard* keyboard = keyboardOf(input);
    if (!keyboard) return;  // more keyboards than places
    if (status == noteOn && value > 0)
        press(*keyboard, key);
    else if (keyMessage)
        release(*keyboard, key);
    else
        pedal(*keyboard, value >= 64);
    noteChange(now);
}

void forgetKeyboard(HMIDIIN input, DWORD now) {
    if (HeldKeyboard* keyboard = input ? placeOf(input) : nullptr) {
        *keyboard = HeldKeyboard{};
        noteChange(now);
    }
}

DWORD settleTime() { return HeldNotes.pressedSinceSettled ? ChordSettleTime : ReleaseSettleTime; }

bool chordSettled(DWORD now) {
    if (!HeldNotes.unsettled || now - HeldNotes.lastChange < settleTime()) return false;
    HeldNotes.unsettled = false;
    HeldNotes.pressedSinceSettled = false;
    const PitchSet chord = heldChord();
    const bool struckAgain = (pitchMask(chord) & HeldNotes.lapsed) != 0;
    if (chord.count == 0 || (sameNotes(chord, HeldNotes.chord) && !struckAgain)) return false;
    HeldNotes.chord = chord;
    HeldNotes.lapsed = 0;
    return true;
}
