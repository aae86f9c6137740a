// The spectrogram's bitmap (bitmap.h).
#include "piecewindow/bitmap.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis.h"
#include "display/pens.h"
#include "piecewindow/state.h"

namespace {

// The panel's fill, pen 1.
constexpr PenSpec ground = penTable[0];

const PenSpec& spikePen(int colourIndex) {
    for (const PenSpec& pen : penTable)
        if (pen.index == 20 + colourIndex) return pen;
    return ground;
}

std::uint32_t packed(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

int blend(int from, int to, float share) {
    return static_cast<int>(std::lround(from + (to - from) * share));
}

// One pixel column of the piece: the column of piece.columns sounding at its middle.
void fillColumn(int x, const PieceColumn& column, const int (&cells)[ChordRows], const int (&colours)[ChordRows]) {
    PieceBitmap& bitmap = PieceWindow.bitmap;
    for (int row = 0; row < ChordRows; ++row) {
        const int slot = ChordRows - 1 - row;
        bitmap.pixels[static_cast<std::size_t>(row) * bitmap.width + x] = cellColour(colours[slot], column.scores[cells[slot]]);
    }
}

void drawBitmap() {
    PieceBitmap& bitmap = PieceWindow.bitmap;
    const Piece& piece = PieceWindow.piece;
    const double pixelsPerSecond = PieceWindow.view.pixelsPerSecond;
    bitmap.width = std::max(1, static_cast<int>(std::ceil(piece.duration * pixelsPerSecond)));
    bitmap.height = ChordRows;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width) * ChordRows, groundColour());
    bitmap.pixelsPerSecond = pixelsPerSecond;
    bitmap.byChord = PieceWindow.view.byChord;
    int cells[ChordRows], colours[ChordRows];
    for (int slot = 0; slot < ChordRows; ++slot) cells[slot] = cellOfSlot(slot, bitmap.byChord, &colours[slot]);
    std::size_t index = 0;
    for (int x = 0; x < bitmap.width && index < piece.columns.size(); ++x) {
        const double time = (x + 0.5) / pixelsPerSecond;
        while (index + 1 < piece.columns.size() && piece.columns[index].end <= time) ++index;
        if (piece.columns[index].start <= time) fillColumn(x, piece.columns[index], cells, colours);
    }
}

}  // namespace

int cellOfSlot(int slot, bool byChord, int* colourIndex) {
    const int root = byChord ? slot % RootCount : slot / ChordTypeCount;
    const int type = byChord ? slot / RootCount : slot % ChordTypeCount;
    *colourIndex = byChord ? root : type;
    return matchCell(type, root);
}

std::uint32_t cellColour(int colourIndex, float score) {
    const float share = std::clamp(score / 2.0f, 0.0f, 1.0f);
    const PenSpec& spike = spikePen(colourIndex);
    return packed(blend(ground.r, spike.r, share), blend(ground.g, spike.g, share), blend(ground.b, spike.b, share));
}

std::uint32_t groundColour() { return packed(ground.r, ground.g, ground.b); }

void updateBitmap() {
    const PieceBitmap& bitmap = PieceWindow.bitmap;
    if (!bitmap.pixels.empty() && bitmap.pixelsPerSecond == PieceWindow.view.pixelsPerSecond &&
        bitmap.byChord == PieceWindow.view.byChord)
        return;
    drawBitmap();
}
