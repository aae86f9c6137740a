// Rendering into a backing image (CAIRO_FORMAT_RGB24) the way GDI does it.
// Each function returns the rectangle of the image it changed, empty if none.
#pragma once

#include "platform/gdi_state.h"

namespace gdi {

// A one-pixel line from `from` towards `to`, the end pixel left out.
RECT drawPixelLine(cairo_surface_t* image, POINT from, POINT to, COLORREF colour);
// A wide line with round caps and joins, centred on the pixel centres.
RECT drawWideLine(cairo_t* cairo, POINT from, POINT to, int width, COLORREF colour);
// Text with its top-left cell corner at (x, y), on an opaque cell of backColour.
RECT drawText(cairo_t* cairo, int x, int y, const std::string& text, Font& font,
              COLORREF textColour, COLORREF backColour);

}  // namespace gdi
