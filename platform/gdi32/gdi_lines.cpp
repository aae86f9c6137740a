// Lines in the backing image.
//
// One-pixel lines are set pixel by pixel, one per step along the longer axis,
// the end pixel left out as GDI does. Wide horizontal and vertical lines (and
// zero-length ones) are filled span by span as GDI fills them: the pen's band
// joined with a round end at each point, an elliptic region of the pen's width
// (gdi_round_end.cpp). Other wide lines go to Cairo with round caps at pixel
// centres, antialiasing off. All clip first, so huge coordinates cost nothing.
#include "platform/seam/cairo_colour.h"
#include "platform/gdi32/gdi_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gdi {
namespace {

using Wide = __int128;

// floor(numerator / denominator) for a positive denominator.
std::int64_t floorDivide(Wide numerator, Wide denominator) {
    Wide quotient = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0) --quotient;
    return static_cast<std::int64_t>(quotient);
}

// The steps i in [0, length) whose major coordinate start + i * direction lies in [0, limit).
void clipSteps(std::int64_t start, int direction, std::int64_t limit, std::int64_t length,
               std::int64_t* first, std::int64_t* last) {
    std::int64_t low = direction > 0 ? -start : start - (limit - 1);
    std::int64_t high = direction > 0 ? limit - 1 - start : start;
    *first = std::max<std::int64_t>(0, low);
    *last = std::min<std::int64_t>(length - 1, high);
}

RECT emptyRect() { return RECT{0, 0, 0, 0}; }

void include(RECT& area, std::int64_t x, std::int64_t y) {
    if (area.right <= area.left) {
        area = RECT{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + 1),
                    static_cast<LONG>(y + 1)};
        return;
    }
    area.left = std::min<LONG>(area.left, static_cast<LONG>(x));
    area.top = std::min<LONG>(area.top, static_cast<LONG>(y));
    area.right = std::max<LONG>(area.right, static_cast<LONG>(x + 1));
    area.bottom = std::max<LONG>(area.bottom, static_cast<LONG>(y + 1));
}

// Liang-Barsky: clips the segment to [low, high] on both axes; false when nothing is left.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double lowX, double lowY,
                 double highX, double highY) {
    double enter = 0, leave = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lowX, highX - x0, y0 - lowY, highY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) enter = std::max(enter, t);
        else leave = std::min(leave, t);
    }
    if (enter > leave) return false;
    const double startX = x0, startY = y0;
    x0 = startX + enter * dx;
    y0 = startY + enter * dy;
    x1 = startX + leave * dx;
    y1 = startY + leave * dy;
    return true;
}

// Sets the pixels [left, right] of row y that lie in the image.
void fillSpan(cairo_surface_t* image, std::int64_t y, std::int64_t left, std::int64_t right,
              std::uint32_t pixel, RECT& changed) {
    const int width = cairo_image_surface_get_width(image);
    if (y < 0 || y >= cairo_image_surface_get_height(image)) return;
    left = std::max<std::int64_t>(left, 0);
    right = std::min<std::int64_t>(right, width - 1);
    if (left > right) return;
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image) +
                                                 y * cairo_image_surface_get_stride(image));
    std::fill(row + left, row + right + 1, pixel);
    include(changed, left, y);
    include(changed, right, y);
}

// A horizontal band: each row of the round end, stretched from end to end.
void fillHorizontal(cairo_surface_t* image, POINT from, POINT to, const std::vector<Span>& end,
                    std::uint32_t pixel, RECT& changed) {
    const std::int64_t low = std::min(from.x, to.x), high = std::max(from.x, to.x);
    const std::int64_t size = static_cast<std::int64_t>(end.size());
    const std::int64_t top = from.y - size / 2;
    const std::int64_t first = std::max<std::int64_t>(0, -top);
    const std::int64_t last = std::min(size, cairo_image_surface_get_height(image) - top) - 1;
    for (std::int64_t row = first; row <= last; ++row)
        fillSpan(image, top + row, low + end[row].left, high + end[row].right, pixel,
                 changed);
}

