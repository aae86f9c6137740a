// Naming the chord of a clicked spike.
#pragma once

extern int buttonDown;  // 1 from a press over the form until a release reaches it
extern int clickX;      // pixels right of Form1's outer left edge
extern int clickY;      // pixels up from Form1's outer bottom edge

extern const char rootNames[];   // 12 roots of 2 characters, display order A .. G#
extern const char chordNames[];  // 11 chord types of 24 characters, blank-filled

// Maps clickX, clickY to a slot and prints its chord in the name box.
void identifySpike();
