// The round end of a wide pen, traced like GDI's elliptic regions.
//
// The outline is followed from the middle row downwards by the error of the
// circle's implicit equation in integers (x steps across, y steps down); each
// row takes the inset reached when the trace enters it. The upper rows mirror
// the lower ones, so a pen of even width has its extra row and column at the
// top and left, where the region's box starts.
#include "platform/gdi32/gdi_raster.h"

#include <cstdint>

namespace gdi {

std::vector<Span> roundEnd(int width) {
    const int left = -(width / 2), right = left + width - 1;
    const std::int64_t diameter = width - 1;  // in steps between pixel centres
    const std::int64_t square = diameter * diameter;
    std::int64_t stepAcross = 4 * square * (1 - diameter);
    std::int64_t stepDown = 4 * square * (1 + diameter % 2);
    std::int64_t error = stepAcross + stepDown + square * (diameter % 2);

    std::vector<Span> rows(width, Span{left, right});
    int inset = 0;
    for (int row = width / 2; inset <= width / 2;) {
        const std::int64_t doubled = 2 * error;
        const bool across = doubled >= stepAcross, down = doubled <= stepDown;
        if (!across && !down) break;  // cannot happen for a circle; never loop for ever
        if (across) {
            ++inset;
            stepAcross += 8 * square;
            error += stepAcross;
        }
        if (down) {
            ++row;
            stepDown += 8 * square;
            error += stepDown;
            if (row < width) rows[row] = Span{left + inset, right - inset};
        }
    }
    for (int row = 0; row < width / 2; ++row) rows[row] = rows[width - 1 - row];
    return rows;
}

}  // namespace gdi
