// Reading colours back, for the tests and their tools: one pixel of a Cairo
// image surface (a window's RGB24 backing image, an ARGB32 icon, a PNG read
// from a file). No bounds check: the caller keeps x and y inside the image.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>

// A colour as three components 0..255.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
    // As a Win32 COLORREF: red in the low byte.
    std::uint32_t colourref() const { return static_cast<std::uint32_t>(r | g << 8 | b << 16); }
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

// The pixel as the image stores it: 0xAARRGGBB in native byte order (the
// alpha byte means nothing in an RGB24 image).
inline std::uint32_t storedPixel(cairo_surface_t* image, int x, int y) {
    cairo_surface_flush(image);
    const unsigned char* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    std::uint32_t pixel;
    std::memcpy(&pixel, row + 4 * x, sizeof pixel);
    return pixel;
}

inline Rgb pixelAt(cairo_surface_t* image, int x, int y) {
    const std::uint32_t pixel = storedPixel(image, x, y);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

inline bool inside(cairo_surface_t* image, int x, int y) {
    return x >= 0 && y >= 0 && x < cairo_image_surface_get_width(image) && y < cairo_image_surface_get_height(image);
}

// A Cairo image surface that destroys itself.
using Image = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

// A PNG file; loaded() tells whether it could be read.
inline Image readPng(const char* path) {
    return Image(cairo_image_surface_create_from_png(path), cairo_surface_destroy);
}

inline bool loaded(const Image& image) {
    return image && cairo_surface_status(image.get()) == CAIRO_STATUS_SUCCESS;
}
