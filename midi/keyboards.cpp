// The keyboards played in (keyboards.h): scanning, opening, closing, the status.
#include "midi/keyboards.h"

#include <cstdio>
#include <cstring>

#include "midi/held_notes.h"

KeyboardRecord Keyboards = {};

namespace {

// The devices present now, by name, in device-id order.
int listDevices(DeviceName (&names)[MaxListedDevices]) {
    const UINT present = midiInGetNumDevs();
    int count = 0;
    for (UINT id = 0; id < present && count < MaxListedDevices; ++id) {
        MIDIINCAPSA caps = {};
        if (midiInGetDevCapsA(id, &caps, sizeof caps) != MMSYSERR_NOERROR) caps.szPname[0] = '\0';
        std::memcpy(names[count], caps.szPname, MAXPNAMELEN);
        names[count++][MAXPNAMELEN - 1] = '\0';
    }
    return count;
}

// Quietly: its keys are let go, and nothing tells the person but the status.
void closePlace(int place, DWORD now) {
    HMIDIIN input = Keyboards.inputs[place];
    midiInReset(input);
    midiInClose(input);
    forgetKeyboard(input, now);
    for (int later = place + 1; later < Keyboards.count; ++later) {
        Keyboards.inputs[later - 1] = Keyboards.inputs[later];
        Keyboards.lost[later - 1] = Keyboards.lost[later];
        std::memcpy(Keyboards.names[later - 1], Keyboards.names[later], MAXPNAMELEN);
    }
    --Keyboards.count;
}

bool openDevice(HWND window, UINT id, const DeviceName& name) {
    HMIDIIN input = nullptr;
    if (midiInOpen(&input, id, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
        return false;
    midiInStart(input);
    Keyboards.inputs[Keyboards.count] = input;
    Keyboards.lost[Keyboards.count] = false;
    std::memcpy(Keyboards.names[Keyboards.count++], name, MAXPNAMELEN);
    return true;
}

}  // namespace

void resetKeyboards() { Keyboards = KeyboardRecord{}; }

// From the last place back, so that the places still to close stay where they were.
bool closeLost(DWORD now) {
    bool closed = false;
    for (int place = Keyboards.count - 1; place >= 0; --place)
        if (Keyboards.lost[place]) {
            closePlace(place, now);
            closed = true;
        }
    return closed;
}

bool scanKeyboards(HWND window, DWORD now) {
    const bool closedLost = closeLost(now);
    DeviceName present[MaxListedDevices];
    const int presentCount = listDevices(present);
    const DeviceScan scan = planDeviceScan(Keyboards.names, Keyboards.count, present, presentCount);
    for (int i = scan.closeCount - 1; i >= 0; --i) closePlace(scan.close[i], now);
    bool changed = closedLost || scan.closeCount > 0;
    for (int i = 0; i < scan.openCount; ++i) changed |= openDevice(window, scan.open[i], present[scan.open[i]]);
    return changed;
}

void closeKeyboards(DWORD now) {
    while (Keyboards.count > 0) closePlace(Keyboards.count - 1, now);
}

void markKeyboardLost(HMIDIIN input) {
    for (int place = 0; place < Keyboards.count; ++place)
        if (input && Keyboards.inputs[place] == input) Keyboards.lost[place] = true;
}

bool isKeyboardInput(HMIDIIN input) {
    for (int place = 0; place < Keyboards.count; ++place)
        if (input && Keyboards.inputs[place] == input) return true;
    return false;
}

void describeKeyboards(char (&text)[StatusCapacity]) {
    if (Keyboards.count == 0) {
        std::snprintf(text, sizeof text, "MIDI: none");
        return;
    }
    const int count = Keyboards.count;
    int length = std::snprintf(text, sizeof text, "MIDI: %d input%s (", count, count == 1 ? "" : "s");
    for (int place = 0; place < count; ++place)
        length += std::snprintf(text + length, sizeof text - length, "%s%s", place > 0 ? ", " : "",
                                Keyboards.names[place]);
    std::snprintf(text + length, sizeof text - length, ")");
}
