// A piece's chords as MIREX lab lines, "start<TAB>end<TAB>label": seconds
// with three decimals and Harte labels, "N" for no chord. The one writer of
// the format: tonvisor-cli --chords --lab prints it, the piece window saves it.
#pragma once

#include <cstddef>
#include <string>

#include "piece/timeline.h"

inline constexpr std::size_t LabLineBound = 256;  // bytes one line may take, its newline and a zero included

// One segment's line, newline included, at `at` (LabLineBound bytes of room);
// returns the end of what it wrote.
char* writeLabLine(char* at, const PieceSegment& segment);

// Every segment's line, in order.
std::string labText(const Piece& piece);
