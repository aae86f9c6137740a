// A recording file read into a piece: one quick pass over its first minute
// that measures its tuning and how loud it is, then the analysis, both streamed in blocks, so memory does not grow
// with the file's length beyond the piece itself.
#pragma once

#include <string>

#include "piece/timeline.h"

// False with one line saying what is wrong (the piece is then unspecified).
bool readRecording(const std::string& path, Piece& piece, std::string& error);

// The first minute's tuning, in cents from A = 440 Hz, and the RMS of its
// loudest block (0 .. 1 for full scale).
bool measureRecording(const std::string& path, double& cents, float& loudest, std::string& error);
