// tonvisor-cli --chords FILE: the chords of a whole piece, one line per
// segment as text, as MIREX lab lines, or as one JSON object.
#pragma once

#include "cli/report_buffer.h"
#include "piece/timeline.h"

enum class ChordsFormat { Text, Lab, Json };

// The piece's segments in the format, into `out`.
void writeChordsReport(const Piece& piece, ChordsFormat format, ReportBuffer& out);
