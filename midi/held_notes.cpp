// Held notes (held_notes.h): keys and pedal per keyboard, and the settled chord.
#include "midi/held_notes.h"

#include <cstring>

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

// Gathers every keyboard's keys and notes when that changes the held set.
void noteChange(DWORD now) {
    std::bitset<KeyCount> held;
    for (const HeldKeyboard& keyboard : HeldNotes.keyboards) held |= keyboard.down | keyboard.sustained;
    if (held == HeldNotes.held) return;
    if ((held & ~HeldNotes.held).any()) HeldNotes.pressedSinceSettled = true;
    HeldNotes.held = held;
    HeldNotes.unsettled = true;
    HeldNotes.lastChange = now;
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

// The held keys' pitch classes, lowest key first, five at most: "E G C".
void writeChord(char* text, int* bass) {
    bool named[PitchClassCount] = {};
    int count = 0;
    *bass = NoNote;
    text[0] = '\0';
    for (int key = 0; key < KeyCount && count < MaxEnteredNotes; ++key) {
        const int pitch = key % PitchClassCount;
        if (!HeldNotes.held.test(key) || named[pitch]) continue;
        named[pitch] = true;
        if (count++ == 0) *bass = pitch;
        char* end = text + std::strlen(text);
        if (count > 1) *end++ = ' ';
        *end++ = SharpNames[2 * pitch];
        if (SharpNames[2 * pitch + 1] != ' ') *end++ = SharpNames[2 * pitch + 1];
        *end = '\0';
    }
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
    char chord[ChordTextCapacity];
    int bass;
    writeChord(chord, &bass);
    if (chord[0] == '\0' || std::strcmp(chord, HeldNotes.chordNotes) == 0) return false;
    std::strcpy(HeldNotes.chordNotes, chord);
    HeldNotes.chordBass = bass;
    return true;
}
