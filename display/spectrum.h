// The spike plot: the chosen arrangement redrawn, the entry scored and its
// 132 spikes drawn, and the click prompt.
#pragma once

// displayKeyword "dispc" arranges by chord, anything else (the empty text
// too) by key. An empty entry draws no spikes and runs no analysis. Returns
// the analysis's echo of the recognised notes, or nullptr without an entry.
const char* drawSpectrum(const char* entry, const char* displayKeyword);
