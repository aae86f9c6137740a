// MIREX lab lines (lab.h).
#include "piece/lab.h"

#include <cstdio>

#include "analysis/harte.h"

char* writeLabLine(char* at, const PieceSegment& segment) {
    return at + std::snprintf(at, LabLineBound, "%.3f\t%.3f\t%s\n", segment.start, segment.end,
                              harteLabel(segment.name).text);
}

std::string labText(const Piece& piece) {
    std::string text;
    char line[LabLineBound];
    for (const PieceSegment& segment : piece.segments) text.append(line, writeLabLine(line, segment));
    return text;
}
