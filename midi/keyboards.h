// The MIDI keyboards played in: every input device opened with its data sent
// to one window as MM_MIM_DATA, kept by device name, and what a short status
// text says about them.
//
// A scan compares the inputs open with the devices present (planDeviceScan):
// an input whose device has gone is closed quietly and its keys count as let
// go; a device that is new, or back under the same name, is opened and
// started. A device that cannot be opened now is tried again at the next
// scan. An input lost while open (MM_MIM_CLOSE unasked) is closed the same
// way at the next scan, before the devices are looked at, so that a keyboard
// already back under its name is opened again in that scan. Data from an input that is no longer open (still queued when it was
// closed) is not the keyboards' any more: isKeyboardInput tells.
#pragma once

#include "midi/devices.h"
#include "platform/win32.h"

inline constexpr int MaxListedDevices = 64;   // devices looked at in one scan
inline constexpr int StatusCapacity = 24 + MaxKeyboards * (MAXPNAMELEN + 2);

struct KeyboardRecord {
    HMIDIIN inputs[MaxKeyboards];     // open and started, in the order opened
    DeviceName names[MaxKeyboards];   // each input's device
    bool lost[MaxKeyboards];          // lost while open: closed at the next scan
    int count;
};

extern KeyboardRecord Keyboards;

// Nothing open (between tests; it closes nothing).
void resetKeyboards();
// One scan at `now` (milliseconds, as for the held notes); returns whether an
// input was opened or closed.
bool scanKeyboards(HWND window, DWORD now);
// Closes every input (the window is going).
void closeKeyboards(DWORD now);
// The input was lost while open; nothing for one that is not a keyboard (any more).
void markKeyboardLost(HMIDIIN input);
bool isKeyboardInput(HMIDIIN input);
// "MIDI: none", "MIDI: 1 input (NAME)", "MIDI: 2 inputs (NAME, NAME)".
void describeKeyboards(char (&text)[StatusCapacity]);
