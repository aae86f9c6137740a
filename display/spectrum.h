// The analysis run: take in a pending entry, redraw the chosen arrangement,
// score the current entry and draw its 132 spikes.
#pragma once

extern int enterPending;        // 1 once "Enter" was pressed, until the entry is taken in
extern char currentEntry[32];   // the last entry, from its first non-blank character
extern char displayKeyword[6];  // "dispc" arranges by chord; anything else by key

void plotSpectrum();
