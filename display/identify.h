// Naming the chord of a clicked spike.
#pragma once

// The chord of a named spike: its type (ChordType order) and its root
// (DisplayRoot, A = 0); named is false when the click fell on no spike.
struct SpikeChord {
    bool named;
    int type;
    int root;
};

// Maps a click to a slot and prints its chord in the name box. The click is
// in pixels right of Form1's outer left edge (clickX) and up from its outer
// bottom edge (clickY).
SpikeChord identifySpike(int clickX, int clickY);
