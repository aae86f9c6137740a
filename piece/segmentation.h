// A MIDI file's chords over time: the score's beats become the piece's
// columns (what sounds in each beat and its 132 scores) and its segments
// (one chord per span of the harmony, consecutive equal chords merged),
// each scored and named from its note model exactly as typed notes are.
#pragma once

#include "piece/midi_score.h"
#include "piece/timeline.h"

void analyseScore(const MidiScore& score, Piece& piece);
