// The spike plot: the chosen arrangement redrawn, the entry scored and its
// 132 spikes drawn, and the click prompt.
#pragma once

#include "analysis/pitch_set.h"

// displayKeyword "dispc" arranges by chord, anything else (the empty text
// too) by key. Without an entry (nullptr) no spikes are drawn and no analysis
// runs; an entry in which no note was recognised is analysed and drawn, all
// its spikes at zero. Returns the analysis's echo of the recognised notes, or
// nullptr without an entry.
const char* drawSpectrum(const PitchSet* entry, const char* displayKeyword);
