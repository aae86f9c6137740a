// The piece window's one record.
#include "piecewindow/state.h"

PieceWindowRecord PieceWindow = {};

void resetPieceWindow() {
    PieceWindow = PieceWindowRecord{};
    PieceWindow.playback.shownSegment = -1;
}
