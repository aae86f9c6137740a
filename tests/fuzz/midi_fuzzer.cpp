// Any bytes as a MIDI file: the reader either says what is wrong, with
// nothing read, or gives a piece whose columns cover it without gaps, whose
// segments follow each other in order, each named from its own notes, and
// whose messages are in time order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "piece/piece_file.h"

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "midi fuzzer: %s\n", what);
    std::abort();
}

void checkPiece(const Piece& piece) {
    double at = 0;
    for (const PieceColumn& column : piece.columns) {
        if (column.start != at || !(column.end > column.start)) broken("a gap or an empty column");
        if (column.pitches.count > MaxPitchSetNotes) broken("more than five pitch classes");
        at = column.end;
    }
    if (!piece.columns.empty() && at != piece.duration) broken("the columns end before the piece");
    double segmentEnd = 0;
    for (const PieceSegment& segment : piece.segments) {
        if (segment.start != segmentEnd || !(segment.end > segment.start)) broken("segments out of order");
        const ChordName name = nameChord(segment.pitches);
        if (name.named != segment.name.named || std::strcmp(name.symbol, segment.name.symbol) != 0)
            broken("a segment's name is not its notes' name");
        segmentEnd = segment.end;
    }
    for (std::size_t i = 1; i < piece.messages.size(); ++i)
        if (piece.messages[i].time < piece.messages[i - 1].time) broken("messages out of time order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Piece piece;
    std::string error;
    if (readMidiPiece(data, size, "fuzz.mid", piece, error)) checkPiece(piece);
    else if (error.empty() || !piece.segments.empty() || !piece.messages.empty())
        broken("a failure without its reason, or with a partial piece");
    return 0;
}
