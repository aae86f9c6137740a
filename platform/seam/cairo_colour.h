// A Win32 colour (COLORREF: red in the low byte, then green, then blue) in
// the two forms Cairo takes: a drawing colour, and a pixel of an RGB24 image.
#pragma once

#include "platform/win32.h"

#include <cairo.h>
#include <cstdint>

inline void setSourceColour(cairo_t* cairo, COLORREF colour) {
    cairo_set_source_rgb(cairo, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         ((colour >> 16) & 0xFF) / 255.0);
}

inline std::uint32_t pixelOf(COLORREF colour) {
    const std::uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}
