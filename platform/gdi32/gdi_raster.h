// Rendering into a backing image (CAIRO_FORMAT_RGB24) the way GDI does it.
// Each function returns the rectangle of the image it changed, empty if none.
#pragma once

#include "platform/gdi32/gdi_state.h"

#include <vector>

namespace gdi {

// Pens wider than this draw as if this wide: far more than any image needs.
constexpr int maximumPenWidth = 1 << 16;

// Inclusive column offsets of one row of a shape, from its centre column.
struct Span {
    int left, right;
};
// The round end of a pen `width` (2 .. maximumPenWidth) pixels wide, as GDI
// fills it: an elliptic region width x width with its top-left corner at
// (-(width / 2), -(width / 2)) from the point; element i is row i - width / 2.
std::vector<Span> roundEnd(int width);

// A one-pixel line from `from` towards `to`, the end pixel left out.
RECT drawPixelLine(cairo_surface_t* image, POINT from, POINT to, COLORREF colour);
// A wide line with round ends. Along an axis (or a single point) it has GDI's
// exact pixels; at other angles Cairo draws it.
RECT drawWideLine(cairo_t* cairo, POINT from, POINT to, int width, COLORREF colour);
// The advance of the text and the font's cell height, in pixels.
SIZE textSize(const std::string& text, Font& font);
// Text with its top-left cell corner at (x, y), on an opaque cell of backColour.
RECT drawText(cairo_t* cairo, int x, int y, const std::string& text, Font& font,
              COLORREF textColour, COLORREF backColour);

}  // namespace gdi
