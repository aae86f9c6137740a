// Form1's picture as the program asks for it: the display draws, and the
// shell adds its part of each step (the focus, the reader file, the entry
// field, the echo of the recognised notes and the chord's name).
#pragma once

#include "analysis/pitch_set.h"

// The whole client area of Form1 repainted from nothing (no spikes), in the
// arrangement of modeNumber; then the focus to the note field and the reader
// file read again.
void paintform();

// Takes in a pending entry ("Enter" was pressed): the note field's text, at
// most 31 characters, from its first non-blank one, and the field emptied.
// Then the spectrum of the current entry in the arrangement of
// displayKeyword, its echo in the recognised-notes field, the name of a new
// entry in the chord field, and the focus to the note field.
void plotSpectrum();

// Shows what sounds as the entry, exactly as if its notes had been typed and
// entered: the note field emptied, the spikes, the echo in the recognised-notes
// field and the chord's name over the set's bass. Nothing is sounded. Chords
// played on a keyboard come in here.
void showPitchSet(const PitchSet& set);