// A vertical band: the pen's full width between the points, the round ends
// beyond them.
void fillVertical(cairo_surface_t* image, POINT from, POINT to, const std::vector<Span>& end,
                  std::uint32_t pixel, RECT& changed) {
    const std::int64_t low = std::min(from.y, to.y), high = std::max(from.y, to.y);
    const std::int64_t size = static_cast<std::int64_t>(end.size()), above = size / 2;
    const std::int64_t first = std::max<std::int64_t>(0, low - above);
    const std::int64_t last = std::min<std::int64_t>(cairo_image_surface_get_height(image) - 1,
                                                     high + size - 1 - above);
    const Span band{-static_cast<int>(above), static_cast<int>(size - 1 - above)};
    for (std::int64_t y = first; y <= last; ++y) {
        const Span& span = y < low    ? end[y - low + above]
                           : y > high ? end[y - high + above]
                                      : band;
        fillSpan(image, y, std::int64_t{from.x} + span.left, std::int64_t{from.x} + span.right,
                 pixel, changed);
    }
}

void markDirty(cairo_surface_t* image, const RECT& changed) {
    if (changed.right > changed.left)
        cairo_surface_mark_dirty_rectangle(image, changed.left, changed.top,
                                           changed.right - changed.left,
                                           changed.bottom - changed.top);
}

// A line along an axis, or a single point, with a wide round pen.
RECT drawWideStraightLine(cairo_surface_t* image, POINT from, POINT to, int width,
                          COLORREF colour) {
    RECT changed = emptyRect();
    const std::vector<Span> end = roundEnd(width);
    cairo_surface_flush(image);
    if (from.x == to.x && from.y != to.y)
        fillVertical(image, from, to, end, pixelOf(colour), changed);
    else
        fillHorizontal(image, from, to, end, pixelOf(colour), changed);
    markDirty(image, changed);
    return changed;
}

}  // namespace

RECT drawPixelLine(cairo_surface_t* image, POINT from, POINT to, COLORREF colour) {
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    const std::int64_t dx = std::int64_t{to.x} - from.x, dy = std::int64_t{to.y} - from.y;
    const std::int64_t length = std::max(std::llabs(dx), std::llabs(dy));
    RECT changed = emptyRect();
    if (length == 0 || width == 0 || height == 0) return changed;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    std::int64_t first, last;
    if (alongX)
        clipSteps(from.x, dx > 0 ? 1 : -1, width, length, &first, &last);
    else
        clipSteps(from.y, dy > 0 ? 1 : -1, height, length, &first, &last);

    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const std::uint32_t pixel = pixelOf(colour);
    for (std::int64_t i = first; i <= last; ++i) {
        // The minor coordinate, rounded half up: start + round(i * delta / length).
        const std::int64_t x = from.x + floorDivide(Wide{2} * i * dx + length, Wide{2} * length);
        const std::int64_t y = from.y + floorDivide(Wide{2} * i * dy + length, Wide{2} * length);
        if (x < 0 || x >= width || y < 0 || y >= height) continue;
        reinterpret_cast<std::uint32_t*>(data + y * stride)[x] = pixel;
        include(changed, x, y);
    }
    markDirty(image, changed);
    return changed;
}

RECT drawWideLine(cairo_t* cairo, POINT from, POINT to, int width, COLORREF colour) {
    cairo_surface_t* image = cairo_get_target(cairo);
    width = std::min(width, maximumPenWidth);
    if (from.x == to.x || from.y == to.y)
        return drawWideStraightLine(image, from, to, width, colour);
    const int imageWidth = cairo_image_surface_get_width(image);
    const int imageHeight = cairo_image_surface_get_height(image);
    const double penWidth = width;
    double x0 = from.x + 0.5, y0 = from.y + 0.5, x1 = to.x + 0.5, y1 = to.y + 0.5;
    // A margin of a whole pen width keeps the clipped ends' caps off the image.
    if (!clipSegment(x0, y0, x1, y1, -penWidth, -penWidth, imageWidth + penWidth,
                     imageHeight + penWidth))
        return emptyRect();

    cairo_set_line_width(cairo, penWidth);
    cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
    setSourceColour(cairo, colour);
    cairo_move_to(cairo, x0, y0);
    cairo_line_to(cairo, x1, y1);
    cairo_stroke(cairo);

    const double reach = penWidth / 2 + 1;
    RECT changed{static_cast<LONG>(std::max(0.0, std::floor(std::min(x0, x1) - reach))),
                 static_cast<LONG>(std::max(0.0, std::floor(std::min(y0, y1) - reach))),
                 static_cast<LONG>(std::min<double>(imageWidth, std::ceil(std::max(x0, x1) + reach))),
                 static_cast<LONG>(std::min<double>(imageHeight, std::ceil(std::max(y0, y1) + reach)))};
    return changed.right > changed.left && changed.bottom > changed.top ? changed : emptyRect();
}

}  // namespace gdi
