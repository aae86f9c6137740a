// Harte labels, the chord syntax of MIREX evaluations and chord annotation
// files: "C:maj", "A:min7/b3", "N" for no chord.
#pragma once

#include "analysis/naming.h"

inline constexpr int HarteCapacity = 32;  // "F#:sus4(b7,9)/b7" and its NUL

struct HarteLabel {
    char text[HarteCapacity];
};

// The label of a chord name: its root, its quality and the bass as a degree
// of the chord when it is not the root; "N" for a name that names nothing.
HarteLabel harteLabel(const ChordName& name);
