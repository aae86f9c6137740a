// The chord spectrogram drawn once into a bitmap: a column of pixels for each
// pixel of time at the current zoom, a row for each of the 132 chords in the
// arrangement (slot 0 in the bottom row). A cell has its spike's colour,
// darker toward the ground the spikes stand on as its score falls: a score of
// 2.0 is the spike's colour itself, 0 the ground.
#pragma once

#include <cstdint>

inline constexpr int ChordRows = 132;

// The score matrix cell and the spike's colour index (pen 20 + index) of a
// slot: by key slot = 11 x root + type, coloured by type; by chord slot = 12 x
// type + root, coloured by root.
int cellOfSlot(int slot, bool byChord, int* colourIndex);

// A cell's colour as 0x00RRGGBB.
std::uint32_t cellColour(int colourIndex, float score);

// The ground the spikes stand on, 0x00RRGGBB.
std::uint32_t groundColour();

// Draws PieceWindow.bitmap again if the zoom or the arrangement changed
// since, or only its new columns where the piece grew.
void updateBitmap();
