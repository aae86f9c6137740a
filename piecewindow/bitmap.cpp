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
        bitmap.pixels[static_cast<std::size_t>(row) * bitmap.stride + x] = cellColour(colours[slot], column.scores[cells[slot]]);
    }
}

int pieceWidthInPixels() {
    return std::max(1, static_cast<int>(std::ceil(PieceWindow.piece.duration * PieceWindow.view.pixelsPerSecond)));
}

// The pixel columns from `from` to the bitmap's width.
void drawColumns(int from) {
    PieceBitmap& bitmap = PieceWindow.bitmap;
    const std::vector<PieceColumn>& columns = PieceWindow.piece.columns;
    if (columns.empty()) return;
    int cells[ChordRows], colours[ChordRows];
    for (int slot = 0; slot < ChordRows; ++slot) cells[slot] = cellOfSlot(slot, bitmap.byChord, &colours[slot]);
    const double firstTime = (from + 0.5) / bitmap.pixelsPerSecond;
    std::size_t index = static_cast<std::size_t>(
        std::upper_bound(columns.begin(), columns.end(), firstTime,
                         [](double time, const PieceColumn& column) { return time < column.end; }) -
        columns.begin());
    index = std::min(index, columns.size() - 1);
    for (int x = from; x < bitmap.width; ++x) {
        const double time = (x + 0.5) / bitmap.pixelsPerSecond;
        while (index + 1 < columns.size() && columns[index].end <= time) ++index;
        if (columns[index].start <= time) fillColumn(x, columns[index], cells, colours);
    }
}

void drawBitmap() {
    PieceBitmap& bitmap = PieceWindow.bitmap;
    bitmap.width = bitmap.stride = pieceWidthInPixels();
    bitmap.height = ChordRows;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width) * ChordRows, groundColour());
    bitmap.pixelsPerSecond = PieceWindow.view.pixelsPerSecond;
    bitmap.byChord = PieceWindow.view.byChord;
    drawColumns(0);
}

// A piece that grew: its new columns drawn after the old, in room that
// doubles when it runs out, so that growing costs what is new.
void extendBitmap(int width) {
    PieceBitmap& bitmap = PieceWindow.bitmap;
    if (width > bitmap.stride) {
        const int stride = std::max(width, 2 * bitmap.stride);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * ChordRows, groundColour());
        for (int row = 0; row < ChordRows; ++row)
            std::copy_n(bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(row) * bitmap.stride, bitmap.width,
                        pixels.begin() + static_cast<std::ptrdiff_t>(row) * stride);
        bitmap.pixels.swap(pixels);
        bitmap.stride = stride;
    }
    const int from = std::max(0, bitmap.width - 1);  // the last column may have been drawn before it was whole
    bitmap.width = width;
    drawColumns(from);
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
    if (bitmap.pixels.empty() || bitmap.pixelsPerSecond != PieceWindow.view.pixelsPerSecond ||
        bitmap.byChord != PieceWindow.view.byChord)
        drawBitmap();
    else if (pieceWidthInPixels() > bitmap.width)
        extendBitmap(pieceWidthInPixels());
}
