// Looking for MIDI keyboards: Windows gives no notice of a device plugged in
// or pulled out, so the program compares, every so often, the inputs it has
// open with the devices present, by name, and closes quietly those that have
// gone and opens those that are new or have come back.
#pragma once

#include "platform/win32.h"

#include "midi/held_notes.h"

typedef char DeviceName[MAXPNAMELEN];

struct DeviceScan {
    int close[MaxKeyboards];  // places in the open list whose device has gone
    int closeCount;
    UINT open[MaxKeyboards];  // device ids present and not open, first come first
    int openCount;
};

// What to close and what to open; never more open than MaxKeyboards, and of
// devices present under one name only the first.
DeviceScan planDeviceScan(const DeviceName* openNames, int openCount, const DeviceName* presentNames,
                          int presentCount);
