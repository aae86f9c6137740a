// Opening a piece: the one place that tells the kinds of file apart, by
// their content and never by their names, and hands each to its reader.
#pragma once

#include <cstddef>
#include <string>

#include "piece/timeline.h"

inline constexpr std::size_t LargestMidiFile = 16u << 20;  // bytes; far beyond any real song

// Reads the file at `path` into `piece`. On failure returns false with one
// line in `error` that says what is wrong ("not a MIDI file: the header chunk
// is 3 bytes long"), and `piece` holds nothing to show.
bool readPiece(const std::string& path, Piece& piece, std::string& error);

// A Standard MIDI File's bytes, read and analysed; `path` names the piece.
bool readMidiPiece(const unsigned char* bytes, std::size_t size, const std::string& path, Piece& piece,
                   std::string& error);
