// Chord labels in the plain-text syntax that chord-recognition evaluations
// read (Harte's notation, as in MIREX .lab files): the root, a colon, a
// shorthand or a list of degrees, and the bass as a degree: "C:maj/3",
// "A:min7", "C:7(*5)", "C:maj6(9)", "C:(1,4,b7,b10)"; "N" for no chord.
#pragma once

#include "analysis/naming.h"

inline constexpr int HarteCapacity = 32;

struct HarteLabel {
    char text[HarteCapacity];
};

// The label of what the name names, a partial name's chord included: the
// shorthand with the most of the chord's degrees where one has three or more
// (or all of them), the other degrees in brackets, an omitted fifth as *5;
// otherwise every degree in brackets. The bass, when it is not the root, as
// its degree in the chord within the octave (/3, /b7, /2 for a 9th), or as a
// plain interval when it is not in the chord. "N" for a name that names nothing.
HarteLabel harteLabel(const ChordName& name);
