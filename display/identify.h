// Naming the chord of a clicked spike.
#pragma once

// Maps a click to a slot and prints its chord in the name box. The click is
// in pixels right of Form1's outer left edge (clickX) and up from its outer
// bottom edge (clickY).
void identifySpike(int clickX, int clickY);
