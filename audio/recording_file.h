// A recording file read into a piece: one quick pass over its first minute
// that measures its tuning, then the analysis, both streamed in blocks, so memory does not grow
// with the file's length beyond the piece itself.
#pragma once

#include <string>

#include "piece/timeline.h"

// False with one line saying what is wrong (the piece is then unspecified).
bool readRecording(const std::string& path, Piece& piece, std::string& error);

// Only the tuning of the first minute, in cents from A = 440 Hz.
bool measureRecordingTuning(const std::string& path, double& cents, std::string& error);
